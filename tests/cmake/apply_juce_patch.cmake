# Applies a JUCE patch to the installed file in script mode, as the configure step does, either as
# it is (FAULT `none`) or spoiled in one way (`context`, a context line that no longer matches the
# file; `offset`, a hunk that says it starts two lines before its place). A spoiled patch passes on
# the refusal it must print, the patch as it is when it leaves the mended file.
# Usage: cmake -DSOURCE_DIR=... -DJUCE_MODULES=... -DWORK=... -DFAULT=... -P apply_juce_patch.cmake
include(${SOURCE_DIR}/cmake/KalvoJuceEdits.cmake)
file(READ ${KALVO_JUCE_PATCHES}/juce_VST3Common.h.patch patch)
if(FAULT STREQUAL "none")
    set(spoiled "${patch}")
elseif(FAULT STREQUAL "context")
    string(REPLACE "\n         for (size_t busIndex" "\n         for (std::size_t busIndex" spoiled "${patch}")
else()
    string(REGEX REPLACE "\n@@ -690,7 \\+690,7 @@" "\n@@ -688,7 +688,7 @@" spoiled "${patch}")
endif()
if(spoiled STREQUAL patch AND NOT FAULT STREQUAL "none")
    message(FATAL_ERROR "the ${FAULT} fault did not change the patch")
endif()
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/spoiled.patch "${spoiled}")
kalvo_apply_juce_patch(${JUCE_MODULES}/juce_audio_processors/format_types/juce_VST3Common.h
                       ${WORK}/spoiled.patch ${WORK}/juce_VST3Common.h)
if(NOT FAULT STREQUAL "none")
    message(FATAL_ERROR "the spoiled patch was applied")
endif()
file(STRINGS ${WORK}/juce_VST3Common.h mended REGEX "const auto& mapping = map\\[busIndex\\];")
if(NOT mended)
    message(FATAL_ERROR "the patch left no mended file")
endif()
