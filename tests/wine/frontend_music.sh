#!/usr/bin/env bash
# The music player over the real winmm under Wine's null audio device: an MP3
# made here plays as MP3Play, is restarted by the poll after its end and
# stops; CD polling with no drive ends at the first poll; a short WAV keeps
# looping through PlaySoundA until it is stopped.
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
harness_init
work=$(harness_cdrive)/kmusic
[ -d "$(harness_cdrive)" ] || harness_fail "no Wine drive"
rm -rf "$work"; mkdir -p "$work/with blank"
sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 1.5 sine 440 || harness_fail "sox cannot make a tone"
lame --quiet "$work/tone.wav" "$work/with blank/tone.mp3" || harness_fail "lame cannot make an MP3"
sox -q -n -r 22050 -c 1 -b 16 "$work/short.wav" synth 0.3 sine 660 || harness_fail "sox cannot make a WAV"
sox -q -n -r 22050 -c 1 -b 16 "$work/probe.wav" synth 0.2 sine 880 || harness_fail "sox cannot make a WAV"
program=$KESTRINE_WIN_BUILD/tests/win/frontend_mci.exe

run_scenario() {
    local name=$1; shift
    local mcipid
    harness_start_program mcipid "$program" "C:\\kmusic\\$name.txt" "$@"
    harness_wait_exit "$mcipid" 90 > "$work/$name.code"
    local code; code=$(cat "$work/$name.code")
    tr -d '\r' < "$work/$name.txt" > "$work/$name.log" 2>/dev/null
    cat "$work/$name.log" 2>/dev/null | sed "s/^/  $name: /"
    [ "$code" = 0 ] || harness_fail "$name scenario ended with $code"
}

run_scenario mp3 mp3 'C:\kmusic\with blank\tone.mp3'
run_scenario cd cd
grep -q '^current_track Error:' "$work/cd.log" || harness_fail "the CD query did not fail as Error:<code>"
run_scenario wav wav 'C:\kmusic\short.wav' 'C:\kmusic\probe.wav'
echo "PASS: MP3 plays, restarts and stops; CD polling ends without a drive; WAV loops and stops"
