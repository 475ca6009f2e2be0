// The plug-in's registration as the framework's wrapper performs it, written against the binding's
// interfaces only: used as the description routine of the test binaries and of the test module.
#pragma once

#include "AAX.h"

class AAX_ICollection;

namespace kalvo::aaxtest
{
// The algorithm context the audio callback receives, as a plug-in declares its own.
struct KalvoProAlgorithmContext
{
    float* const* inputChannels;
    float* const* outputChannels;
    int32_t* bufferSize;
};

// Stand-ins for the wrapper's factory functions and audio callback: distinct addresses the
// registration hands to the host.
struct KalvoProProcs
{
    static void* CreateEffectGUI();
    static void* CreateEffectParameters();
    // Typed over the plug-in's own context, as the wrapper's callback is.
    static void AudioCallback (KalvoProAlgorithmContext* const inInstancesBegin[],
                               const void* const inInstancesEnd);
};

AAX_Result DescribeKalvoPro (AAX_ICollection* collection);
} // namespace kalvo::aaxtest
