#!/usr/bin/env bash
# Starts the standalone application on a virtual display and leaves it running for a few
# seconds: it must come up and keep running (no crash, no sanitizer report, no assertion).
# Usage: run_standalone.sh APP WITH_XVFB
set -uo pipefail
app=$1
with_xvfb=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME"

# The application's own status goes to a file, so that only the application decides the result.
"$with_xvfb" sh -c 'timeout -s TERM 5 "$1"; echo $? >"$2"' sh "$app" "$work/status" >"$work/log" 2>&1 || true
status=$(cat "$work/status" 2>/dev/null || echo "none (the virtual display did not start)")
# Without a window manager the X server rejects some of JUCE's property queries; that is noise.
grep -v 'BadAtom' "$work/log" | head -40
if [ "$status" != 124 ]; then
    echo "FAIL: the standalone application ended by itself with status $status"
    exit 1
fi
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error|JUCE Assertion failure' "$work/log"; then
    echo "FAIL: the standalone application reported an error"
    exit 1
fi
echo "standalone application ran until stopped"
