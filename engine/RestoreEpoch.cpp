#include "RestoreEpoch.h"

#include "HostWrites.h"

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
    return restoring || editUnderway != nullptr;
}

bool RestoreEpoch::isRestoring() const noexcept
{
    return restoring;
}

RestoreEpoch::Mark RestoreEpoch::mark() const noexcept
{
    return restoring ? duringRestore : restoresBegun;
}

bool RestoreEpoch::isQuietSince (Mark since) const noexcept
{
    return !restoring && since == restoresBegun;
}

float RestoreEpoch::valueOnceTold (int index, float now) const noexcept
{
    if (restoring)
        return overlay.valueOf (index, now);
    return editUnderway != nullptr ? editUnderway->valueOnceTold (index, now) : now;
}

bool RestoreEpoch::linkMixOnceTold (bool now) const noexcept
{
    // A restore sets it in its first part.
    return editUnderway != nullptr ? editUnderway->linkMixOnceTold (now) : now;
}
