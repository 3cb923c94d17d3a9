#!/usr/bin/env bash
# Runs the saver under Wine, as `./kestrine run` does after the build.
#   - With dist/Kestrine/Kestrine.scr: copies dist/Kestrine to C:\Kestrine in
#     the prefix and runs "Kestrine.scr /s" from there, as the system would.
#     Without it: stages the scene files into the staging folder and runs
#     Kestrine.dll.
#   - With $DISPLAY set: runs on that display until the saver ends (Escape).
#     Without: a private Xvfb session; once the renderer's window has shown
#     its first frames it takes a screenshot (out/run-start.png), another
#     after four more of Wine's frame-rate reports (out/run-later.png), then
#     presses Escape and ends everything it started, by process id.
# The Wine prefix and HOME are private, under build/run-session.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck disable=SC1091
. "$root/tools/saver_contract.sh"
win_build=${KESTRINE_WIN_BUILD:-$root/build/win}
dist=${KESTRINE_DIST:-$root/dist/Kestrine}
session=${KESTRINE_RUN_SESSION:-$root/build/run-session}
out=${KESTRINE_RUN_OUT:-$root/out}
mkdir -p "$session"
session=$(cd "$session" && pwd)

# Sets program (what wine runs), program_args and program_dir.
prepare_program() {
    local drive_c=$WINEPREFIX/drive_c
    if [ -f "$dist/Kestrine.scr" ]; then
        rm -rf "$drive_c/Kestrine"
        cp -r "$dist" "$drive_c/Kestrine"
        program_dir=$drive_c/Kestrine
        program=Kestrine.scr
        program_args=(/s)
    else
        [ -f "$win_build/renderer/Kestrine.dll" ] || { echo "no $win_build/renderer/Kestrine.dll: build first" >&2; return 1; }
        "$root/tools/stage_scene_files.sh" "$drive_c" || return 1
        program_dir=$win_build/renderer
        program=Kestrine.dll
        program_args=()
    fi
    echo "== running $program${program_args[*]:+ ${program_args[*]}} from $program_dir"
}

run_on_user_display() {
    "$root/tools/wine_session.sh" prefix "$session" || { echo "cannot make the Wine prefix" >&2; return 1; }
    # shellcheck disable=SC1091
    . "$session/env"
    prepare_program || return 1
    (cd "$program_dir" && wine "$program" "${program_args[@]}")
    local code=$?
    echo "== ended with exit code $code"
    wineserver -w
    return $code
}

# reports_at_least N: Wine has traced N frame-rate reports of the renderer.
reports_at_least() { [ "$(grep -c 'fps:wglSwapBuffers' "$session/fps.log" 2>/dev/null)" -ge "$1" ]; }

run_on_private_xvfb() {
    "$root/tools/wine_session.sh" start "$session" >/dev/null || { echo "cannot start a Wine session" >&2; return 1; }
    export KESTRINE_WINE_SESSION=$session
    # shellcheck disable=SC1091
    . "$root/tools/wine_harness.sh"
    trap 'harness_cleanup; "$root/tools/wine_session.sh" stop "$session" >/dev/null' EXIT
    harness_init
    prepare_program || return 1
    mkdir -p "$out"
    cd "$program_dir" || return 1
    local pid code
    WINEDEBUG=-all,+fps HARNESS_LOG=$session/fps.log harness_start_program pid "$program" "${program_args[@]}"
    harness_wait_window "$CONTRACT_RENDERER_CAPTION" 60 > /dev/null || { echo "== no renderer window" >&2; return 1; }
    # Without the reports (a trace that does not reach here) the pictures
    # are taken when the wait gives up.
    harness_until 30 reports_at_least 1; harness_screenshot "$out/run-start.png" && echo "$out/run-start.png"
    harness_until 30 reports_at_least 5; harness_screenshot "$out/run-later.png" && echo "$out/run-later.png"
    code=$(harness_escape "$pid" 10)
    [ "$code" != timeout ] || { echo "== still running 10 s after Escape; ending it" >&2; return 1; }
    echo "== ended on Escape with exit code $code"
    return "$code"
}

if [ -n "${DISPLAY:-}" ]; then
    run_on_user_display
else
    run_on_private_xvfb
fi
