; The Windows installer: the deployable folder that scripts/windows lays out, installed
; into Program Files with a Start-menu entry, the ".cf8" association and an uninstaller.
;
;   makensis -DVERSION=7.2.0 -DSOURCE_DIR=<deploy folder> -DOUT_FILE=<setup.exe> \
;            -DICON_FILE=<progmz515.ico> progmz515.nsi
;
; /S installs and uninstalls silently; /D=<folder> (last on the command line) installs
; elsewhere.

; A 64-bit installer for a 64-bit program (and for Wine's 64-bit prefix, which runs no
; 32-bit code).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
!include "x64.nsh"

!define PRODUCT "progmz515"
!define DISPLAY_NAME "MZ-515 Programmer"
!define PUBLISHER "progmz515 developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define FILE_CLASS "progmz515.cf8"
!define SETTINGS_KEY "Software\Korvanta\ProgMZ515"

Name "${DISPLAY_NAME} ${VERSION}"
OutFile "${OUT_FILE}"
Icon "${ICON_FILE}"
UninstallIcon "${ICON_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "This program needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_DIR}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${DISPLAY_NAME}.lnk" "$INSTDIR\progmz515.exe" "" \
                 "$INSTDIR\progmz515.exe" 0

  ; .cf8 files open in the programmer and show its icon.
  WriteRegStr HKLM "Software\Classes\.cf8" "" "${FILE_CLASS}"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}" "" "MZ-515 device configuration"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\progmz515.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\shell\open\command" "" \
              '"$INSTDIR\progmz515.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\progmz515.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; SHCNE_ASSOCCHANGED: Explorer picks up the new association and icon.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  ; Only what the installer put there; a folder the user chose that holds more keeps it.
  !include "${FILE_LIST}"
  ; The zone list the program writes beside itself when its folder is writable.
  Delete "$INSTDIR\Shlf.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${DISPLAY_NAME}.lnk"

  ; The association, unless another program has taken .cf8 over since.
  ReadRegStr $0 HKLM "Software\Classes\.cf8" ""
  StrCmp $0 "${FILE_CLASS}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.cf8"
  DeleteRegKey HKLM "Software\Classes\${FILE_CLASS}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The settings of the user who removes the program, and the zone list it kept for them.
  ; The journal beside it (the configurations read from and written to devices) is the
  ; user's work and stays, and with it the folder.
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Korvanta"
  SetShellVarContext current
  Delete "$APPDATA\Korvanta\ProgMZ515\Shlf.txt"
  RMDir "$APPDATA\Korvanta\ProgMZ515"
  RMDir "$APPDATA\Korvanta"
  SetShellVarContext all

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
