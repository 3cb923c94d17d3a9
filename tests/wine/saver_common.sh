# Sourced, after harness_init, by the wine tests' libraries: what the two
# programs must agree on (tests/saver_contract.txt) as SAVER_<NAME>
# variables, and the settings file as the programs write it.
#   SAVER_STAGED                   the staging folder's Unix path in the prefix
#   saver_ini_text KIND REPEAT FILE  the bytes of a settings file with these values
#   saver_wait_drawn WHAT            waits for the renderer's window to show the lake
harness_load_values "${KESTRINE_ROOT:?}/tests/saver_contract.txt" SAVER
SAVER_STAGED=$(harness_unixpath "$SAVER_STAGING_FOLDER")

saver_ini_text() {
    printf '[%s]\r\n%s=%s\r\n%s=%s\r\n%s=%s\r\n' "$SAVER_SETTINGS_SECTION" "$SAVER_KEY_KIND" "$1" \
        "$SAVER_KEY_REPEAT" "$2" "$SAVER_KEY_FILE" "$3"
}

# saver_drawn: the lake shows: the screen's pixel at 512, 600 (inside the
# renderer's window on every screen the tests use) is neither black nor white.
saver_drawn() {
    local r g b
    harness_screenshot "$KESTRINE_SESSION/drawn.png"
    read -r r g b <<< "$(harness_pixel "$KESTRINE_SESSION/drawn.png" 512 600)"
    [ $((r + g + b)) -gt 30 ] && [ $((r + g + b)) -lt 765 ]
}

saver_wait_drawn() {
    harness_wait_window "$SAVER_RENDERER_CAPTION" 60 > /dev/null ||
        harness_fail "$1: no $SAVER_RENDERER_CAPTION window within 60 s"
    harness_until 30 saver_drawn || harness_fail "$1: the window shows no lake within 30 s"
}
