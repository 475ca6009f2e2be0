// The plug-in's registration as the framework's wrapper performs it, written against the binding's
// interfaces only: used as the description routine of the test binaries and of the test module.
#pragma once

#include "AAX.h"

class AAX_ICollection;

namespace kalvo::aaxtest
{
// Stand-ins for the wrapper's factory functions and audio callback: distinct addresses the
// registration hands to the host.
struct KalvoProProcs
{
    static void* CreateEffectGUI();
    static void* CreateEffectParameters();
    static void AudioCallback (void* const inInstancesBegin[], const void* inInstancesEnd);
};

AAX_Result DescribeKalvoPro (AAX_ICollection* collection);
} // namespace kalvo::aaxtest
