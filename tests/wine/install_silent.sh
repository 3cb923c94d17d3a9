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
wine uninstaller --list 2>/dev/null < /dev/null | tr -d '\r' | grep -qx 'Kestrine|||Kestrine' \
    || harness_fail "the system's list of programs has no Kestrine"
echo "  Apps & features lists Kestrine $version ($estimated KB) with both uninstall strings"

saver=$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)
in_same "$saver" "$IN_SCR" || harness_fail "SCRNSAVE.EXE is '$saver', not $IN_SCR"
[ "$(in_reg "$IN_DESKTOP_KEY" ScreenSaveActive)" = 1 ] || harness_fail "the screen saver is not switched on"
echo "  the user's screen saver is $saver, switched on"

# The installed saver, started as the system starts it.
reference="${KESTRINE_NATIVE_BUILD:?}/tests/scene_probe_colours"
[ -x "$reference" ] || harness_fail "reference program $reference is not built"
rm -rf "$IN_TOLVIN"
harness_start_program saver_pid "$saver" /s
window=$(harness_wait_window Solvane_VC 60) || harness_fail "no lake window from the installed saver"
for f in Solvane1.bmp Solvane2.bmp Solvane3.bmp Solvane.data; do
    [ -s "$IN_TOLVIN/$f" ] || harness_fail "the saver did not stage $f"
done
sleep 3
harness_screenshot "$IN_WORK/lake.png"
# Xvfb keeps the last picture where a window has gone: the lake's window must
# still be up when its picture is taken.
harness_wait_window Solvane_VC 1 > /dev/null || harness_fail "the lake window went before Escape"
# Every probe of the scene shows what the offscreen scene code draws there, in
# either blend mode (a tolerance for ripples and rasteriser rounding).
shown=0 probes=0
while read -r name x y r1 g1 b1 r2 g2 b2; do
    read -r r g b <<< "$(harness_pixel "$IN_WORK/lake.png" "$x" "$y")"
    probes=$((probes + 1))
    for want in "$r1 $g1 $b1" "$r2 $g2 $b2"; do
        read -r wr wg wb <<< "$want"
        if [ $(( (r - wr) * (r - wr) + (g - wg) * (g - wg) + (b - wb) * (b - wb) )) -le $((3 * 24 * 24)) ]; then
            shown=$((shown + 1)); break
        fi
    done
done < <("$reference" "$IN_TOLVIN")
[ "$probes" -gt 0 ] && [ "$shown" = "$probes" ] || {
    cp "$IN_WORK/lake.png" /tmp/kestrine-install-lake.png
    harness_fail "$shown of $probes probes show the lake; the screenshot is /tmp/kestrine-install-lake.png"
}
xdotool key --window "$window" Escape 2>/dev/null
code=$(harness_wait_exit "$saver_pid" 60)
[ "$code" = 0 ] || harness_fail "the saver did not end on Escape ($code)"
harness_window_gone Solvane_VC 20 || harness_fail "the lake window stayed after Escape"
echo "  $IN_SCR /s staged its files, showed the lake ($shown of $probes probes) and ended on Escape"
echo "PASS: a silent install puts Kestrine in the system folder, Apps & features and the user's screen saver"
