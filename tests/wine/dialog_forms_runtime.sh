#!/usr/bin/env bash
# The forms runtime and the custom button in-process (tests/win/ui_forms_probe):
# layouts realised at their pixel sizes, pictures decoded and saved as 24-bit
# BMP files, timers, unload order, mouse dispatch to windowless controls and
# the button's state machine driven by real window messages.
KESTRINE_ROOT=${KESTRINE_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
. "$KESTRINE_ROOT/tools/wine_harness.sh"
harness_init

probe="$KESTRINE_WIN_BUILD/tests/win/ui_forms_probe.exe"
[ -f "$probe" ] || harness_fail "no ui_forms_probe.exe in $KESTRINE_WIN_BUILD"
work="$(harness_cdrive)/kforms"
mkdir -p "$work"
cp "$probe" "$work/"
cd "$work" || harness_fail "no work folder"
# Its report goes to a file: Wine's helper processes keep inherited output
# open after the probe ends. timeout ends the probe by its own id if it hangs.
timeout 120 wine 'C:\kforms\ui_forms_probe.exe' > "$work/probe.log" 2>&1 < /dev/null
code=$?
grep -v XGetInputFocus "$work/probe.log"
[ "$code" = 0 ] || harness_fail "ui_forms_probe ended with $code"
echo "PASS: forms runtime"
