// Every operation that changes the model and then tells the host, or writes a file, in several
// steps, against every other: the second runs from each parameter notification the host hears of
// the first (a host that acts in its callback, or a host thread that lands there), and from each
// release of the model lock where one of them runs on a host's thread. Every save it takes, every
// file it writes and the instance it leaves, modified or not, must be what one serial order of the
// two gives. Documents are compared after a reload into one reader and its re-save, byte for byte.

#include "KnobHandling.h"
#include "LineTools.h"
#include "PresetCommands.h"
#include "PresetRename.h"
#include "ProcessorTestSupport.h"
#include "StateDocument.h"
#include "TestHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace
{
using Processor = LineEditorAudioProcessor;

enum Op
{
    hostRestore,
    hostRestoreUnlinked,
    presetLoad,
    pastePreset,
    savePreset,
    saveAs,
    rename,
    resetPreset,
    resetState,
    randomizeState,
    pasteState,
    linkOff,
    linkOn,
    unlinkedKnob,
    hostSave,
    numOps
};

constexpr const char* opNames[numOps] = { "host restore",    "unlinked host restore", "preset load",
                                          "Paste Preset",    "Save Preset",           "Save As",
                                          "Rename",          "Reset Preset",          "Reset State",
                                          "Randomize State", "Paste State",           "LinkMixes off",
                                          "LinkMixes on",    "unlinked mix knob",     "host save" };

// The restores: an edit that meets one may lose to it, and then counts as not run.
bool isRestore (Op op)
{
    return op <= pastePreset;
}

// The edits of the model that the host hears of: one that lands while the host is still being
// told of another loses to it as to a restore (only a host that runs the window from inside its
// own callback can get there), and counts as not run.
bool isEdit (Op op)
{
    return op >= resetPreset && op <= unlinkedKnob;
}

// The link a row starts with, where the operation needs one to be what it is named.
enum class Link
{
    any,
    on,
    off
};

Link needs (Op op)
{
    if (op == linkOff)
        return Link::on;
    return op == linkOn || op == unlinkedKnob ? Link::off : Link::any;
}

void setParameter (Processor& p, const char* id, float value)
{
    auto* parameter = p.parameters.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

juce::MemoryBlock saveOf (Processor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

// A document in distinct colours: random curves in some states, a mix of its own in every state
// and line, its own splits, levels and State, a name.
juce::MemoryBlock makeDocument (int seed, int state, float lowLevel, float midLevel, float mixLow,
                                const juce::String& name, bool linked)
{
    auto p = std::make_unique<Processor>();
    p->random.setSeed (seed);
    for (int s : { state, (state + 2) % 12, (state + 5) % 12 })
        p->RandomizeState (s);
    {
        const ModelLock::Hold hold (p->curveModelLock);
        for (int l = 0; l < 4; ++l)
            for (int s = 0; s < 12; ++s)
                p->bandMix()[l][s] = 0.05f * (float) ((seed + 3 * l + 5 * s) % 19);
        p->presetName() = name;
        p->publishModel();
    }
    setParameter (*p, "State", (float) state);
    setParameter (*p, "LowLevel", lowLevel);
    setParameter (*p, "MidLevel", midLevel);
    setParameter (*p, "MixMaster", 0.6f + 0.01f * (float) seed);
    setParameter (*p, "MixLow", mixLow);
    setParameter (*p, "HighMute", (float) (seed & 1));
    auto document = StateDocument::createDocument (*p);
    // An unlinked document as an older version wrote it: each state keeps a mix of its own.
    document->setAttribute ("LinkMix", linked ? 1 : 0);
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (*document, block);
    return block;
}

// One run's result: the instance's save, parameters and name, the host save taken, the files
// the named saves leave.
struct Outcome
{
    std::string end, saved, named, renamed, mine;

    bool operator== (const Outcome& o) const
    {
        return end == o.end && saved == o.saved && named == o.named && renamed == o.renamed && mine == o.mine;
    }
    // What differs from o, by part.
    std::string differences (const Outcome& o) const
    {
        std::string d;
        const auto part = [&d] (const char* name, const std::string& a, const std::string& b)
        {
            if (a != b)
                d += std::string (d.empty() ? "" : ", ") + name;
        };
        part ("instance", end, o.end);
        part ("host save", saved, o.saved);
        part ("Save As file", named, o.named);
        part ("renamed file", renamed, o.renamed);
        part ("preset files", mine, o.mine);
        return d;
    }
};

// What tells two documents apart: root attributes and parameters that differ (got/wanted), and
// how many other elements do.
std::string describe (const juce::XmlElement* got, const juce::XmlElement* wanted)
{
    if (got == nullptr || wanted == nullptr)
        return got == wanted ? "" : (got == nullptr ? " none/some" : " some/none");
    std::string d;
    for (int i = 0; i < wanted->getNumAttributes(); ++i)
    {
        const auto name = wanted->getAttributeName (i);
        if (got->getStringAttribute (name) != wanted->getAttributeValue (i))
            d += " @" + name.toStdString() + " " + got->getStringAttribute (name).toStdString() + "/" +
                 wanted->getAttributeValue (i).toStdString();
    }
    int elements = 0;
    for (auto* w : wanted->getChildIterator())
    {
        if (w->hasTagName ("PARAM"))
        {
            const auto id = w->getStringAttribute ("id");
            const auto* g = got->getChildByAttribute ("id", id);
            const auto gv = g != nullptr ? g->getStringAttribute ("value") : juce::String ("none");
            if (gv != w->getStringAttribute ("value"))
                d += " " + id.toStdString() + " " + gv.toStdString() + "/" +
                     w->getStringAttribute ("value").toStdString();
            continue;
        }
        const auto* g = got->getChildByName (w->getTagName());
        elements += g == nullptr || !g->isEquivalentTo (w, false) ? 1 : 0;
    }
    if (elements > 0)
        d += " " + std::to_string (elements) + " curve elements";
    return d;
}

// The points where a second operation can get in: each change the host hears of and, with gaps,
// each release of the model lock. The action runs at point `which` (from 0) only, so never inside
// itself. Two operations of the window's thread never meet at a release.
class AtEachGap final : public kalvo::test::OnHostWrite, ModelLock::ReleaseWatch
{
public:
    AtEachGap (Processor& processor, bool gaps, int which, std::function<void()> toRun)
        : OnHostWrite (processor, which, std::move (toRun)), lock (processor.curveModelLock)
    {
        lock.watchReleases (gaps ? this : nullptr);
    }
    ~AtEachGap() override { lock.watchReleases (nullptr); }
    void released() override { OnHostWrite::audioProcessorParameterChanged (nullptr, 0, 0.0f); }

private:
    ModelLock& lock;
};

class Table
{
public:
    Table()
    {
        kalvo::test::temporaryHomeFolder();
        reader = std::make_unique<Processor>();
        presets = reader->presetsFolder;
        presets.createDirectory();
        PresetCommands::productFolder (*reader).createDirectory();

        restored[0] = makeDocument (21, 7, 0.9f, 0.3f, 0.35f, "Restored", true);
        restored[1] = makeDocument (22, 9, 0.6f, 0.1f, 0.75f, "Restored Too", false);
        loaded[0] = fileText (makeDocument (31, 5, 0.4f, 0.55f, 0.6f, "Loaded", false));
        loaded[1] = fileText (makeDocument (32, 1, 0.35f, 0.8f, 0.15f, "Loaded Too", true));
        for (const bool second : { false, true })
            EXPECT_TRUE (loadedFile (second).replaceWithText (loaded[second]));
        EXPECT_TRUE (PresetCommands::temporaryPreset (*reader, "kvp")
                         .replaceWithText (fileText (makeDocument (41, 10, 0.65f, 0.25f, 0.9f, "Copied", true))));
        for (int link = 0; link < 2; ++link)
        {
            const auto file = presets.getChildFile ("Mine.kvp");
            EXPECT_TRUE (startInstance (link == 0)->saveStateToFile (file));
            EXPECT_TRUE (file.loadFileAsData (mineFile[link]));
        }
    }

    // The files go with the table, so that other tests in this process find the folders as they were.
    ~Table()
    {
        for (const auto* name : { "Named.kvp", "Renamed.kvp", "Mine.kvp", "Loaded.kvp", "Loaded Too.kvp",
                                  "Restored.kvp", "Restored Too.kvp" })
            presets.getChildFile (name).deleteFile();
        PresetCommands::temporaryPreset (*reader, "kvp").deleteFile();
    }

    // A fresh instance as the user has it: random curves in three states, a mix of its own in
    // every state and line, levels off their defaults, State 3 playing, the preset "Mine" with
    // its file in the presets folder and no other named file, State 5 on the state clipboard.
    // Unlinked, the link was turned off and the host then moved the Low mix. Made by edits, not
    // by a load, which would cost as much as the rest of a row.
    std::unique_ptr<Processor> start (bool linked)
    {
        prepareFiles (linked);
        return startInstance (linked);
    }

    // Runs op on p. `second` picks the other document of a restore, so that two restores of the
    // same kind differ (Paste Preset has one copied preset only).
    void run (Op op, Processor& p, bool second, juce::MemoryBlock& saved)
    {
        switch (op)
        {
            case hostRestore:
            case hostRestoreUnlinked:
            {
                const auto& document = restored[second != (op == hostRestoreUnlinked)];
                p.setStateInformation (document.getData(), (int) document.getSize());
                return;
            }
            case presetLoad:
                PresetCommands::load (p, loadedFile (second));
                return;
            case pastePreset:
                PresetCommands::pasteTemporary (p, "kvp");
                return;
            case savePreset:
                PresetCommands::save (p, {}, "kvp", p.getPresetName());
                savedOver = true;
                return;
            case saveAs:
                PresetCommands::saveAs (p, presets.getChildFile ("Named.kvp"), p.getPresetName());
                return;
            case rename:
            {
                // As the name entry's Save does: the plan from the name and folder it finds.
                const auto plan = PresetRename::plan (PresetCommands::currentFolder (p, {}),
                                                      p.getPresetName(), "Renamed", "kvp");
                PresetRename::save (p, plan, "Renamed");
                return;
            }
            case resetPreset:
                p.resetPreset();
                return;
            case resetState:
                p.ResetState (p.currentState);
                return;
            case randomizeState:
                p.RandomizeState (p.currentState);
                return;
            case pasteState:
                p.PasteState (p.currentState);
                return;
            case linkOff:
            case linkOn:
                LineTools::toggleLinkMix (p);
                return;
            case unlinkedKnob:
                KnobHandling::mix (p, 1, 0.65f);
                return;
            case hostSave:
                p.getStateInformation (saved);
                return;
            case numOps:
                break;
        }
    }

    // The document of a block or a file as the reader saves it again; "absent" for no file.
    std::string normalised (const juce::MemoryBlock& block)
    {
        const auto raw = std::hash<std::string_view>{}({ static_cast<const char*> (block.getData()), block.getSize() });
        if (const auto found = normalisedBlocks.find (raw); found != normalisedBlocks.end())
            return found->second;
        juce::String text;
        if (!StateDocument::textFromBlock (block.getData(), (int) block.getSize(), text))
            return "unreadable";
        return normalisedBlocks[raw] = normalisedText (text);
    }

    std::string normalisedFile (const juce::File& file)
    {
        if (!file.existsAsFile())
            return "absent";
        juce::String text;
        if (!StateDocument::textFromFile (file, text))
            return "unreadable";
        return normalisedText (text);
    }

    Outcome outcome (Processor& p, Op a, Op b, const juce::MemoryBlock& saved)
    {
        Outcome o;
        // What it plays next belongs to it as well.
        o.end = normalised (saveOf (p)) + "\nname " + p.getPresetName().toStdString() +
                (p.presetModified ? " modified" : " unmodified") + " plays " + std::to_string (p.currentState.load());
        for (auto* parameter : p.getParameters())
            o.end += " " + std::to_string (parameter->getValue());
        if (a == hostSave || b == hostSave)
            o.saved = normalised (saved);
        if (a == saveAs || b == saveAs)
            o.named = normalisedFile (presets.getChildFile ("Named.kvp"));
        if (a == rename || b == rename || a == savePreset || b == savePreset)
        {
            o.renamed = normalisedFile (presets.getChildFile ("Renamed.kvp"));
            // Every preset file: a save under a restored or loaded name writes that name's.
            std::set<std::string> names;
            for (const auto& file : presets.findChildFiles (juce::File::findFiles, false, "*.kvp"))
                names.insert (file.getFileName().toStdString());
            for (const auto& name : names)
                o.mine += " " + name + " " + normalisedFile (presets.getChildFile (name));
        }
        return o;
    }

    // One serial order of the two from a fresh start, b first or a first; one not run is left out.
    Outcome serial (bool linked, Op a, Op b, bool bFirst, bool runA, bool runB)
    {
        // Run once for the pair and for the pair the other way round.
        const int codeA = runA ? 2 * a : -1, codeB = runB ? 2 * b + (a == b) : -1;
        const auto key = std::make_tuple (linked, std::min (a, b), std::max (a, b), bFirst ? codeB : codeA,
                                          bFirst ? codeA : codeB);
        if (const auto found = serials.find (key); found != serials.end())
            return found->second;
        auto p = start (linked);
        juce::MemoryBlock saved;
        if (bFirst && runB)
            run (b, *p, a == b, saved);
        if (runA)
            run (a, *p, false, saved);
        if (!bFirst && runB)
            run (b, *p, a == b, saved);
        return serials[key] = outcome (*p, a, b, saved);
    }

    // The documents of a run by part, for telling a failure apart: the instance's own, the host
    // save and the named files (null where there is none).
    std::map<std::string, std::unique_ptr<juce::XmlElement>> documents (Processor& p,
                                                                        const juce::MemoryBlock& saved)
    {
        std::map<std::string, std::unique_ptr<juce::XmlElement>> d;
        juce::String text;
        d["instance"] = StateDocument::createDocument (p);
        // Not saved, so marked on the document for the comparison only.
        d["instance"]->setAttribute ("plays", p.currentState.load());
        if (StateDocument::textFromBlock (saved.getData(), (int) saved.getSize(), text))
            d["host save"] = StateDocument::parseText (text);
        const std::pair<const char*, const char*> files[] = { { "Save As file", "Named.kvp" },
                                                              { "renamed file", "Renamed.kvp" },
                                                              { "old preset file", "Mine.kvp" } };
        for (const auto& [part, name] : files)
            if (StateDocument::textFromFile (presets.getChildFile (name), text))
                d[part] = StateDocument::parseText (text);
        return d;
    }

    std::map<std::string, std::unique_ptr<juce::XmlElement>> serialDocuments (bool linked, Op a, Op b,
                                                                              bool bFirst)
    {
        auto p = start (linked);
        juce::MemoryBlock saved;
        run (bFirst ? b : a, *p, bFirst && a == b, saved);
        run (bFirst ? a : b, *p, !bFirst && a == b, saved);
        return documents (*p, saved);
    }

private:
    // Reloading and saving again costs as much as a row: each distinct text is done once, and
    // documents are then told apart by the hash of that save.
    std::string normalisedText (const juce::String& text)
    {
        const auto raw = std::hash<std::string>{}(text.toStdString());
        if (const auto found = normalisedHashes.find (raw); found != normalisedHashes.end())
            return found->second;
        auto document = StateDocument::parseText (text);
        std::string result = "unreadable";
        if (document != nullptr && StateDocument::applyDocument (*reader, *document, nullptr))
        {
            const auto again = saveOf (*reader);
            result = "document " + std::to_string (std::hash<std::string>{}(std::string (
                                       static_cast<const char*> (again.getData()), again.getSize())));
        }
        normalisedHashes[raw] = result;
        return result;
    }

    juce::File loadedFile (bool second) const
    {
        return presets.getChildFile (second ? "Loaded Too.kvp" : "Loaded.kvp");
    }

    static juce::String fileText (const juce::MemoryBlock& block)
    {
        juce::String text;
        EXPECT_TRUE (StateDocument::textFromBlock (block.getData(), (int) block.getSize(), text));
        return StateDocument::parseText (text)->toString (StateDocument::fileFormat());
    }

    std::unique_ptr<Processor> startInstance (bool linked)
    {
        auto p = std::make_unique<Processor>();
        p->random.setSeed (17);
        for (int s : { 3, 5, 8 })
            p->RandomizeState (s);
        {
            const ModelLock::Hold hold (p->curveModelLock);
            for (int l = 0; l < 4; ++l)
                for (int s = 0; s < 12; ++s)
                    p->bandMix()[l][s] = 0.05f * (float) ((7 * l + 3 * s) % 19);
            p->presetName() = "Mine";
            p->publishModel();
        }
        setParameter (*p, "State", 3.0f);
        setParameter (*p, "LowLevel", 0.2f);
        setParameter (*p, "MidLevel", 0.7f);
        setParameter (*p, "MixMaster", 0.8f);
        setParameter (*p, "MixLow", 0.2f);
        // The audio thread's switch to it, as a block would make it.
        p->currentState = 3;
        p->stateChangePending = false;
        p->curveModelsStale = true;
        if (!linked)
        {
            LineTools::toggleLinkMix (*p);
            setParameter (*p, "MixLow", 0.45f);
        }
        p->CopyState (5);
        p->random.setSeed (5);
        p->currentPresetFolder = presets;
        return p;
    }

    // The named files of a fresh start; the sources of the loads again where a rename took one.
    void prepareFiles (bool linked)
    {
        const int link = linked ? 0 : 1;
        for (const auto* name : { "Named.kvp", "Renamed.kvp", "Restored.kvp", "Restored Too.kvp" })
            presets.getChildFile (name).deleteFile();
        // A Save Preset may have written over the others.
        const bool overwritten = std::exchange (savedOver, false);
        const auto mine = presets.getChildFile ("Mine.kvp");
        if (mineWritten != link || overwritten || !mine.existsAsFile())
        {
            mine.replaceWithData (mineFile[link].getData(), mineFile[link].getSize());
            mineWritten = link;
        }
        for (const bool second : { false, true })
            if (overwritten || !loadedFile (second).existsAsFile())
                loadedFile (second).replaceWithText (loaded[second]);
    }

    std::unique_ptr<Processor> reader;
    juce::File presets;
    juce::MemoryBlock restored[2], mineFile[2];
    juce::String loaded[2];
    int mineWritten = -1;
    bool savedOver = false;
    std::map<size_t, std::string> normalisedHashes, normalisedBlocks;
    std::map<std::tuple<bool, Op, Op, int, int>, Outcome> serials;
};

} // namespace

// Every ordered pair runs from every point of the first, counted by a run of the first alone.
TEST (OperationPairs, EachSecondOperationRunFromEveryHostNotificationOfTheFirstGivesASerialOrder)
{
    // A row costs some 20 times as much in the sanitizer's unoptimised build, where the whole
    // table would take many minutes: there it runs from the first and the last notification only.
#ifdef NDEBUG
    constexpr bool everyNotification = true;
#else
    constexpr bool everyNotification = false;
#endif
    Table table;
    int cases = 0, failures = 0;
    for (int ia = 0; ia < numOps; ++ia)
    {
        const auto a = static_cast<Op> (ia);
        // Second only, where an edit's host write can land on an unlinked document; a restore
        // that runs first has the host restore's rows.
        if (a == hostRestoreUnlinked)
            continue;
        for (const bool linked : { true, false })
        {
            if (needs (a) == (linked ? Link::off : Link::on))
                continue;
            // Measured alone from the same start.
            int points[2] = {};
            for (const bool gaps : { false, true })
            {
                auto p = table.start (linked);
                juce::MemoryBlock saved;
                AtEachGap count (*p, gaps, -1, [] {});
                table.run (a, *p, false, saved);
                points[gaps] = count.changesHeard();
            }
            std::cout << opNames[a] << (linked ? ", linked: " : ", unlinked: ") << points[0]
                      << " notifications, " << points[1] << " with the lock's releases\n";
            for (int ib = 0; ib < numOps; ++ib)
            {
                const auto b = static_cast<Op> (ib);
                // The first names the link where it needs one, otherwise the second; else it is on
                // (the restored and loaded documents bring both).
                if (needs (a) == Link::any && (needs (b) == Link::off) == linked)
                    continue;
                const bool gaps =
                    a == hostRestore || a == hostSave || b <= hostRestoreUnlinked || b == hostSave;
                const int notifications = points[gaps];

                // The serial orders, each run only once a result is not among those before it.
                struct Order
                {
                    bool bFirst, runA, runB;
                };
                std::vector<Order> orders = { { false, true, true }, { true, true, true } };
                if ((isRestore (a) && !isRestore (b) && b != hostSave) || (isEdit (a) && isEdit (b)))
                    orders.push_back ({ false, true, false });
                if (isRestore (b) && !isRestore (a))
                    orders.push_back ({ false, false, true });
                std::vector<std::optional<Outcome>> serial (orders.size());
                const auto serialOutcome = [&] (size_t i) -> const Outcome&
                {
                    if (!serial[i])
                        serial[i] =
                            table.serial (linked, a, b, orders[i].bFirst, orders[i].runA, orders[i].runB);
                    return *serial[i];
                };
                const auto runInside = [&] (int k, juce::MemoryBlock& saved, bool& ran)
                {
                    auto p = table.start (linked);
                    AtEachGap inside (*p, gaps, k - 1, [&] { table.run (b, *p, a == b, saved); });
                    table.run (a, *p, false, saved);
                    ran = inside.ran();
                    return p;
                };

                std::string failedAt, detail;
                for (int k = 1; k <= notifications; ++k)
                {
                    if (!everyNotification && k != 1 && k != notifications)
                        continue;
                    ++cases;
                    juce::MemoryBlock saved;
                    bool ran = false;
                    auto p = runInside (k, saved, ran);
                    if (!ran)
                    {
                        failedAt += " " + std::to_string (k) + " (never heard)";
                        ++failures;
                        continue;
                    }
                    const auto got = table.outcome (*p, a, b, saved);
                    bool isSerial = false;
                    for (size_t i = 0; i < orders.size() && !isSerial; ++i)
                        isSerial = serialOutcome (i) == got;
                    if (isSerial)
                        continue;
                    ++failures;
                    failedAt += " " + std::to_string (k) + " (" + got.differences (serialOutcome (0)) +
                                " | " + got.differences (serialOutcome (1)) + ")";
                    // The first failure of a pair says how its documents differ from each order's.
                    if (detail.empty())
                    {
                        // Run again: the serial orders have replaced its files.
                        saved.reset();
                        p = runInside (k, saved, ran);
                        const auto docs = table.documents (*p, saved);
                        const auto ab = table.serialDocuments (linked, a, b, false);
                        const auto ba = table.serialDocuments (linked, a, b, true);
                        for (const auto* part :
                             { "instance", "host save", "Save As file", "renamed file", "old preset file" })
                        {
                            const auto* doc = docs.count (part) != 0 ? docs.at (part).get() : nullptr;
                            const auto vsAB =
                                describe (doc, ab.count (part) != 0 ? ab.at (part).get() : nullptr);
                            const auto vsBA =
                                describe (doc, ba.count (part) != 0 ? ba.at (part).get() : nullptr);
                            if (!vsAB.empty() || !vsBA.empty())
                                detail += "\n  at " + std::to_string (k) + ", " + std::string (part) +
                                          ": against A;B" + (vsAB.empty() ? " the same" : vsAB) +
                                          "; against B;A" + (vsBA.empty() ? " the same" : vsBA);
                        }
                    }
                }
                if (!failedAt.empty())
                    ADD_FAILURE() << opNames[b] << " inside " << opNames[a]
                                  << (linked ? ", linked" : ", unlinked") << ", of " << notifications
                                  << " points, at:" << failedAt << "  [differs from A;B | B;A]"
                                  << detail;
            }
        }
    }
    std::cout << cases << " cases, " << failures << " not a serial order\n";
}
