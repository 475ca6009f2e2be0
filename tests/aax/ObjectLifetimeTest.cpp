// Reference counting, the live-object count and interface queries of the binding's own objects.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "AAX_CEffectGUI.h"
#include "AAX_CEffectParameters.h"
#include "AAX_UIDs.h"
#include "AcfExports.h"
#include "CACFUnknown.h"

namespace
{
constexpr ACFRESULT noInterface = static_cast<ACFRESULT> (0x80000004u);
constexpr ACFRESULT nullPointer = static_cast<ACFRESULT> (0x80000005u);

std::vector<std::string>& Events()
{
    static std::vector<std::string> events;
    return events;
}

class TestEffectParameters final : public AAX_CEffectParameters
{
public:
    ~TestEffectParameters() override { Events().push_back ("destroyed"); }
    void FinalRelease() override { Events().push_back ("final release"); }
};

class TestEffectGUI final : public AAX_CEffectGUI
{
    void CreateViewContents() override {}
    void CreateViewContainer() override {}
    void DeleteViewContainer() override {}
};

// An object whose tear-down queries its own interfaces, as destructor paths sometimes do.
class SelfQueryingObject final : public AAX_CEffectParameters
{
public:
    ~SelfQueryingObject() override
    {
        QueryOwnUnknownAndRelease();
        ++destructions;
    }
    void FinalRelease() override { QueryOwnUnknownAndRelease(); }

    static int destructions;

private:
    void QueryOwnUnknownAndRelease()
    {
        void* self = nullptr;
        if (QueryInterface (IID_IAAXEffectParametersV1, &self) == 0)
            static_cast<IACFUnknown*> (self)->Release();
    }
};

int SelfQueryingObject::destructions = 0;

// Takes the host's first reference, as the host's first query does.
template <class Object>
IACFUnknown* HandOut (Object* object)
{
    void* out = nullptr;
    EXPECT_EQ (object->InternalQueryInterface (IID_IACFUnknown, &out), 0);
    return static_cast<IACFUnknown*> (out);
}
} // namespace

TEST (ObjectLifetime, LiveObjectCountGoesZeroOneZero)
{
    EXPECT_EQ (ACFCanUnloadNow (nullptr), 0);
    IACFUnknown* unknown = HandOut (new TestEffectParameters());
    EXPECT_EQ (ACFCanUnloadNow (nullptr), 1);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 1u);
    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (ACFCanUnloadNow (nullptr), 0);
}

TEST (ObjectLifetime, NewObjectStartsWithoutReferences)
{
    auto* object = new TestEffectParameters();
    EXPECT_EQ (object->AddRef(), 1u);
    EXPECT_EQ (object->AddRef(), 2u);
    EXPECT_EQ (object->Release(), 1u);
    EXPECT_EQ (object->Release(), 0u);
}

TEST (ObjectLifetime, FinalReleaseRunsBeforeTheObjectIsDeleted)
{
    Events().clear();
    IACFUnknown* unknown = HandOut (new TestEffectParameters());
    unknown->Release();
    EXPECT_EQ (Events(), (std::vector<std::string>{ "final release", "destroyed" }));
}

TEST (ObjectLifetime, EveryEffectParametersVersionAnswersWithTheSamePointer)
{
    auto* object = new TestEffectParameters();
    IACFUnknown* unknown = HandOut (object);

    void* versions[4] = {};
    const acfIID* iids[4] = { &IID_IAAXEffectParametersV1, &IID_IAAXEffectParametersV2,
                              &IID_IAAXEffectParametersV3, &IID_IAAXEffectParametersV4 };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (unknown->QueryInterface (*iids[i], &versions[i]), 0);
        ASSERT_NE (versions[i], nullptr);
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (versions[i], static_cast<void*> (static_cast<AAX_IACFEffectParameters_V4*> (object)));

    // One reference from HandOut, one per query: the next AddRef makes six.
    EXPECT_EQ (object->AddRef(), 6u);
    object->Release();
    for (void* version : versions)
        static_cast<IACFUnknown*> (version)->Release();
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 1u);
    unknown->Release();
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 0u);
}

TEST (ObjectLifetime, UnknownQueryAnswersThePrivateUnknown)
{
    auto* object = new TestEffectParameters();
    IACFUnknown* unknown = HandOut (object);

    void* viaHostFacing = nullptr;
    ASSERT_EQ (object->QueryInterface (IID_IACFUnknown, &viaHostFacing), 0);
    EXPECT_EQ (viaHostFacing, static_cast<void*> (unknown));
    EXPECT_NE (viaHostFacing, static_cast<void*> (static_cast<AAX_IACFEffectParameters_V4*> (object)));
    static_cast<IACFUnknown*> (viaHostFacing)->Release();
    unknown->Release();
}

TEST (ObjectLifetime, QueryForAMissingInterfaceAnswersNoInterfaceAndNull)
{
    auto* object = new TestEffectParameters();
    IACFUnknown* unknown = HandOut (object);
    int marker = 0;
    void* out = &marker;
    EXPECT_EQ (unknown->QueryInterface (IID_IAAXEffectGUIV1, &out), noInterface);
    EXPECT_EQ (out, nullptr);
    EXPECT_EQ (object->AddRef(), 2u);
    object->Release();
    unknown->Release();
}

TEST (ObjectLifetime, QueryWithNullOutputIsRefusedWithoutWriting)
{
    auto* object = new TestEffectParameters();
    IACFUnknown* unknown = HandOut (object);
    EXPECT_EQ (unknown->QueryInterface (IID_IAAXEffectParametersV4, nullptr), nullPointer);
    EXPECT_EQ (unknown->QueryInterface (IID_IACFUnknown, nullptr), nullPointer);
    EXPECT_EQ (object->QueryInterface (IID_IAAXEffectGUIV1, nullptr), nullPointer);
    EXPECT_EQ (object->AddRef(), 2u);
    object->Release();
    unknown->Release();

    auto* gui = new TestEffectGUI();
    IACFUnknown* guiUnknown = HandOut (gui);
    EXPECT_EQ (guiUnknown->QueryInterface (IID_IAAXEffectGUIV1, nullptr), nullPointer);
    guiUnknown->Release();
}

TEST (ObjectLifetime, GuiObjectAnswersOnlyItsOwnInterface)
{
    auto* gui = new TestEffectGUI();
    IACFUnknown* unknown = HandOut (gui);

    void* out = nullptr;
    ASSERT_EQ (unknown->QueryInterface (IID_IAAXEffectGUIV1, &out), 0);
    EXPECT_EQ (out, static_cast<void*> (static_cast<AAX_IACFEffectGUI*> (gui)));
    static_cast<IACFUnknown*> (out)->Release();

    out = unknown;
    EXPECT_EQ (unknown->QueryInterface (IID_IAAXEffectParametersV1, &out), noInterface);
    EXPECT_EQ (out, nullptr);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 1u);
    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 0u);
}

TEST (ObjectLifetime, SelfQueryDuringTearDownDestroysTheObjectExactlyOnce)
{
    SelfQueryingObject::destructions = 0;
    IACFUnknown* unknown = HandOut (new SelfQueryingObject());
    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (SelfQueryingObject::destructions, 1);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 0u);
}

TEST (ObjectLifetime, ReferencesFromManyThreadsDestroyTheObjectOnce)
{
    SelfQueryingObject::destructions = 0;
    IACFUnknown* unknown = HandOut (new SelfQueryingObject());
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back (
            [unknown]
            {
                for (int i = 0; i < 2000; ++i)
                {
                    unknown->AddRef();
                    void* again = nullptr;
                    unknown->QueryInterface (IID_IAAXEffectParametersV3, &again);
                    static_cast<IACFUnknown*> (again)->Release();
                    unknown->Release();
                }
            });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ (SelfQueryingObject::destructions, 0);
    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (SelfQueryingObject::destructions, 1);
}
