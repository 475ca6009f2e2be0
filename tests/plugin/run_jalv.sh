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
    mkdir "$work/state"
    python3 - "$preset" "$uri" "$work/state/state.ttl" <<'PY'
import re, struct, sys
preset, uri, out = sys.argv[1:]
text = open(preset, encoding="utf-8").read()
def edit(element, **values):
    global text
    tag = re.search(r"<%s [^>]*>" % element, text).group(0)
    new = tag
    for name, value in values.items():
        new, count = re.subn(r'\b%s="[^"]*"' % name, '%s="%s"' % (name, value), new)
        assert count == 1, (element, name)
    text = text.replace(tag, new)
# One cycle a bar (sync step 4 of 12), rising from 0 to 1; the band lines leave the signal alone.
edit("LinePointsMain1St0", Lenght="0.3333", Sync="1", BandMix="1", Point0x="0.0", Point0y="0.0",
     Point1x="1.0", Point1y="1.0", Point2x="2", Point2indx="-1")
for line in ("Low", "Mid", "High"):
    edit("LinePoints%s1St0" % line, BandMix="0")
# The framework's state block (magic number, text length, text, zero) in its own base 64.
body = text.encode("utf-8")
block = struct.pack("<II", 0x21324356, len(body)) + body + b"\0"
table = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"
# Six bits at a time from the lowest bit of the first byte up: four characters per three bytes.
padded = block + bytes(-len(block) % 3)
chars = []
for i in range(0, len(padded), 3):
    v = int.from_bytes(padded[i:i + 3], "little")
    chars += [table[(v >> shift) & 63] for shift in (0, 6, 12, 18)]
encoded = "%d." % len(block) + "".join(chars[:(len(block) * 8 + 5) // 6])
with open(out, "w", encoding="utf-8") as f:
    f.write('@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n'
            '@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n'
            '@prefix state: <http://lv2plug.in/ns/ext/state#> .\n\n'
            '<> a pset:Preset ;\n'
            '\tlv2:appliesTo <%s> ;\n'
            '\tstate:state [ <%s:StateString> "%s" ] .\n' % (uri, uri, encoded))
PY
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

python3 - "$work/out.wav" "$preset" <<'PY'
import array, sys, wave
with wave.open(sys.argv[1]) as w:
    channels, rate, frames = w.getnchannels(), w.getframerate(), w.getnframes()
    assert w.getsampwidth() == 2, "expected 16-bit PCM from jack_rec"
    data = array.array("h", w.readframes(frames))
assert channels == 2 and rate == 48000, f"recorded {channels} channels at {rate} Hz"
assert frames >= 48000, f"only {frames} frames recorded"
if sys.argv[2]:
    # Peaks of 20 ms windows, against a level that a click of an overloaded machine cannot set. The
    # ramp starts again where a quiet window, and mostly quiet ones after it, follow loud ones.
    window = 960
    peaks = [max(abs(s) for s in data[i * window * 2:(i + 1) * window * 2]) for i in range(frames // window)]
    level = sorted(peaks)[len(peaks) * 9 // 10]
    starts = []
    for i in range(3, len(peaks) - 5):
        if max(peaks[i - 3:i]) > 0.6 * level and peaks[i] < 0.3 * level and sorted(peaks[i:i + 5])[2] < 0.3 * level:
            if not starts or i - starts[-1] > 10:
                starts.append(i)
    print("the ramp starts again at", [round(i * window / rate, 2) for i in starts], "s")
    print("peaks of 0.2 s:", [round(max(peaks[i:i + 10]) / 32768.0, 2) for i in range(0, len(peaks), 10)])
    assert len(starts) >= 2, "the loop does not move: the ramp does not start again"
    # A loaded machine drops or delays blocks of the recording and of jack_transport's own bar count,
    # and may hide a start; a bar of 120 bpm (2 s) still fails.
    for a, b in zip(starts, starts[1:]):
        seconds = (b - a) * window / rate
        bars = max(1, round(seconds / 1.6))
        assert abs(seconds / bars - 1.6) <= 0.2, f"{bars} bars lasted {seconds:.3f} s, not {1.6 * bars:.1f} s"
# The sine reaches the output on both channels at about its input level (0.2 of full scale).
for ch in range(2):
    peak = max(abs(s) for s in data[ch::2]) / 32768.0
    print(f"channel {ch + 1}: peak {peak:.3f}")
    assert 0.05 < peak < 0.6, f"channel {ch + 1} peak {peak} is not the sine passed through"
PY
echo "jalv LV2 test passed"
