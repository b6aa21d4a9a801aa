; The installer of Zivor for Windows: the program, a Start-menu entry with its icon, the
; licence and an uninstaller, for all users of the computer. "/S" installs without asking.
;   makensis -DVERSION=1.0.0 -DPROGRAMM=zivor.exe -DSYMBOL=zivor.ico -DLIZENZ=LICENSE
;            -DAUSGABE=zivor-1.0.0-setup.exe zivor.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define SCHLUESSEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zivor"

Name "Zivor ${VERSION}"
OutFile "${AUSGABE}"
InstallDir "$PROGRAMFILES64\Zivor"
BrandingText "Zivor ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Zivor"
VIAddVersionKey /LANG=1031 "FileDescription" "Zivor ${VERSION} - Installation"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${SYMBOL}"
!define MUI_UNICON "${SYMBOL}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zivor.exe"
!insertmacro MUI_PAGE_LICENSE "${LIZENZ}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=zivor.exe" "${PROGRAMM}"
  File "/oname=LICENSE.txt" "${LIZENZ}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Zivor.lnk" "$INSTDIR\zivor.exe" "" "$INSTDIR\zivor.exe" 0 \
    SW_SHOWNORMAL "" "Harmonische Wechselgrößen als Zeiger und Zeitverläufe"

  ; The entry under "Apps" (Programs and Features) that removes Zivor again.
  WriteRegStr HKLM "${SCHLUESSEL}" "DisplayName" "Zivor"
  WriteRegStr HKLM "${SCHLUESSEL}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${SCHLUESSEL}" "DisplayIcon" "$INSTDIR\zivor.exe,0"
  WriteRegStr HKLM "${SCHLUESSEL}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${SCHLUESSEL}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${SCHLUESSEL}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${SCHLUESSEL}" "NoModify" 1
  WriteRegDWORD HKLM "${SCHLUESSEL}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${SCHLUESSEL}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Zivor.lnk"
  Delete "$INSTDIR\zivor.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${SCHLUESSEL}"
SectionEnd
