#!/usr/bin/env bash
# Runs the saver under Wine, as `./kestrine run` does after the build.
#   - With dist/Kestrine/Kestrine.scr: copies dist/Kestrine to C:\Kestrine in
#     the prefix and runs "Kestrine.scr /s" from there, as the system would.
#     Without it: stages the scene files into C:\tolvin and runs Kestrine.dll.
#   - With $DISPLAY set: runs on that display until the saver ends (Escape).
#     Without: a private Xvfb session; after ~8 s it has taken screenshots
#     (out/run-2s.png, out/run-6s.png), presses Escape and ends everything it
#     started, by process id.
# The Wine prefix and HOME are private, under build/run-session.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
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
    mkdir -p "$session/home"
    export WINEPREFIX=$session/prefix HOME=$session/home WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "== making the Wine prefix $WINEPREFIX"
        wineboot -u >/dev/null 2>&1 < /dev/null
        wineserver -w
    fi
    prepare_program || return 1
    (cd "$program_dir" && wine "$program" "${program_args[@]}")
    local code=$?
    echo "== ended with exit code $code"
    wineserver -w
    return $code
}

run_on_private_xvfb() {
    "$root/tools/wine_session.sh" start "$session" >/dev/null || { echo "cannot start a Wine session" >&2; return 1; }
    # shellcheck disable=SC1091
    . "$session/env"
    trap '"$root/tools/wine_session.sh" stop "$session" >/dev/null' EXIT
    prepare_program || return 1
    mkdir -p "$out"
    (cd "$program_dir" && exec wine "$program" "${program_args[@]}") >/dev/null 2>&1 < /dev/null &
    local pid=$! code=""
    sleep 2
    import -window root "$out/run-2s.png" && echo "$out/run-2s.png"
    sleep 4
    import -window root "$out/run-6s.png" && echo "$out/run-6s.png"
    sleep 2
    xdotool key Escape
    local i
    for i in $(seq 1 100); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"; code=$?
            break
        fi
        sleep 0.1
    done
    if [ -z "$code" ]; then
        echo "== still running 10 s after Escape; ending it" >&2
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        return 1
    fi
    echo "== ended on Escape with exit code $code"
    return "$code"
}

if [ -n "${DISPLAY:-}" ]; then
    run_on_user_display
else
    run_on_private_xvfb
fi
