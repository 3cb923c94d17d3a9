#!/usr/bin/env bash
# The whole saver from the front end: /s stages the scene files (pictures
# equal to the embedded ones, the model byte for byte), starts the renderer
# and keeps its hidden show-mode window; a second start in any mode ends
# at once; Escape ends the renderer and then the front end; killing the
# renderer ends the front end too; the empty command line runs the same; the
# saver runs and stops cleanly with each kind of music configured.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
fe_stage ksaver full
scr='C:\ksaver\Kestrine.scr'
tolvin=$SAVER_STAGED
caption=$SAVER_RENDERER_CAPTION
limit_ms=$((FE_PROMPT_SECONDS * 1000))

renderer_count() { xdotool search --name "^$caption\$" 2>/dev/null | wc -l; }

# start_saver VAR ARGS...: starts the saver and waits for the renderer's window.
start_saver() {
    local var=$1; shift
    harness_start_program "$var" "$scr" "$@"
    harness_wait_window "$caption" 60 > "$FE_WORK/renderer_window" || harness_fail "'$*': no renderer window"
}

# escape_and_wait PID WHAT: presses Escape in the renderer and times the
# front end's end.
escape_and_wait() {
    local t0; t0=$(fe_now_ms)
    FE_CODE=$(harness_escape "$1" 60 "$(cat "$FE_WORK/renderer_window")")
    FE_MS=$(( $(fe_now_ms) - t0 ))
    [ "$FE_CODE" = 0 ] || harness_fail "$2: the front end did not end after Escape ($FE_CODE)"
    [ "$FE_MS" -lt "$limit_ms" ] || harness_fail "$2: the front end took $FE_MS ms to end after Escape"
    harness_window_gone "$caption" 20 || harness_fail "$2: the renderer window stayed"
}

# front_end_follows ACTION CAPTION WHAT: with the saver running, the window
# probe does ACTION to the window CAPTION; the front end then ends at once.
front_end_follows() {
    start_saver saver /s
    fe_probe "$1" "$2"
    [ "$FE_FOUND" = 1 ] || harness_fail "$3: no $2 window"
    fe_wait "$saver" 60
    [ "$FE_CODE" = 0 ] || harness_fail "$3: the front end did not end ($FE_CODE)"
    [ "$FE_MS" -lt "$limit_ms" ] || harness_fail "$3: the front end took $FE_MS ms to end"
}

# --- /s: staging, windows, second starts, Escape.
rm -rf "$tolvin"
start_saver saver /s
for pair in "$SAVER_LAKE_BED lake_bed.jpg 256x256" "$SAVER_BACKDROP backdrop.jpg 1024x256" "$SAVER_SPLASH splash.jpg 64x64"; do
    set -- $pair
    size=$(identify -format '%wx%h' "$tolvin/$1" 2>/dev/null)
    [ "$size" = "$3" ] || harness_fail "$1 is '$size', not $3"
    # The same decoded pixels, up to the rounding of two JPEG decoders.
    differing=$(compare -metric AE -fuzz 3% "$tolvin/$1" "$KESTRINE_ROOT/assets/$2" null: 2>&1)
    [ "$differing" = 0 ] || harness_fail "$1 differs from the embedded $2 in $differing pixels"
done
cmp -s "$tolvin/$SAVER_STAGED_MODEL" "$KESTRINE_ROOT/assets/Kestrine.data" || harness_fail "the staged model is not Kestrine.data"
fe_probe find "$SAVER_SHOW_CAPTION"
[ "$FE_FOUND" = 1 ] && [ "$FE_VISIBLE" = 0 ] || harness_fail "no hidden $SAVER_SHOW_CAPTION window (found $FE_FOUND visible $FE_VISIBLE)"
echo "  /s staged the pictures and the model; renderer window and hidden $SAVER_SHOW_CAPTION are there"

for args in "/s" "/p 1234" "/c" "" "/x"; do
    # shellcheck disable=SC2086
    fe_run 30 "$scr" $args
    [ "$FE_CODE" = 0 ] || harness_fail "a second start '$args' ended with $FE_CODE"
    [ "$FE_MS" -lt "$limit_ms" ] || harness_fail "a second start '$args' took $FE_MS ms"
    [ "$(renderer_count)" = 1 ] || harness_fail "a second start '$args' changed the renderer windows"
    echo "  second start '$args' ended in $FE_MS ms"
done
escape_and_wait "$saver" "/s"
echo "  Escape: the front end ended $FE_MS ms after the key"

# --- The renderer's process killed: the front end follows.
front_end_follows kill "$caption" "the renderer killed"
echo "  renderer killed: the front end ended $FE_MS ms later"

# --- A log-off: the saver window's end-of-session messages run the stop
# sequence and end the front end; the renderer is left to end by itself.
front_end_follows endsession "$SAVER_SHOW_CAPTION" "the end of the session"
[ "$(renderer_count)" = 1 ] || harness_fail "the end of the session took the renderer with it"
xdotool key --window "$(cat "$FE_WORK/renderer_window")" Escape 2>/dev/null
harness_window_gone "$caption" 30 || harness_fail "the renderer did not end on Escape after the front end"
echo "  end of session: the front end ended, the renderer ended on its own Escape"

# --- The empty command line runs the same show mode.
start_saver saver
escape_and_wait "$saver" "empty command line"
echo "  empty command line: ran and ended $FE_MS ms after Escape"

# --- Music: each kind configured, the saver starts, runs a while and stops.
sox -q -n -r 44100 -c 2 -b 16 "$FE_WORK/tone.wav" synth 1.2 sine 440 || harness_fail "sox cannot make a tone"
lame --quiet "$FE_WORK/tone.wav" "$FE_WORK/tone.mp3" || harness_fail "lame cannot make an MP3"
cp "$FE_WORK/tone.wav" "$FE_WORK/tone.ogg"
ini=$FE_DRIVE/ksaver/$SAVER_SETTINGS_FILE
for setting in "2 C:\\kfront\\tone.mp3" "2 C:\\kfront\\tone.wav" "2 C:\\kfront\\tone.ogg" "1 " "0 "; do
    kind=${setting%% *}
    file=${setting#* }
    saver_ini_text "$kind" 0 "$file" > "$ini"
    start_saver saver /s
    # Running: the lake drawn, and an MP3 held open while it plays (its
    # restart after the end is frontend_music's).
    saver_wait_drawn "music kind $kind '$file'"
    case $file in *.mp3) harness_until 30 harness_file_open "$FE_WORK/tone.mp3" || harness_fail "the MP3 is not played" ;; esac
    escape_and_wait "$saver" "music kind $kind '$file'"
    echo "  music kind $kind '$file': ran and stopped cleanly ($FE_MS ms after Escape)"
done
rm -f "$ini"
echo "PASS: show mode stages, runs, yields to nothing, and ends with its renderer"
