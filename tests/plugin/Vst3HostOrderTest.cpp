// A saved session reopened the way Ardour 7 restores a VST3 plug-in (libs/ardour/vst3_plugin.cc),
// with the plug-in's VST3 wrapper built into this process so that the window it opens can be
// read. As in the host, JUCE's message thread is the wrapper's own thread until a window is
// attached, so the host opens the window from a thread that is not JUCE's message thread.
#include "KnobReadouts.h"
#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"
#include "Vst3MemoryStream.h"

#include <JuceHeader.h>
#include <gtest/gtest.h>
#include <pluginterfaces/gui/iplugview.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivstmessage.h>
#include <pluginterfaces/vst/ivstparameterchanges.h>
#include <pluginterfaces/vst/ivstprocesscontext.h>

#include <map>
#include <vector>

namespace
{
using namespace Steinberg;
using kalvo::test::MemoryStream;

// The host's side of the controller: edits and restart requests are taken and ignored.
class ComponentHandler final : public Vst::IComponentHandler
{
public:
    tresult PLUGIN_API queryInterface (const TUID queried, void** object) override
    {
        if (FUnknownPrivate::iidEqual (queried, Vst::IComponentHandler_iid) ||
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
    tresult PLUGIN_API beginEdit (Vst::ParamID) override { return kResultOk; }
    tresult PLUGIN_API performEdit (Vst::ParamID, Vst::ParamValue) override { return kResultOk; }
    tresult PLUGIN_API endEdit (Vst::ParamID) override { return kResultOk; }
    tresult PLUGIN_API restartComponent (int32) override { return kResultOk; }
};

// One parameter's change at the start of a block.
class ValueQueue final : public Vst::IParamValueQueue
{
public:
    ValueQueue (Vst::ParamID parameter, Vst::ParamValue normalised) : id (parameter), value (normalised) {}
    tresult PLUGIN_API queryInterface (const TUID, void** object) override
    {
        *object = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    int32 PLUGIN_API getPointCount() override { return 1; }
    tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, Vst::ParamValue& v) override
    {
        if (index != 0)
            return kResultFalse;
        sampleOffset = 0;
        v = value;
        return kResultTrue;
    }
    tresult PLUGIN_API addPoint (int32, Vst::ParamValue, int32&) override { return kResultFalse; }

private:
    Vst::ParamID id;
    Vst::ParamValue value;
};

// The parameter changes the host queued for the next block.
class ParameterChanges final : public Vst::IParameterChanges
{
public:
    tresult PLUGIN_API queryInterface (const TUID, void** object) override
    {
        *object = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    int32 PLUGIN_API getParameterCount() override { return static_cast<int32> (queues.size()); }
    Vst::IParamValueQueue* PLUGIN_API getParameterData (int32 index) override
    {
        return index >= 0 && index < getParameterCount() ? &queues[static_cast<size_t> (index)] : nullptr;
    }
    Vst::IParamValueQueue* PLUGIN_API addParameterData (const Vst::ParamID&, int32&) override
    {
        return nullptr;
    }

    std::vector<ValueQueue> queues;
};

template <typename Interface>
Interface* query (FUnknown* object, const TUID iid)
{
    void* result = nullptr;
    return object != nullptr && object->queryInterface (iid, &result) == kResultOk
               ? static_cast<Interface*> (result)
               : nullptr;
}

// One plug-in instance as the host's VST3PI constructor and VST3Plugin::init build it.
struct HostedPlugin
{
    explicit HostedPlugin (IPluginFactory& factory)
    {
        TUID componentClass{}, controllerClass{};
        for (int32 i = 0; i < factory.countClasses(); ++i)
        {
            PClassInfo info{};
            factory.getClassInfo (i, &info);
            std::memcpy (std::strcmp (info.category, kVstAudioEffectClass) == 0 ? componentClass
                                                                                : controllerClass,
                         info.cid, sizeof (TUID));
        }
        void* object = nullptr;
        factory.createInstance (componentClass, Vst::IComponent_iid, &object);
        component = static_cast<Vst::IComponent*> (object);
        component->initialize (nullptr);
        factory.createInstance (controllerClass, Vst::IEditController_iid, &object);
        controller = static_cast<Vst::IEditController*> (object);
        controller->initialize (nullptr);
        controller->setComponentHandler (&handler);
        processor = query<Vst::IAudioProcessor> (component, Vst::IAudioProcessor_iid);

        // The two halves talk through their connection points (the host relays their messages).
        componentPoint = query<Vst::IConnectionPoint> (component, Vst::IConnectionPoint_iid);
        controllerPoint = query<Vst::IConnectionPoint> (controller, Vst::IConnectionPoint_iid);
        componentPoint->connect (controllerPoint);
        controllerPoint->connect (componentPoint);

        for (int32 i = 0; i < controller->getParameterCount(); ++i)
        {
            Vst::ParameterInfo info{};
            controller->getParameterInfo (i, info);
            ids[juce::String (juce::CharPointer_UTF16 (
                reinterpret_cast<const juce::CharPointer_UTF16::CharType*> (info.title)))] = info.id;
        }

        // synchronize_states(): the controller learns the component's state.
        MemoryStream state;
        component->getState (&state);
        state.position = 0;
        controller->setComponentState (&state);
        component->activateBus (Vst::kEvent, Vst::kInput, 0, true);

        // set_block_size() and enable_io().
        Vst::ProcessSetup setup{ Vst::kRealtime, Vst::kSample32, 512, 48000.0 };
        processor->setupProcessing (setup);
        component->activateBus (Vst::kAudio, Vst::kInput, 0, true);
        component->activateBus (Vst::kAudio, Vst::kOutput, 0, true);
        Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
        processor->setBusArrangements (&stereo, 1, &stereo, 1);
    }

    ~HostedPlugin()
    {
        componentPoint->disconnect (controllerPoint);
        controllerPoint->disconnect (componentPoint);
        componentPoint->release();
        controllerPoint->release();
        controller->setComponentHandler (nullptr);
        controller->terminate();
        component->terminate();
        processor->release();
        controller->release();
        component->release();
    }

    // One block of silence with the queued parameter changes, as connect_and_run() sends it.
    void runBlock (ParameterChanges& changes)
    {
        std::vector<float> left (512), right (512);
        float* channels[] = { left.data(), right.data() };
        Vst::AudioBusBuffers in{}, out{};
        in.numChannels = out.numChannels = 2;
        in.channelBuffers32 = out.channelBuffers32 = channels;
        Vst::ProcessContext context{};
        context.state = Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kTimeSigValid;
        context.sampleRate = 48000.0;
        context.tempo = 120.0;
        context.timeSigNumerator = context.timeSigDenominator = 4;
        Vst::ProcessData data;
        data.processMode = Vst::kRealtime;
        data.symbolicSampleSize = Vst::kSample32;
        data.numSamples = 512;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &in;
        data.outputs = &out;
        data.processContext = &context;
        data.inputParameterChanges = &changes;
        processor->process (data);
    }

    ComponentHandler handler;
    Vst::IComponent* component = nullptr;
    Vst::IEditController* controller = nullptr;
    Vst::IAudioProcessor* processor = nullptr;
    Vst::IConnectionPoint* componentPoint = nullptr;
    Vst::IConnectionPoint* controllerPoint = nullptr;
    std::map<juce::String, Vst::ParamID> ids;
};

// The window the wrapper builds, caught as the processor creates it.
LineEditorAudioProcessorEditor* openedEditor = nullptr;
juce::AudioProcessorEditor* createAndKeep (LineEditorAudioProcessor& p)
{
    auto* editor = LineEditorAudioProcessorEditor::create (p);
    openedEditor = dynamic_cast<LineEditorAudioProcessorEditor*> (editor);
    return editor;
}

// Runs on JUCE's message thread (the wrapper's own thread here), after every message posted
// before it: what a user sees once the window has settled.
template <typename Function>
void onMessageThread (Function&& function)
{
    juce::MessageManager::getInstance()->callFunctionOnMessageThread (
        [] (void* f) -> void*
        {
            (*static_cast<Function*> (f))();
            return nullptr;
        },
        &function);
}
} // namespace

// The host's restore, VST3Plugin::set_state(): each saved "Port" value is queued for the next
// block (try_set_parameter_by_id), then the chunk goes to the component (setState) and the
// controller (setComponentState), and the controller's values are read back
// (update_shadow_data); the plug-in is activated and processes the queued values; the host's
// GUI thread hands its values to the controller (update_contoller_param); then the window
// opens (createView). Every knob bound to a parameter, and its read-out, shows the parameter.
TEST (Vst3HostOrder, AReopenedSessionOpensItsWindowOnTheHostsValues)
{
    auto* factory = GetPluginFactory();
    ASSERT_NE (factory, nullptr);

    // The instance that saved the session stays: the wrapper's message thread ends with the last
    // instance and stops JUCE's dispatch loop, and in this process, where the test keeps JUCE
    // initialised, the message queue would take no message after that.
    MemoryStream chunk;
    std::map<Vst::ParamID, Vst::ParamValue> ports;
    HostedPlugin saved (*factory);
    ASSERT_EQ (saved.component->getState (&chunk), kResultOk);
    for (const auto& [name, id] : saved.ids) // add_state(): get_parameter(), a plain value
        ports[id] = saved.controller->normalizedParamToPlain (id, saved.controller->getParamNormalized (id));

    {
        HostedPlugin reopened (*factory);
        ParameterChanges queued;
        std::map<Vst::ParamID, Vst::ParamValue> shadow; // the host's own copy of every value
        for (const auto& [id, plain] : ports)
        {
            shadow[id] = reopened.controller->plainParamToNormalized (id, plain);
            queued.queues.emplace_back (id, shadow[id]);
        }
        chunk.position = 0;
        ASSERT_EQ (reopened.component->setState (&chunk), kResultOk);
        chunk.position = 0;
        reopened.controller->setComponentState (&chunk);
        for (auto& [id, value] : shadow)
        {
            const auto controllerValue = reopened.controller->getParamNormalized (id);
            if (controllerValue != value)
                queued.queues.emplace_back (id, value = controllerValue);
        }

        reopened.component->setActive (true);
        reopened.processor->setProcessing (true);
        reopened.runBlock (queued);
        for (const auto& [id, value] : shadow)
            reopened.controller->setParamNormalized (id, value);

        LineEditorAudioProcessor::editorFactory = &createAndKeep;
        auto* view = reopened.controller->createView (Vst::ViewType::kEditor);
        ASSERT_NE (view, nullptr);
        ASSERT_NE (openedEditor, nullptr);
        EXPECT_FALSE (juce::MessageManager::getInstance()->isThisTheMessageThread());

        onMessageThread (
            [&]
            {
                auto& e = *openedEditor;
                for (int pass = 0; pass < 3; ++pass) // a few refresh passes, as the window's timer makes them
                    e.timerCallback();
                const struct
                {
                    const char* id;
                    juce::Slider& knob;
                    juce::Label& readOut;
                    juce::String (*text) (float);
                } bound[] = { { "MixMaster", e.masterMixSlider, e.masterMixLabel, &KnobReadouts::masterMix },
                              { "LowLevel", e.lowLevelSlider, e.lowLevelLabels[0], &KnobReadouts::level },
                              { "MidLevel", e.midLevelSlider, e.midLevelLabels[0], &KnobReadouts::level },
                              { "HighLevel", e.highLevelSlider, e.highLevelLabels[0],
                                &KnobReadouts::level } };
                for (const auto& b : bound)
                {
                    SCOPED_TRACE (b.id);
                    const float host = static_cast<float> (shadow.at (reopened.ids.at (b.id)));
                    auto* parameter = e.processorRef.parameters.getParameter (b.id);
                    EXPECT_EQ (parameter->getValue(), host);
                    EXPECT_EQ (b.knob.getValue(), parameter->convertFrom0to1 (host));
                    EXPECT_EQ (b.readOut.getText(), b.text (parameter->convertFrom0to1 (host)));
                }
                // The host closes the window from the thread it opened it on, which is JUCE's
                // message thread by then.
                view->release();
            });

        reopened.processor->setProcessing (false);
        reopened.component->setActive (false);
    }
    LineEditorAudioProcessor::editorFactory = nullptr;
    openedEditor = nullptr;
    // The host's thread is JUCE's message thread once it has attached a window; so is this one
    // for the rest of the test.
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
}
