#!/usr/bin/env bash
# Start-up of Kestrine.scr: command lines that end at once, the yield to a
# running copy in every mode, and the staging folder made by /c and by the
# empty command line.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
. "$KESTRINE_ROOT/tests/wine/failure_log_lib.sh"
fe_stage kstart
scr='C:\kstart\Kestrine.scr'
tolvin=$SAVER_STAGED

# Other letters, and a lone "s" (no mode letter), end at once, after the
# staging folder and the settings.
for args in "/x" "s" "/a"; do
    rm -rf "$tolvin"
    # shellcheck disable=SC2086
    fe_run 30 "$scr" $args
    [ "$FE_CODE" = 0 ] || harness_fail "'$args' ended with $FE_CODE"
    [ "$FE_MS" -lt $((FE_PROMPT_SECONDS * 1000)) ] || harness_fail "'$args' took $FE_MS ms"
    [ -d "$tolvin" ] || harness_fail "'$args' did not make $SAVER_STAGING_FOLDER first"
    echo "  '$args' ended in $FE_MS ms"
done

# A running copy: every mode ends at once, before making the staging folder.
for caption in "$SAVER_SHOW_CAPTION" "$SAVER_DIALOG_CAPTION"; do
    rm -f "$FE_WORK/handle.txt"
    harness_start_program maker "$FE_TESTS/frontend_window_maker.exe" "$caption" hidden 'C:\kfront\handle.txt'
    harness_until 30 grep -q '^failures' "$FE_WORK/handle.txt" 2>/dev/null
    harness_unix_lines "$FE_WORK/handle.txt"
    handle=$(harness_report_value "$FE_WORK/handle.txt" handle)
    [ -n "$handle" ] || harness_fail "the window maker did not start"
    for args in "/s" "/p $handle" "/c" "" "/x" "-S"; do
        rm -rf "$tolvin"
        # shellcheck disable=SC2086
        fe_run 30 "$scr" $args
        [ "$FE_CODE" = 0 ] || harness_fail "'$args' beside '$caption' ended with $FE_CODE"
        [ "$FE_MS" -lt $((FE_PROMPT_SECONDS * 1000)) ] || harness_fail "'$args' beside '$caption' took $FE_MS ms"
        [ ! -d "$tolvin" ] || harness_fail "'$args' beside '$caption' went on to make $SAVER_STAGING_FOLDER"
        echo "  '$args' beside '$caption' ended in $FE_MS ms"
    done
    fe_stop "$maker"
done

# /c makes the folder and reads the settings before showing the dialog; the
# program ends when the dialog closes.
rm -rf "$tolvin"
harness_start_program cpid "$scr" /c
harness_wait_window "$SAVER_DIALOG_CAPTION" 30 > /dev/null || harness_fail "/c showed no settings dialog"
[ -d "$tolvin" ] || harness_fail "/c did not make $SAVER_STAGING_FOLDER"
fe_probe close "$SAVER_DIALOG_CAPTION"
fe_wait "$cpid" 30
[ "$FE_CODE" = 0 ] || harness_fail "/c did not end after its dialog closed ($FE_CODE)"
echo "  /c made $SAVER_STAGING_FOLDER, showed the dialog and ended $FE_MS ms after it closed"

# The empty command line runs show mode: it stages the scene files; with no
# renderer beside it, show mode ends at once.
rm -rf "$tolvin"
clear_failure_log
fe_run 30 "$scr"
[ "$FE_CODE" = 0 ] || harness_fail "the empty command line ended with $FE_CODE"
[ "$FE_MS" -lt $((FE_PROMPT_SECONDS * 1000)) ] || harness_fail "show mode without a renderer took $FE_MS ms"
for f in "$SAVER_LAKE_BED" "$SAVER_BACKDROP" "$SAVER_SPLASH"; do
    [ -s "$tolvin/$f" ] || harness_fail "the empty command line did not stage $f"
done
echo "  the empty command line staged the pictures and, with no renderer, ended in $FE_MS ms"
expect_logged "no renderer" Kestrine.scr 'the renderer C:\kstart\Kestrine.dll cannot be started: '
echo "PASS: start-up modes, single instance and staging folder"
