// The plug-in's effect parameters as the host sees them, version 2: hybrid rendering and MIDI
// nodes.
#pragma once

#include "AAX_CMidiPacket.h"
#include "AAX_IACFEffectParameters.h"

struct AAX_SHybridRenderInfo;

// Answered for IID_IAAXEffectParametersV2.
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* ioRenderInfo) = 0;
    virtual AAX_Result UpdateMIDINodes (AAX_CFieldIndex inFieldIndex, AAX_CMidiPacket& iPacket) = 0;
    virtual AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& iPacket) = 0;

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};
