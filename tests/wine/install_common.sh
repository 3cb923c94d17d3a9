# Sourced by the installer's wine tests: joins the install tests' own Wine
# session (a prefix made fresh for each test run, so that nothing else has
# written into its system folder or registry) and gives helpers to run the
# setup and the uninstaller and to read the registry.
#   . install_common.sh SETUP_EXE
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
harness_init
IN_SETUP=${1:?setup program}
[ -f "$IN_SETUP" ] || harness_fail "no installer $IN_SETUP (./kestrine build makes it)"
IN_DIST=$KESTRINE_ROOT/dist/Kestrine
IN_DRIVE=$(harness_cdrive)
IN_SYSTEM=$IN_DRIVE/windows/system32
IN_TOLVIN=$IN_DRIVE/tolvin
IN_UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine'
IN_DESKTOP_KEY='HKCU\Control Panel\Desktop'
IN_SCR='C:\windows\system32\Kestrine.scr'
IN_WORK=$(mktemp -d /tmp/kestrine-install.XXXXXX)
trap 'rm -rf "$IN_WORK"; harness_cleanup' EXIT

# in_reg KEY NAME: prints the value's data (DWORDs as 0x...), or nothing when
# there is no such value.
in_reg() {
    wine reg query "$1" /v "$2" 2>/dev/null < /dev/null | tr -d '\r' \
        | awk -F '    ' -v name="$2" 'tolower($2) == tolower(name) { print $4 }'
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
    for f in Kestrine.scr Kestrine.dll Kestrine.data; do
        cmp -s "$IN_SYSTEM/$f" "$1/$f" || harness_fail "system32\\$f is not the one in $1"
    done
}

# in_run_saver SAVER [MP3]: starts the installed saver as the system starts
# it (SAVER /s): it stages its files, shows the lake and ends on Escape; with
# MP3 (a Linux path), it also plays that file while it runs.
in_run_saver() {
    local reference="${KESTRINE_NATIVE_BUILD:?}/tests/scene_probe_colours" saver_pid window shown=0 probes=0 code
    [ -x "$reference" ] || harness_fail "reference program $reference is not built"
    rm -rf "$IN_TOLVIN"
    harness_start_program saver_pid "$1" /s
    window=$(harness_wait_window Solvane_VC 60) || harness_fail "no lake window from $1"
    for f in Solvane1.bmp Solvane2.bmp Solvane3.bmp Solvane.data; do
        [ -s "$IN_TOLVIN/$f" ] || harness_fail "the saver did not stage $f"
    done
    # The saver holds the music file open while it plays.
    local music=${2:-}
    for _ in $(seq 1 300); do
        [ -z "$music" ] || [ -n "$(find /proc/[0-9]*/fd -lname "$(realpath "$2")" 2>/dev/null)" ] && music= && break
        sleep 0.1
    done
    [ -z "$music" ] || harness_fail "$1 /s does not play $2"
    sleep 3
    harness_screenshot "$IN_WORK/lake.png"
    # Xvfb keeps the last picture where a window has gone: the lake's window
    # must still be up when its picture is taken.
    harness_wait_window Solvane_VC 1 > /dev/null || harness_fail "the lake window went before Escape"
    # Every probe of the scene shows what the offscreen scene code draws
    # there, in either blend mode (a tolerance for ripples and rasteriser
    # rounding).
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
    echo "  $1 /s staged its files, showed the lake ($shown of $probes probes)${2:+, played the music} and ended on Escape"
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
    # The uninstaller runs on from a copy of itself, so that it can remove its
    # own folder: wait for it to go, and its folder when nothing else is there.
    for _ in $(seq 1 600); do
        [ ! -e "$uninstaller" ] && { [ ! -e "${uninstaller%/*}" ] || [ -n "$(ls -A "${uninstaller%/*}")" ]; } && return 0
        sleep 0.2
    done
    harness_fail "$program or its empty folder is still there after 120 s"
}

# in_version_values FILE: the version resource's values and string 1 of a
# Windows file (a Linux path), as "Name value" lines.
in_version_values() {
    local pid w; rm -f "$IN_WORK/version.txt"
    w=$(winepath -w "$IN_WORK")
    harness_start_program pid "${KESTRINE_WIN_BUILD:?}/tests/win/frontend_manifest_reader.exe" "$(winepath -w "$1")" \
        "$w\\manifest.xml" "$w\\version.txt"
    harness_wait_exit "$pid" 60 > /dev/null
    tr -d '\r' < "$IN_WORK/version.txt"
}
