// One instance of a loaded plug-in module, driven as a host drives it: created through the
// registered factory, initialised with a host instance of its own, its private fields allocated
// and reset, packets from GenerateCoefficients delivered to the data ports, blocks rendered through
// the process procedure on the render thread, set-value requests sent back as confirmed values,
// and chunks saved and restored in exactly sized records. Every call but the process procedure is
// made on the constructing thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "AAX_IACFEffectParameters_V4.h"
#include "AutomationQueue.h"
#include "ChunkRecord.h"
#include "HostMIDINode.h"
#include "RegisteredPlugIn.h"

namespace kalvo::aaxhost
{
class HostInstance;
class RenderThread;
class StandInHost;

class ModuleInstance
{
public:
    // Creates the effect-parameters object and takes its newest interface (one reference).
    ModuleInstance (StandInHost& host, const RegisteredPlugIn& plugIn, RenderThread& renderThread);
    // Uninitializes and releases the object if that has not happened yet.
    ~ModuleInstance();
    ModuleInstance (const ModuleInstance&) = delete;
    ModuleInstance& operator= (const ModuleInstance&) = delete;

    bool exists() const noexcept { return parameters != nullptr; }
    AAX_IACFEffectParameters_V4& effect() { return *parameters; }
    HostInstance& hostInstance() noexcept { return instanceHost; }

    // Initialize with this instance's host, then every private field allocated and reset.
    AAX_Result initialize();
    // GenerateCoefficients; the packets it posted then fill the data ports the next block reads.
    AAX_Result generateCoefficients();
    // One block of numSamples through the process procedure, on the render thread; the MIDI
    // packets reach the context's MIDI node.
    void render (const float* const* inputs, float* const* outputs, int32_t numSamples,
                 const std::vector<AAX_CMidiPacket>& midi = {});
    // Takes every queued automation post and sends each set-value request back through
    // UpdateParameterNormalizedValue, oldest first; returns all posts taken.
    std::vector<AutomationEvent> replayAutomation();

    // GetChunkSize, then GetChunk into a record of exactly that size.
    AAX_Result saveChunk (AAX_CTypeID chunkID, ChunkRecord& record);
    AAX_Result loadChunk (AAX_CTypeID chunkID, const std::vector<uint8_t>& data);

    AAX_Result uninitialize();
    // Drops the host's reference; the object is gone when this returns 0.
    uint32_t release();

    // The bytes of a data port as the next block reads them.
    std::vector<uint8_t> portBytes (AAX_CFieldIndex port) const;

private:
    struct FieldBlock
    {
        AAX_CFieldIndex index;
        std::unique_ptr<uint8_t[]> storage; // exactly size bytes, zeroed
        uint32_t size;
    };

    FieldBlock* blockFor (AAX_CFieldIndex index);
    const FieldBlock* blockFor (AAX_CFieldIndex index) const;

    StandInHost& host;
    const RegisteredPlugIn& plugIn;
    RenderThread& renderer;
    HostInstance& instanceHost;
    AAX_IACFEffectParameters_V4* parameters = nullptr;
    bool initialized = false;

    std::vector<FieldBlock> blocks; // private data, temporary data and data ports
    std::vector<void*> context;
    std::vector<float*> inputChannels;
    std::vector<float*> outputChannels;
    int32_t blockSize = 0;
    HostMIDINode midiNode;
};
} // namespace kalvo::aaxhost
