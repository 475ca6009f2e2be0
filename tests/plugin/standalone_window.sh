#!/usr/bin/env bash
# Starts the standalone application on a virtual display with a settings file holding SCALE (or
# none), and checks that its window holds our editor at that scale: the editor's size plus the
# window's own frame, title bar and input notice. Leaves a screenshot in OUT. With fifo, the
# application's own settings file is a named pipe, which it must leave alone.
# Usage: standalone_window.sh APP WITH_XVFB SHOT_TOOL SCALE|none EDITOR_WIDTH EDITOR_HEIGHT OUT [fifo]
set -uo pipefail
app=$1 with_xvfb=$2 shot=$3 scale=$4 width=$5 height=$6 out=$7 fifo=${8:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME/.config/Orvane/KalvoPro/Presets"
fifo=${fifo:+$HOME/.config/KalvoPro.settings}
if [ "$scale" != none ]; then
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<Setting Scaling="%s" Skin="1" WaveView="1" WaveMainOnly="1" WaveLR="0"/>\n' \
        "$scale" >"$HOME/.config/Orvane/KalvoPro/Setting.xml"
fi
[ -z "$fifo" ] || mkfifo "$fifo"

cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
"$1" >"$2/log" 2>&1 &
pid=$!
size=
for attempt in $(seq 1 40); do
    sleep 0.25
    size=$("$3" KalvoPro "$4" 2>/dev/null) && break
done
sleep 0.5
"$3" KalvoPro "$4" >/dev/null 2>&1
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
echo "$size" >"$2/size"
INNER
chmod +x "$work/run.sh"
"$with_xvfb" "$work/run.sh" "$app" "$work" "$shot" "$out" >/dev/null 2>&1
size=$(cat "$work/size" 2>/dev/null)
# The standalone's document window: a one-pixel frame and a 26-pixel title bar around the editor,
# and above it JUCE's 30-pixel notice that the (stereo) audio input is muted against feedback.
expected="$((width + 2))x$((height + 58))"
if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error|JUCE Assertion failure' "$work/log"; then
    grep -v BadAtom "$work/log" | head -40
    echo "FAIL: the standalone application reported an error"
    exit 1
fi
[ -z "$fifo" ] || [ -p "$fifo" ] || { echo "FAIL: the named pipe at the settings path was replaced"; exit 1; }
if [ "$size" != "$expected" ]; then
    echo "FAIL: window $size, expected $expected (editor ${width}x${height})"
    exit 1
fi
echo "window $size holds the ${width}x${height} editor; screenshot $out"
