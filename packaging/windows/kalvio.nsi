; The Kalvio installer. makensis defines VERSION (x.y.z), ARCH (i686 or x86_64), PROGRAM (the
; kalvio.exe to install), ICON and OUTFILE.
Unicode true
!if ${ARCH} == x86_64
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvio"

Name "Kalvio"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Kalvio"
; An update goes where the last installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Kalvio"
VIAddVersionKey /LANG=0 "FileDescription" "Kalvio ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "The Kalvio authors"
VIAddVersionKey /LANG=0 "LegalCopyright" "The Kalvio authors"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\kalvio.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer speaks the language of the user's Windows: Japanese there, English elsewhere.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString ShortcutComment ${LANG_ENGLISH} "Plays 120 built-in pieces one after another"
LangString ShortcutComment ${LANG_JAPANESE} "内蔵の120曲を次々に演奏します"

LangString KalvioRunning ${LANG_ENGLISH} "Kalvio is running. Exit it, then click Retry."
LangString KalvioRunning ${LANG_JAPANESE} "Kalvio が起動しています。終了してから「再試行」をクリックしてください。"

; A running kalvio.exe can be neither replaced nor removed: the user exits it first. Silently,
; the (un)installer stops and changes nothing.
!macro WAIT_FOR_KALVIO_TO_EXIT
  retry:
    FindWindow $0 "TForm1" "Kalvio"
    StrCmp $0 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(KalvioRunning)" /SD IDCANCEL IDRETRY retry
    Abort
  closed:
!macroend

Function .onInit
  ; Shortcuts for every user of the machine, like the entry in the list of programs.
  SetShellVarContext all
  !insertmacro WAIT_FOR_KALVIO_TO_EXIT
FunctionEnd

Section "Kalvio"
  SetOutPath "$INSTDIR"
  File "/oname=kalvio.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Kalvio.lnk" "$INSTDIR\kalvio.exe" "" "$INSTDIR\kalvio.exe" 0 \
    SW_SHOWNORMAL "" "$(ShortcutComment)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kalvio"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kalvio.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Kalvio authors"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro WAIT_FOR_KALVIO_TO_EXIT
FunctionEnd

; Everything the installer put there, and nothing else: the user's settings under Documents stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\Kalvio.lnk"
  Delete "$INSTDIR\kalvio.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
