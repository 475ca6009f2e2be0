// The host's object factory.
#pragma once

#include "IACFUnknown.h"

class IACFComponentFactory : public IACFUnknown
{
public:
    // Creates component clsid (never aggregated here: outer is null) and answers it as interface iid.
    virtual ACFRESULT CreateComponent (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid,
                                       void** ppOut) = 0;

protected:
    ~IACFComponentFactory() = default;
};
