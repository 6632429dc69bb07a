; Tidewave's installer. Built by the build (target Tidewave-Setup) with
;   makensis -DVERSION=1.0.0.1 -DSOURCE=<folder of the built program>
;            -DSETTINGS_KEY=<the program's settings key> -DOUTFILE=<setup.exe> Tidewave.nsi
; It installs the program and the files it looks for beside itself; the
; uninstaller takes away exactly those, and asks before it removes backups,
; which the program writes there and which nothing else can recreate.
;
; Deployment: Tidewave-Setup.exe /S /PRESET=Automatic-E installs silently and
; then applies that preset through tidewave-cli.exe (a backup first, as ever).
; A preset that could not be applied leaves the program installed and makes
; the installer end with tidewave-cli's exit code.

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef SOURCE
  !error "SOURCE is not defined"
!endif
; Under HKEY_LOCAL_MACHINE, as the program names it (the build takes it from
; src/settings/RegistrySettings.h); the uninstaller removes it, and the maker's
; key above it once empty.
!ifndef SETTINGS_KEY
  !error "SETTINGS_KEY is not defined"
!endif
!searchparse "${SETTINGS_KEY}" "SOFTWARE\" SETTINGS_MAKER "\"
; The system's C runtime the program needs (another name only for the test
; of a system without it).
!ifndef RUNTIME_DLL
  !define RUNTIME_DLL "MSVCRT.DLL"
!endif
!ifndef OUTFILE
  !define OUTFILE "Tidewave-Setup.exe"
!endif

!define PRODUCT "Tidewave"
!define MAKER "Marlpit"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewave"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Unicode false
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"
SetCompressor /SOLID lzma
Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Tuning writes under HKEY_LOCAL_MACHINE, and so does the installer.
RequestExecutionLevel admin
XPStyle on
BrandingText "Tidewave ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow
; makensis works in the script's own folder.
Icon "../Tidewave.ico"
UninstallIcon "../Tidewave.ico"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${MAKER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running copy holds its executable open: it could be neither replaced nor removed.
!macro RefuseWhileRunning
  FindWindow $0 "TidewaveMain" "Tidewave"
  StrCmp $0 0 +3
    MessageBox MB_OK|MB_ICONEXCLAMATION "Tidewave is running. Close it (Close in its window, or its icon next to the clock), then try again." /SD IDOK
    Abort
!macroend

; A file in use (the console program running, the help file open in its
; viewer) could not be replaced, and an upgrade would leave old and new files
; side by side: refused, as while Tidewave runs.
!macro RefuseWhileHeld FILE
  ${If} ${FileExists} "$INSTDIR\${FILE}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${FILE}" a
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONEXCLAMATION "${FILE} is in use, so it cannot be replaced. Close it (or the program using it), then try again." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    FileClose $0
  ${EndIf}
!macroend

; The preset to apply once installed, from /PRESET=<name>; empty for none.
Var Preset

Function .onInit
  !insertmacro RefuseWhileRunning
  ; Tidewave needs the system's C runtime. Windows 95 as first shipped has
  ; none; Internet Explorer 4 or later, or the Windows Sockets 2 update,
  ; installs it. Installing without it would leave a program that cannot start.
  IfFileExists "$SYSDIR\${RUNTIME_DLL}" runtimeFound
    MessageBox MB_OK|MB_ICONSTOP "Tidewave needs MSVCRT.DLL, which this Windows does not have yet.$\r$\n$\r$\nOn Windows 95 it comes with Internet Explorer 4 or later, or with the Windows Sockets 2 update. Install one of them, then run this setup again." /SD IDOK
    SetErrorLevel 8
    Quit
  runtimeFound:
  ${GetParameters} $0
  ; PowerShell and Wine quote an argument with a space whole:
  ; "/PRESET=Windows default" reads as /PRESET="Windows default".
  ${WordReplace} $0 '"/PRESET=' '/PRESET="' "+" $0
  ${GetOptions} $0 "/PRESET=" $Preset
  ; The name goes to tidewave-cli as one quoted argument; a quote inside would
  ; end it and let the rest pass as more arguments.
  StrCpy $1 0
  ${Do}
    StrCpy $2 $Preset 1 $1
    ${If} $2 == '"'
      MessageBox MB_OK|MB_ICONSTOP "No preset's name holds a quote: $Preset" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    IntOp $1 $1 + 1
  ${LoopUntil} $2 == ""
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
FunctionEnd

Section "Tidewave"
  SetShellVarContext all
  !insertmacro RefuseWhileHeld "Tidewave.exe"
  !insertmacro RefuseWhileHeld "tidewave-cli.exe"
  !insertmacro RefuseWhileHeld "RTidewaveMask.skn"
  !insertmacro RefuseWhileHeld "TidewaveHelp.chm"
  !insertmacro RefuseWhileHeld "Ping.wav"
  !insertmacro RefuseWhileHeld "low-memory.wav"
  !insertmacro RefuseWhileHeld "Uninstall.exe"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Tidewave.exe"
  File "${SOURCE}\tidewave-cli.exe"
  File "${SOURCE}\RTidewaveMask.skn"
  File "${SOURCE}\TidewaveHelp.chm"
  File "${SOURCE}\Ping.wav"
  !if /FileExists "${SOURCE}\low-memory.wav"
    File "${SOURCE}\low-memory.wav"
  !endif
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Tidewave.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\TidewaveHelp.chm"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tidewave.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Once everything is in place, so the backup lands in the installed Backups folder.
Section "-Preset"
  StrCmp $Preset "" presetDone
  ; "--": a name that starts with "-" is a name, never an option.
  nsExec::ExecToLog '"$INSTDIR\tidewave-cli.exe" apply -- "$Preset"'
  Pop $0
  StrCmp $0 "0" presetDone
  ; "error": the program could not be started at all.
  StrCmp $0 "error" 0 +2
    StrCpy $0 1
  MessageBox MB_OK|MB_ICONEXCLAMATION "Tidewave is installed, but the preset $\"$Preset$\" was not applied (tidewave-cli exit code $0). Run $\"tidewave-cli apply --help$\" in its folder for what the code means." /SD IDOK
  SetErrorLevel $0
  presetDone:
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Tidewave.exe"
  Delete "$INSTDIR\tidewave-cli.exe"
  Delete "$INSTDIR\RTidewaveMask.skn"
  Delete "$INSTDIR\TidewaveHelp.chm"
  Delete "$INSTDIR\Ping.wav"
  Delete "$INSTDIR\low-memory.wav"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /r "$SMPROGRAMS\${PRODUCT}"

  ; Backups are the only way back to settings from before a change: a silent
  ; uninstall keeps them.
  IfFileExists "$INSTDIR\Backups\*.*" 0 backupsDone
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove the Backups folder too?$\r$\n$\r$\nIt holds your TCP/IP settings from before each change. Without it they cannot be restored." /SD IDNO IDNO backupsDone
    RMDir /r "$INSTDIR\Backups"
  backupsDone:
  RMDir "$INSTDIR"

  ; Windows would otherwise try to start the removed program at every logon.
  DeleteRegValue HKCU "${RUN_KEY}" "TidewaveRun"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\${SETTINGS_MAKER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
