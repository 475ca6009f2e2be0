#!/usr/bin/env bash
# Runs the LV2 bundle in jalv against a dummy JACK server: a sine goes in, MIDI notes arrive,
# the transport rolls, and the output is recorded and checked.
# With PRESET, jalv starts instead on a state made from that preset file whose first Main curve
# ramps from silence to full once a bar (the other lines' mixes at 0), jack_transport is JACK's
# timebase master at 150 bpm, and the recording must show the ramp start again every bar (1.6 s):
# jalv sends the bar and beat once, when the transport starts, and the loop runs on from there.
# Usage: run_jalv.sh LV2_BUNDLE PLUGIN_URI [PRESET]
set -euo pipefail
bundle=$1
uri=$2
preset=${3:-}
for tool in jackd jalv jack_simple_client jack_rec jack_midiseq jack_connect jack_lsp jack_wait jack_transport sordi python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (scripts/setup installs jalv, jackd2 and sordi)"; exit 1; }
done

work=$(mktemp -d)
server=kalvo-test-$$
pids=()
cleanup() {
    # Clients first, newest first, so that each leaves the server cleanly; the server last.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    # Semaphores of clients that ended without closing (named after this run's server only).
    rm -f /dev/shm/jack_sem.*_"$server"_* 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home
mkdir -p "$HOME"

# Every turtle file of the bundle parses.
for ttl in "$bundle"/*.ttl; do
    sordi "$ttl" >/dev/null || { echo "FAIL: $ttl does not parse"; exit 1; }
done

# This JACK allows one server per user at a time, whatever its name: runs of this test on the
# same machine (parallel checkouts, CI beside a session) take turns.
exec 9>"${TMPDIR:-/tmp}/kalvo-jack-test.lock"
flock -w 240 9 || { echo "FAIL: another JACK test held the lock for four minutes"; exit 1; }
export JACK_NO_AUDIO_RESERVATION=1 JACK_DEFAULT_SERVER=$server JACK_NO_START_SERVER=1
jackd --no-realtime -n "$server" -d dummy -r 48000 -p 512 >"$work/jackd.log" 2>&1 9>&- &
pids+=($!)
timeout 10 jack_wait -w >/dev/null 2>&1 || { cat "$work/jackd.log"; echo "FAIL: dummy JACK server did not start"; exit 1; }

state=()
if [ -n "$preset" ]; then
    python3 "$(dirname "$0")/ramp_loop.py" state "$preset" "$uri" "$work/state"
    state=(-l "$work/state")
fi

mkfifo "$work/commands"
LV2_PATH=$(dirname "$bundle") jalv -x -n kalvo "${state[@]}" "$uri" <"$work/commands" >"$work/jalv.log" 2>&1 9>&- &
pids+=($!)
exec 3>"$work/commands" # keeps jalv's input open
for _ in $(seq 50); do jack_lsp 2>/dev/null | grep -q '^kalvo:audio_out_2$' && break; sleep 0.2; done
jack_lsp 2>/dev/null | grep -q '^kalvo:audio_out_2$' || { cat "$work/jalv.log"; echo "FAIL: jalv did not bring the plug-in up"; exit 1; }
ports=$(jack_lsp 2>/dev/null | grep '^kalvo:' | tr '\n' ' ')
echo "ports: $ports"
for port in audio_in_1 audio_in_2 audio_out_1 audio_out_2 in; do
    grep -q "kalvo:$port " <<<"$ports " || { echo "FAIL: port kalvo:$port missing"; exit 1; }
done

jack_simple_client sine >"$work/sine.log" 2>&1 3>&- 9>&- &
pids+=($!)
for _ in $(seq 50); do jack_lsp 2>/dev/null | grep -q '^sine:output2$' && break; sleep 0.1; done
jack_connect sine:output1 kalvo:audio_in_1
jack_connect sine:output2 kalvo:audio_in_2
if [ -z "$preset" ]; then
    # Notes 60..63 (the trigger notes of the first states) every quarter of a second.
    jack_midiseq notes 48000 0 60 6000 12000 61 6000 24000 62 6000 36000 63 6000 >"$work/midiseq.log" 2>&1 3>&- 9>&- &
    pids+=($!)
    for _ in $(seq 50); do jack_lsp 2>/dev/null | grep -q '^notes:out$' && break; sleep 0.1; done
    jack_connect notes:out kalvo:in
    echo play | timeout 5 jack_transport >/dev/null 2>&1 3>&- || true
    seconds=2
else
    # jack_transport stays, as the timebase master, until the recording is done.
    mkfifo "$work/transport"
    jack_transport <"$work/transport" >"$work/transport.log" 2>&1 3>&- 9>&- &
    pids+=($!)
    exec 4>"$work/transport"
    printf 'master\ntempo 150\nplay\n' >&4
    seconds=7
fi

timeout 20 jack_rec -f "$work/out.wav" -d "$seconds" kalvo:audio_out_1 kalvo:audio_out_2 >"$work/rec.log" 2>&1 \
    || { cat "$work/rec.log"; echo "FAIL: recording the plug-in's output failed"; exit 1; }
[ -z "$preset" ] || { echo quit >&4; exec 4>&-; }

kill -0 "${pids[1]}" 2>/dev/null || { cat "$work/jalv.log"; echo "FAIL: jalv is gone"; exit 1; }
# Closing jalv's input ends it, which also flushes what it printed.
echo controls >&3
exec 3>&-
for _ in $(seq 50); do kill -0 "${pids[1]}" 2>/dev/null || break; sleep 0.1; done
jalv_status=0
kill -0 "${pids[1]}" 2>/dev/null && { cat "$work/jalv.log"; echo "FAIL: jalv did not end with its input"; exit 1; }
wait "${pids[1]}" || jalv_status=$?
[ "$jalv_status" -eq 0 ] || { cat "$work/jalv.log"; echo "FAIL: jalv exited with $jalv_status"; exit 1; }
# The plug-in's JUCE reports a failed assertion on the standard error, which goes into jalv's log.
if grep -q 'JUCE Assertion failure' "$work/jalv.log"; then
    cat "$work/jalv.log"
    echo "FAIL: the plug-in reported a JUCE assertion"
    exit 1
fi
for id in Power MixMaster MixMain MixLow MixMid MixHigh LowLevel MidLevel HighLevel LowSolo LowMute MidSolo \
          MidMute HighSolo HighMute State LineCH; do
    grep -q "_$id = " "$work/jalv.log" || { cat "$work/jalv.log"; echo "FAIL: parameter $id not listed by jalv"; exit 1; }
done
echo "17 parameters listed"

[ -z "$preset" ] || python3 "$(dirname "$0")/ramp_loop.py" check 1.6 "$work/out.wav" || { echo "FAIL: the loop"; exit 1; }
python3 - "$work/out.wav" <<'PY'
import array, sys, wave
with wave.open(sys.argv[1]) as w:
    channels, rate, frames = w.getnchannels(), w.getframerate(), w.getnframes()
    assert w.getsampwidth() == 2, "expected 16-bit PCM from jack_rec"
    data = array.array("h", w.readframes(frames))
assert channels == 2 and rate == 48000, f"recorded {channels} channels at {rate} Hz"
assert frames >= 48000, f"only {frames} frames recorded"
# The sine reaches the output on both channels at about its input level (0.2 of full scale).
for ch in range(2):
    peak = max(abs(s) for s in data[ch::2]) / 32768.0
    print(f"channel {ch + 1}: peak {peak:.3f}")
    assert 0.05 < peak < 0.6, f"channel {ch + 1} peak {peak} is not the sine passed through"
PY
echo "jalv LV2 test passed"
