# Sourced by the front end's wine tests: joins the Wine session and gives
# helpers to stage a saver folder, run Kestrine.scr and the test programs,
# and look at their windows.
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
harness_init
FE_DRIVE=$(harness_cdrive)
[ -d "$FE_DRIVE" ] || harness_fail "no Wine drive"
FE_TESTS=$KESTRINE_WIN_BUILD/tests/win
FE_WORK=$FE_DRIVE/kfront
mkdir -p "$FE_WORK"

# fe_stage FOLDER [full]: C:\FOLDER holding Kestrine.scr, and with "full" also
# Kestrine.dll and Kestrine.data, as a user installs them.
fe_stage() {
    rm -rf "${FE_DRIVE:?}/$1"; mkdir -p "$FE_DRIVE/$1"
    cp "$KESTRINE_WIN_BUILD/frontend/Kestrine.scr" "$FE_DRIVE/$1/" || harness_fail "no Kestrine.scr"
    if [ "${2:-}" = full ]; then
        cp "$KESTRINE_WIN_BUILD/renderer/Kestrine.dll" "$FE_DRIVE/$1/" || harness_fail "no Kestrine.dll"
        cp "$KESTRINE_ROOT/assets/Kestrine.data" "$FE_DRIVE/$1/" || harness_fail "no Kestrine.data"
    fi
}

fe_now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# fe_wait PID SECONDS: waits for the program's end; sets FE_CODE (exit code
# or "timeout") and FE_MS (milliseconds waited).
fe_wait() {
    local t0; t0=$(fe_now_ms)
    FE_CODE=$(harness_wait_exit "$1" "$2")
    FE_MS=$(( $(fe_now_ms) - t0 ))
}

# fe_run SECONDS PROGRAM ARGS...: runs a program to its end (fe_wait's results).
fe_run() {
    local seconds=$1; shift
    local fepid
    harness_start_program fepid "$@"
    fe_wait "$fepid" "$seconds"
}

# fe_probe find|kill|close CAPTION: looks at a window from another Windows
# process; sets FE_FOUND and FE_VISIBLE.
fe_probe() {
    rm -f "$FE_WORK/probe.txt"
    local probepid
    harness_start_program probepid "$FE_TESTS/frontend_window_probe.exe" 'C:\kfront\probe.txt' "$1" "$2"
    harness_wait_exit "$probepid" 30 > /dev/null
    FE_FOUND=$(tr -d '\r' < "$FE_WORK/probe.txt" 2>/dev/null | awk '$1 == "found" { print $2 }')
    FE_VISIBLE=$(tr -d '\r' < "$FE_WORK/probe.txt" 2>/dev/null | awk '$1 == "visible" { print $2 }')
}

# fe_stop PID: ends a helper program the test started, by its id.
fe_stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# Bound for "ends at once" (as against "runs on"): generous, for a loaded
# machine; the measured times are printed.
FE_PROMPT_SECONDS=20
