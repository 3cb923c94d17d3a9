#!/usr/bin/env bash
# A build signed with a throwaway certificate verifies and carries version
# resources; its setup installs side by side with /S /AllUsers and /S
# /CurrentUser (under a folder with a space: SCRNSAVE.EXE is its short form,
# which reads the settings written by the long one); each runs and uninstalls
# alone.   install_modes.sh SETUP_EXE VERSION
. "${KESTRINE_ROOT:?}/tests/wine/install_common.sh" "$@" || exit 1
version=${2:?version} w=$IN_WORK user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine'
local_data() { wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    /v 'Local AppData' /t REG_EXPAND_SZ /d "%USERPROFILE%\\$1" /f > /dev/null 2>&1 < /dev/null; }
trap 'local_data AppData\\Local; rm -rf "$w"; harness_cleanup' EXIT
signed() { osslsigncode verify -CAfile "$w/cert.pem" -in "$1" 2>&1 | grep -qx 'Signature verification: ok' ||
    harness_fail "$1 has no signature that verifies"; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=Kestrine test' -keyout "$w/key.pem" -out "$w/cert.pem" \
    -addext extendedKeyUsage=codeSigning 2> /dev/null && openssl pkcs12 -export -inkey "$w/key.pem" \
    -in "$w/cert.pem" -out "$w/sign.pfx" -passout pass:pw || harness_fail "openssl made no certificate"
KESTRINE_SIGN_PFX=$w/sign.pfx KESTRINE_SIGN_PASSWORD=pw "$KESTRINE_ROOT/tools/assemble_dist.sh" \
    "${KESTRINE_WIN_BUILD:?}" "$w/dist" > "$w/log" 2>&1 || harness_fail "signed build: $(cat "$w/log")"
setup=$w/dist/Kestrine-$version-setup.exe files=$w/dist/Kestrine
for f in "$setup" "$files/Kestrine.scr" "$files/Kestrine.dll"; do signed "$f"; done
(cd "$w/dist" && sha256sum -c --quiet SHA256SUMS) && unzip -p "$w"/dist/*.zip Kestrine/Kestrine.scr |
    cmp -s - "$files/Kestrine.scr" || harness_fail "SHA256SUMS or the zip do not hold the signed files"
while IFS='|' read -r file description extra; do
    values=$(in_version_values "$w/dist/$file")
    for line in "ProductName Kestrine" "ProductVersion $version" "FileVersion $version" "FileDescription $description" \
        "OriginalFilename ${file#Kestrine/}" "LegalCopyright The Kestrine project" ${extra:+"$extra"}; do
        grep -qxF "$line" <<< "$values" || harness_fail "$file has no '$line' in: $values"
    done
done <<FILES
Kestrine/Kestrine.scr|Kestrine screen saver|string1 Kestrine
Kestrine/Kestrine.dll|Kestrine lake renderer
Kestrine-$version-setup.exe|Kestrine $version setup
FILES
grep -q 'level="highestAvailable"' "$w/manifest.xml" || harness_fail "the setup does not ask for the highest available level"
echo "  signed build verifies; version resources of $version; the setup asks for the highest available level"

in_install "$setup" /AllUsers
in_check_files "$files"
signed "$(winepath -u 'C:\Program Files\Kestrine\Uninstall.exe')"
in_same "$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)" "$IN_SCR" || harness_fail "/AllUsers did not make Kestrine the saver"
in_run_saver "$IN_SCR"

local_data 'Local Data'
long="$(harness_wine_text cmd /c 'echo %USERPROFILE%')\\Local Data\\Programs\\Kestrine"
folder=$(winepath -u "$long")
in_install "$setup" /CurrentUser
for f in Kestrine.scr "$SAVER_RENDERER_PROGRAM" "$SAVER_PROGRAM_MODEL"; do cmp -s "$folder/$f" "$files/$f" || harness_fail "no $long\\$f"; done
signed "$folder/Uninstall.exe"
in_same "$(in_reg "$user_key" QuietUninstallString)" "\"$long\\Uninstall.exe\" /S" &&
    [ "$(in_reg "$user_key" DisplayVersion)" = "$version" ] || harness_fail "no Kestrine $version in HKCU's Apps & features"
saver=$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)
[[ "$saver" != *' '* ]] && [ "$(winepath -u "$saver")" -ef "$folder/Kestrine.scr" ] ||
    harness_fail "SCRNSAVE.EXE '$saver' is not a path without spaces to $long\\Kestrine.scr"
rm -f "$(winepath -u "$(harness_wine_text cmd /c 'echo %APPDATA%')\\Kestrine\\Kestrine.ini")"
sox -q -n -r 44100 -c 2 -b 16 "$w/lake.wav" synth 3 sine 440 && lame --quiet "$w/lake.wav" "$folder/lake.mp3" &&
    saver_ini_text 2 0 "$long\\lake.mp3" > "$folder/$SAVER_SETTINGS_FILE" ||
    harness_fail "cannot write the settings"
in_run_saver "$saver" "$folder/lake.mp3"

in_uninstall "$user_key"
[ "$(ls "$folder")" = "$(printf 'Kestrine.ini\nlake.mp3')" ] && [ -z "$(in_reg "$user_key" DisplayName)" ] &&
    [ -z "$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)" ] || harness_fail "the per-user uninstall left its own behind"
in_check_files "$files"
[ "$(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)" = "$version" ] || harness_fail "the per-user uninstall touched HKLM"
in_uninstall "$IN_UNINSTALL_KEY"
[ ! -e "$IN_SYSTEM/Kestrine.scr" ] || harness_fail "the all-users uninstall left Kestrine.scr"
echo "PASS: a signed setup installs for all users and just for me side by side; each runs and uninstalls alone"
