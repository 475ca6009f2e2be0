// Compiled with -fno-rtti (tests/aax/CMakeLists.txt): the object's class has no type information.
#include "NoTypeInfoUnknown.h"

#include "AAX_UIDs.h"

namespace kalvo::aaxtest
{
class NoTypeInfoUnknown::Object final : public IACFUnknown
{
public:
    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override
    {
        if (ppOut == nullptr)
            return ACF_E_POINTER;
        *ppOut = nullptr;
        if (!(iid == IID_IACFUnknown || iid == IID_IAAXEffectParametersV1))
            return ACF_E_NOINTERFACE;
        *ppOut = static_cast<IACFUnknown*> (this);
        AddRef();
        return ACF_OK;
    }
    acfUInt32 AddRef() override { return static_cast<acfUInt32> (++count); }
    acfUInt32 Release() override { return static_cast<acfUInt32> (--count); }

    int count = 0;
};

NoTypeInfoUnknown::NoTypeInfoUnknown() : object (std::make_unique<Object>()) {}
NoTypeInfoUnknown::~NoTypeInfoUnknown() = default;

IACFUnknown* NoTypeInfoUnknown::identity() noexcept
{
    return object.get();
}

int NoTypeInfoUnknown::references() const noexcept
{
    return object->count;
}
} // namespace kalvo::aaxtest
