#!/usr/bin/env bash
# The music player over the real winmm under Wine's null audio device: an MP3
# made here plays as MP3Play, is restarted by the poll after its end and
# stops; CD polling with no drive ends at the first poll; a short WAV keeps
# looping through PlaySoundA until it is stopped.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
work=$FE_DRIVE/kmusic
rm -rf "$work"; mkdir -p "$work/with blank"
sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 1.5 sine 440 || harness_fail "sox cannot make a tone"
lame --quiet "$work/tone.wav" "$work/with blank/tone.mp3" || harness_fail "lame cannot make an MP3"
sox -q -n -r 22050 -c 1 -b 16 "$work/short.wav" synth 0.3 sine 660 || harness_fail "sox cannot make a WAV"
sox -q -n -r 22050 -c 1 -b 16 "$work/probe.wav" synth 0.2 sine 880 || harness_fail "sox cannot make a WAV"
program=$FE_TESTS/frontend_mci.exe

run_scenario() {
    local name=$1; shift
    fe_report 90 "$work/$name.txt" "$name" "$program" "C:\\kmusic\\$name.txt" "$@"
    [ "$FE_CODE" = 0 ] || harness_fail "$name scenario ended with $FE_CODE"
}

run_scenario mp3 mp3 'C:\kmusic\with blank\tone.mp3'
run_scenario cd cd
grep -q '^current_track Error:' "$work/cd.txt" || harness_fail "the CD query did not fail as Error:<code>"
run_scenario wav wav 'C:\kmusic\short.wav' 'C:\kmusic\probe.wav'
echo "PASS: MP3 plays, restarts and stops; CD polling ends without a drive; WAV loops and stops"
