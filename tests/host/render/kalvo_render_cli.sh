#!/usr/bin/env bash
# kalvo-render as a user meets it: exit codes, messages and the summary line.
# Usage: kalvo_render_cli.sh KALVO_RENDER DEMO_PRESET
set -uo pipefail
tool=$1
preset=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME"
failures=0

# expect EXIT_CODE TEXT_IN_OUTPUT ARGS...
expect() {
    local code=$1 text=$2
    shift 2
    local output status
    output=$("$tool" "$@" 2>&1)
    status=$?
    if [ "$status" -ne "$code" ] || ! grep -qF -- "$text" <<<"$output"; then
        echo "FAIL: kalvo-render $* -> exit $status (wanted $code), output: $output"
        failures=$((failures + 1))
    else
        echo "ok: kalvo-render $* -> $status"
    fi
}

printf 'not audio' >"$work/text.wav"
printf 'MThd garbage' >"$work/bad.mid"
expect 0 "Usage: kalvo-render" --help
expect 2 "--out FILE is required"
expect 2 "unknown argument '--loud'" --out "$work/o.wav" --loud
expect 2 "--block must be" --out "$work/o.wav" --block 0
expect 2 "--meter must be" --out "$work/o.wav" --meter 7
# Sizes and tempos that would ask for absurd memory, disk or positions are refused up front.
expect 2 "--seconds must be" --out "$work/o.wav" --seconds 1e9
expect 2 "--rate must be" --out "$work/o.wav" --rate 1e9
expect 2 "--block must be" --out "$work/o.wav" --block 1e9
expect 2 "--bpm must be a tempo from 1 to 999" --out "$work/o.wav" --bpm 1e-300
expect 2 "--start-ppq must be" --out "$work/o.wav" --start-ppq 1e300
expect 1 "shorter than one sample" --out "$work/o.wav" --seconds 1e-9
expect 1 "is a folder" --out "$work/o.wav" --in "$work"
expect 2 "--set needs ID=VALUE" --out "$work/o.wav" --set LowLevel
expect 2 "built-in input only" --out "$work/o.wav" --in "$work/text.wav" --rate 48000
expect 1 "unknown parameter 'Loudness'" --out "$work/o.wav" --set Loudness=1
expect 1 "outside LowLevel's range" --out "$work/o.wav" --set LowLevel=1.5
expect 1 "does not exist" --out "$work/o.wav" --in "$work/missing.wav"
expect 1 "not a WAV file" --out "$work/o.wav" --in "$work/text.wav"
expect 1 "not a readable standard MIDI file" --out "$work/o.wav" --midi "$work/bad.mid"
expect 1 "not a readable KalvoPro preset" --out "$work/o.wav" --preset "$work/text.wav"
# Devices and named pipes are refused before they are opened: they block or never end.
mkfifo "$work/pipe"
for flag in --in --preset --midi; do
    expect 1 "is not a regular file" --out "$work/o.wav" $flag "$work/pipe"
    expect 1 "is not a regular file" --out "$work/o.wav" $flag /dev/zero
done
expect 1 "folder does not exist" --out "$work/no/such/o.wav"
# One byte over the 16 MiB limit: the sizes in bytes, where rounded ones would read alike.
truncate -s $((16 * 1024 * 1024 + 1)) "$work/over.mid"
expect 1 "too large (16777217 bytes; the limit is 16777216 bytes)" --out "$work/o.wav" --midi "$work/over.mid"
[ ! -e "$work/o.wav" ] || { echo "FAIL: a failed run left $work/o.wav"; failures=$((failures + 1)); }

expect 0 "0.500 s (24000 frames, 48000 Hz, stereo, 32-bit float)" --out "$work/o.wav" --rate 48000 --seconds 0.5 \
    --bpm 128 --meter 3/4 --start-ppq 2 --block 100 --set MixMaster=0.5 --preset "$preset"
[ -s "$work/o.wav" ] || { echo "FAIL: no output file"; failures=$((failures + 1)); }
expect 0 "x realtime" --out "$work/again.wav" --in "$work/o.wav" --stopped
# File names are taken as they are: spaces, quotes, shell characters, a leading dash, non-ASCII.
odd="$work/-odd 'name' \"\$(x)\" ünï.wav"
expect 0 "wrote $odd: 0.100 s" --out "$odd" --seconds 0.1
[ -s "$odd" ] || { echo "FAIL: no output under the odd name"; failures=$((failures + 1)); }

# Beyond a file size limit the write fails, saying why, and leaves nothing behind.
output=$(ulimit -f 100 && "$tool" --out "$work/big.wav" --seconds 2 2>&1)
status=$?
if [ "$status" -ne 1 ] || ! grep -qF "File too large" <<<"$output" || compgen -G "$work/big*" >/dev/null; then
    echo "FAIL: a render beyond a file size limit -> exit $status, output: $output"
    failures=$((failures + 1))
fi

# Interrupted renders leave neither the target nor the temporary file behind, and say so.
mkdir "$work/interrupted"
set -m # background jobs of a script ignore SIGINT otherwise
for signal in INT TERM HUP; do
    "$tool" --out "$work/interrupted/long.wav" --seconds 3000 >"$work/interrupted.log" 2>&1 &
    pid=$!
    # Once the temporary output file exists, the render is under way.
    for _ in $(seq 200); do
        [ -z "$(ls -A "$work/interrupted")" ] || break
        sleep 0.05
    done
    sleep 0.2
    kill -s "$signal" "$pid"
    wait "$pid"
    status=$?
    left=$(ls -A "$work/interrupted")
    if [ "$status" -lt 129 ] || [ -n "$left" ] || ! grep -q "nothing was written to $work/interrupted/long.wav" "$work/interrupted.log"; then
        echo "FAIL: SIG$signal during a render -> exit $status, left '$left', output: $(cat "$work/interrupted.log")"
        failures=$((failures + 1))
    else
        echo "ok: SIG$signal during a render -> $status, nothing left"
    fi
done
set +m

echo "$failures failed"
[ "$failures" -eq 0 ]
