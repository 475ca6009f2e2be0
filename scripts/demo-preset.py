#!/usr/bin/env python3
"""Writes scripts/demo.kvp, the preset scripts/demo renders with: in state 0 the Low line ducks
on every beat, the Mid line gates on half bars and the High line gates on eighth bars; every
other curve is flat. Run it again after changing the curves below."""
import pathlib

PARAMETERS = [("Power", 1), ("MixMaster", 1), ("MixMain", 1), ("MixLow", 1), ("MixMid", 1), ("MixHigh", 1),
              ("LowLevel", 0.5), ("MidLevel", 0.5), ("HighLevel", 0.5), ("LowSolo", 0), ("LowMute", 0),
              ("MidSolo", 0), ("MidMute", 0), ("HighSolo", 0), ("HighMute", 0), ("State", 0), ("LineCH", 0)]
LINES = ["Main", "Low", "Mid", "High"]
FLAT = [(0.0, 1.0), (1.0, 1.0)]
# line -> (loop-length position, points); positions on the sync table: 0.5 half a bar, 0.63 a
# quarter bar, 0.8333 an eighth of a bar.
DEMO = {
    1: (0.63, [(0.0, 0.05), (0.5, 1.0), (1.0, 1.0)]),
    2: (0.5, [(0.0, 1.0), (0.48, 1.0), (0.5, 0.08), (0.98, 0.08), (1.0, 1.0)]),
    3: (0.8333, [(0.0, 1.0), (0.4, 1.0), (0.5, 0.05), (0.9, 0.05), (1.0, 1.0)]),
}


def points(curve):
    attributes = []
    for i in range(50):
        if i < len(curve):
            x, y = curve[i]
            attributes += [(f"Point{i}x", x), (f"Point{i}y", y), (f"Point{i}tn", 0), (f"Point{i}indx", i),
                           (f"Point{i}type", 1)]
        else:
            attributes += [(f"Point{i}x", 2), (f"Point{i}y", 0), (f"Point{i}tn", 0), (f"Point{i}indx", -1),
                           (f"Point{i}type", 1)]
    return attributes


def element(name, attributes):
    return "  <" + name + " " + " ".join(f'{key}="{value}"' for key, value in attributes) + "/>"


lines = ['<?xml version="1.0" encoding="UTF-8"?>',
         '<KalvoParamTree PresetName="Demo" SnapX="1" SnapY="1" ChangeImdtly="0" LinkMix="1">']
lines += [f'  <PARAM id="{pid}" value="{value}"/>' for pid, value in PARAMETERS]
for line_index, line in enumerate(LINES):
    for state in range(12):
        length, curve = DEMO.get(line_index, (0.63, FLAT)) if state == 0 else (0.63, FLAT)
        first = []
        if line_index == 0:
            first += [("LMFreq", 0.242), ("HMFreq", 0.7627), ("stateMIDICon", 0), ("stateMIDINote", 60 + state)]
        first += [("Lenght", length), ("Sync", 1), ("BandMix", 1), ("BandGlide", 10)]
        lines.append(element(f"LinePoints{line}1St{state}", first + points(curve)))
        lines.append(element(f"LinePoints{line}2St{state}", points(FLAT)))
lines.append("</KalvoParamTree>")
target = pathlib.Path(__file__).with_name("demo.kvp")
target.write_text("\r\n".join(lines) + "\r\n", encoding="utf-8")
print(f"wrote {target}")
