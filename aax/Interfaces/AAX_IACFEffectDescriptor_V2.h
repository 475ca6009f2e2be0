// The host's description of one effect, version 2: adds control MIDI nodes.
#pragma once

#include "AAX_IACFEffectDescriptor.h"

class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor
{
public:
    virtual AAX_Result AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType,
                                           const char* inNodeName, uint32_t inChannelMask) = 0;

protected:
    ~AAX_IACFEffectDescriptor_V2() = default;
};
