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
IN_TOLVIN=$SAVER_STAGED
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

# in_install SETUP: runs an installer silently to its end; it must exit 0.
in_install() {
    local pid code
    harness_start_program pid "$1" /S
    code=$(harness_wait_exit "$pid" 180)
    [ "$code" = 0 ] || harness_fail "$(basename "$1") /S ended with $code"
}

# in_check_files FOLDER: the three installed files are FOLDER's, byte for byte.
in_check_files() {
    local f
    for f in Kestrine.scr "$SAVER_RENDERER_PROGRAM" "$SAVER_PROGRAM_MODEL"; do
        cmp -s "$IN_SYSTEM/$f" "$1/$f" || harness_fail "system32\\$f is not the one in $1"
    done
}
