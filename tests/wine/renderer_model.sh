#!/usr/bin/env bash
# The renderer reads its model before anything else: a missing, foreign or
# short model file must end it silently with exit code 0 before any window
# appears; a valid one lets it open its window.
. "$(dirname "$0")/renderer_common.sh"
. "$(dirname "$0")/failure_log_lib.sh"

model="$tolvin/$SAVER_STAGED_MODEL"
work=$(mktemp -d /tmp/kestrine-model.XXXXXX)

# A small complete version-4 model: three vertices, one triangle, one group
# and one material naming the texture file $2.
write_valid_model() {
    python3 - "$1" "$2" <<'PY'
import struct, sys
b = b'MS3D000000' + struct.pack('<i', 4)
b += struct.pack('<H', 3)
for bone, x, y, z in ((-1, 0.0, 0.0, 0.0), (-1, 1.0, 0.0, 0.0), (-1, 0.0, 1.0, 0.0)):
    b += struct.pack('<B3fbB', 0, x, y, z, bone, 1)
b += struct.pack('<H', 1)
b += struct.pack('<H3H9f3f3fBB', 0, 0, 1, 2, *([0.0, 0.0, 1.0] * 3), 0.0, 1.0, 0.0, 0.0, 0.0, 1.0, 1, 0)
b += struct.pack('<H', 1) + struct.pack('<B32sHHb', 0, b'lake', 1, 0, 0)
b += struct.pack('<H', 1)
b += struct.pack('<32s17ffB128s128s', b'bed', *([0.8] * 16), 10.0, 1.0, 0, sys.argv[2].encode(), b'')
open(sys.argv[1], 'wb').write(b)
PY
}

# Starts the renderer and requires it to end with code 0 within 30 s without
# its window ever appearing while it runs.
expect_silent_refusal() {
    local what=$1 started i
    harness_start_program started "$renderer"
    for i in $(seq 1 300); do
        kill -0 "$started" 2>/dev/null || break
        [ -z "$(xdotool search --name "^$SAVER_RENDERER_CAPTION\$" 2>/dev/null)" ] || harness_fail "$what: the renderer showed its window"
        sleep 0.1
    done
    ! kill -0 "$started" 2>/dev/null || harness_fail "$what: the renderer did not end within 30 s"
    expect_exit_0 "$started" 5 "$what"
    echo "ok: $what ends with code 0 and no window"
}

staged_model=""
if [ -f "$model" ]; then
    staged_model="$work/staged.data"
    cp "$model" "$staged_model"
fi
# Leave the staged model as it was for the tests that follow.
restore_model() {
    if [ -n "$staged_model" ]; then cp "$staged_model" "$model"; fi
    rm -rf "$work"
}
trap 'restore_model; harness_cleanup' EXIT

write_valid_model "$work/valid.data" "$SAVER_STAGING_FOLDER\\$SAVER_LAKE_BED"

rm -f "$model"
clear_failure_log
expect_silent_refusal "missing model"
staged_name="$SAVER_STAGING_FOLDER\\$SAVER_STAGED_MODEL"
expect_logged "missing model" "$SAVER_RENDERER_PROGRAM" "model $staged_name cannot be read: "
# With no place for the log the renderer goes on exactly as before.
clear_failure_log
echo in the way > "$kestrine_local"
expect_silent_refusal "missing model, no place for the log"
rm -f "$kestrine_local"

cp "$work/valid.data" "$model"
printf 'MS3D000001' | dd of="$model" bs=1 seek=0 conv=notrunc status=none
expect_silent_refusal "wrong signature"
expect_logged "wrong signature" "$SAVER_RENDERER_PROGRAM" \
    "model $staged_name is not valid: its contents are short or inconsistent"

size=$(stat -c %s "$work/valid.data")
head -c $((size - 1)) "$work/valid.data" > "$model"
expect_silent_refusal "model one byte short"
head -c 100 "$work/valid.data" > "$model"
expect_silent_refusal "model cut inside its triangles"

cp "$work/valid.data" "$model"
harness_start_program started "$renderer"
saver_wait_drawn "valid model"
echo "ok: a valid model shows the window"
expect_exit_0 "$started" 30 "valid model, Escape" escape
echo "ok: Escape ends the renderer with code 0"

# A material naming a malformed picture: the texture pass runs once, after the
# window exists, so its error box appears exactly once.
write_valid_model "$model" "$SAVER_STAGING_FOLDER\\model_broken.bmp"
python3 - "$tolvin/model_broken.bmp" <<'PY'
import struct, sys
header = struct.pack('<I', 124) + bytes(120)  # a header size the loader does not know
open(sys.argv[1], 'wb').write(b'BM' + struct.pack('<IHHI', 14 + 124 + 4, 0, 0, 138) + header + bytes(4))
PY
harness_start_program started "$renderer"
box=$(harness_wait_window Error 30) || harness_fail "broken texture: no Error box within 30 s"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key --window "$box" Return
harness_window_gone Error 10 || harness_fail "broken texture: the Error box did not close on Return"
# The texture pass is over once the lake is drawn.
saver_wait_drawn "broken texture, after the box"
[ -z "$(xdotool search --name '^Error$' 2>/dev/null)" ] || harness_fail "broken texture: a second Error box appeared"
kill -0 "$started" 2>/dev/null || harness_fail "broken texture: the renderer ended after the box"
window=$(harness_wait_window "$SAVER_RENDERER_CAPTION" 1)
xdotool windowfocus --sync "$window" 2>/dev/null
expect_exit_0 "$started" 30 "broken texture, Escape" escape
rm -f "$tolvin/model_broken.bmp"
expect_logged "broken texture" "$SAVER_RENDERER_PROGRAM" "picture $SAVER_STAGING_FOLDER\\model_broken.bmp not loaded: Unknown DIB file format."
echo "ok: a malformed texture named by the model shows one Error box; the renderer runs on"
