#!/usr/bin/env bash
# A signed release installed both ways, side by side. The build signs with a
# throwaway self-signed code-signing certificate: every signature verifies,
# the zip and SHA256SUMS hold the signed files, and the files carry their
# version resources. /S /AllUsers installs the signed setup into the system
# folder (its uninstaller signed too). /S /CurrentUser installs just for the
# user into %LOCALAPPDATA%\Programs\Kestrine, here under a folder whose path
# has a space, with SCRNSAVE.EXE its short form; settings written beside the
# programs by their long path are the ones the saver started by the short
# path plays by. Each saver runs from its installed place; the per-user
# uninstall leaves the all-users install as it was; then that one goes.
#   install_modes.sh SETUP_EXE VERSION
. "${KESTRINE_ROOT:?}/tests/wine/install_common.sh" "$@" || exit 1
version=${2:?version}
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine'
restore_local_appdata() {
    wine reg add "$shell_folders" /v 'Local AppData' /t REG_EXPAND_SZ /d '%USERPROFILE%\AppData\Local' /f \
        > /dev/null 2>&1 < /dev/null
}
trap 'restore_local_appdata; rm -rf "$IN_WORK"; harness_cleanup' EXIT

# --- A signed build of this tree's programs.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=Kestrine test signer' -keyout "$IN_WORK/key.pem" \
    -out "$IN_WORK/cert.pem" -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature 2> /dev/null &&
    openssl pkcs12 -export -inkey "$IN_WORK/key.pem" -in "$IN_WORK/cert.pem" -out "$IN_WORK/sign.pfx" \
        -passout pass:throwaway || harness_fail "openssl cannot make a certificate"
signed=$IN_WORK/dist
KESTRINE_SIGN_PFX=$IN_WORK/sign.pfx KESTRINE_SIGN_PASSWORD=throwaway \
    "$KESTRINE_ROOT/tools/assemble_dist.sh" "${KESTRINE_WIN_BUILD:?}" "$signed" > "$IN_WORK/dist.log" ||
    harness_fail "the signed build failed: $(cat "$IN_WORK/dist.log")"
setup=$signed/Kestrine-$version-setup.exe
in_signed() {
    osslsigncode verify -CAfile "$IN_WORK/cert.pem" -in "$1" 2>&1 | grep -qx 'Signature verification: ok' ||
        harness_fail "$1 carries no signature that verifies"
}
for f in "$setup" "$signed"/Kestrine/Kestrine.scr "$signed"/Kestrine/Kestrine.dll; do in_signed "$f"; done
(cd "$signed" && sha256sum -c --quiet SHA256SUMS) || harness_fail "SHA256SUMS does not match the signed files"
unzip -p "$signed/Kestrine-$version-win64.zip" Kestrine/Kestrine.scr | cmp -s - "$signed/Kestrine/Kestrine.scr" ||
    harness_fail "the zip does not hold the signed Kestrine.scr"
echo "  signed build: the setup, Kestrine.scr and Kestrine.dll verify; SHA256SUMS and the zip hold the signed files"

# What Properties, Details shows for each file, as the system reads it.
while IFS='|' read -r file description; do
    values=$(in_version_values "$signed/$file")
    for line in "ProductName Kestrine" "ProductVersion $version" "FileVersion $version" \
        "FileDescription $description" "OriginalFilename $(basename "$file")" "LegalCopyright The Kestrine project"; do
        grep -qxF "$line" <<< "$values" || harness_fail "$file: its version resource has no '$line': $values"
    done
done <<FILES
Kestrine/Kestrine.scr|Kestrine screen saver
Kestrine/Kestrine.dll|Kestrine lake renderer
Kestrine-$version-setup.exe|Kestrine $version setup
FILES
in_version_values "$signed/Kestrine/Kestrine.scr" | grep -qx 'string1 Kestrine' ||
    harness_fail "Kestrine.scr's string 1 is not Kestrine"
# The setup asks for the user's highest rights, not for an administrator's.
in_version_values "$setup" > /dev/null
grep -q 'level="highestAvailable"' "$IN_WORK/manifest.xml" || harness_fail "the setup's manifest does not ask for highestAvailable"
echo "  version resources: Kestrine $version in the programs and the setup; the saver's name string is Kestrine; the setup asks for the highest available level"

# --- For all users, from the signed setup.
in_install "$setup" /AllUsers
in_check_files "$signed/Kestrine"
in_signed "$(winepath -u 'C:\Program Files\Kestrine\Uninstall.exe')"
[ "$(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)" = "$version" ] || harness_fail "/AllUsers registered no Kestrine in HKLM"
in_same "$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)" "$IN_SCR" || harness_fail "/AllUsers did not make Kestrine the saver"
in_run_saver "$IN_SCR"
echo "  /S /AllUsers: the signed files in system32, a signed uninstaller, Apps & features in HKLM"

# --- Just for me, where the user's local folder has a space in its path.
wine reg add "$shell_folders" /v 'Local AppData' /t REG_EXPAND_SZ /d '%USERPROFILE%\Local Data' /f \
    > /dev/null 2>&1 < /dev/null
profile=$(wine cmd /c 'echo %USERPROFILE%' 2> /dev/null < /dev/null | tr -d '\r')
long="$profile\\Local Data\\Programs\\Kestrine"
folder=$(winepath -u "$long")
in_install "$setup" /CurrentUser
for f in Kestrine.scr Kestrine.dll Kestrine.data; do
    cmp -s "$folder/$f" "$signed/Kestrine/$f" || harness_fail "$long\\$f is not the signed $f"
done
in_signed "$folder/Uninstall.exe"
while IFS='|' read -r name expected; do
    in_same "$(in_reg "$user_key" "$name")" "$expected" || harness_fail "HKCU uninstall key: $name is '$(in_reg "$user_key" "$name")'"
done <<EXPECTED
DisplayName|Kestrine
DisplayVersion|$version
DisplayIcon|$long\\Kestrine.scr,0
QuietUninstallString|"$long\\Uninstall.exe" /S
EXPECTED
saver=$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)
[[ "$saver" != *' '* ]] && [ "$(winepath -u "$saver")" -ef "$folder/Kestrine.scr" ] ||
    harness_fail "SCRNSAVE.EXE is '$saver', not a path without spaces to $long\\Kestrine.scr"
in_check_files "$signed/Kestrine"
[ "$(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)" = "$version" ] || harness_fail "/CurrentUser changed the HKLM entry"
echo "  /S /CurrentUser: the files in $long, Apps & features in HKCU, SCRNSAVE.EXE $saver"

# Settings beside the programs, written by their long path as the settings
# dialog started from there saves them; no file of the user's own.
rm -f "$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2> /dev/null < /dev/null | tr -d '\r')\\Kestrine\\Kestrine.ini")"
sox -q -n -r 44100 -c 2 -b 16 "$IN_WORK/lake.wav" synth 3 sine 440 && lame --quiet "$IN_WORK/lake.wav" "$folder/lake.mp3" ||
    harness_fail "cannot make an MP3"
printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=2\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\nBGM\xcc\xa7\xb2\xd9=%s\r\n' "$long\\lake.mp3" \
    > "$(winepath -u "$long\\Kestrine.ini")"
in_run_saver "$saver" "$folder/lake.mp3"

# --- The per-user uninstall removes its own install and nothing else.
in_uninstall "$user_key"
for f in Kestrine.scr Kestrine.dll Kestrine.data Uninstall.exe; do
    [ ! -e "$folder/$f" ] || harness_fail "$long\\$f is still there"
done
[ -z "$(in_reg "$user_key" DisplayName)" ] || harness_fail "the HKCU uninstall key is still there"
[ -z "$(in_reg "$IN_DESKTOP_KEY" SCRNSAVE.EXE)" ] || harness_fail "SCRNSAVE.EXE still names the per-user Kestrine"
[ -f "$folder/Kestrine.ini" ] || harness_fail "the per-user uninstall removed the settings"
in_check_files "$signed/Kestrine"
[ "$(in_reg "$IN_UNINSTALL_KEY" DisplayVersion)" = "$version" ] || harness_fail "the per-user uninstall touched HKLM"
echo "  per-user uninstall: its files, key and SCRNSAVE.EXE gone; the settings and the all-users install stay"

in_uninstall "$IN_UNINSTALL_KEY"
[ ! -e "$IN_SYSTEM/Kestrine.scr" ] && [ -z "$(in_reg "$IN_UNINSTALL_KEY" DisplayName)" ] ||
    harness_fail "the all-users uninstall left Kestrine behind"
echo "PASS: a signed setup installs for all users and just for the user, side by side, and each uninstalls alone"
