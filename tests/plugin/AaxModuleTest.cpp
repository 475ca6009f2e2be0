// The AAX module as a host sees it through the stand-in host: what it exports and registers, how an
// instance describes itself, its packets and chunks, the host's automation, hostile values, and its
// window without a display.
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "AAX_Errors.h"
#include "AAX_GUITypes.h"
#include "AaxModuleFixture.h"
#include "DynamicSymbols.h"
#include "HostCallLog.h"
#include "HostString.h"
#include "HostViewContainer.h"
#include "KalvoProRegistrationCalls.h"
#include "ModuleGui.h"

namespace kalvo::test
{
namespace
{
using aaxhost::AutomationEvent;
using aaxhost::ChunkRecord;
using aaxhost::HostCallLog;
using aaxhost::HostString;
using Packet = aaxhost::HostController::PostedPacket;

const std::vector<std::string> engineParameterIDs{
    "Power",   "MixMaster", "MixMain", "MixLow",  "MixMid",   "MixHigh",  "LowLevel", "MidLevel", "HighLevel",
    "LowSolo", "LowMute",   "MidSolo", "MidMute", "HighSolo", "HighMute", "State",    "LineCH"
};

template <class Function>
std::string Address (Function function)
{
    return HostCallLog::pointer (reinterpret_cast<const void*> (function));
}

std::vector<std::string> RegistrationCalls (const aaxhost::RegisteredPlugIn& plugIn)
{
    return aaxtest::KalvoProRegistrationCalls (Address (plugIn.createEffectGUI),
                                               Address (plugIn.createEffectParameters),
                                               Address (plugIn.processProc), false);
}

bool IsLoaded (const char* path)
{
    void* handle = dlopen (path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose (handle);
    return handle != nullptr;
}

void AppendBigEndian (std::vector<uint8_t>& bytes, uint64_t value, int count)
{
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
        bytes.push_back (static_cast<uint8_t> (value >> shift));
}

// The 'elck' data written independently of the binding: the word 01 01 01 01, then per parameter
// "d_", the identifier, its NUL, zeros to a multiple of four and the value as a big-endian double.
std::vector<uint8_t> ExpectedParameterChunk (const std::vector<std::pair<std::string, float>>& values)
{
    std::vector<uint8_t> bytes{ 1, 1, 1, 1 };
    for (const auto& [id, value] : values)
    {
        bytes.insert (bytes.end(), { 'd', '_' });
        bytes.insert (bytes.end(), id.begin(), id.end());
        bytes.push_back (0);
        while (bytes.size() % 4 != 0)
            bytes.push_back (0);
        const double widened = value;
        uint64_t bits = 0;
        std::memcpy (&bits, &widened, sizeof (bits));
        AppendBigEndian (bytes, bits, 8);
    }
    return bytes;
}

std::vector<std::pair<std::string, float>> ProcessorValues (LineEditorAudioProcessor& processor)
{
    std::vector<std::pair<std::string, float>> values;
    for (const auto& id : engineParameterIDs)
        values.emplace_back (id, processor.parameters.getParameter (id)->getValue());
    return values;
}

std::vector<uint8_t> Bytes (const juce::MemoryBlock& block)
{
    const auto* first = static_cast<const uint8_t*> (block.getData());
    return std::vector<uint8_t> (first, first + block.getSize());
}
} // namespace

TEST_F (AaxModuleTest, ExportsTheEntryPointsRegistersCallForCallAndUnloads)
{
    EXPECT_EQ (aaxtest::DefinedDynamicSymbols (KALVO_NM, KALVO_AAX_MODULE), aaxtest::SevenEntryPoints());
    EXPECT_EQ (host.log().operations(), RegistrationCalls (plugIn));
    EXPECT_EQ (host.labelsOf ("ComponentDescriptor").size(), 1u);

    // Shut down and closed, the module leaves the process; loaded again, it registers the same.
    EXPECT_EQ (module->canUnloadNow (host.unknown()), 0);
    EXPECT_EQ (module->shutdown (host.unknown()), 0);
    module.reset();
    EXPECT_FALSE (IsLoaded (KALVO_AAX_MODULE));

    // The second host declares its stem formats by property (stereo supported): the wrapper asks
    // about every layout it knows and still describes the one stereo component.
    aaxhost::StandInHost again;
    aaxhost::HostFeature stemFormats;
    stemFormats.supportLevel = AAX_eSupportLevel_ByProperty;
    stemFormats.properties[static_cast<int32_t> (AAX_eStemFormat_Stereo)] = AAX_eSupportLevel_Supported;
    again.setFeature (AAXATTR_ClientFeature_StemFormat, stemFormats);
    {
        aaxhost::PluginModule reloaded (KALVO_AAX_MODULE);
        ASSERT_TRUE (reloaded.isLoaded()) << reloaded.loadError();
        ASSERT_EQ (reloaded.startup (again.unknown()), 0);
        IACFPluginDefinition* definition = nullptr;
        ASSERT_EQ (reloaded.registerPlugin (again.unknown(), &definition), 0);
        definition->Release();
        std::string error;
        const auto registered = aaxhost::RegisteredPlugIn::read (again, error);
        EXPECT_TRUE (error.empty()) << error;
        std::vector<std::string> described;
        for (const auto& call : again.log().operations())
            if (call.rfind ("FeatureInfo#", 0) != 0 && call.find ("GetProperty(") == std::string::npos)
                described.push_back (call);
        auto expected = RegistrationCalls (registered);
        // The component's map is numbered after the maps the feature handed out.
        std::string map = "PropertyMap#1";
        for (const auto& call : described)
            if (call.find (" V1 AddProperty(11, ") != std::string::npos)
                map = call.substr (0, call.find (' '));
        for (auto& call : expected)
            if (const auto at = call.find ("PropertyMap#1"); at != std::string::npos)
                call.replace (at, 13, map);
        EXPECT_EQ (described, expected);
        EXPECT_EQ (reloaded.canUnloadNow (again.unknown()), 0);
        EXPECT_EQ (reloaded.shutdown (again.unknown()), 0);
    }
    EXPECT_FALSE (IsLoaded (KALVO_AAX_MODULE));
    EXPECT_EQ (again.outstandingReferences(), 0) << again.referenceReport();
}

TEST_F (AaxModuleTest, InstanceDescribesParametersChunksAndBypass)
{
    auto instance = makeInstance();
    auto& effect = instance->effect();
    EXPECT_EQ (module->canUnloadNow (host.unknown()), 1);

    int32_t count = 0;
    ASSERT_EQ (effect.GetNumberOfParameters (&count), AAX_SUCCESS);
    std::vector<std::string> ids;
    for (int32_t index = 0; index < count; ++index)
    {
        HostString id;
        EXPECT_EQ (effect.GetParameterIDFromIndex (index, &id), AAX_SUCCESS);
        ids.push_back (id.str());
    }
    auto expectedIDs = engineParameterIDs;
    expectedIDs.push_back ("MasterBypassID");
    EXPECT_EQ (ids, expectedIDs);
    HostString bypass;
    EXPECT_EQ (effect.GetMasterBypassParameter (&bypass), AAX_SUCCESS);
    EXPECT_EQ (bypass.str(), "MasterBypassID");

    int32_t chunks = 0;
    AAX_CTypeID first = 0, second = 0;
    EXPECT_EQ (effect.GetNumberOfChunks (&chunks), AAX_SUCCESS);
    EXPECT_EQ (effect.GetChunkIDFromIndex (0, &first), AAX_SUCCESS);
    EXPECT_EQ (effect.GetChunkIDFromIndex (1, &second), AAX_SUCCESS);
    EXPECT_EQ (std::vector<AAX_CTypeID> ({ static_cast<AAX_CTypeID> (chunks), first, second }),
               std::vector<AAX_CTypeID> ({ 2, elckChunk, juceChunk }));

    // The first coefficients carry the bypass, off, to the bypass port; switched on, 1.0f follows.
    auto& controller = instance->hostInstance().controller();
    const auto expectPackets = [&] (const std::vector<uint8_t>& bytes)
    {
        const auto posted = controller.packets();
        ASSERT_EQ (posted.size(), 1u);
        EXPECT_EQ (posted[0].port, 3);
        EXPECT_EQ (posted[0].bytes, bytes);
        EXPECT_EQ (instance->portBytes (3), bytes);
        controller.clearPackets();
    };
    expectPackets ({ 0x00, 0x00, 0x00, 0x00 });
    EXPECT_EQ (effect.UpdateParameterNormalizedValue ("MasterBypassID", 1.0, AAX_eUpdateSource_Parameter),
               AAX_SUCCESS);
    EXPECT_EQ (instance->generateCoefficients(), AAX_SUCCESS);
    expectPackets ({ 0x00, 0x00, 0x80, 0x3F });

    // Bypassed, the block passes through untouched.
    RenderJob job;
    job.numBlocks = 2;
    const Rendered bypassed = renderModule (*instance, job);
    Rendered input;
    for (int64_t n = 0; n < job.numSamples(); ++n)
        for (int channel = 0; channel < 2; ++channel)
            input.push_back (inputSample (channel, n, job.sampleRate));
    EXPECT_EQ (firstDifference (bypassed, input), -1);
}

TEST_F (AaxModuleTest, HostValuesThatAreNotNumbersChangeNothing)
{
    auto instance = makeInstance();
    auto& effect = instance->effect();
    const juce::MemoryBlock state = demoState();
    ASSERT_EQ (instance->loadChunk (juceChunk, Bytes (state)), AAX_SUCCESS);
    instance->replayAutomation();

    // NaN and infinity from the host, as confirmed values and as set-value calls, and a value
    // beyond the range (kept to 1).
    for (const auto& id : engineParameterIDs)
    {
        effect.UpdateParameterNormalizedValue (id.c_str(), std::numeric_limits<double>::quiet_NaN(),
                                               AAX_eUpdateSource_Parameter);
        effect.SetParameterNormalizedValue (id.c_str(), std::numeric_limits<double>::infinity());
    }
    effect.UpdateParameterNormalizedValue ("HighLevel", 2.0, AAX_eUpdateSource_Parameter);
    instance->replayAutomation();

    RenderJob job;
    job.numBlocks = 40;
    const Rendered output = renderModule (*instance, job);
    const auto notFinite =
        std::count_if (output.begin(), output.end(), [] (float x) { return !std::isfinite (x); });
    EXPECT_EQ (notFinite, 0);
    // Nothing but the level changed: the output is the processor's with HighLevel at 1.
    job.state = state;
    job.changes = { { 0, "HighLevel", 1.0f } };
    EXPECT_EQ (firstDifference (output, renderDirect (job)), -1);
}

TEST_F (AaxModuleTest, ParameterChunkAndStateRestoreIntoASecondInstance)
{
    RenderJob job;
    job.state = demoState();
    job.numBlocks = 2;
    auto original = makeInstance();
    renderModule (*original, job);

    // 'elck': 17 values as doubles, the master bypass left out, bytes written independently.
    auto reference = std::make_unique<LineEditorAudioProcessor>();
    reference->setStateInformation (job.state.getData(), static_cast<int> (job.state.getSize()));
    const auto expectedElck = ExpectedParameterChunk (ProcessorValues (*reference));
    ASSERT_EQ (expectedElck.size(), 336u);
    ChunkRecord elck (0), state (0);
    ASSERT_EQ (original->saveChunk (elckChunk, elck), AAX_SUCCESS);
    EXPECT_EQ (elck.data(), expectedElck);
    EXPECT_EQ (elck.get()->fVersion, -1);
    EXPECT_EQ (std::string (elck.get()->fName), "Complete Controls State");
    ASSERT_EQ (original->saveChunk (juceChunk, state), AAX_SUCCESS);
    juce::MemoryBlock referenceState;
    reference->getStateInformation (referenceState);
    EXPECT_EQ (state.data(), Bytes (referenceState));

    // Restored into a second instance (the host confirming each request), both re-save the same.
    auto restored = makeInstance();
    EXPECT_EQ (restored->loadChunk (juceChunk, state.data()), AAX_SUCCESS);
    restored->replayAutomation();
    EXPECT_EQ (restored->loadChunk (elckChunk, elck.data()), AAX_SUCCESS);
    restored->replayAutomation();
    ChunkRecord elckAgain (0), stateAgain (0);
    ASSERT_EQ (restored->saveChunk (elckChunk, elckAgain), AAX_SUCCESS);
    ASSERT_EQ (restored->saveChunk (juceChunk, stateAgain), AAX_SUCCESS);
    EXPECT_EQ (elckAgain.raw(), elck.raw());
    EXPECT_EQ (stateAgain.data(), state.data());

    AAX_CBoolean equal = 0;
    EXPECT_EQ (restored->effect().CompareActiveChunk (elck.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1);
    restored->effect().SetParameterNormalizedValue ("MidLevel", 0.25);
    restored->replayAutomation();
    EXPECT_EQ (restored->effect().CompareActiveChunk (elck.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);
}

TEST_F (AaxModuleTest, HostSetValueIsTouchRequestReleaseAndAppliesAfterTheReplay)
{
    auto instance = makeInstance();
    const juce::MemoryBlock state = demoState();
    ASSERT_EQ (instance->loadChunk (juceChunk, Bytes (state)), AAX_SUCCESS);
    instance->replayAutomation();
    const auto mixMasterInChunk = [&]
    {
        ChunkRecord record (0);
        EXPECT_EQ (instance->saveChunk (elckChunk, record), AAX_SUCCESS);
        const auto data = record.data();
        // "d_MixMaster" follows "d_Power\0" (8 bytes) after the leading word; its value after 12.
        const size_t at = 4 + 8 + 8 + 12;
        uint64_t bits = 0;
        for (size_t i = 0; i < 8; ++i)
            bits = (bits << 8) | data.at (at + i);
        double value = 0.0;
        std::memcpy (&value, &bits, sizeof (value));
        return value;
    };
    EXPECT_EQ (mixMasterInChunk(), 1.0);

    EXPECT_EQ (instance->effect().SetParameterNormalizedValue ("MixMaster", 0.25), AAX_SUCCESS);
    // Only a request so far: the host parameter keeps its value until the host confirms it.
    EXPECT_EQ (mixMasterInChunk(), 1.0);
    std::vector<std::pair<AutomationEvent::Kind, std::string>> posted;
    for (const auto& event : instance->replayAutomation())
        posted.emplace_back (event.kind, event.parameterID);
    using Kind = AutomationEvent::Kind;
    const std::vector<std::pair<Kind, std::string>> expected{ { Kind::Touch, "MixMaster" },
                                                              { Kind::SetValueRequest, "MixMaster" },
                                                              { Kind::Release, "MixMaster" } };
    EXPECT_EQ (posted, expected);
    EXPECT_EQ (mixMasterInChunk(), 0.25);

    // And the audio is the processor's with MixMaster at 0.25, not at 1.
    RenderJob job;
    job.numBlocks = 40;
    const Rendered throughModule = renderModule (*instance, job);
    job.state = state;
    job.changes = { { 0, "MixMaster", 0.25f } };
    EXPECT_EQ (firstDifference (throughModule, renderDirect (job)), -1);
    job.changes.clear();
    EXPECT_NE (firstDifference (throughModule, renderDirect (job)), -1);
}

TEST_F (AaxModuleTest, WindowWithoutADisplayHasTheEditorsSize)
{
    auto instance = makeInstance();
    {
        aaxhost::ModuleGui gui (host, plugIn, *instance);
        ASSERT_TRUE (gui.exists());
        ASSERT_EQ (gui.initialize(), AAX_SUCCESS);
        ASSERT_EQ (gui.attach (AAX_eViewContainer_Type_HWND, nullptr), AAX_SUCCESS);
        AAX_Point size;
        EXPECT_EQ (gui.object().GetViewSize (&size), AAX_SUCCESS);
        EXPECT_EQ (size.vert, editorHeight);
        EXPECT_EQ (size.horz, editorWidth);
        EXPECT_EQ (gui.detach(), AAX_SUCCESS);
        EXPECT_EQ (gui.uninitialize(), AAX_SUCCESS);
        EXPECT_EQ (gui.release(), 0u);
    }
    EXPECT_EQ (instance->uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (instance->release(), 0u);
}
} // namespace kalvo::test
