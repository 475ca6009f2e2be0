// The GUI base as the host drives it: the instance's effect parameters from the host unknown, view
// containers set and removed, parameter updates, and tear-down with or without Uninitialize.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AAX_CEffectGUI.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AaxHostTest.h"
#include "HostInstance.h"
#include "HostViewContainer.h"
#include "NoTypeInfoUnknown.h"
#include "TestEffect.h"

using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::HostInstance;
using kalvo::aaxhost::HostViewContainer;
using kalvo::aaxtest::Held;
using kalvo::aaxtest::NoTypeInfoUnknown;
using kalvo::aaxtest::ParameterSpec;
using kalvo::aaxtest::TestEffect;

namespace
{
class RecordingGUI final : public AAX_CEffectGUI
{
public:
    AAX_Result ParameterUpdated (AAX_CParamID id) override
    {
        events.push_back (std::string ("updated ") + id);
        return AAX_SUCCESS;
    }

    std::vector<std::string> events;
    bool throwOnContainer = false;
    bool throwOnContents = false;

protected:
    void CreateViewContents() override
    {
        events.push_back ("contents");
        if (throwOnContents)
            throw std::runtime_error ("no window");
    }
    void CreateViewContainer() override
    {
        events.push_back ("container");
        if (throwOnContainer)
            throw std::bad_alloc();
    }
    void DeleteViewContainer() override { events.push_back ("delete"); }
};

class EffectGUI : public kalvo::aaxtest::AaxHostTest
{
protected:
    void SetUp() override
    {
        ASSERT_EQ (effect->Initialize (instance.identity()), AAX_SUCCESS);
        guiHost.setEffectParameters (static_cast<AAX_IACFEffectParameters*> (effect));
    }

    void TearDown() override
    {
        gui.reset();
        effect->Uninitialize();
        effectHolder.reset();
        AaxHostTest::TearDown();
    }

    std::vector<std::string> takeEvents() { return std::exchange (gui->get()->events, {}); }
    IACFUnknown* view (int32_t type = 0, void* native = nullptr)
    {
        return host.make<HostViewContainer> (std::set<int>{ 1, 2 }, type, native).identity();
    }

    HostInstance& instance = host.make<HostInstance>();
    HostInstance& guiHost = host.make<HostInstance>();
    std::unique_ptr<Held<TestEffect>> effectHolder = std::make_unique<Held<TestEffect>> (
        new TestEffect ({ { ParameterSpec::Kind::Float, "MixLow", 0.5 },
                          { ParameterSpec::Kind::Float, "MixMid", 0.5 },
                          { ParameterSpec::Kind::Float, "MixHigh", 0.5 } },
                        false));
    TestEffect* effect = effectHolder->get();
    std::unique_ptr<Held<RecordingGUI>> gui = std::make_unique<Held<RecordingGUI>> (new RecordingGUI());
};
} // namespace

TEST_F (EffectGUI, OpensReplacesAndClosesViews)
{
    RecordingGUI& g = **gui;
    EXPECT_EQ (g.Initialize (guiHost.identity()), AAX_SUCCESS);
    EXPECT_EQ (g.GetEffectParameters(), effect);
    EXPECT_EQ (takeEvents(), (std::vector<std::string>{ "contents" }));
    EXPECT_EQ (g.GetViewContainerType(), 0);
    EXPECT_EQ (g.GetViewContainerPtr(), nullptr);

    int nativeView = 0;
    EXPECT_EQ (g.SetViewContainer (view (1, &nativeView)), AAX_SUCCESS);
    EXPECT_EQ (takeEvents(), (std::vector<std::string>{ "container", "updated MixLow", "updated MixMid",
                                                        "updated MixHigh" }));
    EXPECT_EQ (g.GetViewContainerType(), 1);
    EXPECT_EQ (g.GetViewContainerPtr(), &nativeView);
    EXPECT_EQ (g.SetViewContainer (view (3)), AAX_SUCCESS); // the first is replaced and given back
    EXPECT_EQ (takeEvents(), (std::vector<std::string>{ "container", "updated MixLow", "updated MixMid",
                                                        "updated MixHigh" }));
    EXPECT_EQ (host.find<HostViewContainer> ("ViewContainer#1")->references(), 0);
    EXPECT_EQ (g.GetViewContainerType(), 3);

    EXPECT_EQ (g.SetViewContainer (nullptr), AAX_SUCCESS);
    EXPECT_EQ (g.SetViewContainer (nullptr), AAX_SUCCESS); // without a view: still one delete
    EXPECT_EQ (takeEvents(), (std::vector<std::string>{ "delete", "delete" }));
    EXPECT_EQ (g.GetViewContainer(), nullptr);

    AAX_Point size{ 1.0f, 2.0f };
    EXPECT_EQ (g.GetViewSize (&size), AAX_SUCCESS);
    EXPECT_EQ (size.horz, 2.0f);
    EXPECT_EQ (g.GetCustomLabel (AAX_ePlugInStrings_Analysis, nullptr), AAX_ERROR_NULL_OBJECT);

    EXPECT_EQ (g.SetViewContainer (view()), AAX_SUCCESS);
    takeEvents();
    EXPECT_EQ (g.Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (g.Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (takeEvents(), (std::vector<std::string>{ "delete" }));
    EXPECT_EQ (g.GetEffectParameters(), nullptr);
}

// What the host answers for the effect parameters: only this binding's object, with its reference,
// is kept; anything else handed back is released.
TEST_F (EffectGUI, KeepsOnlyTheBindingsEffectParameters)
{
    struct Row
    {
        const char* name;
        std::function<void()> arrange;
        bool kept;
    };
    HostInstance& stranger = host.make<HostInstance>();
    NoTypeInfoUnknown strangerWithoutTypeInfo;
    HostInstance* rowHost = &guiHost;
    const std::vector<Row> rows = {
        { "answered", [] {}, true },
        { "failed with an object",
          [&] { host.inject (IID_IAAXEffectParametersV1, HostInjection::FailWithObject); }, false },
        { "success with null",
          [&] { host.inject (IID_IAAXEffectParametersV1, HostInjection::SucceedWithNull); }, false },
        { "foreign object", [&] { rowHost->setEffectParameters (stranger.identity()); }, false },
        { "foreign object without type information",
          [&] { rowHost->setEffectParameters (strangerWithoutTypeInfo.identity()); }, false },
        { "nothing to answer", [&] { rowHost->setEffectParameters (nullptr); }, false },
    };
    for (const auto& row : rows)
    {
        // Each GUI gets its own host unknown, as each instance does.
        rowHost = &host.make<HostInstance>();
        rowHost->setEffectParameters (static_cast<AAX_IACFEffectParameters*> (effect));
        row.arrange();
        Held<RecordingGUI> g (new RecordingGUI());
        EXPECT_EQ (g->Initialize (rowHost->identity()), AAX_SUCCESS) << row.name;
        EXPECT_EQ (g->GetEffectParameters() != nullptr, row.kept) << row.name;
        EXPECT_EQ (g->SetViewContainer (view()), AAX_SUCCESS) << row.name;
        EXPECT_EQ (g->events.size(), row.kept ? 5u : 2u) << row.name; // updates only with parameters
        EXPECT_EQ (g->Uninitialize(), AAX_SUCCESS);
        host.clearInjections();
        EXPECT_EQ (stranger.references(), 0) << row.name;
        EXPECT_EQ (strangerWithoutTypeInfo.references(), 0) << row.name;
    }
}

TEST_F (EffectGUI, FailuresAndTearDownWithoutUninitialize)
{
    RecordingGUI& g = **gui;
    EXPECT_EQ (g.Initialize (nullptr), AAX_ERROR_NOT_INITIALIZED);
    EXPECT_TRUE (takeEvents().empty());
    gui = std::make_unique<Held<RecordingGUI>> (new RecordingGUI());

    (*gui)->throwOnContents = true;
    EXPECT_EQ ((*gui)->Initialize (guiHost.identity()), AAX_ERROR_UNKNOWN_EXCEPTION);
    (*gui)->throwOnContainer = true;
    EXPECT_EQ ((*gui)->SetViewContainer (view()), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (takeEvents(), (std::vector<std::string>{ "contents", "container" }));

    // Released with its view still set: the derived class is gone, so no view operation runs, and
    // every reference (view, effect parameters, host) is still given back.
    gui.reset();
    EXPECT_EQ (guiHost.references(), 0);
    EXPECT_EQ (host.find<HostViewContainer> ("ViewContainer#1")->references(), 0);
    EXPECT_EQ (effect->AddRef(), 2u); // the test's own reference and this one
    effect->Release();
}
