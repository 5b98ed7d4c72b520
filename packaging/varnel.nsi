; The Windows setup program of Varnel, built on Linux by scripts/package:
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y -DSTAGE=<folder with the files> -DICON=<icon> -DOUTFILE=<exe> varnel.nsi
; Per-machine into Program Files when the user may (the installer asks for elevation), otherwise per-user.
; Silent use: setup.exe /S [/AUTOSTART] [/CURRENTUSER] [/D=folder]; the uninstaller takes /S as well.
Unicode true
; The shipped program and setup are 32-bit; the round trip on a machine without 32-bit code builds this script
; for 64-bit Windows (TARGET=amd64-unicode, packaging/make-setup.sh).
!ifdef TARGET
  Target ${TARGET}
!endif

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef STAGE
  !error "STAGE is not defined"
!endif
!ifndef ICON
  !error "ICON is not defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not defined"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Varnel"
; The publisher named in the program's own version resource (res/version.rc2).
!define PUBLISHER "Korvent Soft"
!define EXE "varnel.exe"
!define CONSOLE_EXE "varnelc.exe" ; sending from the command line, for scripts
!define UNINSTALLER "uninst.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SHORTCUT "$SMPROGRAMS\Varnel.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel highest
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1055 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1055 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "FileDescription" "${PRODUCT} kurulumu"
VIAddVersionKey /LANG=1055 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1055 "LegalCopyright" "© ${PUBLISHER}, MIT lisansı"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Varnel'i şimdi başlat"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalledProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\BENIOKU.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "BENİOKU dosyasını göster"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
; The language file's text names a button "Kabul Ediyorum" that reads "Katılıyorum": one word on both.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Sözleşmenin koşullarını kabul ediyorsanız $\"Katılıyorum$\" düğmesine basın. Varnel'i kurmak için sözleşmeyi kabul etmeniz gerekir."
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

; Files are replaced or removed only after a running Varnel has ended through its own message loop: WM_CLOSE
; to its application window ends the program, and the file is free once it can be opened for writing.
!macro DEFINE_CLOSE_RUNNING_PROGRAM PREFIX
Function ${PREFIX}CloseRunningProgram
  FindWindow $0 "TApplication" "${PRODUCT}"
  ${If} $0 <> 0
    DetailPrint "Çalışan Varnel kapatılıyor..."
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  StrCpy $1 0
  ${DoWhile} $1 < 100
    FindWindow $0 "TApplication" "${PRODUCT}"
    ${If} $0 = 0
      ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
        ${Break}
      ${EndIf}
      ClearErrors
      FileOpen $2 "$INSTDIR\${EXE}" a
      ${IfNot} ${Errors}
        FileClose $2
        ${Break}
      ${EndIf}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_PROGRAM ""
!insertmacro DEFINE_CLOSE_RUNNING_PROGRAM "un."

Section "Varnel" SecProgram
  SectionIn RO
  Call CloseRunningProgram
  SetOutPath "$INSTDIR"
  File "${STAGE}/${EXE}"
  File "${STAGE}/${CONSOLE_EXE}"
  File "${STAGE}/BENIOKU.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" "Ağ Mesajlaşması"

  ; SHCTX is HKLM for an install for all users and HKCU for one user (SetShellVarContext in .onInit).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The next section writes it again when chosen, so that a reinstall can also turn it off.
  Call DeleteOwnRunValue
SectionEnd

Section /o "Windows ile birlikte başlat" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
SectionEnd

; The start-with-Windows value is removed only while it still starts this installation's program.
!macro DEFINE_DELETE_OWN_RUN_VALUE PREFIX
Function ${PREFIX}DeleteOwnRunValue
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == '"$INSTDIR\${EXE}"'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_DELETE_OWN_RUN_VALUE ""
!insertmacro DEFINE_DELETE_OWN_RUN_VALUE "un."

Var AllUsers

Function .onInit
  ${GetParameters} $2
  UserInfo::GetAccountType
  Pop $0
  StrCpy $AllUsers 0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
  ${EndIf}
  ; /CURRENTUSER asks for an installation of one's own where one for all users would be possible.
  ClearErrors
  ${GetOptions} $2 "/CURRENTUSER" $3
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${EndIf}
  ${If} $AllUsers = 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ; /D= on the command line sets the folder before this runs; otherwise an earlier installation's folder wins.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} $AllUsers = 1
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}

  ; Start with Windows stays as the user left it; /AUTOSTART turns it on for a silent install.
  ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
  ClearErrors
  ${GetOptions} $2 "/AUTOSTART" $3
  ${IfNot} ${Errors}
  ${OrIf} $1 != ""
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

; Started from an elevated installer, the program would run elevated too and write its settings to the real
; Windows folder; explorer starts it as the signed-in user instead.
Function StartInstalledProgram
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
  ${Else}
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

Function un.onInit
  ; An installation for all users registered itself in HKLM with this very folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Varnel bu bilgisayarın tüm kullanıcıları için kurulmuş; yalnızca bir yönetici kaldırabilir.$\r$\nKaldırmayı bir yönetici hesabıyla yeniden başlatın ya da yöneticinize başvurun." /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

; Removes exactly what the installer wrote; Varnel.Ini in the Windows folder holds the user's colours and stays.
; The folder goes last: once it is gone, the uninstall is complete (the silent round trip waits for that).
Section "Uninstall"
  Call un.CloseRunningProgram
  Delete "${SHORTCUT}"
  Call un.DeleteOwnRunValue
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${CONSOLE_EXE}"
  Delete "$INSTDIR\BENIOKU.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
