#!/usr/bin/env bash
# One Wine session per test run: a private prefix and HOME, an Xvfb display
# and a persistent wineserver. Usage:
#   wine_session.sh start DIR [WIDTHxHEIGHTxDEPTH [XVFB_OPTION...] [--xephyr XEPHYR_OPTION...]]
#                                                    make DIR/prefix, start Xvfb and wineserver, write DIR/env;
#                                                    the options go to Xvfb (e.g. a second -screen); with
#                                                    --xephyr, Wine runs on a Xephyr server inside the Xvfb
#                                                    one, started with the options after it (monitors side
#                                                    by side: -screen 1024x768 -screen 800x600 +xinerama)
#   wine_session.sh start DIR --xorg                 the same on Xorg with the dummy video driver instead of
#                                                    Xvfb: real display modes and refresh rates, and outputs
#                                                    DUMMY0 to DUMMY15 that xrandr connects and disconnects
#                                                    (DUMMY0 alone is on, at 2048 x 1536); needs root. After
#                                                    a change, xrandr --listmonitors makes the server's list
#                                                    of monitors, which Wine reads, current
#   wine_session.sh prefix DIR                       only DIR/prefix and DIR/env, for programs shown on
#                                                    the caller's own display (no Xvfb, no server)
#   wine_session.sh stop DIR                         end every process it started, by id
set -u
cmd=${1:?start or stop}
dir=${2:?session folder}
screen=${3:-1024x768x24}
xvfb_options=()
xephyr_options=()
shift $(($# < 3 ? $# : 3))
while [ $# -gt 0 ] && [ "$1" != --xephyr ]; do xvfb_options+=("$1"); shift; done
[ $# -gt 0 ] && xephyr_options=("${@:2}")

free_display() {
    local n
    for n in $(seq 91 199); do
        if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then echo $n; return 0; fi
    done
    return 1
}

# start_x_server NAME PROGRAM ARG...: starts the X server PROGRAM on a free
# display with the arguments, records its pid in DIR/NAME.pid and prints the
# display's number. Several sessions may start at once: if another server
# takes the number between the check and the start, tries the next free one.
start_x_server() {
    local name=$1 n pid i attempt; shift
    for attempt in 1 2 3 4 5; do
        n=$(free_display) || { echo "no free X display" >&2; return 1; }
        setsid "$1" ":$n" "${@:2}" >"$dir/$name.log" 2>&1 < /dev/null &
        pid=$!
        for i in $(seq 1 50); do
            [ -e /tmp/.X11-unix/X$n ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        # The server is ours only if its lock file holds its pid: another
        # server that took the number first owns the socket.
        if kill -0 "$pid" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ] &&
            [ "$(tr -d ' \n' < "/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ]; then
            echo "$pid" > "$dir/$name.pid"
            echo "$n"
            return 0
        fi
        kill "$pid" 2>/dev/null
    done
    echo "cannot start $1" >&2
    return 1
}

# boot_prefix LOG: makes $WINEPREFIX a new prefix.
boot_prefix() {
    wineboot -u >"$1" 2>&1 < /dev/null
    wineserver -w
    # A crash ends the process with its exception code instead of a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 < /dev/null
    wineserver -w
}

# new_prefix: $WINEPREFIX made new. With $KESTRINE_WINE_TEMPLATE set, a copy
# of the prefix kept there for this Wine version, made on first use: the copy
# takes a few seconds where wineboot takes most of a minute. The user folders
# Wine links to HOME are linked to this session's.
new_prefix() {
    local template=${KESTRINE_WINE_TEMPLATE:-} link
    [ -n "$template" ] || { boot_prefix "$dir/wineboot.log"; return; }
    mkdir -p "$template"
    (
        flock 9
        if [ "$(cat "$template/version" 2>/dev/null)" != "$(wine --version)" ]; then
            rm -rf "$template/prefix" "$template/home"
            mkdir -p "$template/home"
            WINEPREFIX=$template/prefix HOME=$template/home boot_prefix "$template/wineboot.log"
            wine --version > "$template/version"
        fi
        # The system folder's 600 MB of Wine's own DLLs are hard links where
        # the file system allows: nothing writes into those files (an install
        # adds files beside them).
        mkdir -p "$WINEPREFIX"
        tar -C "$template/prefix" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - . |
            tar -C "$WINEPREFIX" -xf -
        for system in system32 syswow64; do
            [ ! -d "$template/prefix/drive_c/windows/$system" ] ||
                cp -al "$template/prefix/drive_c/windows/$system" "$WINEPREFIX/drive_c/windows/" 2>/dev/null ||
                cp -a "$template/prefix/drive_c/windows/$system" "$WINEPREFIX/drive_c/windows/"
        done
    ) 9> "$template/lock"
    find "$WINEPREFIX/drive_c/users" -type l -lname "$template/home*" | while read -r link; do
        ln -sfn "$HOME" "$link"
    done
}

# xorg_config FILE: a dummy-driver server with room for monitors side by side.
xorg_config() {
    cat > "$1" <<'XORG'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 8192 2048
    EndSubSection
EndSection
XORG
}

start() {
    mkdir -p "$dir/home"
    dir=$(cd "$dir" && pwd)
    # A .asoundrc selecting the null device gives Wine a wave-out device with no sound card.
    cat > "$dir/home/.asoundrc" <<'ASOUND'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ASOUND
    local n
    if [ "$screen" = --xorg ]; then
        xorg_config "$dir/xorg.conf"
        n=$(start_x_server xorg Xorg -noreset -nolisten tcp -config "$dir/xorg.conf" -logfile "$dir/xorg-server.log") || exit 1
    else
        n=$(start_x_server xvfb Xvfb -screen 0 "$screen" -nolisten tcp -ac "${xvfb_options[@]}") || exit 1
    fi
    if [ ${#xephyr_options[@]} -gt 0 ]; then
        n=$(DISPLAY=:$n start_x_server xephyr Xephyr -nolisten tcp -ac "${xephyr_options[@]}") || exit 1
    fi
    write_env "export DISPLAY=:$n"
    [ -f "$WINEPREFIX/system.reg" ] || new_prefix
    setsid wineserver -f -p >"$dir/wineserver.log" 2>&1 < /dev/null &
    echo $! > "$dir/wineserver.pid"
    # The prefix's services start with the first program and live on: start
    # them here, away from any test's output, which they would otherwise
    # hold open after the test has ended.
    wine cmd /c exit >/dev/null 2>&1 < /dev/null
    echo "wine session: DISPLAY=:$n WINEPREFIX=$WINEPREFIX"
}

# prefix: the prefix and its environment alone.
prefix() {
    mkdir -p "$dir/home"
    dir=$(cd "$dir" && pwd)
    write_env ""
    [ -f "$WINEPREFIX/system.reg" ] || new_prefix
}

# write_env LINE: DIR/env, with LINE first, read in here too.
write_env() {
    cat > "$dir/env" <<ENV
$1
export WINEPREFIX=$dir/prefix
export HOME=$dir/home
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
export KESTRINE_SESSION=$dir
ENV
    # shellcheck disable=SC1091
    . "$dir/env"
}

stop() {
    [ -f "$dir/env" ] || exit 0
    # shellcheck disable=SC1091
    . "$dir/env"
    wineserver -k >/dev/null 2>&1 || true
    local f pid
    for f in "$dir"/*.pid; do
        [ -f "$f" ] || continue
        pid=$(cat "$f")
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
        rm -f "$f"
    done
    rm -f "$dir/env"
    echo "wine session stopped"
}

case "$cmd" in
    start) start ;;
    prefix) prefix ;;
    stop) stop ;;
    *) echo "usage: $0 start|prefix|stop DIR" >&2; exit 2 ;;
esac
