// The host's transport, version 2: selection, time code, feet and frames, metronome.
#pragma once

#include "AAX_IACFTransport.h"
#include "AAX_TransportTypes.h"

class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* oSampleLocation) = 0;
    virtual AAX_Result GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset) = 0;
    virtual AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset) = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* isEnabled) = 0;

protected:
    ~AAX_IACFTransport_V2() = default;
};
