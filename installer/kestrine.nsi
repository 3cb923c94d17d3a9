; Kestrine's setup: a 64-bit install of the screen saver, either for all users
; (into the 64-bit Windows system folder, where every user's screen saver
; settings list it; needs an administrator) or just for the user who runs it
; (into %LOCALAPPDATA%\Programs\Kestrine, no administrator), with an
; uninstaller registered in Apps & features. Built by installer/package.sh:
;   makensis -DVERSION=1.0.0 -DFILES=<folder with the three files> -DOUTFILE=<setup.exe>
;            [-DSIGN_COMMAND=<program that signs the file it is given in place>] kestrine.nsi
; Paths in here are relative to this folder (makensis works from it).
; /S installs silently: for all users when an administrator runs it, else just
; for the user; /S /AllUsers and /S /CurrentUser choose. The screen saver
; option is as its page would start. "Uninstall.exe /S" removes it silently.

!ifndef VERSION | FILES | OUTFILE
  !error "define VERSION, FILES and OUTFILE"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Kestrine"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine"
!define DESKTOP_KEY "Control Panel\Desktop"
!define STAGING "C:\tolvin"
!define SPI_SETSCREENSAVEACTIVE 17
!define FILE_ATTRIBUTE_REPARSE_POINT 0x400
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

; The uninstaller and the setup are signed as they are made.
!ifdef SIGN_COMMAND
  !uninstfinalize '"${SIGN_COMMAND}" "%1"' = 0
  !finalize '"${SIGN_COMMAND}" "%1"' = 0
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} setup"
VIAddVersionKey CompanyName "The ${PRODUCT} project"
VIAddVersionKey LegalCopyright "The ${PRODUCT} project"
VIAddVersionKey OriginalFilename "${PRODUCT}-${VERSION}-setup.exe"

; The manifest asks for the highest level the user has: a standard user
; installs just for themselves without any prompt; an administrator chooses.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_FUNCTION InstallModeChosen
!define MULTIUSER_INIT_FUNCTIONQUIT AdministratorRequired
; The uninstaller knows its install by where it lives (un.onInit).
!define MULTIUSER_NOUNINSTALL
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "Install ${PRODUCT} for every user of this computer, into the Windows system folder, or just for you, into your own programs folder."
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "Install for all users (needs an administrator)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Install just for me"
!include MUI2.nsh
!include MultiUser.nsh
!include LogicLib.nsh
!include x64.nsh

Var ComponentsText  ; the components page's text for the chosen install
Var ProgramsDir     ; where the three files go
Var SaverPath       ; SCRNSAVE.EXE for this install
Var SaverLongPath   ; the installed Kestrine.scr as its long path
Var UnConfirmText

!define MUI_ICON "../assets/dialog.ico"
!define MUI_UNICON "../assets/dialog.ico"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "$ComponentsText"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_UNCONFIRMPAGE_TEXT_TOP "$UnConfirmText"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideUninstallerFolder
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; A 64-bit installer sees the 64-bit system folder and registry already;
; these say so, whatever process runs the script.
!macro NATIVE_VIEW
  SetRegView 64
  ${DisableX64FSRedirection}
!macroend

; Where Windows starts the setup or uninstaller of an all-users install
; without an administrator (UAC switched off, /AllUsers from a standard
; user), the user is told and nothing is done.
!macro ADMINISTRATOR_REQUIRED
  MessageBox MB_ICONSTOP "Installing and removing ${PRODUCT} for all users needs an administrator." /SD IDOK
  SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
  Quit
!macroend

; SaverPathsOf: sets $SaverLongPath to FOLDER\Kestrine.scr and $SaverPath to
; the form Windows' idle timer can start, the path without spaces: the long
; path when it has none, else its short (8.3) form, or "" when the file or a
; short name is missing.
!macro SAVER_PATHS un
  Function ${un}SaverPathsOf
    Exch $0
    Push $1
    StrCpy $SaverLongPath "$0\Kestrine.scr"
    StrCpy $SaverPath $SaverLongPath
    Push $SaverLongPath
    Push " "
    Call ${un}Contains
    Pop $1
    ${If} $1 == 1
      GetFullPathName /SHORT $SaverPath $SaverLongPath
      Push $SaverPath
      Push " "
      Call ${un}Contains
      Pop $1
      ${If} $1 == 1
        StrCpy $SaverPath ""
      ${EndIf}
    ${EndIf}
    Pop $1
    Pop $0
  FunctionEnd

  ; Contains: TEXT PART -> 1 when TEXT holds PART, else 0.
  Function ${un}Contains
    Exch $1 ; part
    Exch
    Exch $0 ; text
    Push $2
    Push $3
    StrLen $3 $1
    ${Do}
      StrCpy $2 $0 $3
      ${If} $2 == $1
        StrCpy $0 1
        ${Break}
      ${ElseIf} $0 == ""
        StrCpy $0 0
        ${Break}
      ${EndIf}
      StrCpy $0 $0 "" 1
    ${Loop}
    Pop $3
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  ; SaverIsKestrine: pushes 1 when the current user's screen saver is this
  ; install's Kestrine.scr, in either form (compared without regard to
  ; case), else 0.
  Function ${un}SaverIsKestrine
    Push $0
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == ""
      StrCpy $0 0
    ${ElseIf} $0 == $SaverLongPath
    ${OrIf} $0 == $SaverPath
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Exch $0
  FunctionEnd
!macroend
!insertmacro SAVER_PATHS ""
!insertmacro SAVER_PATHS "un."

Section "${PRODUCT} screen saver (required)" SecFiles
  SectionIn RO
  SetOverwrite on
  ${If} $MultiUser.InstallMode == "AllUsers"
    ${If} $MultiUser.Privileges != "Admin"
      !insertmacro ADMINISTRATOR_REQUIRED
    ${EndIf}
  ${Else}
    ; Windows starts the saver by a path without spaces: where the folder's
    ; path has one and the volume keeps no short names, stop before
    ; anything is installed.
    CreateDirectory "$INSTDIR"
    Push "$INSTDIR"
    Push " "
    Call Contains
    Pop $1
    ${If} $1 == 1
      GetFullPathName /SHORT $0 "$INSTDIR"
      Push "$0"
      Push " "
      Call Contains
      Pop $1
      ${If} $0 == ""
      ${OrIf} $1 == 1
        RMDir "$INSTDIR"
        MessageBox MB_ICONSTOP "Windows starts a screen saver by a path without spaces, and $INSTDIR has no such form on this computer. Install ${PRODUCT} for all users instead." /SD IDOK
        SetErrorLevel 3
        Quit
      ${EndIf}
    ${EndIf}
  ${EndIf}
  SetOutPath "$ProgramsDir"
  File "${FILES}/Kestrine.scr"
  File "${FILES}/Kestrine.dll"
  File "${FILES}/Kestrine.data"
  Push "$ProgramsDir"
  Call SaverPathsOf

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; SHCTX: HKLM for all users, HKCU just for me.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The ${PRODUCT} project"
  ; The saver's first icon is the settings dialog's.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$SaverLongPath,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecFiles} $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; HKCU here is the account the installer runs as: the user who runs it, or
; under another administrator's elevation that administrator.
Section "Make ${PRODUCT} my screen saver" SecSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SaverPath"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; Tells the running session as well as the registry.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
  DetailPrint "Kestrine is now your screen saver."
SectionEnd

; After MultiUser's own message that this account cannot install for all users.
Function AdministratorRequired
  SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
  Quit
FunctionEnd

; Called whenever the install's kind is set (at start, from /AllUsers or
; /CurrentUser, and on leaving the choice page).
Function InstallModeChosen
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $ProgramsDir "$SYSDIR"
    StrCpy $ComponentsText "${PRODUCT} is installed into the Windows system folder for every user of this computer. Leave the box below ticked to make it your screen saver now."
  ${Else}
    StrCpy $ProgramsDir "$INSTDIR"
    StrCpy $ComponentsText "${PRODUCT} is installed into $INSTDIR for you alone. Leave the box below ticked to make it your screen saver now."
  ${EndIf}
  Push "$ProgramsDir"
  Call SaverPathsOf
  ; An upgrade keeps the user's choice: when this kind of install is there
  ; already and the user's screen saver is another one, the option starts
  ; unticked.
  !insertmacro SelectSection ${SecSaver}
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "UninstallString"
  ${If} $0 != ""
    Call SaverIsKestrine
    Pop $0
    ${If} $0 == 0
      !insertmacro UnselectSection ${SecSaver}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro NATIVE_VIEW
  ; /AllUsers from a standard user: told even in a silent install, which
  ; MultiUser's own message is not.
  UserInfo::GetAccountType
  Pop $0
  ${GetParameters} $1
  ${StrStr} $2 $1 "/AllUsers"
  ${If} $2 != ""
  ${AndIf} $0 != "Admin"
    !insertmacro ADMINISTRATOR_REQUIRED
  ${EndIf}
  !insertmacro MULTIUSER_INIT
FunctionEnd

; The confirm page would name the uninstaller's own folder as the place
; Kestrine is removed from; for all users the programs are in the system
; folder.
Function un.HideUninstallerFolder
  ${If} $ProgramsDir == "$SYSDIR"
    FindWindow $0 "#32770" "" $HWNDPARENT
    GetDlgItem $1 $0 1029
    ShowWindow $1 ${SW_HIDE}
    GetDlgItem $1 $0 1000
    ShowWindow $1 ${SW_HIDE}
  ${EndIf}
FunctionEnd

; The uninstaller of an all-users install lives in the 64-bit program files
; folder and holds no programs beside it; any other one belongs to a
; just-for-me install and never touches the system folder or HKLM.
Function un.onInit
  !insertmacro NATIVE_VIEW
  System::Call 'kernel32::GetLongPathNameW(w "$INSTDIR", w .r0, i ${NSIS_MAX_STRLEN}) i .r1'
  ${If} $1 == 0
    StrCpy $0 "$INSTDIR"
  ${EndIf}
  ${If} $0 == "$PROGRAMFILES64\${PRODUCT}"
  ${AndIfNot} ${FileExists} "$INSTDIR\Kestrine.scr"
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      !insertmacro ADMINISTRATOR_REQUIRED
    ${EndIf}
    SetShellVarContext all
    StrCpy $ProgramsDir "$SYSDIR"
    StrCpy $UnConfirmText "${PRODUCT} will be removed from the Windows system folder, with its pictures in ${STAGING}. Each user's music settings (Kestrine.ini) are left in place."
  ${Else}
    SetShellVarContext current
    StrCpy $ProgramsDir "$INSTDIR"
    StrCpy $UnConfirmText "${PRODUCT} will be removed from your programs folder, with its pictures in ${STAGING}. Your music settings (Kestrine.ini) are left in place."
  ${EndIf}
  Push "$ProgramsDir"
  Call un.SaverPathsOf
FunctionEnd

;  Pushes 1 when the staging folder is a link (removed where the system opens
;  the link itself, else left), 0 when it is a folder or not there. The link
;  is deleted through a handle opened on the link, not on what it leads to:
;  a system that resolves the link on opening (Wine does) would otherwise
;  remove or empty the folder behind it.
Function un.RemoveStagingLink
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $0 0
  System::Call 'kernel32::GetFileAttributesW(w "${STAGING}") i .r1'
  ${If} $1 <> -1
    IntOp $1 $1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
  ${EndIf}
  ${If} $1 <> -1
  ${AndIf} $1 <> 0
    StrCpy $0 1
    ; DELETE | FILE_READ_ATTRIBUTES; every share; OPEN_EXISTING;
    ; FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS.
    System::Call 'kernel32::CreateFileW(w "${STAGING}", i 0x10080, i 7, p 0, i 3, i 0x02200000, p 0) p .r2'
    ${If} $2 P<> -1
      ; BY_HANDLE_FILE_INFORMATION: the attributes come first.
      System::Alloc 52
      Pop $3
      System::Call 'kernel32::GetFileInformationByHandle(p r2, p r3) i .r4'
      System::Call '*$3(i .r1)'
      IntOp $1 $1 & ${FILE_ATTRIBUTE_REPARSE_POINT}
      ${If} $4 <> 0
      ${AndIf} $1 <> 0
        ; FILE_DISPOSITION_INFO { DeleteFile = TRUE } (FileDispositionInfo 4).
        System::Call '*(i 1) p .r4'
        System::Call 'kernel32::SetFileInformationByHandle(p r2, i 4, p r4, i 4)'
        System::Free $4
      ${EndIf}
      System::Free $3
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Push $0
FunctionEnd

Section Uninstall
  Call un.SaverIsKestrine
  Pop $0
  ${If} $0 == 1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}

  ; A running saver keeps its files until the next restart.
  Delete /REBOOTOK "$ProgramsDir\Kestrine.scr"
  Delete /REBOOTOK "$ProgramsDir\Kestrine.dll"
  Delete /REBOOTOK "$ProgramsDir\Kestrine.data"

  ; The pictures and model the saver stages at every start; the folder goes
  ; only when nothing else is left in it. Any user may have made the folder
  ; a link to another one: then only the link goes, nothing behind it.
  Call un.RemoveStagingLink
  Pop $0
  ${If} $0 == 0
    Delete "${STAGING}\Solvane1.bmp"
    Delete "${STAGING}\Solvane2.bmp"
    Delete "${STAGING}\Solvane3.bmp"
    Delete "${STAGING}\Solvane.data"
    RMDir "${STAGING}"
  ${EndIf}

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ${If} ${RebootFlag}
    DetailPrint "Kestrine is running; its files go when Windows restarts."
  ${EndIf}
  DetailPrint "Each user's music settings (Kestrine.ini) are left in place."
SectionEnd
