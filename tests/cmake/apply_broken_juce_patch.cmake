# Applies a JUCE patch spoiled in one way (FAULT: `context`, a context line that no longer matches
# the file; `offset`, a hunk that says it starts two lines before its place) to the installed file
# in script mode, as the configure step does. The test passes on the refusal it must print.
# Usage: cmake -DSOURCE_DIR=... -DJUCE_MODULES=... -DWORK=... -DFAULT=... -P apply_broken_juce_patch.cmake
include(${SOURCE_DIR}/cmake/KalvoJuceEdits.cmake)
file(READ ${KALVO_JUCE_PATCHES}/juce_VST3Common.h.patch patch)
if(FAULT STREQUAL "context")
    string(REPLACE "\n         for (size_t busIndex" "\n         for (std::size_t busIndex" spoiled "${patch}")
else()
    string(REGEX REPLACE "\n@@ -690,7 \\+690,7 @@" "\n@@ -688,7 +688,7 @@" spoiled "${patch}")
endif()
if(spoiled STREQUAL patch)
    message(FATAL_ERROR "the ${FAULT} fault did not change the patch")
endif()
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/spoiled.patch "${spoiled}")
kalvo_apply_juce_patch(${JUCE_MODULES}/juce_audio_processors/format_types/juce_VST3Common.h
                       ${WORK}/spoiled.patch ${WORK}/juce_VST3Common.h)
message(FATAL_ERROR "the spoiled patch was applied")
