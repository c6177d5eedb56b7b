; The Windows installer: the program folder into Program Files, an entry in the
; Start menu and on the desktop, and an uninstaller that 設定 ▸ 應用程式 lists.
; makensis -DSTAGE=<program folder> -DVERSION=<x.y.z> -DOUTFILE=<setup.exe> award-banner.nsi
; A 64-bit installer for a 64-bit program: it runs where the program runs,
; also under a Wine without its 32-bit half, and writes the 64-bit registry.
Target amd64-unicode
!include "MUI2.nsh"

!define NAME "電子獎狀看板程式"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\award-banner"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\award-banner"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "award-banner ${VERSION}"

!define MUI_ICON "${STAGE}\award-banner.ico"
!define MUI_UNICON "${STAGE}\award-banner.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\award-banner.exe"
!define MUI_FINISHPAGE_RUN_TEXT "開啟${NAME}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "TradChinese"

Section "install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; A shortcut that could not be made is said, also by a silent install's
  ; exit code, rather than leaving the program where nobody finds it.
  ClearErrors
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\award-banner.exe" "" "$INSTDIR\award-banner.ico"
  CreateShortcut "$DESKTOP\${NAME}.lnk" "$INSTDIR\award-banner.exe" "" "$INSTDIR\award-banner.ico"
  IfErrors 0 shortcutsMade
    MessageBox MB_ICONEXCLAMATION|MB_OK "無法在開始功能表或桌面建立「${NAME}」的捷徑。程式已安裝在 $INSTDIR，請從那裡開啟 award-banner.exe。" /SD IDOK
    SetErrorLevel 2
  shortcutsMade:
  WriteRegStr HKLM "${KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "Publisher" "award-banner developers"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\award-banner.ico"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$DESKTOP\${NAME}.lnk"
  ; Only what the installer put there: the folder as the stage held it.
  !include "${FILE_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\plugins\platforms"
  RMDir "$INSTDIR\plugins\styles"
  RMDir "$INSTDIR\plugins\imageformats"
  RMDir "$INSTDIR\plugins"
  RMDir "$INSTDIR\translations"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
