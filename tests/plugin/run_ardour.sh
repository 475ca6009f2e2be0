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

# The plug-in's JUCE reports a failed assertion on the standard error of whichever process loaded it.
fail_on_assertion() {
    if grep -q 'JUCE Assertion failure' <<<"$2"; then
        echo "$2" | grep -B5 -A5 'JUCE Assertion failure' | head -40
        echo "FAIL: the plug-in reported a JUCE assertion in $1"
        exit 1
    fi
}

# Ardour only loads plug-ins its out-of-process scanner has indexed.
scan=$(LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst3-scanner -q -f "$HOME/.vst3/KalvoPro.vst3" 2>&1) \
    || { echo "$scan" | tail -40; echo "FAIL: Ardour's VST3 scanner failed"; exit 1; }
fail_on_assertion "the scanner" "$scan"

for phase in create reopen; do
    echo "== $phase"
    status=0
    output=$(timeout 120 ardour7-lua -X "$script" "$work/session" "$phase" 2>&1) || status=$?
    [ "$status" -eq 0 ] || { echo "$output" | tail -40; echo "FAIL: ardour7-lua exited with $status in the $phase phase"; exit 1; }
    fail_on_assertion "the $phase phase" "$output"
    echo "$output" | grep -E '^(PASS|FAIL|RESULT|parameters|\[ERROR\])' || true
    grep -q "^RESULT $phase failures=0$" <<<"$output" || { echo "$output" | tail -40; echo "FAIL: $phase phase"; exit 1; }
done
# The plug-in's own state (its state document inside the VST3 chunk) went into the session, and
# the reopened plug-in gives back the same document.
chunk() { sed -n 's/.*<chunk>\(.*\)<\/chunk>.*/\1/p' "$1" | head -1 | base64 -d | tr -d '\000' | grep -ao '<KalvoParamTree.*</KalvoParamTree>'; }
saved=$(chunk "$work/session/kalvo.ardour") || { echo "FAIL: no plug-in state document in the saved session"; exit 1; }
reopened=$(chunk "$work/session/reopened.ardour") || { echo "FAIL: no plug-in state document after reopening"; exit 1; }
grep -q 'PARAM id="MidLevel" value="0.25"' <<<"$saved" || { echo "FAIL: MidLevel 0.25 missing from the saved state"; exit 1; }
grep -q '<LinePointsHigh2St11 ' <<<"$saved" || { echo "FAIL: the saved state lacks the curves"; exit 1; }
[ "$saved" = "$reopened" ] || { echo "FAIL: the plug-in's state changed across save and reopen"; diff <(tr '>' '\n' <<<"$saved") <(tr '>' '\n' <<<"$reopened") | head -20; exit 1; }
echo "plug-in state document kept across save and reopen (${#saved} characters)"
echo "Ardour session test passed"
