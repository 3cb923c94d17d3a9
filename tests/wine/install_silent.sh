#!/usr/bin/env bash
# A silent install into a fresh prefix: the three files land in the 64-bit
# system folder, Apps & features lists Kestrine with its values, the user's
# screen saver is Kestrine and switched on, and the installed saver started
# from the system folder stages its files, shows the lake and ends on Escape.
#   install_silent.sh SETUP_EXE VERSION
. "${KESTRINE_ROOT:?}/tests/wine/install_common.sh" "$@" || exit 1
version=${2:?version}

[ ! -e "$IN_SYSTEM/Kestrine.scr" ] && [ -z "$(in_reg "$IN_UNINSTALL_KEY" DisplayName)" ] \
    || harness_fail "the prefix is not fresh: Kestrine is installed already"
in_install "$IN_SETUP"
in_check_files "$IN_DIST"
echo "  the three files are in system32"

# The uninstall entry, value by value.
uninstaller='C:\Program Files\Kestrine\Uninstall.exe'
size_kb=$(( ($(cat "$IN_DIST"/Kestrine.{scr,dll,data} | wc -c) + 1023) / 1024 ))
while IFS='|' read -r name expected; do
    actual=$(in_reg "$IN_UNINSTALL_KEY" "$name")
    in_same "$actual" "$expected" || harness_fail "uninstall key: $name is '$actual', not '$expected'"
done <<EXPECTED
DisplayName|Kestrine
DisplayVersion|$version
Publisher|The Kestrine project
DisplayIcon|$IN_SCR,0
UninstallString|"$uninstaller"
QuietUninstallString|"$uninstaller" /S
NoModify|0x1
NoRepair|0x1
EXPECTED
estimated=$(( $(in_reg "$IN_UNINSTALL_KEY" EstimatedSize) ))
[ "$(( estimated - size_kb ))" -ge -2 ] && [ "$(( estimated - size_kb ))" -le 2 ] \
    || harness_fail "EstimatedSize is $estimated KB; the files take $size_kb KB"
[ -f "$(winepath -u "$uninstaller")" ] || harness_fail "no uninstaller at $uninstaller"
harness_wine_text uninstaller --list | grep -qx 'Kestrine|||Kestrine' \
    || harness_fail "the system's list of programs has no Kestrine"
echo "  Apps & features lists Kestrine $version ($estimated KB) with both uninstall strings"

saver=$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)
in_same "$saver" "$IN_SCR" || harness_fail "SCRNSAVE.EXE is '$saver', not $IN_SCR"
[ "$(in_reg "$IN_DESKTOP_KEY" ScreenSaveActive)" = 1 ] || harness_fail "the screen saver is not switched on"
echo "  the user's screen saver is $saver, switched on"

in_run_saver "$saver"
echo "PASS: a silent install puts Kestrine in the system folder, Apps & features and the user's screen saver"
