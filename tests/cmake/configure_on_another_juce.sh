#!/usr/bin/env bash
# Configures the project against a copy of the installed JUCE in which every file a source mend
# pins differs by one byte: without the plug-in formats it must configure; with them it must stop.
# Usage: configure_on_another_juce.sh SOURCE_DIR JUCE_CONFIG_DIR WORK_DIR GENERATOR
set -euo pipefail
source=$1 config=$2 work=$3 generator=$4
modules=$(sed -n 's/^set(JUCE_MODULES_DIR "\(.*\)" CACHE.*/\1/p' "$config/JUCEConfig.cmake")
rm -rf "$work" && mkdir -p "$work" && cp -rs "$modules" "$work/modules" && cp -r "$config" "$work/config"
sed -i "s|$modules|$work/modules|g" "$work/config/JUCEConfig.cmake"
for file in juce_gui_basics/{juce_gui_basics.cpp,native/juce_linux_Windowing.cpp,windows/juce_VBlankAttachement.cpp} \
    juce_audio_plugin_client/{VST3/juce_VST3_Wrapper.cpp,LV2/juce_LV2_Client.cpp,AAX/juce_AAX_Wrapper.cpp,Standalone/juce_StandaloneFilterApp.cpp} \
    juce_audio_processors/format_types/juce_VST3Common.h; do
    rm "$work/modules/$file" && { cat "$modules/$file" && echo; } >"$work/modules/$file"
done
configure() { cmake -S "$source" -B "$work/$1" -G "$generator" -DKALVO_PLUGIN="$1" -DJUCE_DIR="$work/config" >"$work/$1.log" 2>&1; }
configure OFF || { tail -20 "$work/OFF.log"; echo "FAIL: no headless build on another JUCE"; exit 1; }
! configure ON && grep -q "has SHA-256" "$work/ON.log" || { echo "FAIL: the formats took another JUCE"; exit 1; }
echo "without the plug-in formats the build configures on another JUCE; with them it stops"
