#!/usr/bin/env bash
# Both programs carry the one application manifest: the resource is the
# file's bytes, the system's manifest parser reads per-monitor (v2) DPI
# awareness with system awareness as the fallback from it, and the file names
# the supported Windows versions and depends on no common-controls assembly.
. "${KESTRINE_ROOT:?}/tests/wine/frontend_common.sh" || exit 1
fe_stage kmanifest full
manifest=$KESTRINE_ROOT/manifest/Kestrine.manifest

for program in Kestrine.scr Kestrine.dll; do
    rm -f "$FE_WORK/manifest.xml"
    fe_report 60 "$FE_WORK/manifest.txt" "$program" "$FE_TESTS/frontend_manifest_reader.exe" \
        "C:\\kmanifest\\$program" 'C:\kfront\manifest.xml' 'C:\kfront\manifest.txt'
    [ "$FE_CODE" = 0 ] || harness_fail "$program: no manifest the system can read ($FE_CODE)"
    cmp -s "$FE_WORK/manifest.xml" "$manifest" || harness_fail "$program: its manifest is not manifest/Kestrine.manifest"
    grep -qx 'dpiAware true' "$FE_WORK/manifest.txt" ||
        harness_fail "$program: the system reads no dpiAware true"
    grep -qx 'dpiAwareness PerMonitorV2, System' "$FE_WORK/manifest.txt" ||
        harness_fail "$program: the system reads no dpiAwareness PerMonitorV2, System"
done

# The file itself: well-formed, the four supported versions (7, 8, 8.1,
# 10 and 11), no dependent assembly.
python3 - "$manifest" <<'PY' || harness_fail "the manifest's content"
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
asm = '{urn:schemas-microsoft-com:asm.v1}'
compat = '{urn:schemas-microsoft-com:compatibility.v1}'
ids = [e.get('Id') for e in root.iter(compat + 'supportedOS')]
expected = ['{35138b9a-5d96-4fbd-8e2d-a2440225f93a}', '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}',
            '{1f676c76-80e1-4239-95bb-83d0f6d0da78}', '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}']
assert ids == expected, ids
assert not list(root.iter(asm + 'dependency')), 'a dependent assembly'
assert 'Common-Controls' not in open(sys.argv[1]).read(), 'common controls named'
print('  manifest: supportedOS', len(ids), 'ids, no dependency')
PY
echo "PASS: both programs carry the manifest"
