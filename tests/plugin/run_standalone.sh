#!/usr/bin/env bash
# Starts the standalone application on a virtual display and leaves it running for a few
# seconds: it must come up and keep running (no crash, no sanitizer report, no assertion).
# Usage: run_standalone.sh APP XVFB_RUN
set -uo pipefail
app=$1
xvfb_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME"

status=0
"$xvfb_run" -a -s "-screen 0 1280x1024x24" timeout -s TERM 5 "$app" >"$work/log" 2>&1 || status=$?
# Without a window manager the X server rejects some of JUCE's property queries; that is noise.
grep -v 'BadAtom' "$work/log" | head -40
if [ "$status" -ne 124 ]; then
    echo "FAIL: the standalone application ended by itself with status $status"
    exit 1
fi
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error|JUCE Assertion failure' "$work/log"; then
    echo "FAIL: the standalone application reported an error"
    exit 1
fi
echo "standalone application ran until stopped"
