// The unknown interface: the first three operations of every interface of the component model.
#pragma once

#include "ACFBaseTypes.h"

class IACFUnknown
{
public:
    // On success the output refers to the requested interface and carries one reference.
    virtual ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) = 0;
    // The new reference count.
    virtual acfUInt32 AddRef() = 0;
    // The new reference count; at 0 the object destroys itself.
    virtual acfUInt32 Release() = 0;

protected:
    // Objects die through Release only.
    ~IACFUnknown() = default;
};
