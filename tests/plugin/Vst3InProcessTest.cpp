// Drives the built VST3 binary through its VST3 interfaces inside this (sanitizer-instrumented)
// process, as a host's audio engine would: buses, setup, processing with a play position and MIDI,
// and the state handed to a second instance.
#include "AllocationCounter.h"
#include "Vst3MemoryStream.h"

#include <JuceHeader.h>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <pluginterfaces/base/ibstream.h>
#include <pluginterfaces/base/ipluginbase.h>
#include <pluginterfaces/gui/iplugview.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivstevents.h>
#include <pluginterfaces/vst/ivstmessage.h>
#include <pluginterfaces/vst/ivstprocesscontext.h>
#include <string>
#include <vector>

namespace
{
using namespace Steinberg;
using kalvo::test::MemoryStream;

// The note-on events of one block.
class EventList final : public Vst::IEventList
{
public:
    tresult PLUGIN_API queryInterface (const TUID queried, void** object) override
    {
        if (FUnknownPrivate::iidEqual (queried, Vst::IEventList_iid) ||
            FUnknownPrivate::iidEqual (queried, FUnknown_iid))
        {
            *object = this;
            return kResultOk;
        }
        *object = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    int32 PLUGIN_API getEventCount() override { return static_cast<int32> (events.size()); }
    tresult PLUGIN_API getEvent (int32 index, Vst::Event& e) override
    {
        if (index < 0 || index >= getEventCount())
            return kInvalidArgument;
        e = events[static_cast<size_t> (index)];
        return kResultOk;
    }
    tresult PLUGIN_API addEvent (Vst::Event& e) override
    {
        events.push_back (e);
        return kResultOk;
    }

    void addNoteOn (int32 sampleOffset, int16 pitch)
    {
        Vst::Event e{};
        e.busIndex = 0;
        e.sampleOffset = sampleOffset;
        e.type = Vst::Event::kNoteOnEvent;
        e.noteOn.channel = 0;
        e.noteOn.pitch = pitch;
        e.noteOn.velocity = 0.8f;
        e.noteOn.noteId = -1;
        events.push_back (e);
    }

    std::vector<Vst::Event> events;
};

class Vst3Module
{
public:
    Vst3Module()
    {
        if (!library.open (KALVO_VST3_MODULE))
            return;
        auto entry = reinterpret_cast<bool (*) (void*)> (library.getFunction ("ModuleEntry"));
        exitFunction = reinterpret_cast<bool (*)()> (library.getFunction ("ModuleExit"));
        auto getFactory = reinterpret_cast<IPluginFactory* (*) ()> (library.getFunction ("GetPluginFactory"));
        if (entry == nullptr || exitFunction == nullptr || getFactory == nullptr ||
            !entry (library.getNativeHandle()))
            return;
        factory = getFactory();
        for (int32 i = 0; factory != nullptr && i < factory->countClasses(); ++i)
        {
            PClassInfo info{};
            if (factory->getClassInfo (i, &info) == kResultOk &&
                std::strcmp (info.category, kVstAudioEffectClass) == 0)
                std::memcpy (processorClass, info.cid, sizeof (TUID));
        }
    }

    ~Vst3Module()
    {
        if (factory != nullptr)
            factory->release();
        if (exitFunction != nullptr)
            exitFunction();
        library.close();
    }

    Vst::IComponent* createComponent()
    {
        void* object = nullptr;
        if (factory == nullptr ||
            factory->createInstance (processorClass, Vst::IComponent_iid, &object) != kResultOk)
            return nullptr;
        return static_cast<Vst::IComponent*> (object);
    }

    IPluginFactory* factory = nullptr;

private:
    juce::DynamicLibrary library;
    bool (*exitFunction)() = nullptr;
    TUID processorClass{};
};

struct Instance
{
    explicit Instance (Vst3Module& module) : component (module.createComponent())
    {
        if (component == nullptr)
            return;
        void* object = nullptr;
        if (component->queryInterface (Vst::IAudioProcessor_iid, &object) == kResultOk)
            processor = static_cast<Vst::IAudioProcessor*> (object);
    }

    ~Instance()
    {
        if (processor != nullptr)
            processor->release();
        if (component != nullptr)
            component->release();
    }

    Vst::IComponent* component;
    Vst::IAudioProcessor* processor = nullptr;
};

constexpr double sampleRate = 48000.0;
constexpr int32 blockSize = 512;

struct BlockRun
{
    bool finite = true;
    double rms = 0.0; // of the left output
    long allocations = 0; // made inside process
};

// Blocks of stereo input at 120 bpm in 4/4 with the transport playing, and a trigger note now and
// then (the notes of states 0..3), as a host's audio engine would send them.
BlockRun runBlocks (Vst::IAudioProcessor& processor, int blocks, const std::function<float (int64)>& input,
                    int32 size = blockSize)
{
    const auto length = static_cast<size_t> (size);
    std::vector<float> inL (length), inR (length), outL (length), outR (length);
    float* inputs[] = { inL.data(), inR.data() };
    float* outputs[] = { outL.data(), outR.data() };
    Vst::AudioBusBuffers inBus{}, outBus{};
    inBus.numChannels = outBus.numChannels = 2;
    inBus.channelBuffers32 = inputs;
    outBus.channelBuffers32 = outputs;

    BlockRun run;
    double energy = 0.0;
    int64 sample = 0;
    for (int block = 0; block < blocks; ++block, sample += size)
    {
        for (int32 i = 0; i < size; ++i)
        {
            inL[static_cast<size_t> (i)] = input (sample + i);
            inR[static_cast<size_t> (i)] = input (sample + i);
        }

        Vst::ProcessContext context{};
        context.state = Vst::ProcessContext::kPlaying | Vst::ProcessContext::kTempoValid |
                        Vst::ProcessContext::kTimeSigValid | Vst::ProcessContext::kProjectTimeMusicValid;
        context.sampleRate = sampleRate;
        context.projectTimeSamples = sample;
        context.projectTimeMusic = static_cast<double> (sample) / 24000.0; // 120 bpm
        context.tempo = 120.0;
        context.timeSigNumerator = 4;
        context.timeSigDenominator = 4;

        EventList events;
        if (block % 50 == 10)
            events.addNoteOn (100, static_cast<int16> (60 + block / 50));

        Vst::ProcessData data;
        data.processMode = Vst::kRealtime;
        data.symbolicSampleSize = Vst::kSample32;
        data.numSamples = size;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        data.inputEvents = &events;
        data.processContext = &context;
        AllocationCounter counter;
        if (processor.process (data) != kResultTrue)
            return { false, 0.0 };
        run.allocations += counter.count();

        for (size_t i = 0; i < outL.size(); ++i)
        {
            run.finite = run.finite && std::isfinite (outL[i]) && std::isfinite (outR[i]);
            energy += static_cast<double> (outL[i]) * outL[i];
        }
    }
    run.rms = std::sqrt (energy / (static_cast<double> (blocks) * size));
    return run;
}
} // namespace

TEST (Vst3InProcess, ProcessesAudioWithPositionAndMidiAndHandsItsStateOver)
{
    Vst3Module module;
    ASSERT_NE (module.factory, nullptr);

    MemoryStream saved;
    {
        Instance instance (module);
        ASSERT_NE (instance.component, nullptr);
        ASSERT_NE (instance.processor, nullptr);
        auto& component = *instance.component;
        auto& processor = *instance.processor;

        ASSERT_EQ (component.initialize (nullptr), kResultOk);
        EXPECT_EQ (component.getBusCount (Vst::kAudio, Vst::kInput), 1);
        EXPECT_EQ (component.getBusCount (Vst::kAudio, Vst::kOutput), 1);
        EXPECT_EQ (component.getBusCount (Vst::kEvent, Vst::kInput), 1);
        EXPECT_EQ (component.getBusCount (Vst::kEvent, Vst::kOutput), 0);

        Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo, mono = Vst::SpeakerArr::kMono;
        EXPECT_NE (processor.setBusArrangements (&mono, 1, &mono, 1), kResultTrue); // stereo only
        ASSERT_EQ (processor.setBusArrangements (&stereo, 1, &stereo, 1), kResultTrue);
        // Hosts switch the buses on one at a time.
        ASSERT_EQ (component.activateBus (Vst::kAudio, Vst::kInput, 0, true), kResultTrue);
        ASSERT_EQ (component.activateBus (Vst::kAudio, Vst::kOutput, 0, true), kResultTrue);
        ASSERT_EQ (component.activateBus (Vst::kEvent, Vst::kInput, 0, true), kResultTrue);

        Vst::ProcessSetup setup{ Vst::kRealtime, Vst::kSample32, 4096, sampleRate };
        ASSERT_EQ (processor.setupProcessing (setup), kResultTrue);
        ASSERT_EQ (component.setActive (true), kResultOk);
        processor.setProcessing (true);

        const auto sine = [] (int64 sample) { return 0.25f * std::sin (0.02f * static_cast<float> (sample)); };
        const auto run = runBlocks (processor, 200, sine);
        EXPECT_TRUE (run.finite);
        EXPECT_GT (run.rms, 0.1); // a 0.25 sine comes through at about 0.18
        EXPECT_LT (run.rms, 0.3);
        // The audio thread allocates nothing, at any block size the host chooses.
        EXPECT_EQ (run.allocations, 0);
        for (int32 size : { 1, 64, 4096, 1001 })
            EXPECT_EQ (runBlocks (processor, 100, sine, size).allocations, 0) << "blocks of " << size;

        processor.setProcessing (false);
        component.setActive (false);
        ASSERT_EQ (component.getState (&saved), kResultOk);
        component.terminate();
    }

    const std::string savedBytes (saved.data.begin(), saved.data.end());
    EXPECT_NE (savedBytes.find ("<KalvoParamTree"), std::string::npos);
    EXPECT_NE (savedBytes.find ("LinePointsHigh2St11"), std::string::npos);

    Instance second (module);
    ASSERT_NE (second.component, nullptr);
    ASSERT_EQ (second.component->initialize (nullptr), kResultOk);
    saved.position = 0;
    ASSERT_EQ (second.component->setState (&saved), kResultOk);
    MemoryStream again;
    ASSERT_EQ (second.component->getState (&again), kResultOk);
    EXPECT_EQ (again.data, saved.data);
    second.component->terminate();
}

namespace
{
std::vector<char> littleEndian64 (uint64 value)
{
    std::vector<char> bytes (8);
    for (size_t i = 0; i < 8; ++i)
        bytes[i] = static_cast<char> ((value >> (8 * i)) & 0xff);
    return bytes;
}

std::vector<char> joined (std::initializer_list<std::vector<char>> parts)
{
    std::vector<char> all;
    for (const auto& part : parts)
        all.insert (all.end(), part.begin(), part.end());
    return all;
}

std::vector<char> noise (size_t size, int64 seed)
{
    juce::Random random (seed);
    std::vector<char> bytes (size);
    for (auto& b : bytes)
        b = static_cast<char> (random.nextInt (256));
    return bytes;
}
} // namespace

// The buses say they are on by default (hosts and validators that switch on only those get
// stereo in and out), and hostile saved states
// (as a corrupted project hands them over) neither crash the host nor change the plug-in's state:
// what the plug-in held before is what it hands back.
TEST (Vst3InProcess, DefaultBusesAndHostileStates)
{
    Vst3Module module;
    ASSERT_NE (module.factory, nullptr);
    Instance instance (module);
    ASSERT_NE (instance.processor, nullptr);
    auto& component = *instance.component;
    auto& processor = *instance.processor;
    ASSERT_EQ (component.initialize (nullptr), kResultOk);

    for (auto direction : { Vst::kInput, Vst::kOutput })
    {
        Vst::BusInfo info{};
        ASSERT_EQ (component.getBusInfo (Vst::kAudio, direction, 0, info), kResultOk);
        EXPECT_EQ (info.channelCount, 2);
        EXPECT_NE (info.flags & Vst::BusInfo::kDefaultActive, 0u);
        // As validators do: switch on what the plug-in says is on by default.
        component.activateBus (Vst::kAudio, direction, 0, (info.flags & Vst::BusInfo::kDefaultActive) != 0);
    }
    Vst::ProcessSetup setup{ Vst::kRealtime, Vst::kSample32, blockSize, sampleRate };
    ASSERT_EQ (processor.setupProcessing (setup), kResultTrue);
    ASSERT_EQ (component.setActive (true), kResultOk);
    processor.setProcessing (true);
    juce::Random random (7);
    const auto run = runBlocks (processor, 200, [&] (int64) { return 0.5f * random.nextFloat() - 0.25f; });
    EXPECT_TRUE (run.finite);
    EXPECT_GT (run.rms, 0.05); // the noise comes through: the buses were on
    processor.setProcessing (false);
    component.setActive (false);

    MemoryStream saved;
    ASSERT_EQ (component.getState (&saved), kResultOk);
    const auto& state = saved.data;
    const std::string identifier = "JUCEPrivateData";
    ASSERT_GT (state.size(), identifier.size() + 16 + 64);
    ASSERT_EQ (std::string (state.end() - static_cast<long> (identifier.size()), state.end()), identifier);

    // The state is the processor's blob, a zero, the private data, its size and the identifier.
    uint64 privateSize = 0;
    std::memcpy (&privateSize, state.data() + state.size() - identifier.size() - 8, 8);
    ASSERT_LT (privateSize, 1000u);
    const std::vector<char> id (identifier.begin(), identifier.end());
    const std::vector<char> body (state.begin(),
                                  state.end() - static_cast<long> (identifier.size() + 16 + privateSize));
    const auto trailer = [&] (const std::vector<char>& privateData, uint64 recordedSize) {
        return joined ({ body, littleEndian64 (0), privateData, littleEndian64 (recordedSize), id });
    };
    const auto prefix = [&] (size_t size)
    { return std::vector<char> (state.begin(), state.begin() + static_cast<long> (size)); };

    // Trees nested 200,000 deep, and one that announces 2^31 - 1 children.
    std::vector<char> nested;
    for (int i = 0; i < 200000; ++i)
        nested.insert (nested.end(), { 'a', 0, 0, 1, 1 });
    const std::vector<char> manyChildren = { 'a', 0, 0, 4, '\xff', '\xff', '\xff', 0x7f };

    const struct
    {
        const char* name;
        std::vector<char> bytes;
    } cases[] = {
        { "64 bytes, then a size beyond the data",
          joined ({ prefix (64), littleEndian64 (0x00007ffffffffff0ull), id }) },
        { "size one beyond the data", trailer (noise (privateSize, 1), body.size() + privateSize + 9) },
        { "size 2^64 - 1", trailer ({}, ~uint64 (0)) },
        { "size of the whole data", trailer ({}, state.size()) },
        { "the identifier alone", id },
        { "a size and the identifier", joined ({ littleEndian64 (4), id }) },
        { "cut to 1 byte", prefix (1) },
        { "cut to 100 bytes", prefix (100) },
        { "cut in half", prefix (state.size() / 2) },
        { "cut inside the identifier", prefix (state.size() - 3) },
        { "cut before the trailer", body },
        { "garbage private data", trailer (noise (privateSize, 2), privateSize) },
        { "deeply nested private data", trailer (nested, nested.size()) },
        { "private data announcing 2^31 - 1 children", trailer (manyChildren, manyChildren.size()) },
        { "20 MB of noise", noise (20 << 20, 3) },
        { "20 MB of noise with a trailer",
          joined ({ noise (20 << 20, 4), littleEndian64 (0), littleEndian64 (0), id }) },
    };

    for (const auto& c : cases)
    {
        MemoryStream hostile;
        hostile.data = c.bytes;
        component.setState (&hostile); // refusing is allowed; crashing is not
        MemoryStream after;
        ASSERT_EQ (component.getState (&after), kResultOk) << c.name;
        EXPECT_TRUE (after.data == state) << c.name;
    }
    component.terminate();
}

// A host that opened the plug-in's window and closed it, then unloads the plug-in from its own
// thread (the plug-in's message thread is its own here, as in a host that gave it no run loop
// after the window closed): the unload asserts nothing (ctest fails on an assertion report).
TEST (Vst3InProcess, UnloadsWithoutAssertionAfterTheWindowWasOpen)
{
    Vst3Module module;
    ASSERT_NE (module.factory, nullptr);
    {
        Instance instance (module);
        ASSERT_NE (instance.component, nullptr);
        auto& component = *instance.component;
        ASSERT_EQ (component.initialize (nullptr), kResultOk);

        TUID controllerClass{};
        ASSERT_EQ (component.getControllerClassId (controllerClass), kResultOk);
        void* object = nullptr;
        ASSERT_EQ (module.factory->createInstance (controllerClass, Vst::IEditController_iid, &object),
                   kResultOk);
        auto* controller = static_cast<Vst::IEditController*> (object);
        ASSERT_EQ (controller->initialize (nullptr), kResultOk);

        // Processor and controller know each other, as hosts connect them.
        Vst::IConnectionPoint *componentPoint = nullptr, *controllerPoint = nullptr;
        component.queryInterface (Vst::IConnectionPoint_iid, reinterpret_cast<void**> (&componentPoint));
        controller->queryInterface (Vst::IConnectionPoint_iid, reinterpret_cast<void**> (&controllerPoint));
        ASSERT_NE (componentPoint, nullptr);
        ASSERT_NE (controllerPoint, nullptr);
        controllerPoint->connect (componentPoint);
        componentPoint->connect (controllerPoint);

        IPlugView* view = controller->createView (Vst::ViewType::kEditor);
        EXPECT_NE (view, nullptr);
        if (view != nullptr)
            view->release();

        controllerPoint->disconnect (componentPoint);
        componentPoint->disconnect (controllerPoint);
        controllerPoint->release();
        componentPoint->release();
        controller->terminate();
        controller->release();
        component.terminate();
    }
}
