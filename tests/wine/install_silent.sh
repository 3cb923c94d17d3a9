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

# The installed saver, started as the system starts it.
reference="${KESTRINE_NATIVE_BUILD:?}/tests/scene_probe_colours"
[ -x "$reference" ] || harness_fail "reference program $reference is not built"
rm -rf "$IN_TOLVIN"
harness_start_program saver_pid "$saver" /s
window=$(harness_wait_window "$SAVER_RENDERER_CAPTION" 60) || harness_fail "no lake window from the installed saver"
for f in "$SAVER_LAKE_BED" "$SAVER_BACKDROP" "$SAVER_SPLASH" "$SAVER_STAGED_MODEL"; do
    [ -s "$IN_TOLVIN/$f" ] || harness_fail "the saver did not stage $f"
done
expected=$("$reference" "$IN_TOLVIN")
# lake_shown: a screenshot where every probe of the scene shows what the
# offscreen scene code draws there, in either blend mode (a tolerance for
# ripples and rasteriser rounding); sets shown and probes.
lake_shown() {
    local name x y r1 g1 b1 r2 g2 b2 r g b want wr wg wb
    harness_screenshot "$IN_WORK/lake.png"
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
    done <<< "$expected"
    [ "$probes" -gt 0 ] && [ "$shown" = "$probes" ]
}
harness_until 20 lake_shown
# Xvfb keeps the last picture where a window has gone: the lake's window must
# still be up after its picture is taken.
harness_wait_window "$SAVER_RENDERER_CAPTION" 1 > /dev/null || harness_fail "the lake window went before Escape"
[ "$probes" -gt 0 ] && [ "$shown" = "$probes" ] || {
    cp "$IN_WORK/lake.png" /tmp/kestrine-install-lake.png
    harness_fail "$shown of $probes probes show the lake; the screenshot is /tmp/kestrine-install-lake.png"
}
code=$(harness_escape "$saver_pid" 60 "$window")
[ "$code" = 0 ] || harness_fail "the saver did not end on Escape ($code)"
harness_window_gone "$SAVER_RENDERER_CAPTION" 20 || harness_fail "the lake window stayed after Escape"
echo "  $IN_SCR /s staged its files, showed the lake ($shown of $probes probes) and ended on Escape"
echo "PASS: a silent install puts Kestrine in the system folder, Apps & features and the user's screen saver"
