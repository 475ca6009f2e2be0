#pragma once

#include <cstdint>

// The largest settings file the standalone application reads. It holds the plug-in's state in
// base 64 and the audio device setup: twice the largest state document leaves room for both
// (StateDocument checks that it still does). A header of its own because JUCE's application,
// which includes it, needs nothing else of ours but RegularFileInput.
constexpr std::int64_t maxStandaloneSettingsBytes = 32 * 1024 * 1024;
