// The shared-object build of the binding: exactly the seven entry points are exported, and a host
// can load it and register through them.
#include <gtest/gtest.h>

#include "AAX_UIDs.h"
#include "DynamicSymbols.h"
#include "PluginModule.h"
#include "StandInHost.h"

using kalvo::aaxhost::PluginModule;
using kalvo::aaxhost::StandInHost;

TEST (ModuleExports, ExactlyTheSevenEntryPoints)
{
    EXPECT_EQ (kalvo::aaxtest::DefinedDynamicSymbols (KALVO_NM, KALVO_AAX_TEST_MODULE),
               kalvo::aaxtest::SevenEntryPoints());
}

TEST (ModuleExports, HostLoadsAndRegistersThroughTheEntryPoints)
{
    StandInHost host;
    {
        PluginModule module (KALVO_AAX_TEST_MODULE);
        ASSERT_TRUE (module.isLoaded()) << module.loadError();
        // The layer's own functions stay inside the module.
        EXPECT_EQ (module.findSymbol ("GetEffectDescriptions"), nullptr);
        EXPECT_EQ (module.findSymbol ("_ZN11CACFUnknown20GetActiveObjectCountEv"), nullptr);

        acfUInt64 version = 0;
        EXPECT_EQ (module.getSDKVersion (&version), 0);
        EXPECT_EQ (version, 0x0000020300D5E5B4ull);

        ASSERT_EQ (module.startup (host.unknown()), 0);
        IACFPluginDefinition* definition = nullptr;
        EXPECT_EQ (module.registerPlugin (host.unknown(), &definition), 0);
        ASSERT_NE (definition, nullptr);
        EXPECT_EQ (host.labelOf (definition), "Collection#1");
        definition->Release();

        const auto calls = host.log().operationsOn ("Collection#1");
        ASSERT_FALSE (calls.empty());
        EXPECT_EQ (calls.front(), "AddEffect(\"com.orvane.kalvopro\", EffectDescriptor#1)");
        EXPECT_EQ (host.log().count ("AddProcessProc_Native"), 1u);

        void* factory = &version;
        EXPECT_EQ (
            module.getClassFactory (host.unknown(), AAXCompID_AAXCollection, IID_IACFUnknown, &factory),
            -20009);
        EXPECT_EQ (factory, nullptr);
        IACFComponentDefinition* component = nullptr;
        EXPECT_EQ (module.registerComponent (host.unknown(), 0, &component), 0);
        EXPECT_EQ (module.canUnloadNow (host.unknown()), 0);
        EXPECT_EQ (module.shutdown (host.unknown()), 0);
    }
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
    EXPECT_TRUE (host.faults().empty());
}

TEST (ModuleExports, MissingModuleIsReportedNotCrashed)
{
    PluginModule module ("/nonexistent/module.so");
    EXPECT_FALSE (module.isLoaded());
    EXPECT_FALSE (module.loadError().empty());
}
