#!/usr/bin/env bash
# Configures the project against a copy of the installed JUCE in which every file a source mend
# pins differs by one byte: a build without the plug-in formats compiles none of them and must
# configure; a build with them must refuse that JUCE.
# Usage: configure_on_another_juce.sh SOURCE_DIR JUCE_CONFIG_DIR WORK_DIR GENERATOR
set -euo pipefail
source=$1 juce_config=$2 work=$3 generator=$4
modules=$(sed -n 's/^set(JUCE_MODULES_DIR "\(.*\)" CACHE.*/\1/p' "$juce_config/JUCEConfig.cmake")
rm -rf "$work"
mkdir -p "$work/config"
cp -rs "$modules" "$work/modules"
for file in juce_gui_basics/juce_gui_basics.cpp juce_gui_basics/native/juce_linux_Windowing.cpp \
    juce_gui_basics/windows/juce_VBlankAttachement.cpp juce_audio_plugin_client/VST3/juce_VST3_Wrapper.cpp \
    juce_audio_processors/format_types/juce_VST3Common.h juce_audio_plugin_client/LV2/juce_LV2_Client.cpp \
    juce_audio_plugin_client/AAX/juce_AAX_Wrapper.cpp; do
    rm "$work/modules/$file"
    { cat "$modules/$file"; echo; } >"$work/modules/$file"
done
cp "$juce_config"/* "$work/config/"
sed -i "s|$modules|$work/modules|g" "$work/config/JUCEConfig.cmake"

configure() {
    cmake -S "$source" -B "$work/build-$1" -G "$generator" -DKALVO_PLUGIN="$1" -DKALVO_BENCH=OFF \
        -DJUCE_DIR="$work/config" >"$work/$1.log" 2>&1
}
if ! configure OFF; then
    tail -20 "$work/OFF.log"
    echo "FAIL: a build without the plug-in formats did not configure on another JUCE"
    exit 1
fi
if configure ON || ! grep -q "has SHA-256" "$work/ON.log"; then
    tail -20 "$work/ON.log"
    echo "FAIL: a build with the plug-in formats did not stop at a pinned file that differs"
    exit 1
fi
echo "without the plug-in formats the build configures on another JUCE; with them it stops"
