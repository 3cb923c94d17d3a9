#!/usr/bin/env bash
# Preview mode: inside a host's framed preview window the preview becomes its
# child and covers its 152 x 112 client area exactly; destroying the host's
# window ends the preview; a bogus handle and a missing one end at once with
# no window.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
fe_stage kpreview
scr='C:\kpreview\Kestrine.scr'
tolvin=$SAVER_STAGED
limit_ms=$((FE_PROMPT_SECONDS * 1000))

fe_report 90 "$FE_WORK/host.txt" host "$FE_TESTS/frontend_preview_host.exe" "$scr" 'C:\kfront\host.txt'
[ "$FE_CODE" = 0 ] || harness_fail "the preview host's checks failed ($FE_CODE)"
grep -qx 'rect 0 0 152 112' "$FE_WORK/host.txt" ||
    harness_fail "the preview does not cover the 152 x 112 client area at 0, 0"
# The host waits up to 10 s for the end and fails its "ended" check beyond.
ended=$(harness_report_value "$FE_WORK/host.txt" ended_ms)
echo "  the preview ended $ended ms after its host window went"

# The preview reads no settings and makes no folder.
rm -rf "$tolvin"
for args in "/p 2147483632" "/p" "/p junk" "/p:0"; do
    # shellcheck disable=SC2086
    fe_run 30 "$scr" $args
    [ "$FE_CODE" = 0 ] || harness_fail "'$args' ended with $FE_CODE"
    [ "$FE_MS" -lt "$limit_ms" ] || harness_fail "'$args' took $FE_MS ms"
    [ ! -d "$tolvin" ] || harness_fail "'$args' made $SAVER_STAGING_FOLDER"
    echo "  '$args' ended in $FE_MS ms"
done
echo "PASS: the preview fills its host's window, ends with it, and refuses bogus handles"

# The picture itself, in-process: the preview form hosted by a test program
# shows the embedded thumbnail over the whole 152 x 112 window.
rm -f "$FE_WORK/preview.bmp"
fe_report 60 "$FE_WORK/picture.txt" picture "$FE_TESTS/frontend_preview_picture.exe" 'C:\kfront\picture.txt' \
    'C:\kfront\preview.bmp'
[ "$FE_CODE" = 0 ] || harness_fail "the in-process preview checks failed ($FE_CODE)"
differing=$(compare -metric AE -fuzz 3% "$FE_WORK/preview.bmp" "$KESTRINE_ROOT/assets/preview.jpg" null: 2>&1)
[ "$differing" = 0 ] || harness_fail "the preview shows $differing pixels unlike the embedded thumbnail"
echo "  the preview shows the embedded thumbnail"
echo "PASS: the preview picture"
