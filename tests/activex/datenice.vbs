' A script host's view of the control: created by its ProgID, without any container, and asked
' for the display form of a date held in a script variable. Wine's cscript exits 0 even on an
' unhandled error, so the script checks Err itself and quits with its own code.
Option Explicit
On Error Resume Next

Dim control, edd, text, failures, checks
failures = 0
checks = 0

Sub Check(condition, what)
    checks = checks + 1
    If Not condition Then
        WScript.Echo "FAILED: " & what
        failures = failures + 1
    End If
End Sub

Set control = CreateObject("Ruvo.Moravine")
Check Err.Number = 0, "CreateObject(""Ruvo.Moravine""): " & Err.Description
Err.Clear

edd = DateSerial(2006, 10, 26)
text = control.datenice(edd)
Check Err.Number = 0, "datenice: " & Err.Description
Check text = "26 October 2006", "datenice gave """ & text & """"
Check edd = DateSerial(2006, 10, 26), "the variable changed to " & edd
Err.Clear

text = control.datenice(DateSerial(2007, 1, 1) + TimeSerial(18, 0, 0))
Check text = "1 January 2007", "datenice with a time of day gave """ & text & """"
Err.Clear

text = control.datenice("not a date")
Check Err.Number <> 0, "a text that is no date was accepted"
Err.Clear

Dim summary
summary = CStr(checks - failures) & " passed, " & CStr(failures) & " failed"
WScript.Echo summary
WScript.Quit failures
