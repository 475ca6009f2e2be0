#include "ModelHandover.h"

void ModelHandover::publish() noexcept
{
    const auto previous =
        between.exchange (static_cast<uint32_t> (filling) | freshBit, std::memory_order_acq_rel);
    filling = static_cast<int> (previous & indexMask);
}

const ModelHandover::Model& ModelHandover::take() noexcept
{
    if ((between.load (std::memory_order_relaxed) & freshBit) != 0)
    {
        const auto newest = between.exchange (static_cast<uint32_t> (reading), std::memory_order_acq_rel);
        reading = static_cast<int> (newest & indexMask);
    }
    return copies[reading];
}

bool ModelHandover::hasNewer() noexcept
{
    return (between.fetch_or (0, std::memory_order_acq_rel) & freshBit) != 0;
}
