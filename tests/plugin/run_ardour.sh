#!/usr/bin/env bash
# Runs the plug-in in Ardour 7's headless session host (ardour7-lua, dummy audio backend).
# The VST3: a session is made, played, saved, then reopened by a second process.
# The LV2: on a plain stereo audio track (no MIDI input), in 3/4 at 150 bpm, with the one-bar ramp
# of ramp_loop.py; a second track records its output, and the ramp must start again every bar.
# Usage: run_ardour.sh VST3_BUNDLE LUA_SCRIPT
#        run_ardour.sh LV2_BUNDLE LUA_SCRIPT PLUGIN_URI PRESET
set -euo pipefail
bundle=$(realpath -m "$1")
script=$2
here=$(cd "$(dirname "$0")" && pwd)
for tool in ardour7-lua /usr/lib/ardour7/ardour-vst3-scanner python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (scripts/setup installs the ardour package)"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A private home: Ardour's configuration, plug-in cache and the plug-in's own files go there.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache

# The plug-in's JUCE reports a failed assertion on the standard error of whichever process loaded it.
fail_on_assertion() {
    if grep -q 'JUCE Assertion failure' <<<"$2"; then
        echo "$2" | grep -B5 -A5 'JUCE Assertion failure' | head -40
        echo "FAIL: the plug-in reported a JUCE assertion in $1"
        exit 1
    fi
}

run_phase() {
    echo "== $1"
    status=0
    output=$(timeout 60 stdbuf -oL ardour7-lua -X "$script" "$work/session" "$@" 2>&1) || status=$?
    [ "$status" -eq 0 ] || { echo "$output" | tail -40; echo "FAIL: ardour7-lua exited with $status in the $1 phase"; exit 1; }
    fail_on_assertion "the $1 phase" "$output"
    echo "$output" | grep -E '^(PASS|FAIL|RESULT|parameters|\[ERROR\])' || true
    grep -q "^RESULT $1 failures=0$" <<<"$output" || { echo "$output" | tail -40; echo "FAIL: $1 phase"; exit 1; }
}

if [[ $bundle == *.lv2 ]]; then
    [ -f "$bundle/libKalvoPro.so" ] || { echo "FAIL: no LV2 bundle at $bundle"; exit 1; }
    export LV2_PATH=$HOME/.lv2
    mkdir -p "$LV2_PATH"
    ln -s "$bundle" "$LV2_PATH/KalvoPro.lv2"
    python3 "$here/ramp_loop.py" state "$4" "$3" "$LV2_PATH/ramp.lv2"
    run_phase loop "$3"
    recording=$(find "$work/session/interchange" -name 'Take1_Recorder*%L.wav' | head -1)
    [ -n "$recording" ] || { echo "FAIL: the recorder track recorded nothing"; exit 1; }
    python3 "$here/ramp_loop.py" check 1.2 "$recording" || { echo "FAIL: the loop on Ardour's audio track"; exit 1; }
    echo "Ardour LV2 loop test passed"
    exit 0
fi

[ -f "$bundle/Contents/x86_64-linux/KalvoPro.so" ] || { echo "FAIL: no VST3 bundle at $bundle"; exit 1; }
mkdir -p "$HOME/.vst3"
ln -s "$bundle" "$HOME/.vst3/KalvoPro.vst3"
# Ardour only loads plug-ins its out-of-process scanner has indexed.
scan=$(LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst3-scanner -q -f "$HOME/.vst3/KalvoPro.vst3" 2>&1) \
    || { echo "$scan" | tail -40; echo "FAIL: Ardour's VST3 scanner failed"; exit 1; }
fail_on_assertion "the scanner" "$scan"

for phase in create reopen; do
    run_phase $phase
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
