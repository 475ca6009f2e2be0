#include "RestoreEpoch.h"

#include "HostWrites.h"

#include <utility>

RestoreEpoch::Restore::~Restore()
{
    endAfterFailure();
}

bool RestoreEpoch::Restore::begin (RestoreEpoch& epoch, bool pasted) noexcept
{
    jassert (inProgress == nullptr);
    ++epoch.restoresBegun;
    // Its host writes that remain check the mark and are dropped.
    epoch.editUnderway = nullptr;
    epoch.newestPasted = pasted;
    if (epoch.restoring)
        return false; // the overlay keeps what the older documents give and this one does not

    epoch.restoring = true;
    epoch.overlay.clear();
    inProgress = &epoch;
    return true;
}

void RestoreEpoch::Restore::willTake (RestoreEpoch& epoch, const juce::XmlElement& document,
                                      juce::AudioProcessorValueTreeState& parameters)
{
    epoch.overlay.takeFrom (document, parameters);
    // Newest wins: the overlay holds what this document gives, else what the older ones did.
    if (epoch.writing >= 0 && epoch.overlay.gives (epoch.writing))
    {
        epoch.restoredValue = epoch.overlay.valueOf (epoch.writing, 0.0f);
        epoch.owed = true;
    }
}

void RestoreEpoch::Restore::handOver (RestoreEpoch& epoch, juce::ValueTree tree)
{
    jassert (inProgress == nullptr && epoch.restoring);
    // Replaces an older one not yet taken: only the newest document's tree is replaced.
    epoch.handedOver = std::move (tree);
}

bool RestoreEpoch::Restore::takeNewerTree (RestoreEpoch& epoch, juce::ValueTree& tree)
{
    jassert (inProgress == &epoch);
    if (!epoch.handedOver)
        return false;
    tree = *epoch.handedOver;
    epoch.handedOver.reset();
    return true;
}

bool RestoreEpoch::Restore::end (RestoreEpoch& epoch) noexcept
{
    jassert (inProgress == &epoch);
    inProgress = nullptr;
    epoch.endRun();
    return epoch.newestPasted;
}

void RestoreEpoch::Restore::endAfterFailure()
{
    if (inProgress == nullptr)
        return;

    const ModelLock::Hold hold (lock);
    inProgress->endRun();
    inProgress = nullptr;
}

void RestoreEpoch::endRun() noexcept
{
    restoring = false;
    handedOver.reset();
}

bool RestoreEpoch::isUnderway() const noexcept
{
    return restoreNotOver() || editUnderway != nullptr || writing >= 0;
}

bool RestoreEpoch::isRestoring() const noexcept
{
    return restoreNotOver();
}

RestoreEpoch::Mark RestoreEpoch::mark() const noexcept
{
    return restoreNotOver() ? duringRestore : restoresBegun;
}

bool RestoreEpoch::isQuietSince (Mark since) const noexcept
{
    return !restoreNotOver() && since == restoresBegun;
}

float RestoreEpoch::valueOnceTold (int index, float now) const noexcept
{
    if (restoring)
        return overlay.valueOf (index, now);
    if (restoredValue && index == writing)
        return *restoredValue;
    return editUnderway != nullptr ? editUnderway->valueOnceTold (index, now) : now;
}

void RestoreEpoch::beginWrite (int index) noexcept
{
    jassert (writing < 0 && !restoreNotOver());
    writing = index;
}

std::optional<float> RestoreEpoch::endWrite() noexcept
{
    if (std::exchange (owed, false))
        return restoredValue;
    abandonWrite();
    return std::nullopt;
}

void RestoreEpoch::abandonWrite() noexcept
{
    writing = -1;
    restoredValue.reset();
    owed = false;
}

bool RestoreEpoch::linkMixOnceTold (bool now) const noexcept
{
    // A restore sets it in its first part.
    return editUnderway != nullptr ? editUnderway->linkMixOnceTold (now) : now;
}
