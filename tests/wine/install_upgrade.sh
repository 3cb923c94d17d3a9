#!/usr/bin/env bash
# Installing over an install upgrades it in place: an older version's files
# are replaced, Apps & features shows one Kestrine of the new version, and the
# user's choice of screen saver is kept (Kestrine stays Kestrine; another
# saver the user chose since stays chosen).
#   install_upgrade.sh SETUP_EXE VERSION
. "${KESTRINE_ROOT:?}/tests/wine/install_common.sh" "$@" || exit 1
version=${2:?version}

# An older release: the same script at version 0.9.0 over files that differ.
mkdir -p "$IN_WORK/old"
cp "$IN_DIST"/* "$IN_WORK/old/"
printf 'an older model' >> "$IN_WORK/old/Kestrine.data"
"$KESTRINE_ROOT/installer/package.sh" 0.9.0 "$IN_WORK/old" "$IN_WORK/out" > /dev/null \
    || harness_fail "cannot build the older installer"
in_install "$IN_WORK/out/Kestrine-0.9.0-setup.exe"
in_check_files "$IN_WORK/old"
[ "$(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)" = 0.9.0 ] || harness_fail "the older version is not registered"

in_install "$IN_SETUP"
in_check_files "$IN_DIST"
[ "$(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)" = "$version" ] || harness_fail "the upgrade left version $(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)"
entries=$(harness_wine_text uninstaller --list | grep -c '|||Kestrine$')
[ "$entries" = 1 ] || harness_fail "Apps & features lists Kestrine $entries times"
saver=$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)
in_same "$saver" "$IN_SCR" || harness_fail "after the upgrade SCRNSAVE.EXE is '$saver'"
echo "  0.9.0 -> $version: files replaced, one entry of version $version, Kestrine still the screen saver"

# The user has since chosen another saver: a silent upgrade leaves it chosen.
other='C:\windows\system32\other.scr'
wine reg add "$IN_DESKTOP_KEY" /v SCRNSAVE.EXE /t REG_SZ /d "$other" /f > /dev/null 2>&1 < /dev/null
in_install "$IN_SETUP"
saver=$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)
in_same "$saver" "$other" || harness_fail "the upgrade replaced the user's screen saver $other with '$saver'"
in_check_files "$IN_DIST"
echo "  upgrade over the same version with another saver chosen: the choice '$saver' stays"
echo "PASS: installing over an install upgrades it in place and keeps the user's choice"
