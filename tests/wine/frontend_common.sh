# Sourced by the front end's wine tests: joins the Wine session and gives
# helpers to stage a saver folder, run Kestrine.scr and the test programs,
# and look at their windows.
. "${KESTRINE_ROOT:?}/tools/wine_harness.sh" || exit 1
harness_init
. "$KESTRINE_ROOT/tests/wine/saver_common.sh"
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
        cp "$KESTRINE_WIN_BUILD/renderer/Kestrine.dll" "$FE_DRIVE/$1/$SAVER_RENDERER_PROGRAM" || harness_fail "no renderer"
        cp "$KESTRINE_ROOT/assets/Kestrine.data" "$FE_DRIVE/$1/$SAVER_PROGRAM_MODEL" || harness_fail "no model"
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

# fe_report SECONDS REPORT LABEL PROGRAM ARGS...: runs a test program that
# writes the report REPORT (a Unix path) to its end, sets FE_CODE and shows
# the report, each line after "LABEL: ".
fe_report() {
    local seconds=$1 report=$2 label=$3; shift 3
    harness_run_probe "$seconds" "$report" "$@"
    FE_CODE=$HARNESS_CODE
    sed "s/^/  $label: /" "$report" 2>/dev/null
}

# fe_probe find|kill|close CAPTION: looks at a window from another Windows
# process; sets FE_FOUND and FE_VISIBLE.
fe_probe() {
    harness_run_probe 30 "$FE_WORK/probe.txt" "$FE_TESTS/frontend_window_probe.exe" 'C:\kfront\probe.txt' "$1" "$2"
    FE_FOUND=$(harness_report_value "$FE_WORK/probe.txt" found)
    FE_VISIBLE=$(harness_report_value "$FE_WORK/probe.txt" visible)
}

# fe_stop PID: ends a helper program the test started, by its id.
fe_stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# Bound for "ends at once" (as against "runs on"): generous, for a loaded
# machine; the measured times are printed.
FE_PROMPT_SECONDS=20
