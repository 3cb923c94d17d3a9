#!/usr/bin/env bash
# The shared staging folder with links planted in it, as another user could:
# the whole saver writes through none of them, and what they lead to stays
# byte for byte as it was. A hard link and a symbolic link to a file not yet
# there are replaced by the saver's own files and the lake shows; while it
# runs, another program can neither write, replace nor delete a staged
# picture, and a second saver (on a desktop of its own, as another user's
# session) shows the lake too. A C:\tolvin that is a link to a folder, which
# Wine will not remove as a link, gets nothing staged and the renderer reads
# nothing through it.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
. "$KESTRINE_ROOT/tests/wine/failure_log_lib.sh"
fe_stage ksaver full
scr='C:\ksaver\Kestrine.scr'
tolvin=$SAVER_STAGED
staged=$SAVER_STAGING_FOLDER
other=$FE_WORK/other
fresh_folder() { rm -rf "$tolvin" "$other"; mkdir -p "$other"; echo "not the saver's" > "$other/$SAVER_LAKE_BED"; }
unchanged() { [ "$(cat "$other/$SAVER_LAKE_BED")" = "not the saver's" ] || harness_fail "$1: $other was written"; }
lakes_are() { [ "$(xdotool search --name "^$SAVER_RENDERER_CAPTION\$" 2>/dev/null | wc -l)" = "$1" ]; }
# escape PID WINDOW WHAT: Escape in the lake's window ends that saver.
escape() { [ "$(harness_escape "$1" 60 "$2")" = 0 ] || harness_fail "$3: the saver did not end on Escape"; }

# --- Solvane1.bmp a hard link to another file, Solvane2.bmp a symbolic link
# to a file that is not there yet.
fresh_folder; clear_failure_log
mkdir -p "$tolvin"; ln "$other/$SAVER_LAKE_BED" "$tolvin/$SAVER_LAKE_BED"; ln -s "$other/new.bmp" "$tolvin/$SAVER_BACKDROP"
harness_start_program first "$scr" /s
saver_wait_drawn "a hard link"
lake=$(harness_wait_window "$SAVER_RENDERER_CAPTION" 5)
unchanged "a hard link"
[ "$(stat -c %h "$tolvin/$SAVER_LAKE_BED")" = 1 ] || harness_fail "the staged $SAVER_LAKE_BED is still a hard link"
[ ! -e "$other/new.bmp" ] && [ ! -L "$tolvin/$SAVER_BACKDROP" ] || harness_fail "the saver wrote through the symbolic link"
expect_logged "a hard link" Kestrine.scr "staged file $staged\\$SAVER_LAKE_BED was a hard link with 2 names"
fe_report 30 "$FE_WORK/probe.txt" tamper "$FE_TESTS/frontend_window_probe.exe" 'C:\kfront\probe.txt' tamper "$staged\\$SAVER_BACKDROP"
[ "$FE_CODE" = 0 ] || harness_fail "another program could change a staged picture"

# --- A second saver at once, as another session runs it: it finds the files
# held with its own bytes, stages nothing and says nothing; both show the lake.
harness_start_program second explorer /desktop=second,1024x768 "$scr" /s
harness_until 60 lakes_are 2 || harness_fail "no second lake"
desktop=$(harness_wait_window 'second - Wine desktop' 5)
for window in "$desktop" "$lake"; do
    xdotool windowraise "$window"
    harness_until 30 saver_drawn || harness_fail "two savers: window $window shows no lake"
done
! grep -v 'was a hard link' "$failure_log" | grep -q Kestrine.scr || harness_fail "two savers: $(cat "$failure_log")"
escape "$first" "$lake" "the first of two savers"
harness_until 30 lakes_are 1 || harness_fail "two lakes after one Escape"
escape "$second" "$(harness_wait_window "$SAVER_RENDERER_CAPTION" 5)" "the second of two savers"
echo "  hard and symbolic links replaced, $other untouched, staged pictures held; two savers showed the lake at once"

# --- C:\tolvin a link to a folder that holds staged files of its own.
fresh_folder; clear_failure_log
for f in "$SAVER_BACKDROP" "$SAVER_SPLASH" "$SAVER_STAGED_MODEL"; do echo "not the saver's" > "$other/$f"; done
ln -s "$other" "$tolvin"
before=$(cd "$other" && ls -l --time-style=+%s.%N; md5sum ./*)
fe_run 60 "$scr" /s
[ "$FE_CODE" = 0 ] || harness_fail "a linked folder: the front end ended with $FE_CODE"
[ "$(cd "$other" && ls -l --time-style=+%s.%N; md5sum ./*)" = "$before" ] || harness_fail "a linked folder: $other changed"
expect_logged "a linked folder" Kestrine.scr "the staging folder $staged is a link to a folder and cannot be removed; nothing is staged"
expect_logged "a linked folder" "$SAVER_RENDERER_PROGRAM" "model $staged\\$SAVER_STAGED_MODEL cannot be read: $staged is a link to a folder"
rm -f "$tolvin"; rm -rf "$other"
echo "PASS: no link in the staging folder is written through; staged files are held while the saver runs"
