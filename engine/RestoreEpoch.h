#pragma once

#include "ModelLock.h"
#include "ParameterOverlay.h"

#include <JuceHeader.h>

#include <cstdint>
#include <optional>

class HostWrites;

// The operations that change the model and then tell the host in further steps, as the message
// side's edits and the saves see them. Guarded by the model lock, like the model itself.
//
// A restore applies its document in two parts under the model lock, with the parameter tree's
// replaceState between them (it calls the host, so never under the lock): until the second part
// the model is the new document and the parameters half of it. An edit (Reset Preset, Reset or
// Randomize State, LinkMixes off) changes the model in one step and then sets parameters, each
// without the lock (see HostWrites). Until such an operation is done:
// - a save writes the parameters as the operation leaves them (see ParameterOverlay), so it
//   stores one whole document, the one the operation makes;
// - an edit from the message side loses: one that lands meanwhile, or that read the model before
//   a restore and would write after it (marks, see isQuietSince);
// - a restore that begins wins: it ends an edit under way, whose host writes that remain are
//   dropped.
//
// Restores that overlap (a host's on its own thread beside a preset load, or one run from a host
// callback inside another's replaceState) form one run, ended by the one restore that replaces
// the tree. The restore that begins while another is replacing the tree applies its model, hands
// its tree over and returns; the one replacing, once its replaceState is back, replaces the tree
// again with the newest one handed over, until none is, and then does the second part for the
// newest document. So the last restore to begin decides model, parameters and name, as if the
// restores had run one after the other. The other way round, each restore replacing the tree
// itself and the newest applying its parameters again afterwards, would have a loading message
// thread wait on the tree's own lock for a host thread that may be waiting, in its callback, for
// the message thread; handed over, no restore ever waits for another. A replacement that throws
// fails only the restore that replaces, and only once it has gone on with the newest tree handed
// over: the restore that handed it over has returned success.
class RestoreEpoch
{
public:
    using Mark = std::uint64_t;

    // One restore, the only way to begin and end one. A restore that runs the tree is under way
    // from begin() to end(), or to its destruction when it is left before end() (an exception from
    // the tree, from a host callback, from parsing): a run that fails part-way still ends, so later
    // edits land again.
    class Restore
    {
    public:
        explicit Restore (ModelLock& modelLock) noexcept : lock (modelLock) {}
        ~Restore();

        // The restore's first part begins; the caller holds the model lock that guards `epoch`.
        // True when this restore is to replace the tree; false when another restore is replacing
        // it now: this one applies its model, then hands its tree over and is done.
        bool begin (RestoreEpoch& epoch, bool pasted) noexcept;
        // In the first part: the parameters the tree is to take from the cleaned document.
        void willTake (RestoreEpoch& epoch, const juce::XmlElement& document,
                       juce::AudioProcessorValueTreeState& parameters);
        // The end of the first part of a restore that begin() did not let replace the tree.
        void handOver (RestoreEpoch& epoch, juce::ValueTree tree);
        // After replacing the tree or failing to, likewise under the lock: the tree a newer restore
        // handed over meanwhile, which this one replaces next; false when there is none.
        bool takeNewerTree (RestoreEpoch& epoch, juce::ValueTree& tree);
        // The run's end, likewise, before its second part (or instead of it, when the last
        // replacement threw); whether the newest document was pasted.
        bool end (RestoreEpoch& epoch) noexcept;

        Restore (const Restore&) = delete;
        Restore& operator= (const Restore&) = delete;

    private:
        void endAfterFailure() KALVO_EXCLUDES (lock);

        ModelLock& lock;
        // The epoch of the run this restore replaces the tree for, until it ends.
        RestoreEpoch* inProgress KALVO_PT_GUARDED_BY (lock) = nullptr;
    };

    // A restore, or the host writes of an edit, under way (or one of these writes in flight).
    bool isUnderway() const noexcept;

    // Some restore has begun and its run, or the write back of what an edit's host write covered,
    // not yet ended.
    bool isRestoring() const noexcept;

    // The restores so far. A mark taken while one is under way is never quiet.
    Mark mark() const noexcept;

    // No restore began since `since` was marked, and none is under way now.
    bool isQuietSince (Mark since) const noexcept;

    // The value parameter `index` has once the operation under way has told the host, given its
    // value now.
    float valueOnceTold (int index, float now) const noexcept;
    // Likewise linkMix, which an edit may flip only after its host writes.
    bool linkMixOnceTold (bool now) const noexcept;

    // An edit's host write to parameter `index` that went ahead (see HostEdit), from its check
    // until its writer holds the lock again after the write: a restore that takes its parameters
    // meanwhile may get the write on its document, so it leaves the writer the value it gives the
    // parameter, to be written back. The restore is not over until that write is back too.
    void beginWrite (int index) noexcept;
    // The write is back: the value it owes the newest restore since, which the writer writes
    // next, the write still in flight; none, and the write is over.
    std::optional<float> endWrite() noexcept;
    // Over, whatever it owes: a host callback threw.
    void abandonWrite() noexcept;

private:
    static constexpr Mark duringRestore = ~Mark{ 0 };

    void endRun() noexcept;
    bool restoreNotOver() const noexcept { return restoring || restoredValue.has_value(); }

    Mark restoresBegun = 0;
    bool restoring = false;
    bool newestPasted = false;
    std::optional<juce::ValueTree> handedOver;
    friend class HostWrites;
    const HostWrites* editUnderway = nullptr; // the edit whose host writes are under way
    ParameterOverlay overlay;
    int writing = -1;                   // the parameter of the edit's host write in flight
    std::optional<float> restoredValue; // what the restores since its check leave it
    bool owed = false;                  // restoredValue is not yet being written back
};
