; Kestrine's setup: a 64-bit, per-machine install of the screen saver into the
; 64-bit Windows system folder, where the screen saver settings list it, with
; an uninstaller registered in Apps & features. Built by installer/package.sh:
;   makensis -DVERSION=1.0.0 -DFILES=<folder with the three files> -DOUTFILE=<setup.exe> kestrine.nsi
; Paths in here are relative to this folder (makensis works from it).
; /S installs silently (the screen saver option as its page would start);
; "Uninstall.exe /S" removes it silently.

!ifndef VERSION | FILES | OUTFILE
  !error "define VERSION, FILES and OUTFILE"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Kestrine"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine"
!define DESKTOP_KEY "Control Panel\Desktop"
!define STAGING "C:\tolvin"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The programs go to the system folder; this folder holds only the uninstaller.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} setup"
VIAddVersionKey LegalCopyright "The ${PRODUCT} project"

!define MUI_ICON "../assets/dialog.ico"
!define MUI_UNICON "../assets/dialog.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "${PRODUCT} is installed into the Windows system folder for every user of this computer. Leave the box below ticked to make it your screen saver now."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_UNCONFIRMPAGE_TEXT_TOP "${PRODUCT} will be removed from the Windows system folder, with its pictures in ${STAGING}. Each user's music settings (Kestrine.ini) are left in place."
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideUninstallerFolder
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; SaverIsKestrine: pushes 1 when the current user's screen saver is the
; installed Kestrine.scr (paths compare without regard to case), else 0.
!macro SAVER_IS_KESTRINE un
  Function ${un}SaverIsKestrine
    Push $0
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$SYSDIR\Kestrine.scr"
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Exch $0
  FunctionEnd
!macroend
!insertmacro SAVER_IS_KESTRINE ""
!insertmacro SAVER_IS_KESTRINE "un."

; Both run elevated (the manifest asks for it); where Windows starts them
; without (UAC switched off), a standard user is told and nothing is done.
!macro REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP "Installing and removing ${PRODUCT} needs an administrator." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  ; A 64-bit installer sees the 64-bit system folder and registry already;
  ; these say so, whatever process runs the script.
  SetRegView 64
  ${DisableX64FSRedirection}
!macroend

Section "${PRODUCT} screen saver (required)" SecFiles
  SectionIn RO
  SetOverwrite on
  SetOutPath "$SYSDIR"
  File "${FILES}/Kestrine.scr"
  File "${FILES}/Kestrine.dll"
  File "${FILES}/Kestrine.data"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The ${PRODUCT} project"
  ; The saver's first icon is the settings dialog's.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Kestrine.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecFiles} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; HKCU here is the account the installer runs as: the user who runs it, or
; under another administrator's elevation that administrator.
Section "Make ${PRODUCT} my screen saver" SecSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\Kestrine.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tells the running session as well as the registry.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
  DetailPrint "Kestrine is now your screen saver."
SectionEnd

Function .onInit
  !insertmacro REQUIRE_ADMIN
  ; An upgrade keeps the user's choice: when Kestrine is installed already and
  ; the user's screen saver is another one, the option starts unticked.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "UninstallString"
  ${If} $0 != ""
    Call SaverIsKestrine
    Pop $0
    ${If} $0 == 0
      !insertmacro UnselectSection ${SecSaver}
    ${EndIf}
  ${EndIf}
FunctionEnd

; The confirm page would name the uninstaller's own folder as the place
; Kestrine is removed from; the programs are in the system folder.
Function un.HideUninstallerFolder
  FindWindow $0 "#32770" "" $HWNDPARENT
  GetDlgItem $1 $0 1029
  ShowWindow $1 ${SW_HIDE}
  GetDlgItem $1 $0 1000
  ShowWindow $1 ${SW_HIDE}
FunctionEnd

Function un.onInit
  !insertmacro REQUIRE_ADMIN
FunctionEnd

Section Uninstall
  Call un.SaverIsKestrine
  Pop $0
  ${If} $0 == 1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  ; A running saver keeps its files until the next restart.
  Delete /REBOOTOK "$SYSDIR\Kestrine.scr"
  Delete /REBOOTOK "$SYSDIR\Kestrine.dll"
  Delete /REBOOTOK "$SYSDIR\Kestrine.data"

  ; The pictures and model the saver stages at every start; the folder goes
  ; only when nothing else is left in it.
  Delete "${STAGING}\Solvane1.bmp"
  Delete "${STAGING}\Solvane2.bmp"
  Delete "${STAGING}\Solvane3.bmp"
  Delete "${STAGING}\Solvane.data"
  RMDir "${STAGING}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ${If} ${RebootFlag}
    DetailPrint "Kestrine is running; its files go when Windows restarts."
  ${EndIf}
  DetailPrint "Each user's music settings (Kestrine.ini) are left in place."
SectionEnd
