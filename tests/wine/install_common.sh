# Sourced by the installer's wine tests: joins the install tests' own Wine
# session (a prefix made fresh for each test run, so that nothing else has
# written into its system folder or registry) and gives helpers to run the
# setup and the uninstaller and to read the registry.
#   . install_common.sh SETUP_EXE
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
harness_init
. "$KESTRINE_ROOT/tests/wine/saver_common.sh"
IN_SETUP=${1:?setup program}
[ -f "$IN_SETUP" ] || harness_fail "no installer $IN_SETUP (./kestrine build makes it)"
IN_DIST=$KESTRINE_ROOT/dist/Kestrine
IN_DRIVE=$(harness_cdrive)
IN_SYSTEM=$IN_DRIVE/windows/system32
IN_UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine'
IN_DESKTOP_KEY='HKCU\Control Panel\Desktop'
IN_SCR='C:\windows\system32\Kestrine.scr'
IN_WORK=$(mktemp -d /tmp/kestrine-install.XXXXXX)
trap 'rm -rf "$IN_WORK"; harness_cleanup' EXIT

# in_reg KEY NAME: prints the value's data (DWORDs as 0x...), or nothing when
# there is no such value.
in_reg() {
    harness_wine_text reg query "$1" /v "$2" | awk -F '    ' -v name="$2" 'tolower($2) == tolower(name) { print $4 }'
}

# in_same A B: the two texts are equal, ignoring case (Windows paths).
in_same() { [ "${1,,}" = "${2,,}" ]; }

# in_install SETUP [SWITCH...]: runs an installer silently to its end (exit 0).
in_install() {
    local pid code
    harness_start_program pid "$1" /S "${@:2}"
    code=$(harness_wait_exit "$pid" 180)
    [ "$code" = 0 ] || harness_fail "$(basename "$1") /S ${*:2} ended with $code"
}

# in_check_files FOLDER: the three installed files are FOLDER's, byte for byte.
in_check_files() {
    local f
    for f in Kestrine.scr "$SAVER_RENDERER_PROGRAM" "$SAVER_PROGRAM_MODEL"; do
        cmp -s "$IN_SYSTEM/$f" "$1/$f" || harness_fail "system32\\$f is not the one in $1"
    done
}

# in_run_saver SAVER [MP3]: starts the installed saver as the system starts
# it (SAVER /s): it stages its files, shows the lake and ends on Escape; with
# MP3 (a Linux path), it also plays that file while it runs.
in_run_saver() {
    local reference="${KESTRINE_NATIVE_BUILD:?}/tests/scene_probe_colours" saver_pid window shown=0 probes=0 code f
    [ -x "$reference" ] || harness_fail "reference program $reference is not built"
    rm -rf "$SAVER_STAGED"
    harness_start_program saver_pid "$1" /s
    window=$(harness_wait_window "$SAVER_RENDERER_CAPTION" 60) || harness_fail "no lake window from $1"
    for f in "$SAVER_LAKE_BED" "$SAVER_BACKDROP" "$SAVER_SPLASH" "$SAVER_STAGED_MODEL"; do
        [ -s "$SAVER_STAGED/$f" ] || harness_fail "the saver did not stage $f"
    done
    # The saver holds the music file open while it plays.
    [ -z "${2:-}" ] || harness_until 30 harness_file_open "$2" || harness_fail "$1 /s does not play $2"
    IN_EXPECTED=$("$reference" "$SAVER_STAGED")
    harness_until 20 in_lake_shown
    # Xvfb keeps the last picture where a window has gone: the lake's window
    # must still be up after its picture is taken.
    harness_wait_window "$SAVER_RENDERER_CAPTION" 1 > /dev/null || harness_fail "the lake window went before Escape"
    [ "$probes" -gt 0 ] && [ "$shown" = "$probes" ] || {
        cp "$IN_WORK/lake.png" /tmp/kestrine-install-lake.png
        harness_fail "$shown of $probes probes show the lake; the screenshot is /tmp/kestrine-install-lake.png"
    }
    code=$(harness_escape "$saver_pid" 60 "$window")
    [ "$code" = 0 ] || harness_fail "the saver did not end on Escape ($code)"
    harness_window_gone "$SAVER_RENDERER_CAPTION" 20 || harness_fail "the lake window stayed after Escape"
    echo "  $1 /s staged its files, showed the lake ($shown of $probes probes)${2:+, played the music} and ended on Escape"
}

# in_lake_shown: a screenshot where every probe of the scene (IN_EXPECTED)
# shows what the offscreen scene code draws there, in either blend mode (a
# tolerance for ripples and rasteriser rounding); sets shown and probes.
in_lake_shown() {
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
    done <<< "$IN_EXPECTED"
    [ "$probes" -gt 0 ] && [ "$shown" = "$probes" ]
}

# in_uninstall KEY: runs the quiet uninstall string of the uninstall key KEY
# as Apps & features does, to the end of its work.
in_uninstall() {
    local quiet program arguments uninstaller pid code
    quiet=$(in_reg "$1" QuietUninstallString)
    program=$(sed -n 's/^"\([^"]*\)".*/\1/p' <<< "$quiet")
    arguments=$(sed -n 's/^"[^"]*" *//p' <<< "$quiet")
    [ -n "$program" ] && [ "$arguments" = /S ] || harness_fail "cannot run the quiet uninstall string '$quiet'"
    uninstaller=$(winepath -u "$program")
    [ -f "$uninstaller" ] || harness_fail "no uninstaller at $program"
    harness_start_program pid "$program" /S
    code=$(harness_wait_exit "$pid" 120)
    [ "$code" = 0 ] || harness_fail "the uninstaller ended with $code"
    # The uninstaller runs on from a copy of itself in the temporary folder,
    # so that it can remove its own folder: wait for it to go, its folder when
    # nothing else is there, and the copy to end (a next uninstaller copies
    # itself there too).
    in_uninstaller_gone() {
        [ ! -e "$uninstaller" ] && { [ ! -e "${uninstaller%/*}" ] || [ -n "$(ls -A "${uninstaller%/*}")" ]; } &&
            ! pgrep -f '~nsu[^ ]*\.tmp.Un\.exe' > /dev/null
    }
    harness_until 120 in_uninstaller_gone || harness_fail "$program or its empty folder is still there after 120 s"
}

# in_version_values FILE: the version resource's values and string 1 of a
# Windows file (a Linux path), as "Name value" lines.
in_version_values() {
    local w; w=$(winepath -w "$IN_WORK")
    harness_run_probe 60 "$IN_WORK/version.txt" "${KESTRINE_WIN_BUILD:?}/tests/win/frontend_manifest_reader.exe" \
        "$(winepath -w "$1")" "$w\\manifest.xml" "$w\\version.txt"
    cat "$IN_WORK/version.txt"
}
