#include "StateDocument.h"

#include "HostCalls.h"
#include "LineEditorAudioProcessor.h"
#include "RegularFileInput.h"
#include "SafeFileWriter.h"
#include "StandaloneSettingsLimit.h"
#include "StateOperations.h"
#include "UnlinkedLineMixes.h"
#include "XmlTextCheck.h"
#include "XmlValueReader.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <exception>

static_assert (maxStandaloneSettingsBytes >= 2 * static_cast<std::int64_t> (StateDocument::maxDocumentBytes),
               "the standalone's settings file holds a whole state in base 64");

namespace
{
constexpr const char* rootTag = "KalvoParamTree";
constexpr const char* lineNames[] = { "Main", "Low", "Mid", "High" };
constexpr const char* pointSuffixes[] = { "x", "y", "tn", "indx", "type" };
constexpr juce::uint32 binaryXmlMagic = 0x21324356; // the framework's marker of an XML block

enum PointField
{
    fieldX,
    fieldY,
    fieldTn,
    fieldIndx,
    fieldType,
    numPointFields
};

enum StageField
{
    stageLMFreq,
    stageHMFreq,
    stageMIDICon,
    stageMIDINote,
    stageLength,
    stageSync,
    stageMix,
    stageGlide,
    numStageFields
};

constexpr const char* stageFieldNames[] = { "LMFreq", "HMFreq", "stateMIDICon", "stateMIDINote",
                                            "Lenght", "Sync",   "BandMix",      "BandGlide" };

// Attribute and element names, built once: writing a document sets about 24,000 attributes and
// interning each name anew would dominate the time.
struct Names
{
    Names()
    {
        for (int i = 0; i < StateDocument::numSlots; ++i)
            for (int f = 0; f < numPointFields; ++f)
                point[i][f] = juce::Identifier ("Point" + juce::String (i) + pointSuffixes[f]);

        for (int f = 0; f < numStageFields; ++f)
            stage[f] = juce::Identifier (stageFieldNames[f]);

        for (int l = 0; l < StateDocument::numLines; ++l)
            for (int st = 0; st < 2; ++st)
                for (int s = 0; s < StateDocument::numStates; ++s)
                    element[l][st][s] = StateDocument::elementName (l, st + 1, s);
    }

    juce::Identifier point[StateDocument::numSlots][numPointFields];
    juce::Identifier stage[numStageFields];
    juce::Identifier presetName{ "PresetName" }, snapX{ "SnapX" }, snapY{ "SnapY" },
        changeImmediately{ "ChangeImdtly" }, linkMix{ "LinkMix" }, param{ "PARAM" }, id{ "id" },
        value{ "value" };
    juce::String element[StateDocument::numLines][2][StateDocument::numStates];
};

const Names& names()
{
    static const Names instance;
    return instance;
}

// A finite double clamped into lo..hi, or the fallback when it is not finite.
float clampOr (double v, double lo, double hi, float fallback)
{
    if (!std::isfinite (v))
        return fallback;

    return (float) std::clamp (v, lo, hi);
}

// Narrows without leaving float's range, keeping NaN and infinities as they are.
float narrow (double v)
{
    if (!std::isfinite (v))
        return (float) v;

    return (float) std::clamp (v, -(double) FLT_MAX, (double) FLT_MAX);
}

// What one state element holds, with every absent attribute at its default.
struct ElementValues
{
    explicit ElementValues (int state)
    {
        for (int i = 0; i < StateDocument::numSlots; ++i)
        {
            x[i] = 2.0;
            y[i] = 0.0;
            tn[i] = 0.0;
            indx[i] = -1;
            type[i] = 0;
        }
        midiNote = 60 + state;
    }

    // Reads the attributes in one pass; the first occurrence of a name counts, as with a lookup.
    void read (const juce::XmlElement& element, bool withSettings)
    {
        bool seenPoint[StateDocument::numSlots][numPointFields] = {};
        bool seenStage[numStageFields] = {};

        // The element's own attribute access walks its list from the start for every index; a
        // copy into a value set is one pass and then indexed directly.
        juce::NamedValueSet attributes;
        attributes.setFromXmlAttributes (element);

        for (int a = 0, n = attributes.size(); a < n; ++a)
        {
            const auto& value = attributes.getValueAt (a);

            // An attribute whose name begins "base64:" arrives renamed and decoded; it is not ours.
            if (value.isBinaryData())
                continue;

            const auto identifier = attributes.getName (a);
            const auto& name = identifier.toString();
            auto p = name.getCharPointer();

            if (name.startsWith ("Point"))
            {
                p += 5;
                int slot = -1;

                if (*p == '0')
                {
                    slot = 0;
                    ++p;
                }
                else
                {
                    for (int digits = 0; digits < 2 && *p >= '0' && *p <= '9'; ++digits)
                        slot = (slot < 0 ? 0 : slot * 10) + (int) (p.getAndAdvance() - '0');
                }

                if (slot < 0 || slot >= StateDocument::numSlots)
                    continue;

                for (int f = 0; f < numPointFields; ++f)
                {
                    if (p.compare (juce::CharPointer_ASCII (pointSuffixes[f])) == 0)
                    {
                        if (!seenPoint[slot][f])
                        {
                            seenPoint[slot][f] = true;
                            storePoint (slot, f, value.toString());
                        }
                        break;
                    }
                }
            }
            else if (withSettings)
            {
                for (int f = 0; f < numStageFields; ++f)
                {
                    if (name == stageFieldNames[f])
                    {
                        if (!seenStage[f])
                        {
                            seenStage[f] = true;
                            present[f] = true;
                            stage[f] = value.toString();
                        }
                        break;
                    }
                }
            }
        }
    }

    void storePoint (int slot, int field, const juce::String& text)
    {
        switch (field)
        {
            case fieldX:
                x[slot] = XmlValueReader::readDouble (text);
                break;
            case fieldY:
                y[slot] = XmlValueReader::readDouble (text);
                break;
            case fieldTn:
                tn[slot] = XmlValueReader::readDouble (text);
                break;
            case fieldIndx:
                indx[slot] = XmlValueReader::readInt (text);
                break;
            default:
                type[slot] = XmlValueReader::readInt (text);
                break;
        }
    }

    // Fills the five stored fields of every slot; the other fields keep what the store held.
    void toCurve (LETPoint* curve) const
    {
        for (int i = 0; i < StateDocument::numSlots; ++i)
        {
            curve[i].x = narrow (x[i]);
            curve[i].y = narrow (y[i]);
            curve[i].tn = narrow (tn[i]);
            curve[i].indx = indx[i];
            curve[i].type = type[i];
        }
    }

    juce::String stage[numStageFields];
    bool present[numStageFields] = {};
    int midiNote = 60;
    double x[StateDocument::numSlots], y[StateDocument::numSlots], tn[StateDocument::numSlots];
    int indx[StateDocument::numSlots], type[StateDocument::numSlots];
};

// Keeps only what the parameter tree may take from a document: the first "PARAM" child of each
// parameter, without children of its own, with a finite value inside the parameter's range
// (a value that is not a finite number takes the parameter's default).
void cleanParameterChildren (LineEditorAudioProcessor& p, juce::XmlElement& root)
{
    const auto& n = names();
    juce::StringArray seen;
    juce::Array<juce::XmlElement*> unwanted;

    for (auto* child : root.getChildIterator())
    {
        // Element names match without regard to case, this one too.
        auto* parameter = child->getTagName().equalsIgnoreCase ("PARAM")
                              ? p.parameters.getParameter (child->getStringAttribute (n.id))
                              : nullptr;

        if (parameter == nullptr || seen.contains (child->getStringAttribute (n.id)))
        {
            unwanted.add (child);
            continue;
        }

        seen.add (child->getStringAttribute (n.id));
        child->setTagName (n.param);
        child->deleteAllChildElements();

        if (child->hasAttribute (n.value))
        {
            const auto& range = p.parameters.getParameterRange (child->getStringAttribute (n.id));
            const auto defaultValue = range.convertFrom0to1 (parameter->getDefaultValue());
            const auto v = XmlValueReader::readDouble (child->getStringAttribute (n.value));
            const auto clean = std::isfinite (v) ? std::clamp (v, (double) range.start, (double) range.end)
                                                 : (double) defaultValue;

            // Always rewritten, so that the tree never reads the original text itself.
            child->setAttribute (n.value, clean);
        }
    }

    for (auto* child : unwanted)
        root.removeChildElement (child, true);
}

bool isValidUtf8 (const char* data, size_t size)
{
    return juce::CharPointer_UTF8::isValidString (data, (int) size);
}
} // namespace

int StateDocument::stateIndex (float value)
{
    return std::isfinite (value) ? std::clamp ((int) std::nearbyint (value), 0, numStates - 1) : 0;
}

juce::String StateDocument::elementName (int line, int stage, int state)
{
    return juce::String ("LinePoints") + lineNames[line] + (stage == 1 ? "1St" : "2St") +
           juce::String (state);
}

juce::XmlElement::TextFormat StateDocument::fileFormat()
{
    juce::XmlElement::TextFormat format;
    format.dtd = {};
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    format.newLineChars = "\r\n";
    return format;
}

std::unique_ptr<juce::XmlElement> StateDocument::createDocument (LineEditorAudioProcessor& p,
                                                                 const juce::String* presetName)
{
    // A host may save on its own thread while the editor, its automation or a restore changes the
    // processor: every value is read in this one hold, so no restore can come between two reads.
    const ModelLock::Hold hold (p.curveModelLock);
    return createDocumentHeld (p, presetName);
}

std::unique_ptr<juce::XmlElement> StateDocument::createDocumentHeld (LineEditorAudioProcessor& p,
                                                                     const juce::String* presetName)
{
    const auto& n = names();
    auto document = std::make_unique<juce::XmlElement> (rootTag);

    // The parameters' own values, as the parameter tree would write them. The tree itself lags
    // behind them by up to one of its timer periods, and copying it would wait for its lock,
    // which a restore holds while the host hears of every parameter it sets. While a restore's
    // tree is taking its parameters, or an edit is telling the host its own, some are old and
    // some new: the save writes them as the operation leaves them, with the model it has already
    // changed.
    float values[ParameterTable::numParameters];

    for (int i = 0; i < ParameterTable::numParameters; ++i)
    {
        const auto* id = ParameterTable::specs[i].id;
        values[i] = p.restores().valueOnceTold (i, p.parameters.getRawParameterValue (id)->load());

        auto* param = document->createNewChildElement (n.param.toString());
        param->setAttribute (n.id, id);
        param->setAttribute (n.value, (double) values[i]);
    }

    // A host's line mix waiting for the fold already plays. With the link on, every state stores
    // its mix as it plays. With it off, each state stores its own for the link to play again,
    // except the state the document selects, which stores the mix that plays: its line's
    // parameter as written above, which any load plays. So does every state of a line whose states
    // hold one mix: the knob or a host gives every state one, and its parameter is set before its
    // listener hands it on to the fold. The link as an edit telling the host its line mixes is to
    // leave it.
    p.foldHostLineMixes();
    const bool linked = p.restores().linkMixOnceTold (p.linkMix);
    const int selected = StateDocument::stateIndex (values[ParameterTable::pState]);
    bool oneMix[numLines];
    for (int l = 0; l < numLines; ++l)
    {
        const auto& mixes = ModelReading (p).bandMix()[l];
        oneMix[l] = std::all_of (std::begin (mixes), std::end (mixes), [&] (float m) { return m == *mixes; });
    }

    ModelReading (p).loadedRootValues().copyToXmlAttributes (*document);
    if (presetName != nullptr)
        document->setAttribute (n.presetName, *presetName);
    else
        document->setAttribute (n.presetName, ModelReading (p).presetName());
    document->setAttribute (n.snapX, ModelReading (p).snapX() ? 1 : 0);
    document->setAttribute (n.snapY, ModelReading (p).snapY() ? 1 : 0);
    document->setAttribute (n.changeImmediately, p.changeImmediately ? 1 : 0);
    document->setAttribute (n.linkMix, linked ? 1 : 0);

    auto writePoints = [&n] (juce::XmlElement& e, const LETPoint* curve)
    {
        for (int i = 0; i < numSlots; ++i)
        {
            e.setAttribute (n.point[i][fieldX], (double) curve[i].x);
            e.setAttribute (n.point[i][fieldY], (double) curve[i].y);
            e.setAttribute (n.point[i][fieldTn], (double) curve[i].tn);
            e.setAttribute (n.point[i][fieldIndx], (int) curve[i].indx);
            e.setAttribute (n.point[i][fieldType], (int) curve[i].type);
        }
    };

    for (int l = 0; l < numLines; ++l)
    {
        for (int s = 0; s < numStates; ++s)
        {
            auto* first = document->createNewChildElement (n.element[l][0][s]);

            if (l == 0)
            {
                first->setAttribute (n.stage[stageLMFreq], (double) ModelReading (p).lmFreq()[s]);
                first->setAttribute (n.stage[stageHMFreq], (double) ModelReading (p).hmFreq()[s]);
                first->setAttribute (n.stage[stageMIDICon], (int) p.stateMIDICon[s]);
                first->setAttribute (n.stage[stageMIDINote], (int) p.stateMIDINote[s]);
            }

            first->setAttribute (n.stage[stageLength], (double) ModelReading (p).lineLength()[l][s]);
            first->setAttribute (n.stage[stageSync], ModelReading (p).lineSync()[l][s] ? 1 : 0);
            float mix = ModelReading (p).bandMix()[l][s];
            if (!linked && (s == selected || oneMix[l]))
                mix = values[ParameterTable::pMixMain + l];
            first->setAttribute (n.stage[stageMix], (double) mix);
            first->setAttribute (n.stage[stageGlide], (double) ModelReading (p).bandGlide()[l][s]);
            writePoints (*first, ModelReading (p).linePoints1()[l][s]);

            auto* second = document->createNewChildElement (n.element[l][1][s]);
            writePoints (*second, ModelReading (p).linePoints2()[l][s]);
        }
    }

    return document;
}

void StateDocument::writeToBlock (LineEditorAudioProcessor& p, juce::MemoryBlock& destination)
{
    destination.reset();

    juce::AudioProcessor::copyXmlToBinary (*createDocument (p), destination);
}

bool StateDocument::writeToFile (LineEditorAudioProcessor& p, const juce::File& file,
                                 const juce::String* presetName)
{
    // The old preset is replaced only by a completely written new one.
    return SafeFileWriter::replaceWithText (file, createDocument (p, presetName)->toString (fileFormat()));
}

bool StateDocument::textFromBlock (const void* data, int sizeInBytes, juce::String& text)
{
    // The framework's block: magic number, text length, UTF-8 text, terminating zero.
    if (data == nullptr || sizeInBytes <= 8 || sizeInBytes > maxDocumentBytes + 9)
        return false;

    if (juce::ByteOrder::littleEndianInt (data) != binaryXmlMagic)
        return false;

    const auto stringLength = (int) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (stringLength <= 0)
        return false;

    const auto length = (size_t) juce::jmin (sizeInBytes - 8, stringLength);
    const auto* start = static_cast<const char*> (data) + 8;
    const auto* end = static_cast<const char*> (std::memchr (start, 0, length));
    const auto used = end != nullptr ? (size_t) (end - start) : length;

    if (used == 0 || !isValidUtf8 (start, used))
        return false;

    text = juce::String::fromUTF8 (start, (int) used);
    return true;
}

bool StateDocument::textFromFile (const juce::File& file, juce::String& text)
{
    juce::MemoryBlock data;

    if (RegularFileInput::readAll (file, maxDocumentBytes, data).failed() || data.getSize() == 0)
        return false;

    const auto* bytes = static_cast<const char*> (data.getData());
    auto size = data.getSize();

    if (size >= 2 && (juce::CharPointer_UTF16::isByteOrderMarkBigEndian (bytes) ||
                      juce::CharPointer_UTF16::isByteOrderMarkLittleEndian (bytes)))
    {
        text = juce::String::createStringFromData (bytes, (int) size);
        return text.isNotEmpty();
    }

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
    {
        bytes += 3;
        size -= 3;
    }

    if (const auto* zero = static_cast<const char*> (std::memchr (bytes, 0, size)))
        size = (size_t) (zero - bytes);

    if (size == 0 || !isValidUtf8 (bytes, size))
        return false;

    text = juce::String::fromUTF8 (bytes, (int) size);
    return true;
}

std::unique_ptr<juce::XmlElement> StateDocument::parseText (const juce::String& text)
{
    // The framework's parser takes broken text leniently and, on some, never returns; it only
    // sees text that is well-formed. Our documents have no DTD, so none is accepted: that keeps
    // the parser away from entity expansion and from reading other files.
    if (!XmlTextCheck::isWellFormed (text.toRawUTF8(), maxTags, maxDepth))
        return {};

    return juce::parseXML (text);
}

bool StateDocument::readFromBlock (LineEditorAudioProcessor& p, const void* data, int sizeInBytes)
{
    juce::String text;

    if (!textFromBlock (data, sizeInBytes, text))
        return false;

    auto document = parseText (text);
    return document != nullptr && applyDocument (p, *document, nullptr);
}

bool StateDocument::readFromFile (LineEditorAudioProcessor& p, const juce::File& file, bool pasted)
{
    juce::String text;

    if (!textFromFile (file, text))
        return false;

    auto document = parseText (text);
    const auto name = file.getFileNameWithoutExtension();
    return document != nullptr && applyDocument (p, *document, &name, pasted);
}

namespace
{
// True when the curve model can take the curve as stored: at least two used points, all inside
// their ranges, the lowest at x 0 and the highest at x 1, every free slot sorting behind them.
// Their slot order does not matter (Randomize State stores its points in drawing order): the
// model sorts them itself, so such a curve is kept slot for slot.
bool isUsableAsStored (const LETPoint* curve)
{
    int numUsed = 0;
    float lowest = 2.0f, highest = -1.0f;

    for (int i = 0; i < StateDocument::numSlots; ++i)
    {
        const auto& pt = curve[i];

        if (pt.indx == -1)
        {
            if (!(pt.x > 1.0f))
                return false;

            continue;
        }

        if (!(pt.x >= 0.0f && pt.x <= 1.0f && pt.y >= 0.0f && pt.y <= 1.0f && pt.tn >= -1.0f &&
              pt.tn <= 1.0f))
            return false;

        lowest = std::min (lowest, pt.x);
        highest = std::max (highest, pt.x);
        ++numUsed;
    }

    return numUsed >= 2 && lowest == 0.0f && highest == 1.0f;
}
} // namespace

void StateDocument::makeCurveUsable (LETPoint* curve)
{
    if (isUsableAsStored (curve))
        return;

    int used[numSlots];
    int numUsed = 0;

    for (int i = 0; i < numSlots; ++i)
    {
        auto& pt = curve[i];

        if (pt.indx != -1 && std::isfinite (pt.x))
        {
            pt.x = std::clamp (pt.x, 0.0f, 1.0f);
            pt.y = std::isfinite (pt.y) ? std::clamp (pt.y, 0.0f, 1.0f) : 0.0f;
            pt.tn = std::isfinite (pt.tn) ? std::clamp (pt.tn, -1.0f, 1.0f) : 0.0f;
            used[numUsed++] = i;
        }
    }

    if (numUsed < 2)
    {
        StateOperations::makeFlatCurve (curve);
        return;
    }

    // Stable, like the curve model's own sort: equal x keep their order.
    std::stable_sort (used, used + numUsed, [curve] (int a, int b) { return curve[a].x < curve[b].x; });

    LETPoint sorted[numSlots];

    for (int k = 0; k < numUsed; ++k)
    {
        sorted[k] = curve[used[k]];
        sorted[k].indx = k;
    }

    sorted[0].x = 0.0f;
    sorted[numUsed - 1].x = 1.0f;

    // Free slots follow in their old order, rewritten as free slots.
    int k = numUsed;

    for (int i = 0; i < numSlots; ++i)
    {
        if (curve[i].indx != -1 && std::isfinite (curve[i].x))
            continue;

        sorted[k] = curve[i];
        sorted[k].x = 2.0f;
        sorted[k].y = 0.0f;
        sorted[k].tn = 0.0f;
        sorted[k].indx = -1;
        sorted[k].type = 1;
        ++k;
    }

    std::copy (sorted, sorted + numSlots, curve);
}

namespace
{
using Elements = juce::XmlElement* [StateDocument::numLines][2][StateDocument::numStates];

// The curves, per-state settings and root values of a document, published, then linkMix and
// the other options. Removes the curve elements it read from the document.
void applyModel (LineEditorAudioProcessor& p, Elements& elements, juce::XmlElement& document,
                 const juce::String* nameFromFile) KALVO_REQUIRES (p.curveModelLock, modelWriteRole);

// The run's second part, for the newest document: what depends on the model and the parameters
// both. A paste leaves the preset modified.
void finishRestore (LineEditorAudioProcessor& p, bool pasted)
    KALVO_REQUIRES (p.curveModelLock, modelWriteRole);
} // namespace

bool StateDocument::applyDocument (LineEditorAudioProcessor& p, juce::XmlElement& document,
                                   const juce::String* nameFromFile, bool pasted)
{
    const auto& n = names();

    if (!document.getTagName().equalsIgnoreCase (rootTag))
        return false;

    // Element names match without regard to case; the first of each name counts.
    Elements elements = {};
    {
        juce::HashMap<juce::String, juce::XmlElement*> byName;

        for (auto* child : document.getChildIterator())
        {
            const auto key = child->getTagName().toLowerCase();

            if (!byName.contains (key))
                byName.set (key, child);
        }

        for (int l = 0; l < numLines; ++l)
            for (int st = 0; st < 2; ++st)
                for (int s = 0; s < numStates; ++s)
                    elements[l][st][s] = byName[n.element[l][st][s].toLowerCase()];
    }

    // The model's part under the lock; the parameter tree's afterwards, without it, since it
    // calls the host; then the lock again for what depends on both. Edits that land between lose
    // to the document, and saves write it: the restore is under way until the second part, or
    // until it is left some other way. A restore that begins while another replaces the tree
    // hands its tree over to that one, which finishes for it (see RestoreEpoch).
    RestoreEpoch::Restore restore (p.curveModelLock);
    juce::ValueTree tree;
    {
        const ModelWriteRole::RestoreStep step (p.curveModelLock);
        const bool replacesTree = restore.begin (p.restores(), pasted);
        // The document's mixes replace whatever a host set before the load.
        p.hostLineMixes.discard();
        const auto currentName = p.presetName();
        applyModel (p, elements, document, nameFromFile);
        if (pasted)
            p.presetName() = currentName;

        // The tree takes the parameters and keeps the five root values as its properties.
        document.setTagName (rootTag);
        cleanParameterChildren (p, document);
        UnlinkedLineMixes::settleDocument (p, document);
        restore.willTake (p.restores(), document, p.parameters);
        tree = juce::ValueTree::fromXml (document);
        if (!replacesTree)
        {
            restore.handOver (p.restores(), std::move (tree));
            return true;
        }
    }

    // A replacement that throws (a host callback) fails this restore, but not a newer one that
    // handed its tree over meanwhile and returned success: its tree is replaced next and the run
    // finished for it as ever, and only then does the failure reach this restore's caller. When
    // the last replacement throws, the run ends without its second part, in the hold that found no
    // newer tree, so that no restore hands its tree over to a run that is over.
    std::exception_ptr failure;
    for (;;)
    {
        bool replaced = true;
        try
        {
            HostCalls::replaceState (p, tree);
        }
        catch (...)
        {
            failure = std::current_exception();
            replaced = false;
        }

        {
            const ModelWriteRole::RestoreStep step (p.curveModelLock);
            if (restore.takeNewerTree (p.restores(), tree))
                continue;
            const bool newestPasted = restore.end (p.restores());
            if (replaced)
                finishRestore (p, newestPasted);
        }

        if (failure)
            std::rethrow_exception (failure);
        return true;
    }
}

namespace
{
void finishRestore (LineEditorAudioProcessor& p, bool pasted)
{
    constexpr int numLines = StateDocument::numLines, numStates = StateDocument::numStates;

    // The tree's replacement reached the parameter listener with the loaded linkMix: an unlinked
    // line mix it left for the fold is the document's own parameter, not a change for every state.
    p.hostLineMixes.discard();
    // Published before currentState, the mix targets and the switch below read it.
    p.publishModel();

    p.currentState =
        StateDocument::stateIndex (p.parameters.getRawParameterValue (ParameterTable::id (ParameterTable::pState))->load());
    p.powerValue = p.parameters.getRawParameterValue (ParameterTable::id (ParameterTable::pPower))->load();

    for (int l = 0; l < numLines; ++l)
        p.setMixTarget (l + 1, UnlinkedLineMixes::playing (p, l, p.currentState));

    for (int s = 0; s < numStates; ++s)
    {
        p.stateNoteHeld[s] = false;
        p.stateNoteEvent[s] = false;
    }

    p.CalculateSpeed();

    p.stateSwitched = true;
    // A paste leaves the preset modified.
    p.presetModified = pasted;
    p.presetNameChanged = true;
    p.powerChanged = true;

    p.clearUndoHistories();

    for (int l = 0; l < numLines; ++l)
        p.speedChanged[l] = true;

    // The audio thread takes the whole document at one block boundary, before the switch below.
    p.stateChangeNow = true;

    for (int l = 0; l < numLines; ++l)
    {
        p.lineLengthChanged[l] = true;
        p.bandMixChanged[l] = true;
    }

    p.lmFreqChanged = true;
    p.hmFreqChanged = true;

    for (int l = 0; l < numLines; ++l)
    {
        p.syncChanged[l] = true;
        p.mixChanged[l + 1] = true;
    }

    // The curve models follow the state the document selected, so the editor's next undo step
    // records the curve it shows.
    p.curveModelsStale = true;
    p.syncCurveModels();
}
} // namespace

namespace
{
void applyModel (LineEditorAudioProcessor& p, Elements& elements, juce::XmlElement& document,
                 const juce::String* nameFromFile)
{
    const auto& n = names();
    constexpr int numLines = StateDocument::numLines, numStates = StateDocument::numStates;

    for (int l = 0; l < numLines; ++l)
    {
        for (int s = 0; s < numStates; ++s)
        {
            // A missing element reads as one whose attributes are all absent.
            ElementValues first (s), second (s);

            if (elements[l][0][s] != nullptr)
                first.read (*elements[l][0][s], true);

            if (elements[l][1][s] != nullptr)
                second.read (*elements[l][1][s], false);

            const auto& v = first.stage;
            const auto& has = first.present;

            if (l == 0)
            {
                p.lmFreq()[s] = has[stageLMFreq]
                                  ? clampOr (XmlValueReader::readDouble (v[stageLMFreq]), 0.0, 1.0, 0.0f)
                                  : 0.0f;
                p.hmFreq()[s] = has[stageHMFreq]
                                  ? clampOr (XmlValueReader::readDouble (v[stageHMFreq]), 0.0, 1.0, 0.0f)
                                  : 0.0f;
                // The audio path treats only 1 as connected.
                p.stateMIDICon[s] =
                    has[stageMIDICon] && XmlValueReader::readInt (v[stageMIDICon]) == 1 ? 1 : 0;
                const int note = has[stageMIDINote] ? XmlValueReader::readInt (v[stageMIDINote])
                                                    : StateDefaults::firstMidiNote + s;
                p.stateMIDINote[s] = note >= 0 && note <= 127 ? note : StateDefaults::firstMidiNote + s;
            }

            p.lineLength()[l][s] = has[stageLength] ? clampOr (XmlValueReader::readDouble (v[stageLength]), 0.0,
                                                             1.0, StateDefaults::length)
                                                  : StateDefaults::length;
            p.lineSync()[l][s] = has[stageSync] ? XmlValueReader::readBool (v[stageSync]) : StateDefaults::sync;
            p.bandMix()[l][s] = has[stageMix] ? clampOr (XmlValueReader::readDouble (v[stageMix]), 0.0, 1.0,
                                                       StateDefaults::mix)
                                            : StateDefaults::mix;
            p.bandGlide()[l][s] = has[stageGlide] ? clampOr (XmlValueReader::readDouble (v[stageGlide]), 0.0,
                                                           10000.0, StateDefaults::glide)
                                                : StateDefaults::glide;

            first.toCurve (p.linePoints1()[l][s]);
            second.toCurve (p.linePoints2()[l][s]);
            StateDocument::makeCurveUsable (p.linePoints1()[l][s]);
            StateDocument::makeCurveUsable (p.linePoints2()[l][s]);

            for (int st = 0; st < 2; ++st)
                if (elements[l][st][s] != nullptr)
                    document.removeChildElement (elements[l][st][s], true);

            p.renderLineState (l, s);
        }
    }

    p.lineEditor1().setLinePoints (p.linePoints1()[p.currentLine][p.currentState]);
    p.lineEditor2().setLinePoints (p.linePoints2()[p.currentLine][p.currentState]);
    // Raised with the curves: an edit committed from now on finds that the store won.
    p.linePoints1Changed = true;
    p.linePoints2Changed = true;

    p.loadedRootValues().setFromXmlAttributes (document);
    p.presetName() = nameFromFile != nullptr ? *nameFromFile : document.getStringAttribute (n.presetName);
    p.snapX() = document.getBoolAttribute (n.snapX, true);
    p.snapY() = document.getBoolAttribute (n.snapY, true);

    // The new curves and settings first, so that a switch which sees the new linkMix plays them;
    // the listener then sees the loaded linkMix while the tree takes the parameters.
    p.publishModel();
    p.linkMix = document.getBoolAttribute (n.linkMix, false);
    p.changeImmediately = document.getBoolAttribute (n.changeImmediately, false);
    p.optionsChanged = true;
}
} // namespace
