; pantrium-setup.exe: a per-user installation of Pantrium, without
; administrator rights. The installer itself is a 32-bit program, so that it
; runs on 32- and 64-bit Windows alike; it installs the 64-bit pantrium.exe on
; 64-bit Windows and the 32-bit one otherwise.
;
; Pantrium finds its help file and its lists in its working folder, so the
; Start-menu shortcut starts it in the user's lists folder, Documents\Pantrium,
; which gets a copy of Pantrium.chm too. The uninstaller removes the program
; and never the lists.
;
; Built by makensis with these defines (installer/installer.cmake passes them):
;   EXE_X64    the x86_64 pantrium.exe      EXE_X86    the i686 pantrium.exe
;   HELP_FILE  Pantrium.chm                 ICON_FILE  resources/grocery.ico
;   OUT_FILE   the installer to write

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Pantrium"
!define VERSION "1.50"
!define PUBLISHER "The Pantrium developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pantrium"
!define LISTS_DIR "$DOCUMENTS\Pantrium"
!define SHORTCUT "$SMPROGRAMS\Pantrium.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Pantrium"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "1.50.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Pantrium ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartPantrium
!define MUI_FINISHPAGE_RUN_TEXT "Start Pantrium"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Pantrium"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=pantrium.exe" "${EXE_X64}"
  ${Else}
    File "/oname=pantrium.exe" "${EXE_X86}"
  ${EndIf}
  File "/oname=Pantrium.chm" "${HELP_FILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The lists folder; the help file beside the lists, where Help looks for it.
  SetOutPath "${LISTS_DIR}"
  File "/oname=Pantrium.chm" "${HELP_FILE}"

  ; The shortcut's working folder is the current output path: the lists folder.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\pantrium.exe" "" "$INSTDIR\pantrium.exe" 0 \
      SW_SHOWNORMAL "" "Pantrium shopping list"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pantrium.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" 4096
SectionEnd

Function StartPantrium
  SetOutPath "${LISTS_DIR}"
  Exec '"$INSTDIR\pantrium.exe"'
FunctionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\pantrium.exe"
  Delete "$INSTDIR\Pantrium.chm"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; Only the help copy leaves the lists folder; the folder goes only when empty.
  Delete "${LISTS_DIR}\Pantrium.chm"
  RMDir "${LISTS_DIR}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
