#!/usr/bin/env bash
# The silent uninstall, run as Apps & features runs it (its quiet uninstall
# string): the three files, the uninstaller, the uninstall key, the user's
# SCRNSAVE.EXE that names Kestrine and the staged files in C:\tolvin (with the
# folder) are gone; the settings, the user's own and the one beside the
# programs, are still there.
#   install_uninstall.sh SETUP_EXE
. "${KESTRINE_ROOT:?}/tests/wine/install_common.sh" "$@" || exit 1

# save_settings: a user's own settings in their AppData folder, and a machine
# default beside the programs: the files the uninstaller must leave alone.
save_settings() {
    local appdata
    appdata=$(harness_wine_text cmd /c 'echo %APPDATA%')
    user_ini=$(winepath -u "$appdata\\Kestrine\\$SAVER_SETTINGS_FILE" 2>/dev/null)
    [ -n "$user_ini" ] || harness_fail "no AppData folder ('$appdata')"
    mkdir -p "$(dirname "$user_ini")"
    saver_ini_text 1 3 '' > "$IN_WORK/settings.ini"
    cp "$IN_WORK/settings.ini" "$user_ini"
    cp "$IN_WORK/settings.ini" "$IN_SYSTEM/$SAVER_SETTINGS_FILE"
}

in_install "$IN_SETUP"
# The staged files as the saver writes them, and the user's own settings.
"$KESTRINE_ROOT/tools/stage_scene_files.sh" "$IN_DRIVE" > /dev/null || harness_fail "staging failed"
save_settings
# Kestrine as the user's saver, named as Windows may write it: the same file
# in other letter case.
wine reg add "$IN_DESKTOP_KEY" /v SCRNSAVE.EXE /t REG_SZ /d "${IN_SCR^^}" /f > /dev/null 2>&1 < /dev/null

in_uninstall "$IN_UNINSTALL_KEY"

[ ! -e "$IN_DRIVE/Program Files/Kestrine" ] || harness_fail "the uninstaller's folder is still there"
for f in Kestrine.scr Kestrine.dll Kestrine.data; do
    [ ! -e "$IN_SYSTEM/$f" ] || harness_fail "system32\\$f is still there"
done
[ -z "$(in_reg "$IN_UNINSTALL_KEY" DisplayName)" ] || harness_fail "the uninstall key is still there"
! wine uninstaller --list 2>/dev/null < /dev/null | grep -q '|||Kestrine' || harness_fail "Apps & features still lists Kestrine"
[ -z "$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)" ] || harness_fail "SCRNSAVE.EXE still names Kestrine"
[ ! -e "$SAVER_STAGED" ] || harness_fail "$SAVER_STAGING_FOLDER is still there: $(ls "$SAVER_STAGED")"
for ini in "$user_ini" "$IN_SYSTEM/$SAVER_SETTINGS_FILE"; do
    cmp -s "$ini" "$IN_WORK/settings.ini" || harness_fail "the settings $ini are gone or changed"
done
echo "  files, uninstaller, uninstall key, SCRNSAVE.EXE and $SAVER_STAGING_FOLDER are gone; both Kestrine.ini files are there"

# Another saver chosen and a file of the user's own in C:\tolvin: both stay.
in_install "$IN_SETUP"
"$KESTRINE_ROOT/tools/stage_scene_files.sh" "$IN_DRIVE" > /dev/null || harness_fail "staging failed"
echo mine > "$SAVER_STAGED/notes.txt"
other='C:\windows\system32\other.scr'
wine reg add "$IN_DESKTOP_KEY" /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f > /dev/null 2>&1 < /dev/null
in_uninstall "$IN_UNINSTALL_KEY"
[ ! -e "$IN_SYSTEM/Kestrine.scr" ] || harness_fail "the second uninstall left Kestrine.scr"
in_same "$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)" "$other" || harness_fail "the uninstaller removed another saver's SCRNSAVE.EXE"
[ "$(ls "$SAVER_STAGED")" = notes.txt ] || harness_fail "$SAVER_STAGING_FOLDER holds '$(ls "$SAVER_STAGED" | tr '\n' ' ')', not just the user's file"
echo "  another saver chosen stays chosen; $SAVER_STAGING_FOLDER stays with only the user's own file in it"
# C:\tolvin a link to another folder holding files of the staged names: the
# uninstaller deletes nothing behind the link.
in_install "$IN_SETUP"
mkdir -p "$IN_WORK/linked"; echo theirs > "$IN_WORK/linked/$SAVER_LAKE_BED"
rm -rf "$SAVER_STAGED"; ln -s "$IN_WORK/linked" "$SAVER_STAGED"
in_uninstall "$IN_UNINSTALL_KEY"
[ "$(cat "$IN_WORK/linked/$SAVER_LAKE_BED")" = theirs ] || harness_fail "the uninstaller deleted behind the linked $SAVER_STAGING_FOLDER"
rm -rf "$SAVER_STAGED" "$IN_WORK/linked"
echo "  a linked $SAVER_STAGING_FOLDER: the folder it leads to keeps its files"
echo "PASS: the silent uninstall removes what Kestrine put there and leaves the user's own"
