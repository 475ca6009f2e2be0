// The reference-counting base of every object that the plug-in hands to the host.
#pragma once

#include <atomic>

#include "ACF/IACFUnknown.h"

class CACFUnknown
{
public:
    CACFUnknown();
    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;
    virtual ~CACFUnknown();

    virtual ACFRESULT InitializeInstance (IACFUnknown* pUnkHost);
    // Runs once when the count reaches 0, before the object is deleted.
    virtual void FinalRelease();
    // Deletes the object.
    virtual void ReclaimMemory();
    // Answers IID_IACFUnknown with the private unknown; anything else with ACF_E_NOINTERFACE.
    virtual ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut);
    virtual acfUInt32 InternalAddRef();
    virtual acfUInt32 InternalRelease();

    // The number of live objects in the process: 0 means the module may be unloaded.
    static acfUInt32 GetActiveObjectCount();

protected:
    IACFUnknown* GetControllingUnknown() const noexcept { return m_ControllingUnknown; }

private:
    // The object's own unknown: forwards to the owner's Internal operations.
    class PrivateUnknown final : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown& ownerToUse) : owner (ownerToUse) {}
        ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown& owner;
    };

    std::atomic<acfSInt32> m_RefCount{ 0 };
    IACFUnknown* m_ControllingUnknown;
    PrivateUnknown m_PrivateUnknown;

    static std::atomic<acfSInt32> m_ActiveObjects;
};
