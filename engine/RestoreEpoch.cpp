#include "RestoreEpoch.h"

RestoreEpoch::Restore::~Restore()
{
    endAfterFailure();
}

bool RestoreEpoch::Restore::begin (RestoreEpoch& epoch, bool pasted) noexcept
{
    jassert (inProgress == nullptr);
    ++epoch.restoresBegun;
    // Its host writes that remain check the mark and are dropped.
    epoch.editUnderway = 0;
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

RestoreEpoch::Edit::~Edit()
{
    endIfUnderway();
}

void RestoreEpoch::Edit::begin (RestoreEpoch& epoch) noexcept
{
    // A ModelEdit that went ahead found no restore or other edit under way.
    jassert (inProgress == nullptr && !epoch.isUnderway());
    id = ++epoch.editsBegun;
    epoch.editUnderway = id;
    epoch.overlay.clear();
    epoch.linkMixToCome.reset();
    begun = epoch.mark();
    inProgress = &epoch;
}

void RestoreEpoch::Edit::willSet (RestoreEpoch& epoch, int index, juce::RangedAudioParameter& parameter,
                                  float value) noexcept
{
    jassert (inProgress == &epoch);
    epoch.overlay.set (index, parameter, value);
}

void RestoreEpoch::Edit::willLink (RestoreEpoch& epoch, bool linked) noexcept
{
    jassert (inProgress == &epoch);
    epoch.linkMixToCome = linked;
}

void RestoreEpoch::Edit::endIfUnderway()
{
    if (inProgress == nullptr)
        return;

    const ModelLock::Hold hold (lock);
    // A restore that began since ended it already, and a later edit may be under way.
    if (inProgress->editUnderway == id)
        inProgress->editUnderway = 0;
    inProgress = nullptr;
}

void RestoreEpoch::endRun() noexcept
{
    restoring = false;
    handedOver.reset();
}

bool RestoreEpoch::isUnderway() const noexcept
{
    return restoring || editUnderway != 0;
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
    return isUnderway() ? overlay.valueOf (index, now) : now;
}

bool RestoreEpoch::linkMixOnceTold (bool now) const noexcept
{
    // A restore sets it in its first part.
    return editUnderway != 0 ? linkMixToCome.value_or (now) : now;
}
