# Sourced by the wine tests and by the driver's run, bench and pictures commands.
# Joins the run's Wine session (tools/wine_session.sh) or, when a script runs
# on its own, makes a private one that ends with the script. Every process
# started through harness_start_program is ended by its id at exit.
#
#   harness_init [SCREEN [XVFB_OPTION..]] join or make the session; sets DISPLAY, WINEPREFIX, HOME;
#                                         a session it makes has that screen and Xvfb options
#   harness_cdrive                        prints the prefix's drive_c folder
#   harness_start_program OUT EXE ARGS..  starts "wine EXE ARGS" in the background; OUT names a variable for the pid;
#                                         Wine's messages go to $HARNESS_LOG (default: nowhere)
#   harness_wine_pid PID                  the id of the Wine process itself (for /proc)
#   harness_wait_exit PID SECONDS         waits for the process; prints its exit code, or "timeout"
#   harness_escape PID SECONDS [WINDOW]   presses Escape (in WINDOW, else where the focus is) and waits as harness_wait_exit
#   harness_run_probe SECONDS REPORT EXE ARGS..
#                                         runs a Windows test program to its end; sets HARNESS_CODE (as harness_wait_exit);
#                                         REPORT, the file it writes (a Unix path), is removed before and has
#                                         Unix line ends after
#   harness_report_value REPORT KEY       the rest of the first line of REPORT that starts with the word KEY
#   harness_unix_lines FILE               a file a Windows program wrote, with Unix line ends
#   harness_wine_text PROGRAM ARGS..      runs "wine PROGRAM ARGS" to its end; prints its output with Unix line ends
#   harness_winpath PATH                  the Windows name of a Unix path (C: inside the prefix's drive, else Z:)
#   harness_unixpath 'C:\FOLDER'          the Unix path of a folder on the prefix's drive C:
#   harness_until SECONDS COMMAND..       repeats COMMAND until it succeeds; fails after SECONDS
#   harness_file_open FILE                some process holds FILE open (a program plays it)
#   harness_load_values FILE PREFIX       sets PREFIX_NAME for each "name value" line (\xHH a byte)
#   harness_wait_window TITLE SECONDS     prints the X window id of a window with that exact title
#   harness_window_gone TITLE SECONDS     succeeds once no window of that title is left
#   harness_screenshot FILE               screenshot of the whole screen
#   harness_pixel FILE X Y                prints "R G B" of one pixel of a picture
#   harness_fail MESSAGE                  prints FAIL and exits 1
#   harness_set_dpi DPI                   programs started from now on see DPI dots per inch (not in the shared session)
#   harness_new_wineserver                the session's wineserver ended and a new one started, with the prefix's
#                                         services: it reads the monitors afresh (an older one may keep a stale list)
set -u
KESTRINE_ROOT=${KESTRINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
KESTRINE_WIN_BUILD=${KESTRINE_WIN_BUILD:-$KESTRINE_ROOT/build/win}
HARNESS_PIDS=()
HARNESS_OWN_SESSION=""
HARNESS_STATUS=$(mktemp -d /tmp/kestrine-status.XXXXXX)

harness_cleanup() {
    local status=$? pid
    for pid in "${HARNESS_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${HARNESS_PIDS[@]}"; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$HARNESS_STATUS"
    # A failed test may leave programs running that it did not start itself
    # (the renderer the front end started): in a session that later tests
    # share, end every program of the session so that none of them sees it.
    if { [ "$status" != 0 ] || [ -n "${HARNESS_FAILED:-}" ]; } && [ -z "$HARNESS_OWN_SESSION" ] && [ -n "${KESTRINE_SESSION:-}" ]; then
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
        rm -f "$KESTRINE_SESSION/wineserver.pid"
    fi
    if [ -n "$HARNESS_OWN_SESSION" ]; then
        "$KESTRINE_ROOT/tools/wine_session.sh" stop "$HARNESS_OWN_SESSION" >/dev/null
        rm -rf "$HARNESS_OWN_SESSION"
    fi
}
trap harness_cleanup EXIT

harness_init() {
    local session=${KESTRINE_WINE_SESSION:-}
    if [ -z "$session" ] || [ ! -f "$session/env" ]; then
        session=$(mktemp -d /tmp/kestrine-wine.XXXXXX)
        HARNESS_OWN_SESSION=$session
        "$KESTRINE_ROOT/tools/wine_session.sh" start "$session" "${1:-1024x768x24}" "${@:2}" >/dev/null ||
            harness_fail "cannot start a wine session"
    fi
    # shellcheck disable=SC1091
    . "$session/env"
}

# Only for a session of the script's or its test's own: the run's shared ones
# (tests/CMakeLists.txt) must stay at 96.
harness_set_dpi() {
    case $(basename "$KESTRINE_SESSION") in
        wine_session | dialog_session) harness_fail "harness_set_dpi in the run's shared session" ;;
    esac
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 < /dev/null
    # The server keeps the old scale for the programs it serves: end it (the
    # session's own one with the rest); the next program starts a new one.
    wineserver -k
    wineserver -w
    rm -f "$KESTRINE_SESSION/wineserver.pid"
}

harness_new_wineserver() {
    wineserver -k
    wineserver -w
    setsid wineserver -f -p >/dev/null 2>&1 < /dev/null &
    echo $! > "$KESTRINE_SESSION/wineserver.pid"
    wine cmd /c exit >/dev/null 2>&1 < /dev/null
}

harness_cdrive() { echo "$WINEPREFIX/drive_c"; }

harness_start_program() {
    local __out=$1; shift
    # The program runs under a small watcher shell that records its exit code,
    # so harness_wait_exit works from a command substitution too. Ending the
    # watcher by its id ends the program.
    mkdir -p "$HARNESS_STATUS"
    (
        trap 'kill "$__child" 2>/dev/null; exit 143' TERM
        wine "$@" >/dev/null 2>"${HARNESS_LOG:-/dev/null}" < /dev/null &
        __child=$!
        echo "$__child" > "$HARNESS_STATUS/$BASHPID.wine"
        wait "$__child"
        echo $? > "$HARNESS_STATUS/$BASHPID"
    ) &
    local __pid=$!
    HARNESS_PIDS+=("$__pid")
    printf -v "$__out" '%s' "$__pid"
}

harness_wait_exit() {
    local __pid=$1 __seconds=$2 __i
    for __i in $(seq 1 $((__seconds * 10))); do
        if [ -s "$HARNESS_STATUS/$__pid" ]; then cat "$HARNESS_STATUS/$__pid"; return 0; fi
        if ! kill -0 "$__pid" 2>/dev/null; then
            sleep 0.2
            if [ -s "$HARNESS_STATUS/$__pid" ]; then cat "$HARNESS_STATUS/$__pid"; else echo killed; fi
            return 0
        fi
        sleep 0.1
    done
    echo timeout
}

harness_wine_pid() { harness_until 30 test -s "$HARNESS_STATUS/$1.wine" && cat "$HARNESS_STATUS/$1.wine"; }

harness_escape() {
    if [ -n "${3:-}" ]; then xdotool key --window "$3" Escape 2>/dev/null; else xdotool key Escape; fi
    harness_wait_exit "$1" "$2"
}

harness_run_probe() {
    local seconds=$1 report=$2 pid; shift 2
    rm -f "$report"
    harness_start_program pid "$@"
    HARNESS_CODE=$(harness_wait_exit "$pid" "$seconds")
    harness_unix_lines "$report"
}

harness_report_value() {
    awk -v key="$2" '$1 == key { sub(/^[^ ]* ?/, ""); print; exit }' "$1" 2>/dev/null
}

harness_wine_text() { wine "$@" 2>/dev/null < /dev/null | tr -d '\r'; }

harness_unix_lines() { [ ! -f "$1" ] || sed -i 's/\r$//' "$1"; }

harness_winpath() {
    local path=$1 drive=$WINEPREFIX/drive_c
    if [[ $path == "$drive"/* ]]; then path=C:${path#"$drive"}; else path=Z:$path; fi
    echo "${path//\//\\}"
}

harness_unixpath() { local path=${1#[Cc]:}; echo "$WINEPREFIX/drive_c${path//\\//}"; }

harness_until() {
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

harness_file_open() {
    local path; path=$(realpath "$1")
    [ -n "$(find /proc/[0-9]*/fd -lname "$path" 2>/dev/null | head -n 1)" ]
}

harness_load_values() {
    local name value
    while read -r name value; do
        case $name in '' | '#'*) continue ;; esac
        # Only \xHH is an escape: the other backslashes (C:\tolvin) stay.
        value=${value//\\/\\\\}
        printf -v "$2_${name^^}" '%b' "${value//\\\\x/\\x}"
    done < "$1"
}

harness_wait_window() {
    local title=$1 seconds=$2 i id
    for i in $(seq 1 $((seconds * 5))); do
        id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.2
    done
    return 1
}

harness_window_gone() {
    local title=$1 seconds=$2 i
    for i in $(seq 1 $((seconds * 10))); do
        [ -z "$(xdotool search --name "^${title}\$" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    return 1
}

harness_screenshot() { import -window root "$1"; }

harness_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

harness_fail() {
    echo "FAIL: $*" >&2
    HARNESS_FAILED=1
    exit 1
}
