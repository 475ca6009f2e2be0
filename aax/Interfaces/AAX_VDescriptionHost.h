// Proxy for the host's description services and its definition object.
#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IDescriptionHost.h"
#include "ACF/ACFPtr.h"
#include "ACF/IACFDefinition.h"

class AAX_VDescriptionHost : public AAX_IDescriptionHost
{
public:
    explicit AAX_VDescriptionHost (IACFUnknown* pUnkHost);
    ~AAX_VDescriptionHost() override;
    AAX_VDescriptionHost (const AAX_VDescriptionHost&) = delete;
    AAX_VDescriptionHost& operator= (const AAX_VDescriptionHost&) = delete;

    const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const override;

    // True when the host offers description services.
    bool Supported() const noexcept { return static_cast<bool> (mDescriptionHostV1); }
    IACFDefinition* HostDefinition() const noexcept { return mHostInformation.get(); }

private:
    ACFPtr<AAX_IACFDescriptionHost> mDescriptionHostV1;
    ACFPtr<IACFDefinition> mHostInformation;
};
