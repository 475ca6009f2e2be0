#include "AAX_VDescriptionHost.h"

#include "AAX_Errors.h"
#include "AAX_HostInterfaceAccess.h"
#include "AAX_UIDs.h"
#include "AAX_VFeatureInfo.h"

AAX_VDescriptionHost::AAX_VDescriptionHost (IACFUnknown* pUnkHost)
{
    if (pUnkHost == nullptr)
        return;
    AAX::QueryHostInterface (pUnkHost, IID_IAAXDescriptionHostV1, mDescriptionHostV1);
    AAX::QueryHostInterface (pUnkHost, IID_IACFDefinition, mHostInformation);
}

AAX_VDescriptionHost::~AAX_VDescriptionHost()
{
    mHostInformation.reset();
    mDescriptionHostV1.reset();
}

const AAX_IFeatureInfo*
AAX_VDescriptionHost::AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const
{
    if (!mDescriptionHostV1)
        return nullptr;

    // The host hands the feature out with one reference; the proxy takes its own, so ours goes back.
    IACFUnknown* feature = nullptr;
    const AAX_Result result = mDescriptionHostV1->AcquireFeatureProperties (inFeatureID, &feature);
    ACFPtr<IACFUnknown> handedOut;
    handedOut.attach (feature);

    if (result != AAX_SUCCESS || !handedOut)
        return nullptr;
    return new AAX_VFeatureInfo (handedOut.get(), inFeatureID);
}
