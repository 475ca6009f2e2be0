#pragma once

#include "RealtimeSafeRole.h"

#include <atomic>
#include <cstdint>

// What the audio thread reads of the model that the editor, the state operations and the loads
// change: the product table of every line and state and the settings a state switch applies.
//
// The message side fills a whole copy and publishes it; the audio thread takes the newest
// published copy before it reads anything of it, and keeps it until its next take. Neither side
// waits or allocates. Of the three copies one is the audio thread's, one the message side's, and
// the third the newest published one, which the two exchange: neither ever touches a copy the
// other is using, so a block sees one whole edit or load, never part of one.
class ModelHandover
{
public:
    static constexpr int numLines = 4;
    static constexpr int numStates = 12;
    static constexpr int tableSize = 512;

    struct Model
    {
        float table[numLines][numStates][tableSize];
        float length[numLines][numStates];
        bool sync[numLines][numStates];
        float glide[numLines][numStates];
        float mix[numLines][numStates];
        float lowMidSplit[numStates];
        float midHighSplit[numStates];
    };

    ModelHandover() = default;
    ModelHandover (const ModelHandover&) = delete;
    ModelHandover& operator= (const ModelHandover&) = delete;

    // Message side, one writer at a time. The copy to fill holds an older model: the writer
    // writes all of it before it publishes.
    Model& toFill() noexcept { return copies[filling]; }
    void publish() noexcept;

    // Audio side: the newest published model, unchanged until the next take.
    const Model& take() noexcept KALVO_REQUIRES (realtimeSafeRole);
    const Model& taken() const noexcept KALVO_REQUIRES (realtimeSafeRole) { return copies[reading]; }
    // Audio side: whether a model was published since the last take. A read-modify-write, so it
    // sees the newest publish, and one that publish then reads from: either a publish came first,
    // or everything the caller wrote before asking happens before that publish and what its
    // writer does after it.
    bool hasNewer() noexcept KALVO_REQUIRES (realtimeSafeRole);

private:
    static constexpr uint32_t indexMask = 3;
    static constexpr uint32_t freshBit = 4; // published since the audio side last took one

    Model copies[3]{};
    std::atomic<uint32_t> between{ 1 };
    int filling = 0; // message side only
    int reading = 2; // audio side only
};
