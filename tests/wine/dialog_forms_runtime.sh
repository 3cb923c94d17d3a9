#!/usr/bin/env bash
# The forms runtime and the custom button in-process (tests/win/ui_forms_probe):
# layouts realised at their pixel sizes and in tab order, pictures decoded and
# saved as 24-bit BMP files, timers, unload order, mouse dispatch to
# windowless controls, the button's state machine driven by real window
# messages, and its properties as a layout saves and reads them.
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
# open after the probe ends.
harness_run_probe 120 "$work/report.txt" 'C:\kforms\ui_forms_probe.exe' 'C:\kforms\report.txt'
sed 's/^/  /' "$work/report.txt" 2>/dev/null
[ "$HARNESS_CODE" = 0 ] || harness_fail "ui_forms_probe ended with $HARNESS_CODE"
echo "PASS: forms runtime"
