#!/usr/bin/env bash
# Runs the VST3 bundle in Ardour 7's headless session host (ardour7-lua, dummy audio backend):
# a session is made, played, saved, then reopened by a second process.
# Usage: run_ardour.sh VST3_BUNDLE LUA_SCRIPT
set -euo pipefail
bundle=$1
script=$2
for tool in ardour7-lua /usr/lib/ardour7/ardour-vst3-scanner; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (scripts/setup installs the ardour package)"; exit 1; }
done
[ -f "$bundle/Contents/x86_64-linux/KalvoPro.so" ] || { echo "FAIL: no VST3 bundle at $bundle"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A private home: Ardour's configuration, plug-in cache and the plug-in's own files go there.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME/.vst3"
ln -s "$bundle" "$HOME/.vst3/KalvoPro.vst3"

# Ardour only loads plug-ins its out-of-process scanner has indexed.
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst3-scanner -q -f "$HOME/.vst3/KalvoPro.vst3"

for phase in create reopen; do
    echo "== $phase"
    output=$(timeout 120 ardour7-lua "$script" "$work/session" "$phase" 2>&1) || { echo "$output"; echo "FAIL: ardour7-lua exited with $?"; exit 1; }
    echo "$output" | grep -E '^(PASS|FAIL|RESULT|parameters|\[ERROR\])' || true
    grep -q "^RESULT $phase failures=0$" <<<"$output" || { echo "$output" | tail -40; echo "FAIL: $phase phase"; exit 1; }
done
echo "Ardour session test passed"
