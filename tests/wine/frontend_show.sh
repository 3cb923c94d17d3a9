#!/usr/bin/env bash
# The whole saver from the front end: /s stages the scene files (pictures
# equal to the embedded ones, the model byte for byte), starts the renderer
# and keeps its hidden show-mode window; a second start in any mode ends
# at once; Escape ends the renderer and then the front end; killing the
# renderer ends the front end too; the empty command line runs the same; the
# saver runs and stops cleanly with each kind of music configured. A clean
# run leaves no failure log; a C:\tolvin that is a file, missing music and a
# crash of the renderer leave their lines (and the crash a minidump), and the
# whole saver still ends.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
. "$KESTRINE_ROOT/tests/wine/failure_log_lib.sh"
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
clear_failure_log
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
[ ! -e "$failure_log" ] || harness_fail "a clean run wrote a failure log: $(cat "$failure_log")"

# --- C:\tolvin is a file: nothing can be staged, the renderer finds no model,
# and the saver ends having shown nothing; the log tells why.
rm -rf "$tolvin"; echo in the way > "$tolvin"
fe_run 60 "$scr" /s
[ "$FE_CODE" = 0 ] || harness_fail "C:\tolvin as a file: the front end ended with $FE_CODE"
staged=$SAVER_STAGING_FOLDER
expect_logged "$staged as a file" Kestrine.scr "the staging folder $staged cannot be made: "
expect_logged "$staged as a file" Kestrine.scr "staged picture $staged\\$SAVER_LAKE_BED cannot be written: "
expect_logged "$staged as a file" Kestrine.scr "copying C:\\ksaver\\$SAVER_PROGRAM_MODEL to $staged\\$SAVER_STAGED_MODEL failed: "
expect_logged "$staged as a file" "$SAVER_RENDERER_PROGRAM" "model $staged\\$SAVER_STAGED_MODEL cannot be read: "
expect_logged "$staged as a file" Kestrine.scr "the renderer's window never appeared; show mode ends"
rm -f "$tolvin"

# --- A crash of the renderer (a thread started in it at address 0): the
# display mode comes back, the log names the exception, a minidump joins the
# newest ones kept, and the front end ends as usual. The log is at its size
# limit beforehand, so this line starts a new one.
clear_failure_log
mkdir -p "$kestrine_local/crashes"
yes '2020-01-01T00:00:00 Kestrine.scr 1 an older line' | head -c 262144 > "$failure_log"
cp "$failure_log" "$FE_WORK/full.log"
for day in 01 02 03 04 05; do
    touch -d "2020-01-$day" "$kestrine_local/crashes/Kestrine.dll-202001${day}-000000-1.dmp"
done
rprobe() {
    harness_run_probe 60 "$FE_WORK/rprobe.txt" "$KESTRINE_WIN_BUILD/tests/win/renderer_probe.exe" 'C:\kfront\rprobe.txt' "$@"
    [ "$HARNESS_CODE" = 0 ]
}
display_mode() { rprobe mode; harness_report_value "$FE_WORK/rprobe.txt" mode; }
mode_before=$(display_mode)
start_saver saver /s
rprobe fault || harness_fail "the probe could not start a thread in the renderer: $(paste -sd " " "$FE_WORK/rprobe.txt" 2>&1) (exit $HARNESS_CODE)"
fe_wait "$saver" 60
[ "$FE_CODE" = 0 ] || harness_fail "after the renderer's crash the front end ended with $FE_CODE"
[ "$(display_mode)" = "$mode_before" ] || harness_fail "after the crash the display mode is not $mode_before"
expect_logged "crash" "$SAVER_RENDERER_PROGRAM" 'unhandled exception c0000005 at 0x0 (in no module)'
cmp -s "$FE_WORK/full.log" "$failure_log.1" || harness_fail "the full log was not kept as Kestrine.log.1"
[ "$(grep -c 'an older line' "$failure_log")" = 0 ] || harness_fail "the new log holds the older lines"
dumps=$(ls "$kestrine_local/crashes")
[ "$(echo "$dumps" | wc -l)" = 5 ] && ! echo "$dumps" | grep -q 20200101 ||
    harness_fail "the crashes folder does not hold the newest five dumps: $dumps"
dump=$(ls "$kestrine_local/crashes"/Kestrine.dll-*-*-*.dmp | grep -v '/Kestrine.dll-2020')
[ "$(head -c 4 "$dump")" = MDMP ] || harness_fail "no minidump for the crash among: $dumps"
echo "  crash: the front end ended $FE_MS ms after the fault; $(basename "$dump") is $(stat -c %s "$dump") bytes"

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
clear_failure_log
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
expect_logged "no CD drive" Kestrine.scr 'MCI "open cdaudio" failed with '

# --- A music file that is gone: the saver runs without music, and says so.
saver_ini_text 2 0 'C:\kfront\gone.mp3' > "$ini"
start_saver saver /s
escape_and_wait "$saver" "a missing MP3"
expect_logged "missing MP3" Kestrine.scr 'the music file C:\kfront\gone.mp3 cannot be opened; no music plays'
rm -f "$ini"
echo "PASS: show mode stages, runs, yields to nothing, and ends with its renderer"
