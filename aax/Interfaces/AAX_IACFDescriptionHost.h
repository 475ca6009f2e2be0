// The host's description services, version 1: what the host supports.
#pragma once

#include "AAX.h"
#include "ACF/IACFUnknown.h"

class AAX_IACFDescriptionHost : public IACFUnknown
{
public:
    virtual AAX_Result AcquireFeatureProperties (const acfUID& inFeatureID,
                                                 IACFUnknown** outFeatureProperties) = 0;

protected:
    ~AAX_IACFDescriptionHost() = default;
};
