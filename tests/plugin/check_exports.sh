#!/usr/bin/env bash
# A plug-in binary exports its format's entry points and nothing of JUCE or of ours, so a host
# that carries its own JUCE (or a second plug-in built with JUCE) cannot bind to our copy.
set -euo pipefail
status=0
check() {
    local binary=$1; shift
    local exported
    exported=$(nm -D --defined-only "$binary" | awk '$2 ~ /^[TDB]$/ {print $3}')
    for symbol in "$@"; do
        grep -qx "$symbol" <<<"$exported" || { echo "FAIL: $binary does not export $symbol"; status=1; }
    done
    local leaked
    leaked=$(nm -D --defined-only -C "$binary" | grep -E '^[0-9a-f]+ [A-Za-z] (juce::|LineEditor|createPluginFilter)' || true)
    if [ -n "$leaked" ]; then
        echo "FAIL: $binary exports internal symbols:"; echo "$leaked" | head -20; status=1
    fi
    echo "checked $binary"
}
check "$1" GetPluginFactory ModuleEntry ModuleExit
check "$2" lv2_descriptor
exit $status
