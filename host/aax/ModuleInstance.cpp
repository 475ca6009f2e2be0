#include "ModuleInstance.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostInstance.h"
#include "RenderThread.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
using Kind = HostComponentDescriptor::Field::Kind;

ModuleInstance::ModuleInstance (StandInHost& hostToUse, const RegisteredPlugIn& plugInToUse,
                                RenderThread& renderThread)
    : host (hostToUse), plugIn (plugInToUse), renderer (renderThread),
      instanceHost (host.make<HostInstance>())
{
    parameters = static_cast<AAX_IACFEffectParameters_V4*> (
        RegisteredPlugIn::create (plugIn.createEffectParameters, IID_IAAXEffectParametersV4));
}

ModuleInstance::~ModuleInstance()
{
    uninitialize();
    release();
}

AAX_Result ModuleInstance::initialize()
{
    if (parameters == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    const AAX_Result result = parameters->Initialize (instanceHost.identity());
    if (result != AAX_SUCCESS)
        return result;
    initialized = true;

    const auto settings = instanceHost.controller().settings();
    inputChannels.assign (AAX_STEM_FORMAT_CHANNEL_COUNT (settings.inputStemFormat), nullptr);
    outputChannels.assign (AAX_STEM_FORMAT_CHANNEL_COUNT (settings.outputStemFormat), nullptr);

    AAX_CFieldIndex last = -1;
    for (const auto& field : plugIn.fields)
        last = std::max (last, field.index);
    context.assign (static_cast<size_t> (last + 1), nullptr);
    blocks.clear();
    for (const auto& field : plugIn.fields)
    {
        if (field.index < 0)
            continue;
        void*& slot = context[static_cast<size_t> (field.index)];
        switch (field.kind)
        {
            case Kind::AudioIn:
                slot = inputChannels.data();
                break;
            case Kind::AudioOut:
                slot = outputChannels.data();
                break;
            case Kind::BufferLength:
                slot = &blockSize;
                break;
            case Kind::MIDINode:
                slot = static_cast<AAX_IMIDINode*> (&midiNode);
                break;
            case Kind::DataInPort:
            case Kind::PrivateData:
            case Kind::TemporaryData:
            {
                FieldBlock block{ field.index, std::make_unique<uint8_t[]> (field.size), field.size };
                slot = block.storage.get();
                blocks.push_back (std::move (block));
                break;
            }
            case Kind::SampleRate:
            case Kind::Clock:
            case Kind::SideChainIn:
            case Kind::DmaInstance:
            case Kind::Meters:
            case Kind::Reserved:
                break; // not provided by this host: left null
        }
    }
    for (const auto& field : plugIn.fields)
        if (field.kind == Kind::PrivateData)
            if (auto* block = blockFor (field.index))
                parameters->ResetFieldData (field.index, block->storage.get(), block->size);
    return AAX_SUCCESS;
}

AAX_Result ModuleInstance::generateCoefficients()
{
    if (parameters == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    auto& controller = instanceHost.controller();
    const size_t before = controller.packets().size();
    const AAX_Result result = parameters->GenerateCoefficients();
    const auto posted = controller.packets();
    for (size_t i = before; i < posted.size(); ++i)
        if (auto* block = blockFor (posted[i].port))
            std::memcpy (block->storage.get(), posted[i].bytes.data(),
                         std::min<size_t> (posted[i].bytes.size(), block->size));
    return result;
}

void ModuleInstance::render (const float* const* inputs, float* const* outputs, int32_t numSamples,
                             const std::vector<AAX_CMidiPacket>& midi)
{
    if (parameters == nullptr || plugIn.processProc == nullptr || context.empty())
        return;
    // The context's audio fields are writable pointer arrays; the procedure only reads the inputs.
    for (size_t channel = 0; channel < inputChannels.size(); ++channel)
        inputChannels[channel] = const_cast<float*> (inputs[channel]);
    for (size_t channel = 0; channel < outputChannels.size(); ++channel)
        outputChannels[channel] = outputs[channel];
    blockSize = numSamples;
    midiNode.setPackets (midi);

    void* const instances[1] = { context.data() };
    const AAX_CProcessProc procedure = plugIn.processProc;
    renderer.run ([&] { procedure (instances, instances + 1); });
}

std::vector<AutomationEvent> ModuleInstance::replayAutomation()
{
    auto events = instanceHost.automation().takeEvents();
    if (parameters != nullptr)
        for (const auto& event : events)
            if (event.kind == AutomationEvent::Kind::SetValueRequest)
                parameters->UpdateParameterNormalizedValue (event.parameterID, event.value,
                                                            AAX_eUpdateSource_Parameter);
    return events;
}

AAX_Result ModuleInstance::saveChunk (AAX_CTypeID chunkID, ChunkRecord& record)
{
    if (parameters == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    uint32_t size = 0;
    const AAX_Result sized = parameters->GetChunkSize (chunkID, &size);
    if (sized != AAX_SUCCESS)
        return sized;
    record = ChunkRecord (size);
    record.get()->fChunkID = chunkID;
    return parameters->GetChunk (chunkID, record.get());
}

AAX_Result ModuleInstance::loadChunk (AAX_CTypeID chunkID, const std::vector<uint8_t>& data)
{
    if (parameters == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    const auto record = ChunkRecord::holding (data, chunkID);
    return parameters->SetChunk (chunkID, record.get());
}

AAX_Result ModuleInstance::uninitialize()
{
    if (parameters == nullptr || !initialized)
        return AAX_SUCCESS;
    initialized = false;
    return parameters->Uninitialize();
}

uint32_t ModuleInstance::release()
{
    if (parameters == nullptr)
        return 0;
    auto* object = std::exchange (parameters, nullptr);
    return object->Release();
}

std::vector<uint8_t> ModuleInstance::portBytes (AAX_CFieldIndex port) const
{
    const auto* block = blockFor (port);
    if (block == nullptr)
        return {};
    const uint8_t* bytes = block->storage.get();
    return std::vector<uint8_t> (bytes, bytes + block->size);
}

ModuleInstance::FieldBlock* ModuleInstance::blockFor (AAX_CFieldIndex index)
{
    for (auto& block : blocks)
        if (block.index == index)
            return &block;
    return nullptr;
}

const ModuleInstance::FieldBlock* ModuleInstance::blockFor (AAX_CFieldIndex index) const
{
    for (const auto& block : blocks)
        if (block.index == index)
            return &block;
    return nullptr;
}
} // namespace kalvo::aaxhost
