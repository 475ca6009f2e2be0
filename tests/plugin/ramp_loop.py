#!/usr/bin/env python3
"""The one-bar ramp the real-host tests load into the LV2, and the check of a recording of it.

ramp_loop.py state PRESET PLUGIN_URI BUNDLE
    Writes BUNDLE/state.ttl, a state made from PRESET whose first Main curve ramps from silence to
    full once a bar (the other lines' mixes at 0), and BUNDLE/manifest.ttl, which makes it a
    preset labelled "ramp" for hosts that look for presets (jalv loads the folder directly).
ramp_loop.py check BAR_SECONDS WAV
    Fails unless the ramp starts again every bar (one start hidden at most, one interval astray at
    most, the median one within 3 % of the bar) in the first channel of WAV (16-bit or float).
"""
import array, os, re, statistics, struct, sys


def write_state(preset, uri, bundle):
    text = open(preset, encoding="utf-8").read()

    def edit(element, **values):
        nonlocal text
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
    prefixes = ('@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n'
                '@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n'
                '@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n'
                '@prefix state: <http://lv2plug.in/ns/ext/state#> .\n\n')
    os.makedirs(bundle, exist_ok=True)
    with open(os.path.join(bundle, "state.ttl"), "w", encoding="utf-8") as f:
        f.write(prefixes + '<> a pset:Preset ;\n'
                '\trdfs:label "ramp" ;\n'
                '\tlv2:appliesTo <%s> ;\n'
                '\tstate:state [ <%s:StateString> "%s" ] .\n' % (uri, uri, encoded))
    with open(os.path.join(bundle, "manifest.ttl"), "w", encoding="utf-8") as f:
        f.write(prefixes + '<state.ttl> a pset:Preset ;\n'
                '\tlv2:appliesTo <%s> ;\n'
                '\trdfs:seeAlso <state.ttl> .\n' % uri)


def first_channel(path):
    """The first channel of a 16-bit PCM or 32-bit float WAV file, full scale 1, and its rate."""
    data = open(path, "rb").read()
    pos = 12
    while pos + 8 <= len(data):
        chunk, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        if chunk == b"fmt ":
            code, channels, rate, _, _, bits = struct.unpack("<HHIIHH", data[pos + 8:pos + 24])
        elif chunk == b"data":
            body = data[pos + 8:pos + 8 + size]
            break
        pos += 8 + size + (size & 1)
    if (code, bits) == (3, 32):
        samples = array.array("f", body)
        return samples[::channels], rate
    assert (code, bits) == (1, 16), f"{path}: format {code} with {bits} bits"
    samples = array.array("h", body)
    return [s / 32768.0 for s in samples[::channels]], rate


def check(bar_seconds, path):
    samples, rate = first_channel(path)
    # Peaks of 20 ms windows, against a level that a click of an overloaded machine cannot set. The
    # ramp starts again where a quiet window, and mostly quiet ones after it, follow loud ones.
    window = rate // 50
    peaks = [max(abs(s) for s in samples[i * window:(i + 1) * window]) for i in range(len(samples) // window)]
    level = sorted(peaks)[len(peaks) * 9 // 10]
    starts = []
    for i in range(3, len(peaks) - 5):
        if max(peaks[i - 3:i]) > 0.6 * level and peaks[i] < 0.3 * level and sorted(peaks[i:i + 5])[2] < 0.3 * level:
            if not starts or i - starts[-1] > 10:
                starts.append(i)
    # Then each start to the sample: the first of the quiet samples that end the window before it.
    # A click among them, or a dropout before them, moves a start by less than a window, no more
    # than finding it by windows did.
    for n, i in enumerate(starts):
        j = i * window
        while j > (i - 1) * window and abs(samples[j - 1]) < 0.3 * level:
            j -= 1
        starts[n] = j
    print("the ramp starts again at", [round(j / rate, 3) for j in starts], "s")
    print("peaks of 0.2 s:", [round(max(peaks[i:i + 10]), 2) for i in range(0, len(peaks), 10)])
    assert len(starts) >= 2, "the loop does not move: the ramp does not start again"
    # A loaded machine drops or delays blocks of a real-time recording and of a host's own bar
    # count, and may hide a start: each such slip moves one interval. The typical one, the median,
    # must be the bar within 3 % (a tempo read as 145 or 155 bpm instead of 150 fails),
    # and only one interval may stray further.
    bars_apart, per_bar = [], []
    for a, b in zip(starts, starts[1:]):
        seconds = (b - a) / rate
        bars_apart.append(max(1, round(seconds / bar_seconds)))
        per_bar.append(seconds / bars_apart[-1])
    median = statistics.median(per_bar)
    assert abs(median - bar_seconds) <= 0.03 * bar_seconds, \
        f"a bar lasted {median:.3f} s, not {bar_seconds} s"
    strays = [f"{seconds:.3f}" for seconds in per_bar if abs(seconds - bar_seconds) > 0.03 * bar_seconds]
    assert len(strays) <= 1, f"bars lasted {', '.join(strays)} s, not {bar_seconds} s"
    # One hidden start is forgiven, not more: a loop at half or a third of its speed restarts every
    # second or third bar, which starts hidden by chance could not tell from one bar.
    assert 1 in bars_apart and max(bars_apart) <= 2 and bars_apart.count(2) <= 1, \
        f"the ramp started again {bars_apart} bars apart, not every bar"
    print(f"one bar of {bar_seconds} s a loop")


if __name__ == "__main__":
    if sys.argv[1] == "state":
        write_state(*sys.argv[2:5])
    else:
        check(float(sys.argv[2]), sys.argv[3])
