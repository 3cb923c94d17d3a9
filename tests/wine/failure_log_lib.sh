# Sourced after the harness: the failure log and crash reports in %LOCALAPPDATA%\Kestrine.
kestrine_local="$(harness_cdrive)/users/$(id -un)/AppData/Local/Kestrine"
failure_log="$kestrine_local/Kestrine.log"

# clear_failure_log: no log and no crash reports yet.
clear_failure_log() { rm -rf "$kestrine_local"; }

# expect_logged WHAT PROGRAM TEXT: a line of the log holds the local time,
# PROGRAM, a process id, then TEXT (at the start of what failed).
expect_logged() {
    sed 's/\r$//' "$failure_log" 2>/dev/null |
        grep -E '^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2} [^ ]+ [0-9]+ ' | cut -d' ' -f2,4- |
        grep -qF -- "$2 $3" || harness_fail "$1: no line '$2 <pid> $3' in the failure log: $(cat "$failure_log" 2>&1)"
    echo "  $1: logged '$2 $3'"
}
