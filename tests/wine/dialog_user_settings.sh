#!/usr/bin/env bash
# Settings for a user who cannot write beside the programs. Root writes
# anywhere here, so a folder named Kestrine.ini stands in for the system
# folder a standard user cannot write. Confirming then writes the user's own
# %APPDATA%\Kestrine\Kestrine.ini, which the next /c shows and the next /s
# plays by. When no file can be written, a message names the files tried,
# the dialog stays open, and cancel still closes it writing nothing.
. "$(dirname "$0")/dialog_lib.sh"
. "$(dirname "$0")/failure_log_lib.sh"

appdata=$(harness_wine_text cmd /c 'echo %APPDATA%')
user_dir=$(winepath -u "$appdata\\Kestrine" 2>/dev/null)
[ -n "$appdata" ] && [ -n "$user_dir" ] || harness_fail "no AppData folder ('$appdata')"
user_ini=$user_dir/$SAVER_SETTINGS_FILE
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
greek_home=$(harness_cdrive)/users/Ωμέγα

# The other dialog tests write Kestrine.ini as a file and read no user file.
user_settings_cleanup() {
    rm -rf "$DIALOG_INI" "$user_dir" "$greek_home"
    wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /d '%USERPROFILE%\AppData\Roaming' /f \
        > /dev/null 2>&1 < /dev/null
}
trap 'user_settings_cleanup; harness_cleanup' EXIT
rm -rf "$DIALOG_INI" "$user_dir"
mkdir "$DIALOG_INI"

# save_refused_box LINE: confirming shows the message box whose message is
# LINE (its line breaks as " | "); dismissing it leaves the dialog open.
save_refused_box() {
    click_set
    local box report=$DIALOG_DIR/box.txt
    box=$(harness_wait_window Kestrine 20) || harness_fail "no message box after a refused save"
    harness_run_probe 30 "$report" "$KESTRINE_WIN_BUILD/tests/win/frontend_window_probe.exe" 'C:\kdialog\box.txt' \
        texts Kestrine
    if ! grep -qFx "text $1" "$report"; then
        cat "$report" >&2
        harness_fail "the message box does not say: $1"
    fi
    dialog_shot user_settings_box
    xdotool key --window "$box" Return
    harness_window_gone Kestrine 10 || harness_fail "the message box did not close on Enter"
    [ "$(harness_wait_exit "$DIALOG_PID" 2)" = timeout ] || harness_fail "the dialog ended after a refused save"
    harness_wait_window "$SAVER_DIALOG_CAPTION" 1 > /dev/null || harness_fail "the dialog closed after a refused save"
}

# --- The write beside the programs fails: the user's own file takes the choice.
cp "$KESTRINE_WIN_BUILD/renderer/Kestrine.dll" "$KESTRINE_ROOT/assets/Kestrine.data" "$DIALOG_DIR/" ||
    harness_fail "no renderer to stage"
sox -q -n -r 44100 -c 2 -b 16 "$DIALOG_DIR/lake.wav" synth 3 sine 440 || harness_fail "sox cannot make a tone"
lame --quiet "$DIALOG_DIR/lake.wav" "$DIALOG_DIR/lake.mp3" || harness_fail "lame cannot make an MP3"
dialog_start
expect_state user_defaults 0 0 0
click_label 2
open_chooser
xdotool type --delay 30 'C:\kdialog\lake.mp3'
xdotool key Return
harness_window_gone 'ﾌｧｲﾙを開く' 10 || harness_fail "the chooser did not take the typed name"
dialog_settle
click_set
dialog_expect_exit "confirm with the folder beside refused"
[ -d "$DIALOG_INI" ] && [ -z "$(ls -A "$DIALOG_INI")" ] || harness_fail "something was written beside the programs"
DIALOG_INI=$user_ini dialog_expect_ini "the user's own file" 2 0 'C:\kdialog\lake.mp3'
echo "  confirm: $appdata\\Kestrine\\Kestrine.ini written, nothing beside the programs"

# The next /c shows the confirmed choice; its cancel changes nothing.
cp "$user_ini" "$DIALOG_DIR/confirmed.ini"
dialog_start
expect_state user_again 2 0 1
click_cancel
dialog_expect_exit "cancel the next dialog"
cmp -s "$user_ini" "$DIALOG_DIR/confirmed.ini" || harness_fail "cancel changed the user's file"

# The next /s plays by it: the saver holds the chosen MP3 open while it plays.
harness_start_program saver 'C:\kdialog\Kestrine.scr' /s
renderer=$(harness_wait_window "$SAVER_RENDERER_CAPTION" 60) || harness_fail "/s: no renderer window"
harness_until 30 harness_file_open "$DIALOG_DIR/lake.mp3" || harness_fail "/s does not play the chosen MP3"
[ "$(harness_escape "$saver" 60 "$renderer")" = 0 ] || harness_fail "/s did not end after Escape"
echo "  the next /c shows the MP3 source; the next /s plays the MP3"

# --- Neither file can be written: a file named Kestrine where the user's folder goes.
rm -rf "$user_dir"
echo keep > "$user_dir"
clear_failure_log
dialog_start
click_label 1
save_refused_box "The settings could not be saved. |  | C:\\kdialog\\Kestrine.ini | $appdata\\Kestrine\\Kestrine.ini"
expect_state user_refused 1 1 0
expect_logged "neither writable" Kestrine.scr 'the settings file C:\kdialog\Kestrine.ini cannot be written: '
click_cancel
dialog_expect_exit "cancel after a refused save"
[ "$(cat "$user_dir")" = keep ] && [ -z "$(ls -A "$DIALOG_INI")" ] || harness_fail "a refused save or its cancel wrote something"
echo "  neither writable: the message names both files, the dialog stays open, cancel closes it"

# --- An AppData folder the ANSI code page cannot name counts as no folder.
rm -f "$user_dir"
mkdir -p "$greek_home"
{ printf '\xff\xfe'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"AppData"="C:\\\\users\\\\Ωμέγα"\r\n' \
      'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' |
      iconv -f UTF-8 -t UTF-16LE; } > "$DIALOG_DIR/appdata.reg"
wine regedit /s 'C:\kdialog\appdata.reg' > /dev/null 2>&1 < /dev/null
dialog_start
save_refused_box "The settings could not be saved. |  | C:\\kdialog\\Kestrine.ini"
click_cancel
dialog_expect_exit "cancel with an unnamable AppData"
[ -z "$(ls -A "$greek_home")" ] || harness_fail "something was written into the unnamable AppData folder"
echo "  an AppData path outside the ANSI code page: only the file beside the programs is tried"
echo "PASS: dialog user settings"
