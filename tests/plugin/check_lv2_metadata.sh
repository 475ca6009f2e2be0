#!/usr/bin/env bash
# What the LV2 bundle's turtle tells a host about the plug-in: its class as lilv reports it (the
# dynamics class of its VST3), its name, its project's maker and mailbox, stereo audio in and out,
# MIDI in on the event input, and no MIDI out. The turtle also passes lv2_validate, its values are
# decimals, and the UI's turtle does not offer the deprecated ui:resize as extension data.
# Usage: check_lv2_metadata.sh LV2_BUNDLE PLUGIN_URI
set -euo pipefail
bundle=$(cd "$1" && pwd)
uri=$2
for tool in sordi lv2_validate lv2info python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (scripts/setup installs sordi, lv2-dev, lilv-utils and python3)"; exit 1; }
done
triples=$(mktemp)
trap 'rm -f "$triples"' EXIT
for ttl in "$bundle"/*.ttl; do
    # An absolute path, so relative references resolve as a host resolves them.
    sordi -o ntriples "$ttl" >>"$triples" || { echo "FAIL: $ttl does not parse"; exit 1; }
done

# Against the LV2 vocabularies installed with lv2-dev; it exits non-zero on any error.
lv2_validate "$bundle"/*.ttl || { echo "FAIL: lv2_validate found errors in the turtle"; exit 1; }
# Hosts list the plug-in under the class lilv finds beside the system's vocabularies (lv2-dev's).
class=$(LV2_PATH="$(dirname "$bundle"):/usr/lib/lv2" lv2info "$uri" | sed -n '1,/Class:/ s/^\s*Class:\s*//p') || true
[ "$class" = "Dynamics Plugin" ] || { echo "FAIL: lilv files the plug-in under class \"$class\", not Dynamics Plugin"; exit 1; }

python3 - "$triples" "$uri" <<'PY'
import collections, re, sys
triple = re.compile(r'^(\S+) <([^>]*)> (.*) \.$')
facts = collections.defaultdict(lambda: collections.defaultdict(set))
for line in open(sys.argv[1], encoding="utf-8"):
    m = triple.match(line.strip())
    if m:
        facts[m.group(1)][m.group(2)].add(m.group(3))
plugin = "<" + sys.argv[2] + ">"
LV2, ATOM, RDF = "http://lv2plug.in/ns/lv2core#", "http://lv2plug.in/ns/ext/atom#", "http://www.w3.org/1999/02/22-rdf-syntax-ns#"
DOAP, FOAF = "http://usefulinc.com/ns/doap#", "http://xmlns.com/foaf/0.1/"
MIDI = "<http://lv2plug.in/ns/ext/midi#MidiEvent>"
failures = []
def check(condition, text):
    print(("ok: " if condition else "FAIL: ") + text)
    if not condition:
        failures.append(text)

check(f"<{LV2}Plugin>" in facts[plugin][RDF + "type"], "the URI names an lv2:Plugin")
check(facts[plugin][DOAP + "name"] == {'"KalvoPro"'}, "doap:name is KalvoPro")
projects = facts[plugin][LV2 + "project"]
check(len(projects) == 1 and all(f"<{DOAP}Project>" in facts[p][RDF + "type"] and facts[p][DOAP + "release"]
                                 and facts[p][DOAP + "name"] == {'"KalvoPro"'} for p in projects),
      "lv2:project names one doap:Project, KalvoPro, with a release")
maintainers = {m for p in projects for m in facts[p][DOAP + "maintainer"]}
makers = {name for m in maintainers for name in facts[m][FOAF + "name"]}
check(makers == {'"Orvane"'}, "the maintainer is Orvane")
mboxes = {box for m in maintainers for box in facts[m][FOAF + "mbox"]}
check(mboxes == {"<mailto:support@orvane.example>"}, "the maintainer's mailbox is a mailto: address")

ports = facts[plugin][LV2 + "port"]
def kinds(port):
    return {t.strip("<>").rsplit("#", 1)[-1] for t in facts[port][RDF + "type"]}
audio_in = [p for p in ports if {"AudioPort", "InputPort"} <= kinds(p)]
audio_out = [p for p in ports if {"AudioPort", "OutputPort"} <= kinds(p)]
check(len(audio_in) == 2 and len(audio_out) == 2, "two audio inputs and two audio outputs")
midi_in = [p for p in ports if {"AtomPort", "InputPort"} <= kinds(p) and MIDI in facts[p][ATOM + "supports"]]
midi_out = [p for p in ports if "OutputPort" in kinds(p) and MIDI in facts[p][ATOM + "supports"]]
check(len(midi_in) == 1, "one event input that takes MIDI")
check(not midi_out, "no output carries MIDI")

XSD_INTEGER = "^^<http://www.w3.org/2001/XMLSchema#integer>"
integers = [(s, p) for s, props in facts.items() for p in (LV2 + "default", LV2 + "minimum", LV2 + "maximum")
            for v in props.get(p, ()) if v.endswith(XSD_INTEGER)]
check(not integers, "every default, minimum and maximum is a decimal")
UI = "http://lv2plug.in/ns/extensions/ui#"
check(not any(f"<{UI}resize>" in props.get(LV2 + "extensionData", ()) for props in facts.values()),
      "no UI's turtle lists the deprecated ui:resize as extension data")
sys.exit(1 if failures else 0)
PY
echo "LV2 metadata checked"
