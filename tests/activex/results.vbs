' A script host's view of the results of a new control, created by its ProgID without any
' container: nothing has been calculated, so every member says "none", and a date that is no
' date is a run-time error the script reads in Err. Where the script host can, the script also
' connects to the control's events. Wine's cscript exits 0 even on an unhandled error, so the
' script checks Err itself and quits with its own code.
Option Explicit
On Error Resume Next

Dim control, value, failures, checks
failures = 0
checks = 0

Sub Check(condition, what)
    checks = checks + 1
    If Not condition Then
        WScript.Echo "FAILED: " & what
        failures = failures + 1
    End If
End Sub

' The event handlers ConnectObject binds by the prefix; no input reaches the control here, so
' neither runs.
Dim heard
heard = 0
Sub Moravine_EDDChanged()
    heard = heard + 1
End Sub
Sub Moravine_GestationAtBirthChanged()
    heard = heard + 1
End Sub

Set control = CreateObject("Ruvo.Moravine")
Check Err.Number = 0, "CreateObject(""Ruvo.Moravine""): " & Err.Description
Err.Clear

Check IsEmpty(control.EDD), "EDD is " & TypeName(control.EDD) & ", not Empty"
Check Err.Number = 0, "EDD: " & Err.Description
Err.Clear
value = control.EDDMethod
Check Err.Number = 0 And value = "" And TypeName(value) = "String", _
    "EDDMethod gave """ & value & """: " & Err.Description
Err.Clear
value = control.GestationAtBirthDays
Check Err.Number = 0 And value = -1, "GestationAtBirthDays gave " & value & ": " & Err.Description
Err.Clear
value = control.GestationOn(Date)
Check Err.Number = 0 And value = -1, "GestationOn(Date) gave " & value & ": " & Err.Description
Err.Clear
value = control.GestationOn(Now)
Check Err.Number = 0 And value = -1, "GestationOn(Now) gave " & value & ": " & Err.Description
Err.Clear

value = control.FHIR
Check Err.Number = 0 And value = "", "FHIR gave """ & value & """: " & Err.Description
Err.Clear
value = control.FHIR("Patient/123")
Check Err.Number = 0 And value = "", "FHIR(""Patient/123"") gave """ & value & """: " & _
    Err.Description
Err.Clear

value = 99
value = control.GestationOn("not a date")
Check Err.Number = 13, "GestationOn(""not a date"") gave Err.Number " & Err.Number
Check Err.Description = "GestationOn takes a date", _
    "GestationOn(""not a date"") gave Err.Description """ & Err.Description & """"
Check value = 99, "a refused call gave " & value
Err.Clear

' The members are read-only.
control.GestationAtBirthDays = 5
Check Err.Number <> 0, "GestationAtBirthDays took a value"
Err.Clear

' datenice answers as before beside them.
Check control.datenice(DateSerial(2006, 10, 26)) = "26 October 2006", "datenice changed"
Err.Clear

' Wine's cscript has no ConnectObject (it answers "Object doesn't support this action", 445, for
' any object): there the connection from script goes unchecked, and the script says so.
WScript.ConnectObject control, "Moravine_"
If Err.Number = 445 Then
    WScript.Echo "not checked: this script host has no WScript.ConnectObject"
Else
    Check Err.Number = 0, "ConnectObject: " & Err.Number & " " & Err.Description
    Check heard = 0, "an event came without any input"
    WScript.DisconnectObject control
End If
Err.Clear

Dim summary
summary = CStr(checks - failures) & " passed, " & CStr(failures) & " failed"
WScript.Echo summary
WScript.Quit failures
