#include "CACFUnknown.h"

#include "ACF/ACFUIDs.h"

namespace
{
// While an object is being destroyed its count holds this value, so that an AddRef and Release
// pair made from FinalRelease or the destructor (a query of the object's own interfaces, say)
// never takes the count to 0 a second time.
constexpr acfSInt32 destructionGuard = 0x40000000;
} // namespace

std::atomic<acfSInt32> CACFUnknown::m_ActiveObjects{ 0 };

CACFUnknown::CACFUnknown() : m_ControllingUnknown (&m_PrivateUnknown), m_PrivateUnknown (*this)
{
    ++m_ActiveObjects;
}

CACFUnknown::~CACFUnknown()
{
    --m_ActiveObjects;
}

ACFRESULT CACFUnknown::InitializeInstance (IACFUnknown*)
{
    return ACF_OK;
}

void CACFUnknown::FinalRelease() {}

void CACFUnknown::ReclaimMemory()
{
    delete this;
}

ACFRESULT CACFUnknown::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    *ppvObjOut = nullptr;
    if (riid == IID_IACFUnknown)
    {
        *ppvObjOut = static_cast<IACFUnknown*> (&m_PrivateUnknown);
        m_PrivateUnknown.AddRef();
        return ACF_OK;
    }
    return ACF_E_NOINTERFACE;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return static_cast<acfUInt32> (++m_RefCount);
}

acfUInt32 CACFUnknown::InternalRelease()
{
    const acfSInt32 count = --m_RefCount;
    if (count == 0)
    {
        m_RefCount = destructionGuard;
        FinalRelease();
        ReclaimMemory();
        return 0;
    }
    return static_cast<acfUInt32> (count);
}

acfUInt32 CACFUnknown::GetActiveObjectCount()
{
    return static_cast<acfUInt32> (m_ActiveObjects.load());
}

ACFRESULT CACFUnknown::PrivateUnknown::QueryInterface (const acfIID& iid, void** ppOut)
{
    return owner.InternalQueryInterface (iid, ppOut);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef()
{
    return owner.InternalAddRef();
}

acfUInt32 CACFUnknown::PrivateUnknown::Release()
{
    return owner.InternalRelease();
}
