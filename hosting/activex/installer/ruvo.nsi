; The installer of Ruvo.ocx: the 64-bit and the 32-bit control, for the current user without
; administrator rights (the default) or for all users with them (/AllUsers). /S installs silently.
; The uninstaller removes exactly what was installed: the files, their registration and its own
; entry in the list of installed programs.
;   makensis -DVERSION=0.1.0 -DOCX64=... -DOCX32=... -DOUTFILE=... ruvo.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Ruvo Moravine"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ruvo.Moravine"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Ruvo"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage instfiles

; "/n /i:user" for the current user, nothing for all users: how regsvr32 registers.
Var RegistrationScope

!macro ChooseScope UN
Function ${UN}ChooseScope
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${If} ${Errors}
        SetShellVarContext current
        StrCpy $RegistrationScope "/n /i:user"
    ${Else}
        SetShellVarContext all
        StrCpy $RegistrationScope ""
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseScope ""
!insertmacro ChooseScope "un."

Function .onInit
    Call ChooseScope
    ${If} $RegistrationScope == ""
        StrCpy $INSTDIR "$PROGRAMFILES64\Ruvo"
    ${EndIf}
FunctionEnd

Function un.onInit
    Call un.ChooseScope
FunctionEnd

; Registers or unregisters one control with the regsvr32 of its own width.
!macro Regsvr32 REGSVR32 FLAGS FILE RESULT
    ExecWait '"${REGSVR32}" /s ${FLAGS} $RegistrationScope "${FILE}"' ${RESULT}
!macroend

Section
    SetOutPath "$INSTDIR\x64"
    File "/oname=Ruvo.ocx" "${OCX64}"
    SetOutPath "$INSTDIR\x86"
    File "/oname=Ruvo.ocx" "${OCX32}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ClearErrors
    !insertmacro Regsvr32 "$SYSDIR\regsvr32.exe" "" "$INSTDIR\x64\Ruvo.ocx" $0
    ${If} ${Errors}
    ${OrIf} $0 != 0
        MessageBox MB_ICONSTOP "The 64-bit control could not be registered ($0)." /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    ; 32-bit programs' own regsvr32, where this Windows runs 32-bit programs.
    ClearErrors
    !insertmacro Regsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "" "$INSTDIR\x86\Ruvo.ocx" $0
    ${If} ${Errors}
    ${OrIf} $0 != 0
        DetailPrint "The 32-bit control was not registered: this Windows runs no 32-bit programs."
    ${EndIf}

    ${If} $RegistrationScope == ""
        StrCpy $1 "/AllUsers"
    ${Else}
        StrCpy $1 ""
    ${EndIf}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Ruvo"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" $1'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S $1'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !insertmacro Regsvr32 "$SYSDIR\regsvr32.exe" "/u" "$INSTDIR\x64\Ruvo.ocx" $0
    ClearErrors
    !insertmacro Regsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "/u" "$INSTDIR\x86\Ruvo.ocx" $0
    Delete "$INSTDIR\x64\Ruvo.ocx"
    Delete "$INSTDIR\x86\Ruvo.ocx"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR\x64"
    RMDir "$INSTDIR\x86"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
