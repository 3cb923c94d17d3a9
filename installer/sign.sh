#!/usr/bin/env bash
# Signs one Windows program in place with Authenticode (SHA-256) by
# osslsigncode, with the certificate and key of the PKCS#12 file
# $KESTRINE_SIGN_PFX, whose password is $KESTRINE_SIGN_PASSWORD. With
# $KESTRINE_SIGN_TIMESTAMP_URL, an RFC 3161 time stamp from that server;
# without, the signing time is the release's own ($SOURCE_DATE_EPOCH), so
# that the same commit signs to the same bytes.
#   sign.sh FILE
set -u
file=${1:?file to sign}
: "${KESTRINE_SIGN_PFX:?}" "${KESTRINE_SIGN_PASSWORD:?}"
stamp=()
if [ -n "${KESTRINE_SIGN_TIMESTAMP_URL:-}" ]; then
    stamp=(-ts "$KESTRINE_SIGN_TIMESTAMP_URL")
elif [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    stamp=(-time "$SOURCE_DATE_EPOCH")
fi
rm -f "$file.signed"
# The password goes through a pipe, not the command line others can read.
printf '%s' "$KESTRINE_SIGN_PASSWORD" | osslsigncode sign -pkcs12 "$KESTRINE_SIGN_PFX" -readpass - \
    -h sha256 -n Kestrine "${stamp[@]}" -in "$file" -out "$file.signed" > /dev/null \
    || { rm -f "$file.signed"; echo "sign.sh: cannot sign $file" >&2; exit 1; }
mv "$file.signed" "$file"
