#!/usr/bin/env bash
# The loader's real message box under Wine: a file with a 124-byte header makes
# the GDI reference program show "Unknown DIB file format." in a box captioned
# "Error"; Return dismisses it and the program goes on to the next file and
# exits cleanly. A missing file shows no box.
. "$KESTRINE_ROOT/tools/wine_harness.sh"
harness_init
work=$KESTRINE_SESSION/bmp_error_box
rm -rf "$work"; mkdir -p "$work"

# A 124-byte header: "BM", then the header size field 124, then zeros.
python3 - "$work/v5.bmp" "$work/good.bmp" <<'PY'
import struct, sys
head = struct.pack('<I', 124) + bytes(120)
open(sys.argv[1], 'wb').write(b'BM' + struct.pack('<IHHI', 14 + 124 + 4, 0, 0, 138) + head + bytes(4))
info = struct.pack('<IiiHHIIiiII', 40, 1, 1, 1, 24, 0, 4, 0, 0, 0, 0)
open(sys.argv[2], 'wb').write(b'BM' + struct.pack('<IHHI', 58, 0, 0, 54) + info + bytes([30, 20, 10, 0]))
PY

exe=$KESTRINE_WIN_BUILD/tests/win/bmp_reference.exe
[ -x "$exe" ] || harness_fail "missing $exe"
harness_start_program refpid "$exe" --box "$(harness_winpath "$work/out.txt")" "$(harness_winpath "$work/missing.bmp")" "$(harness_winpath "$work/v5.bmp")" "$(harness_winpath "$work/good.bmp")"
box=$(harness_wait_window Error 20) || harness_fail "no window titled Error appeared"
harness_screenshot "$work/box.png"
kill -0 "$refpid" 2>/dev/null || harness_fail "the program ended while its box was up"
# The box is modal: the program has written the missing file's result and
# waits in the box before writing the bad file's.
harness_until 30 grep -q '^missing.bmp error missing' "$work/out.txt" ||
    harness_fail "the missing file's result is not written before the box"
! grep -q '^v5.bmp' "$work/out.txt" || harness_fail "the program went on before the box was dismissed"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key --window "$box" Return
harness_window_gone Error 10 || harness_fail "the Error box did not close on Return"
harness_wait_exit "$refpid" 20 > "$work/exit_code"
code=$(cat "$work/exit_code")
[ "$code" = 0 ] || harness_fail "program ended with $code after the box"
harness_unix_lines "$work/out.txt"
grep -qx 'missing.bmp error missing' "$work/out.txt" || harness_fail "missing file: $(cat "$work/out.txt")"
grep -qx 'v5.bmp error Unknown DIB file format.' "$work/out.txt" || harness_fail "v5 file: $(cat "$work/out.txt")"
grep -qx 'good.bmp 1 1 0a141e' "$work/out.txt" || harness_fail "good file after the box: $(cat "$work/out.txt")"
# An empty file cannot be mapped: the open-failure message, with the path.
: > "$work/empty.bmp"
harness_start_program emptypid "$exe" "$(harness_winpath "$work/empty.txt")" "$(harness_winpath "$work/empty.bmp")"
harness_wait_exit "$emptypid" 20 > "$work/exit_code"
[ "$(cat "$work/exit_code")" = 0 ] || harness_fail "empty-file run ended with $(cat "$work/exit_code")"
expected="empty.bmp error Failed to open DIB file $(harness_winpath "$work/empty.bmp").|"
harness_unix_lines "$work/empty.txt"
[ "$(head -n 1 "$work/empty.txt")" = "$expected" ] || harness_fail "empty file: $(cat "$work/empty.txt"), expected $expected"
# From a program whose window has the focus, the box is owned by that window
# and disables it while up (checked in-process by bmp_box_owner).
owner=$KESTRINE_WIN_BUILD/tests/win/bmp_box_owner.exe
[ -x "$owner" ] || harness_fail "missing $owner"
harness_start_program ownerpid "$owner" "$(harness_winpath "$work/v5.bmp")" "$(harness_winpath "$work/owner.txt")"
box=$(harness_wait_window Error 20) || harness_fail "no Error box from the focused window"
sleep 0.5  # give the watcher thread time to look at the box
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key --window "$box" Return
harness_window_gone Error 10 || harness_fail "the owned Error box did not close on Return"
harness_wait_exit "$ownerpid" 40 > "$work/exit_code"
harness_unix_lines "$work/owner.txt"
result=$(cat "$work/owner.txt" 2>/dev/null)
[ "$(cat "$work/exit_code")" = 0 ] || harness_fail "box owner check: ${result:-no result} (exit $(cat "$work/exit_code"))"

echo "PASS: owned by the focused window and modal; one Error box for the bad file, none for the missing one; dismissed with Return, the program loaded the next file and exited 0; an empty file fails to open with its path"
