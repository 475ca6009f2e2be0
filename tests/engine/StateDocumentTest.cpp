#include "StateDocument.h"
#include "ProcessorTestSupport.h"
#include "StateTestSupport.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <thread>

using namespace statetest;

namespace
{
// Fills every value the document carries with random content: 50-point curves in both stages,
// per-state settings, the five root values and all parameters.
void fillRandomly (LineEditorAudioProcessor& p, juce::int64 seed)
{
    juce::Random r (seed);

    for (int l = 0; l < 4; ++l)
    {
        for (int s = 0; s < 12; ++s)
        {
            randomCurve (r, p.linePoints1()[l][s], 50);
            randomCurve (r, p.linePoints2()[l][s], 2 + r.nextInt (49));
            p.lineLength()[l][s] = r.nextFloat();
            p.lineSync()[l][s] = r.nextBool();
            p.bandMix()[l][s] = r.nextFloat();
            p.bandGlide()[l][s] = r.nextFloat() * 500.0f;
        }
    }

    for (int s = 0; s < 12; ++s)
    {
        p.lmFreq()[s] = r.nextFloat();
        p.hmFreq()[s] = r.nextFloat();
        p.stateMIDICon[s] = r.nextInt (2);
        p.stateMIDINote[s] = r.nextInt (128);
    }

    p.presetName() =
        "Rand <&> \"preset\" " + juce::String (seed) + juce::String::fromUTF8 (" \xc3\xa9\xe2\x82\xac");
    p.snapX() = r.nextBool();
    p.snapY() = r.nextBool();
    p.changeImmediately = r.nextBool();
    p.linkMix = true; // per-state mixes stand only while they are stored with the states

    for (auto* id : parameterIds)
        p.parameters.getParameter (id)->setValueNotifyingHost (r.nextFloat());
}

void poisonTables (LineEditorAudioProcessor& p)
{
    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            for (int k = 0; k < 512; ++k)
                p.lineArray1()[l][s][k] = p.lineArray2()[l][s][k] = p.modulationArray()[l][s][k] = std::nanf ("");
}

void expectSameDocumentContent (LineEditorAudioProcessor& a, LineEditorAudioProcessor& b)
{
    for (int l = 0; l < 4; ++l)
    {
        for (int s = 0; s < 12; ++s)
        {
            SCOPED_TRACE (juce::String (lineNames[l]) + " state " + juce::String (s));
            EXPECT_TRUE (sameCurve (a.linePoints1()[l][s], b.linePoints1()[l][s]));
            EXPECT_TRUE (sameCurve (a.linePoints2()[l][s], b.linePoints2()[l][s]));
            EXPECT_TRUE (sameBits (a.lineLength()[l][s], b.lineLength()[l][s]));
            EXPECT_EQ (a.lineSync()[l][s], b.lineSync()[l][s]);
            EXPECT_TRUE (sameBits (a.bandMix()[l][s], b.bandMix()[l][s]));
            EXPECT_TRUE (sameBits (a.bandGlide()[l][s], b.bandGlide()[l][s]));

            // Rendered again from the loaded points, by a model of the test's own.
            const auto one = render (a.linePoints1()[l][s]);
            const auto two = render (a.linePoints2()[l][s]);
            for (int k = 0; k < 512; ++k)
            {
                ASSERT_TRUE (sameBits (b.lineArray1()[l][s][k], one[(size_t) k])) << k;
                ASSERT_TRUE (sameBits (b.lineArray2()[l][s][k], two[(size_t) k])) << k;
                ASSERT_TRUE (sameBits (b.modulationArray()[l][s][k], one[(size_t) k] * two[(size_t) k])) << k;
            }
        }
    }

    for (int s = 0; s < 12; ++s)
    {
        EXPECT_TRUE (sameBits (a.lmFreq()[s], b.lmFreq()[s]));
        EXPECT_TRUE (sameBits (a.hmFreq()[s], b.hmFreq()[s]));
        EXPECT_EQ (a.stateMIDICon[s], b.stateMIDICon[s]);
        EXPECT_EQ (a.stateMIDINote[s], b.stateMIDINote[s]);
    }

    EXPECT_EQ (a.snapX(), b.snapX());
    EXPECT_EQ (a.snapY(), b.snapY());
    EXPECT_EQ (a.changeImmediately, b.changeImmediately);
    EXPECT_EQ (a.linkMix, b.linkMix);

    for (auto* id : parameterIds)
        EXPECT_TRUE (sameBits (parameterValue (a, id), parameterValue (b, id))) << id;

    EXPECT_EQ (b.currentState, juce::roundToInt (parameterValue (a, "State")));
    EXPECT_TRUE (sameBits (b.powerValue, parameterValue (a, "Power")));
}

std::unique_ptr<juce::XmlElement> documentOf (LineEditorAudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
}

bool load (LineEditorAudioProcessor& p, const juce::XmlElement& document)
{
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (document, block);
    p.setStateInformation (block.getData(), (int) block.getSize());
    return p.stateChangeNow;
}

juce::File temporaryFolder()
{
    auto folder = temporaryHome().folder.getChildFile ("presets-under-test");
    folder.createDirectory();
    return folder;
}
} // namespace

TEST (StateDocument, HostBlockRoundTripOfARandomFullDocumentIsBitIdentical)
{
    for (juce::int64 seed : { 1, 77, 4242 })
    {
        auto a = makeProcessor();
        auto b = makeProcessor();
        fillRandomly (*a, seed);
        poisonTables (*b);

        juce::MemoryBlock block;
        a->getStateInformation (block);
        b->setStateInformation (block.getData(), (int) block.getSize());

        expectSameDocumentContent (*a, *b);
        EXPECT_EQ (b->presetName(), a->presetName());

        // And the loaded processor writes the same document again.
        juce::MemoryBlock again;
        b->getStateInformation (again);
        EXPECT_EQ (again, block);
    }
}

TEST (StateDocument, PresetFileRoundTripOfARandomFullDocumentIsBitIdentical)
{
    auto a = makeProcessor();
    auto b = makeProcessor();
    fillRandomly (*a, 99);
    poisonTables (*b);

    const auto file = temporaryFolder().getChildFile ("Round Trip.kvp");
    ASSERT_TRUE (a->saveStateToFile (file));
    ASSERT_TRUE (b->getStateFromFile (file));

    expectSameDocumentContent (*a, *b);
    EXPECT_EQ (b->presetName(), "Round Trip");
}

TEST (StateDocument, DocumentShapeIs96ElementsInOrderWithFixedAttributeCounts)
{
    auto p = makeProcessor();
    auto doc = StateDocument::createDocument (*p);
    ASSERT_NE (doc, nullptr);
    EXPECT_EQ (doc->getTagName(), "KalvoParamTree");

    // Root values, in their order.
    const char* rootNames[] = { "PresetName", "SnapX", "SnapY", "ChangeImdtly", "LinkMix" };
    ASSERT_EQ (doc->getNumAttributes(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (doc->getAttributeName (i), rootNames[i]);

    ASSERT_EQ (doc->getNumChildElements(), 17 + 96);

    // The parameters first, in their creation order.
    for (int i = 0; i < 17; ++i)
    {
        auto* child = doc->getChildElement (i);
        EXPECT_EQ (child->getTagName(), "PARAM");
        EXPECT_EQ (child->getStringAttribute ("id"), parameterIds[i]);
    }

    int total = 0;
    int index = 17;

    for (int l = 0; l < 4; ++l)
    {
        for (int s = 0; s < 12; ++s)
        {
            for (int stage = 1; stage <= 2; ++stage)
            {
                auto* e = doc->getChildElement (index++);
                const auto expectedName = juce::String ("LinePoints") + lineNames[l] + juce::String (stage) +
                                          "St" + juce::String (s);
                ASSERT_EQ (e->getTagName(), expectedName);

                juce::StringArray expected;
                if (stage == 1 && l == 0)
                    expected.addArray ({ "LMFreq", "HMFreq", "stateMIDICon", "stateMIDINote" });
                if (stage == 1)
                    expected.addArray ({ "Lenght", "Sync", "BandMix", "BandGlide" });
                for (int i = 0; i < 50; ++i)
                    for (auto* suffix : { "x", "y", "tn", "indx", "type" })
                        expected.add ("Point" + juce::String (i) + suffix);

                EXPECT_EQ (e->getNumAttributes(), stage == 2 ? 250 : (l == 0 ? 258 : 254));
                ASSERT_EQ (e->getNumAttributes(), expected.size());
                for (int a = 0; a < expected.size(); ++a)
                    ASSERT_EQ (e->getAttributeName (a), expected[a]);
                total += e->getNumAttributes();
            }
        }
    }

    EXPECT_EQ (doc->getFirstChildElement()->getTagName(), "PARAM");
    EXPECT_EQ (doc->getChildElement (17)->getTagName(), "LinePointsMain1St0");
    EXPECT_EQ (doc->getChildElement (18)->getTagName(), "LinePointsMain2St0");
    EXPECT_EQ (doc->getChildElement (19)->getTagName(), "LinePointsMain1St1");
    EXPECT_EQ (doc->getChildElement (17 + 95)->getTagName(), "LinePointsHigh2St11");
    EXPECT_EQ (total, 24240);

    // A fresh processor writes free slots as the model holds them.
    auto* main0 = doc->getChildElement (17);
    EXPECT_EQ (main0->getStringAttribute ("Point2x"), "2.0");
    EXPECT_EQ (main0->getStringAttribute ("Point2indx"), "-1");
    EXPECT_EQ (main0->getStringAttribute ("Point2type"), "1");
}

TEST (StateDocument, PresetFileIsUtf8WithCrLfLineEndsWrappedAt60)
{
    auto p = makeProcessor();
    const auto file = temporaryFolder().getChildFile ("Shape.kvp");
    ASSERT_TRUE (p->saveStateToFile (file));

    juce::MemoryBlock bytes;
    ASSERT_TRUE (file.loadFileAsData (bytes));
    const auto text = bytes.toString();

    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<KalvoParamTree"));
    EXPECT_FALSE (text.contains ("<!DOCTYPE"));

    // Every line ends in "\r\n"; attributes move to a new line once a line's attributes pass 60
    // characters.
    int lines = 0;
    for (auto rest = text; rest.isNotEmpty(); ++lines)
    {
        const int end = rest.indexOf ("\n");
        ASSERT_GT (end, 0) << "the file does not end with a line end";
        EXPECT_EQ (rest[end - 1], '\r');
        const auto line = rest.substring (0, end - 1);
        rest = rest.substring (end + 1);

        if (line.startsWithChar (' ') && !line.trimStart().startsWithChar ('<'))
        {
            const auto attributes = " " + line.trimStart();
            const auto lastStart = attributes.lastIndexOf ("\" ") + 1;
            EXPECT_LE (lastStart, 60) << line;
            if (!line.endsWith (">"))
            {
                EXPECT_GT (attributes.length(), 60) << line;
            }
        }
    }
    EXPECT_GT (lines, 2000);

    // Exactly the framework's rendering with those options.
    juce::XmlElement::TextFormat format;
    format.customEncoding = "UTF-8";
    format.lineWrapLength = 60;
    format.newLineChars = "\r\n";
    EXPECT_EQ (text, StateDocument::createDocument (*p)->toString (format));
}

TEST (StateDocument, HostBlockIsTheFrameworkBinaryXmlForm)
{
    auto p = makeProcessor();
    juce::MemoryBlock block;
    block.append ("old content", 11);
    p->getStateInformation (block);

    ASSERT_GT (block.getSize(), 9u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (block.getData()), 0x21324356u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (block.getData(), 4)),
               (juce::uint32) block.getSize() - 9);
    auto doc = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
    ASSERT_NE (doc, nullptr);
    EXPECT_TRUE (doc->isEquivalentTo (StateDocument::createDocument (*p).get(), false));
}

TEST (StateDocument, SavingChangesNothingInTheProcessor)
{
    auto p = makeProcessor();
    p->presetName() = "Kept";
    p->presetModified = true;
    clearFlags (*p);
    p->presetModified = true;
    const auto before = flags (*p);

    juce::MemoryBlock block;
    p->getStateInformation (block);
    ASSERT_TRUE (p->saveStateToFile (temporaryFolder().getChildFile ("Kept.kvp")));

    EXPECT_EQ (p->presetName(), "Kept");
    EXPECT_EQ (flags (*p), before);
}

TEST (StateDocument, SaveStoresTheNewestParameterValues)
{
    auto p = makeProcessor();
    setParameter (*p, "MixMaster", 0.25f);

    // The tree itself still holds the old value until its timer runs.
    auto tree = p->parameters.state.getChildWithProperty ("id", "MixMaster");
    ASSERT_EQ ((float) tree.getProperty ("value"), 1.0f);

    auto doc = documentOf (*p);
    auto* param = doc->getChildByAttribute ("id", "MixMaster");
    ASSERT_NE (param, nullptr);
    EXPECT_FLOAT_EQ ((float) param->getDoubleAttribute ("value"), 0.25f);

    auto q = makeProcessor();
    ASSERT_TRUE (load (*q, *doc));
    EXPECT_FLOAT_EQ (parameterValue (*q, "MixMaster"), 0.25f);
}

TEST (StateDocument, AbsentAttributesTakeTheirDefaults)
{
    auto p = makeProcessor();
    juce::XmlElement doc ("KalvoParamTree");
    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            for (int stage = 1; stage <= 2; ++stage)
                doc.createNewChildElement (StateDocument::elementName (l, stage, s));

    // State 3 of the Main line: a curve whose two used slots have no type, and a slot without
    // an index (so unused).
    auto* e = doc.getChildByName ("LinePointsMain1St3");
    e->setAttribute ("Point0x", 0.0);
    e->setAttribute ("Point0y", 0.25);
    e->setAttribute ("Point0indx", 0);
    e->setAttribute ("Point1x", 1.0);
    e->setAttribute ("Point1y", 0.75);
    e->setAttribute ("Point1indx", 1);
    e->setAttribute ("Point2x", 0.5);
    e->setAttribute ("Point2y", 0.5);

    p->snapX() = p->snapY() = false;
    p->changeImmediately = p->linkMix = true;
    p->presetName() = "Before";
    ASSERT_TRUE (load (*p, doc));

    for (int s = 0; s < 12; ++s)
    {
        EXPECT_EQ (p->lmFreq()[s], 0.0f);
        EXPECT_EQ (p->hmFreq()[s], 0.0f);
        EXPECT_EQ (p->stateMIDICon[s], 0);
        EXPECT_EQ (p->stateMIDINote[s], 60 + s);
        for (int l = 0; l < 4; ++l)
        {
            EXPECT_EQ (p->lineLength()[l][s], 0.63f);
            EXPECT_TRUE (p->lineSync()[l][s]);
            EXPECT_EQ (p->bandMix()[l][s], 1.0f);
            EXPECT_EQ (p->bandGlide()[l][s], 10.0f);
            if (l != 0 || s != 3)
            {
                EXPECT_TRUE (isFlatCurve (p->linePoints1()[l][s]));
            }
            EXPECT_TRUE (isFlatCurve (p->linePoints2()[l][s]));
        }
    }

    const auto* c = p->linePoints1()[0][3];
    EXPECT_EQ (c[0].type, 0);
    EXPECT_EQ (c[1].type, 0);
    EXPECT_EQ (c[1].y, 0.75f);
    EXPECT_EQ (c[2].indx, -1);
    EXPECT_EQ (c[2].x, 2.0f);
    // Type 0 renders flat at the first point's value.
    EXPECT_EQ (p->lineArray1()[0][3][0], 0.25f);
    EXPECT_EQ (p->lineArray1()[0][3][511], 0.25f);

    EXPECT_TRUE (p->snapX());
    EXPECT_TRUE (p->snapY());
    EXPECT_FALSE (p->changeImmediately);
    EXPECT_FALSE (p->linkMix);
    EXPECT_EQ (p->presetName(), "");
}

TEST (StateDocument, ElementNamesIgnoreCaseAttributeNamesDoNot)
{
    auto source = makeProcessor();
    source->lineLength()[2][5] = 0.25f;
    source->lineLength()[1][4] = 0.75f;
    auto doc = documentOf (*source);

    doc->setTagName ("kalvoPARAMtree");
    doc->getChildByName ("LinePointsMid1St5")->setTagName ("linepointsmid1st5");

    auto* e = doc->getChildByName ("LinePointsLow1St4");
    e->setTagName ("LINEPOINTSLOW1ST4");
    e->removeAttribute ("Lenght");
    e->setAttribute ("lenght", 0.1);

    // The parameter children are found in any case too; a value attribute in another case is not
    // the value.
    doc->getChildByAttribute ("id", "MidLevel")->setTagName ("param");
    doc->getChildByAttribute ("id", "MidLevel")->setAttribute ("value", 0.125);
    doc->getChildByAttribute ("id", "HighLevel")->setTagName ("Param");
    doc->getChildByAttribute ("id", "HighLevel")->removeAttribute ("value");
    doc->getChildByAttribute ("id", "HighLevel")->setAttribute ("Value", 0.75);

    auto p = makeProcessor();
    ASSERT_TRUE (load (*p, *doc));
    EXPECT_EQ (p->lineLength()[2][5], 0.25f);
    EXPECT_EQ (p->lineLength()[1][4], 0.63f);
    EXPECT_EQ (parameterValue (*p, "MidLevel"), 0.125f);
    EXPECT_EQ (parameterValue (*p, "HighLevel"), 0.5f); // the default, as in a fresh processor
}

TEST (StateDocument, PresetNameComesFromTheFileNameInFilesAndFromTheDocumentInHostBlocks)
{
    auto source = makeProcessor();
    source->presetName() = "Inside";
    const auto file = temporaryFolder().getChildFile ("Outside Name.kvp");
    ASSERT_TRUE (source->saveStateToFile (file));

    auto p = makeProcessor();
    ASSERT_TRUE (p->getStateFromFile (file));
    EXPECT_EQ (p->presetName(), "Outside Name");

    juce::MemoryBlock block;
    source->getStateInformation (block);
    p->setStateInformation (block.getData(), (int) block.getSize());
    EXPECT_EQ (p->presetName(), "Inside");
}

TEST (StateDocument, RejectedInputChangesNothingAtAll)
{
    auto p = makeProcessor();
    fillRandomly (*p, 5);
    p->presetName() = "Untouched";
    p->currentState = 4;
    clearFlags (*p);

    juce::MemoryBlock before;
    p->getStateInformation (before);
    std::vector<float> tables (p->modulationArray()[0][0], p->modulationArray()[0][0] + 4 * 12 * 512);
    const auto flagsBefore = flags (*p);

    auto expectUnchanged = [&] (const char* what)
    {
        SCOPED_TRACE (what);
        juce::MemoryBlock after;
        p->getStateInformation (after);
        EXPECT_EQ (after, before);
        EXPECT_EQ (flags (*p), flagsBefore);
        EXPECT_EQ (p->presetName(), "Untouched");
        EXPECT_EQ (p->currentState, 4);
        EXPECT_TRUE (std::equal (tables.begin(), tables.end(), p->modulationArray()[0][0]));
    };

    p->setStateInformation (nullptr, 0);
    expectUnchanged ("no block");
    p->setStateInformation ("", 0);
    expectUnchanged ("empty block");
    p->setStateInformation (nullptr, 100);
    expectUnchanged ("null data with a size");

    const char garbage[] = "\x01\x02garbage bytes that are not a state";
    p->setStateInformation (garbage, (int) sizeof (garbage));
    expectUnchanged ("garbage");

    for (auto* text : { "<KalvoParamTree><PARAM id=\"Power\" value=\"0\"/>", "not xml at all",
                        "<Other><PARAM id=\"State\" value=\"3\"/></Other>" })
    {
        auto b = blockOfText (text);
        p->setStateInformation (b.getData(), (int) b.getSize());
        expectUnchanged (text);
    }

    // A block whose text is not valid UTF-8.
    const char invalid[] = "\x56\x43\x32\x21\x05\x00\x00\x00<\xff\xfe/>";
    p->setStateInformation (invalid, (int) sizeof (invalid));
    expectUnchanged ("invalid UTF-8");

    const auto folder = temporaryFolder();
    EXPECT_FALSE (p->getStateFromFile (folder.getChildFile ("missing.kvp")));
    expectUnchanged ("missing file");
    EXPECT_FALSE (p->getStateFromFile (folder));
    expectUnchanged ("a folder");

    const auto pipe = folder.getChildFile ("pipe.kvp");
    pipe.deleteFile();
    ASSERT_EQ (mkfifo (pipe.getFullPathName().toRawUTF8(), 0600), 0);
    EXPECT_FALSE (p->getStateFromFile (pipe));
    expectUnchanged ("a pipe");
    const auto device = folder.getChildFile ("device.kvp");
    ASSERT_TRUE (juce::File ("/dev/zero").createSymbolicLink (device, true));
    EXPECT_FALSE (p->getStateFromFile (device));
    expectUnchanged ("a link to a device");

    const auto wrongRoot = folder.getChildFile ("wrong root.kvp");
    wrongRoot.replaceWithText ("<?xml version=\"1.0\"?>\r\n<Setting Scaling=\"1.0\"/>");
    EXPECT_FALSE (p->getStateFromFile (wrongRoot));
    expectUnchanged ("wrong root");

    const auto malformed = folder.getChildFile ("malformed.kvp");
    malformed.replaceWithText (
        "<?xml version=\"1.0\"?>\r\n<KalvoParamTree><LinePointsMain1St0 Point0x=\"0\"");
    EXPECT_FALSE (p->getStateFromFile (malformed));
    expectUnchanged ("malformed");

    const auto empty = folder.getChildFile ("empty.kvp");
    empty.replaceWithText ("");
    EXPECT_FALSE (p->getStateFromFile (empty));
    expectUnchanged ("empty file");

    const auto withDtd = folder.getChildFile ("dtd.kvp");
    withDtd.replaceWithText (
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"&a;\">]><KalvoParamTree PresetName=\"&a;\"/>");
    EXPECT_FALSE (p->getStateFromFile (withDtd));
    expectUnchanged ("a DTD");

    juce::String deep;
    for (int i = 0; i < 100000; ++i)
        deep << "<a>";
    const auto nested = folder.getChildFile ("nested.kvp");
    nested.replaceWithText ("<KalvoParamTree>" + deep);
    EXPECT_FALSE (p->getStateFromFile (nested));
    expectUnchanged ("deep nesting");
}

TEST (StateDocument, AnyLoadLeavesThePresetUnmodifiedAndAnnouncesTheName)
{
    auto source = makeProcessor();
    fillRandomly (*source, 11);
    juce::MemoryBlock block;
    source->getStateInformation (block);
    const auto file = temporaryFolder().getChildFile ("Unmodified.kvp");
    ASSERT_TRUE (source->saveStateToFile (file));

    auto p = makeProcessor();
    clearFlags (*p);
    p->presetModified = true;
    p->setStateInformation (block.getData(), (int) block.getSize());
    EXPECT_FALSE (p->presetModified);
    EXPECT_TRUE (p->presetNameChanged);

    // The parameters differ again, so the listener raises the modification during the load.
    setParameter (*p, "MixMaster", 0.5f);
    clearFlags (*p);
    p->presetModified = true;
    ASSERT_TRUE (p->getStateFromFile (file));
    EXPECT_FALSE (p->presetModified);
    EXPECT_TRUE (p->presetNameChanged);
}

namespace
{
// One short block, in which the audio thread takes the targets and the model handed to it.
void takeOneBlock (LineEditorAudioProcessor& p)
{
    p.enableAllBuses();
    p.prepareToPlay (44100.0, 64);
    juce::AudioBuffer<float> buffer (2, 16);
    buffer.clear();
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
}
} // namespace

TEST (StateDocument, ALoadRaisesTheLoadFlagsAndClearsEveryHistory)
{
    auto source = makeProcessor();
    fillRandomly (*source, 12);
    auto doc = documentOf (*source);

    auto p = makeProcessor();
    p->lineEditor1().startNewChange (1, 2);
    p->lineEditor2().startNewChange (3, 11);
    p->stateNoteHeld[5] = true;
    p->stateNoteEvent[6] = true;
    clearFlags (*p);
    ASSERT_TRUE (load (*p, *doc));

    const auto on = raised (*p);
    for (auto* name :
         { "linePoints1Changed", "linePoints2Changed", "stateSwitched", "presetNameChanged", "powerChanged",
           "stateChangeNow", "lmFreqChanged", "hmFreqChanged", "optionsChanged" })
        EXPECT_TRUE (on.count (name)) << name;
    for (int i = 0; i < 4; ++i)
        for (auto* name : { "speedChanged", "lineLengthChanged", "bandMixChanged", "syncChanged" })
            EXPECT_TRUE (on.count (name + std::string ("[") + std::to_string (i) + "]")) << name << i;
    for (int i = 1; i < 5; ++i)
        EXPECT_TRUE (on.count ("mixChanged[" + std::to_string (i) + "]"));
    EXPECT_FALSE (on.count ("presetModified"));
    EXPECT_FALSE (on.count ("bandGlideChanged[0]"));

    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            EXPECT_TRUE (p->lineEditor1().undoCount[l][s] == 0 && p->lineEditor1().redoCount[l][s] == 0 &&
                         p->lineEditor2().undoCount[l][s] == 0 && p->lineEditor2().redoCount[l][s] == 0);
    EXPECT_FALSE (p->stateNoteHeld[5]);
    EXPECT_FALSE (p->stateNoteEvent[6]);

    // The audio thread takes the new line-mix targets at its next block.
    takeOneBlock (*p);
    for (int l = 0; l < 4; ++l)
        EXPECT_EQ (p->mixRamp[l + 1].getTargetValue(), p->bandMix()[l][p->currentState]);
}

TEST (StateDocument, WithMixesCommonToAllStatesTheLoadedLineMixParameterWins)
{
    auto source = makeProcessor();
    source->linkMix = false;
    setParameter (*source, "MixLow", 0.3f);
    setParameter (*source, "State", 4.0f);
    auto doc = documentOf (*source);
    // The stored per-state values disagree with the parameter.
    doc->getChildByName ("LinePointsLow1St4")->setAttribute ("BandMix", 0.9);

    auto p = makeProcessor();
    p->linkMix = true;
    ASSERT_TRUE (load (*p, *doc));
    EXPECT_FALSE (p->linkMix);
    takeOneBlock (*p);
    EXPECT_FLOAT_EQ (p->mixRamp[2].getTargetValue(), 0.3f);
    // The states keep their own mixes for the link.
    for (int s = 0; s < 12; ++s)
        EXPECT_FLOAT_EQ (p->bandMix()[1][s], s == 4 ? 0.9f : 0.3f);

    // With the mixes stored per state, the stored value stands.
    doc = documentOf (*source);
    doc->setAttribute ("LinkMix", 1);
    doc->getChildByName ("LinePointsLow1St4")->setAttribute ("BandMix", 0.9);
    auto q = makeProcessor();
    ASSERT_TRUE (load (*q, *doc));
    EXPECT_FLOAT_EQ (q->bandMix()[1][4], 0.9f);
}

// The host automates a line mix on another thread (the audio thread, say) while the mixes are
// common to all states, and saves meanwhile: every save stores one value for all twelve states.
TEST (StateDocument, UnlinkedMixesAutomatedWhileSavingAreNeverTorn)
{
    auto p = makeProcessor();
    p->linkMix = false;
    std::atomic<bool> done{ false };
    std::thread automation (
        [&]
        {
            for (int i = 0; !done; ++i)
                setParameter (*p, "MixLow", (i & 1) != 0 ? 0.8f : 0.2f);
        });
    int torn = 0;
    for (int save = 0; save < 10; ++save)
    {
        const auto doc = documentOf (*p);
        const auto mix = doc->getChildByName (StateDocument::elementName (1, 1, 0))->getDoubleAttribute ("BandMix");
        for (int s = 1; s < 12; ++s)
            torn += doc->getChildByName (StateDocument::elementName (1, 1, s))->getDoubleAttribute ("BandMix") != mix;
    }
    done = true;
    automation.join();
    EXPECT_EQ (torn, 0);
}

// A host that, told of a parameter change by a restore or a preset load, waits for a save on
// another thread: the save needs nothing the loading thread holds.
TEST (StateDocument, AHostWaitingInItsCallbackForASaveLetsEveryLoadFinish)
{
    struct SavingHost final : juce::AudioProcessorListener
    {
        explicit SavingHost (LineEditorAudioProcessor& processor) : p (processor) { p.addListener (this); }
        ~SavingHost() override { p.removeListener (this); }
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override
        {
            if (saver.joinable())
                return;
            saver = std::thread (
                [this]
                {
                    juce::MemoryBlock block;
                    p.getStateInformation (block);
                    saved.signal();
                });
            finished = saved.wait (5000);
        }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

        LineEditorAudioProcessor& p;
        std::thread saver;
        juce::WaitableEvent saved;
        bool finished = false;
    };
    auto p = makeProcessor();
    setParameter (*p, "MixMaster", 0.5f);
    juce::MemoryBlock block;
    p->getStateInformation (block);
    const auto file = temporaryFolder().getChildFile ("Waited For.kvp");
    ASSERT_TRUE (p->saveStateToFile (file));
    for (const bool fromFile : { false, true })
    {
        SCOPED_TRACE (fromFile ? "preset load" : "host restore");
        setParameter (*p, "MixMaster", 0.25f);
        SavingHost host (*p);
        if (fromFile)
            ASSERT_TRUE (p->getStateFromFile (file));
        else
            p->setStateInformation (block.getData(), (int) block.getSize());
        ASSERT_TRUE (host.saver.joinable());
        host.saver.join();
        EXPECT_TRUE (host.finished);
    }
}

// A host saves from inside the notifications of a restore or of its automation: every save is
// one whole document, the one before the change or the one after it.
TEST (StateDocument, ASaveFromInsideAChangeIsTheWholeDocumentBeforeOrAfterIt)
{
    // The restored document plays random curves in state 3 at another Low level.
    auto source = makeProcessor();
    source->RandomizeState (3);
    setParameter (*source, "State", 3.0f);
    setParameter (*source, "LowLevel", 0.2f);
    setParameter (*source, "LineCH", 0.7f);
    juce::MemoryBlock restored;
    source->getStateInformation (restored);

    // Saves once from inside the change of `id`: its value is set, the processor's own listener
    // (registered first, so called last) has not run yet.
    struct SaveInside final : juce::AudioProcessorValueTreeState::Listener
    {
        SaveInside (LineEditorAudioProcessor& processor, const char* parameterId) : p (processor), id (parameterId)
        {
            p.parameters.addParameterListener (id, this);
        }
        ~SaveInside() override { p.parameters.removeParameterListener (id, this); }
        void parameterChanged (const juce::String&, float) override
        {
            if (std::exchange (waiting, false))
                p.getStateInformation (saved);
        }

        LineEditorAudioProcessor& p;
        const char* id;
        bool waiting = true;
        juce::MemoryBlock saved;
    };
    const struct
    {
        const char* name;
        const char* inside;
        std::function<void (LineEditorAudioProcessor&)> change;
    } rows[] = {
        { "a restore", "State",
          [&restored] (LineEditorAudioProcessor& p)
          { p.setStateInformation (restored.getData(), (int) restored.getSize()); } },
        { "an automated line mix, unlinked", "MixLow",
          [] (LineEditorAudioProcessor& p) { setParameter (p, "MixLow", 0.3f); } },
    };
    for (const auto& row : rows)
    {
        auto p = makeProcessor();
        p->linkMix = false;
        juce::MemoryBlock before, after;
        p->getStateInformation (before);
        SaveInside save (*p, row.inside);
        row.change (*p);
        p->getStateInformation (after);
        ASSERT_NE (before, after) << row.name;
        EXPECT_TRUE (save.saved == before || save.saved == after) << row.name;
    }
}

// A second restore runs from inside each parameter change a host restore tells the host of: a
// preset load or a paste the host lets the window run from its callback, or another restore of
// the host's. The instance ends as the two leave it one after the other, every part of it, also
// when the host's callback then throws: the first restore fails, the second stands whole.
TEST (StateDocument, ARestoreFromInsideAnotherEndsAsTheTwoInTurn)
{
    juce::MemoryBlock firstBlock, secondBlock;
    const auto secondFile = temporaryFolder().getChildFile ("Second.kvp");
    {
        auto first = makeProcessor();
        fillRandomly (*first, 1);
        first->getStateInformation (firstBlock);
        auto second = makeProcessor();
        fillRandomly (*second, 2);
        second->getStateInformation (secondBlock);
        ASSERT_TRUE (second->saveStateToFile (secondFile));
    }
    using Restore = std::function<void (LineEditorAudioProcessor&)>;
    int thrown = 0, caught = 0;
    const std::pair<const char*, Restore> seconds[] = {
        { "a host restore", [&] (LineEditorAudioProcessor& p)
          { p.setStateInformation (secondBlock.getData(), (int) secondBlock.getSize()); } },
        { "a host restore, then the host's callback throws",
          [&] (LineEditorAudioProcessor& p)
          {
              p.setStateInformation (secondBlock.getData(), (int) secondBlock.getSize());
              ++thrown;
              throw std::runtime_error ("host callback failed");
          } },
        { "a preset load",
          [&] (LineEditorAudioProcessor& p) { ASSERT_TRUE (p.getStateFromFile (secondFile)); } },
        { "a paste", [&] (LineEditorAudioProcessor& p)
          { ASSERT_TRUE (StateDocument::readFromFile (p, secondFile, true)); } },
    };
    for (const auto& [name, second] : seconds)
    {
        auto inTurn = makeProcessor();
        inTurn->setStateInformation (firstBlock.getData(), (int) firstBlock.getSize());
        try
        {
            second (*inTurn);
        }
        catch (const std::runtime_error&)
        {
            ++caught;
        }
        juce::MemoryBlock expected;
        inTurn->getStateInformation (expected);
        for (int write = 0;; ++write)
        {
            auto p = makeProcessor();
            kalvo::test::OnHostWrite inside (*p, write, [&] { second (*p); });
            try
            {
                p->setStateInformation (firstBlock.getData(), (int) firstBlock.getSize());
            }
            catch (const std::runtime_error&)
            {
                ++caught;
            }
            if (!inside.ran())
            {
                EXPECT_GT (write, 0) << name;
                break;
            }
            juce::MemoryBlock saved;
            p->getStateInformation (saved);
            EXPECT_TRUE (saved == expected) << name << ", host write " << write;
            EXPECT_EQ (p->currentState, inTurn->currentState) << name << ", host write " << write;
            EXPECT_EQ (p->presetModified, inTurn->presetModified) << name << ", host write " << write;
        }
    }
    EXPECT_EQ (caught, thrown);
}

TEST (StateDocument, OutOfRangeValuesAreClampedOnReading)
{
    auto source = makeProcessor();
    auto doc = documentOf (*source);
    auto* main2 = doc->getChildByName ("LinePointsMain1St2");
    main2->setAttribute ("Point1x", 5.0);    // the last point far outside the cycle
    main2->setAttribute ("Point1y", 1000.0); // +60 dB
    main2->setAttribute ("Point1tn", 1000.0);
    main2->setAttribute ("LMFreq", 3.0);
    main2->setAttribute ("HMFreq", -2.0);
    main2->setAttribute ("stateMIDICon", 7);
    main2->setAttribute ("stateMIDINote", -1);
    main2->setAttribute ("Lenght", 9.0);
    main2->setAttribute ("BandMix", -4.0);
    main2->setAttribute ("BandGlide", -50.0);

    auto* main3 = doc->getChildByName ("LinePointsMain1St3");
    main3->setAttribute ("stateMIDINote", 128);
    main3->setAttribute ("stateMIDICon", 1);
    main3->setAttribute ("BandGlide", "nan");
    main3->setAttribute ("Lenght", "inf");
    main3->setAttribute ("Point0y", "-inf");
    main3->setAttribute ("Point1tn", "nan");
    main3->setAttribute ("LMFreq", "nan");

    auto* low0 = doc->getChildByName ("LinePointsLow2St0");
    low0->setAttribute ("Point0y", -3.0);
    low0->setAttribute ("Point1tn", -7.0);
    doc->getChildByName ("LinePointsHigh1St0")->setAttribute ("BandGlide", 1.0e9);

    auto p = makeProcessor();
    ASSERT_TRUE (load (*p, *doc));

    EXPECT_EQ (p->linePoints1()[0][2][1].x, 1.0f);
    EXPECT_EQ (p->linePoints1()[0][2][1].y, 1.0f);
    EXPECT_EQ (p->linePoints1()[0][2][1].tn, 1.0f);
    EXPECT_EQ (p->lmFreq()[2], 1.0f);
    EXPECT_EQ (p->hmFreq()[2], 0.0f);
    EXPECT_EQ (p->stateMIDICon[2], 0);
    EXPECT_EQ (p->stateMIDINote[2], 62);
    EXPECT_EQ (p->lineLength()[0][2], 1.0f);
    EXPECT_EQ (p->bandMix()[0][2], 0.0f);
    EXPECT_EQ (p->bandGlide()[0][2], 0.0f);

    EXPECT_EQ (p->stateMIDINote[3], 63);
    EXPECT_EQ (p->stateMIDICon[3], 1);
    EXPECT_EQ (p->bandGlide()[0][3], 10.0f);
    EXPECT_EQ (p->lineLength()[0][3], 0.63f);
    EXPECT_EQ (p->linePoints1()[0][3][0].y, 0.0f);
    EXPECT_EQ (p->linePoints1()[0][3][1].tn, 0.0f);
    EXPECT_EQ (p->lmFreq()[3], 0.0f);

    EXPECT_EQ (p->linePoints2()[1][0][0].y, 0.0f);
    EXPECT_EQ (p->linePoints2()[1][0][1].tn, -1.0f);
    EXPECT_EQ (p->bandGlide()[3][0], 10000.0f);

    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            for (int k = 0; k < 512; ++k)
                ASSERT_TRUE (p->modulationArray()[l][s][k] >= 0.0f && p->modulationArray()[l][s][k] <= 1.0f);
}

TEST (StateDocument, BrokenCurvesAreRepairedOnReading)
{
    auto source = makeProcessor();
    auto doc = documentOf (*source);

    // Unsorted points, ends away from 0 and 1, a used slot behind a free one.
    auto* e = doc->getChildByName ("LinePointsMid1St1");
    const float xs[] = { 0.7f, 0.2f, 2.0f, 0.9f, 0.4f };
    const int indices[] = { 0, 1, -1, 2, 3 };
    for (int i = 0; i < 5; ++i)
    {
        e->setAttribute ("Point" + juce::String (i) + "x", (double) xs[i]);
        e->setAttribute ("Point" + juce::String (i) + "y", 0.1 * (i + 1));
        e->setAttribute ("Point" + juce::String (i) + "indx", indices[i]);
        e->setAttribute ("Point" + juce::String (i) + "type", i + 1);
    }

    // A free slot with a stray x inside the cycle.
    auto* f = doc->getChildByName ("LinePointsMid2St1");
    f->setAttribute ("Point5x", 0.5);
    f->setAttribute ("Point5y", 0.5);

    // A curve with a single used point, and one whose x is not a number.
    auto* g = doc->getChildByName ("LinePointsHigh1St7");
    g->setAttribute ("Point1indx", -1);
    auto* h = doc->getChildByName ("LinePointsHigh2St7");
    h->setAttribute ("Point0x", "nan");

    auto p = makeProcessor();
    ASSERT_TRUE (load (*p, *doc));

    const auto* c = p->linePoints1()[2][1];
    const float expectedX[] = { 0.0f, 0.4f, 0.7f, 1.0f };
    const float expectedY[] = { 0.2f, 0.5f, 0.1f, 0.4f };
    for (int k = 0; k < 4; ++k)
    {
        EXPECT_EQ (c[k].x, expectedX[k]) << k;
        EXPECT_FLOAT_EQ (c[k].y, expectedY[k]) << k;
        EXPECT_EQ (c[k].indx, k);
    }
    for (int k = 4; k < 50; ++k)
    {
        EXPECT_EQ (c[k].indx, -1);
        EXPECT_EQ (c[k].x, 2.0f);
    }

    EXPECT_EQ (p->linePoints2()[2][1][5].x, 2.0f);
    EXPECT_EQ (p->linePoints2()[2][1][5].indx, -1);
    EXPECT_TRUE (isFlatCurve (p->linePoints2()[2][1]));
    EXPECT_TRUE (isFlatCurve (p->linePoints1()[3][7]));
    EXPECT_TRUE (isFlatCurve (p->linePoints2()[3][7]));
}

TEST (StateDocument, ParameterValuesThatAreNotNumbersTakeTheirDefaults)
{
    auto source = makeProcessor();
    auto doc = documentOf (*source);
    doc->getChildByAttribute ("id", "LowLevel")->setAttribute ("value", "nan");
    doc->getChildByAttribute ("id", "MixMaster")->setAttribute ("value", "-inf");
    doc->getChildByAttribute ("id", "State")->setAttribute ("value", 1.0e9);
    doc->getChildByAttribute ("id", "Power")->setAttribute ("value", "inf");

    auto p = makeProcessor();
    setParameter (*p, "LowLevel", 0.9f);
    setParameter (*p, "MixMaster", 0.2f);
    setParameter (*p, "Power", 0.0f);
    ASSERT_TRUE (load (*p, *doc));
    EXPECT_EQ (parameterValue (*p, "LowLevel"), 0.5f);
    EXPECT_EQ (parameterValue (*p, "MixMaster"), 1.0f);
    EXPECT_EQ (parameterValue (*p, "State"), 11.0f);
    EXPECT_EQ (p->currentState, 11);
    EXPECT_EQ (parameterValue (*p, "Power"), 1.0f);
    EXPECT_EQ (p->powerValue, 1.0f);
}

TEST (StateDocument, AMissingStateElementGivesThatLineAndStateTheDefaults)
{
    auto source = makeProcessor();
    fillRandomly (*source, 3);
    auto doc = documentOf (*source);
    doc->removeChildElement (doc->getChildByName ("LinePointsLow1St6"), true);
    doc->removeChildElement (doc->getChildByName ("LinePointsMain2St9"), true);
    doc->removeChildElement (doc->getChildByName ("LinePointsMain1St9"), true);

    auto p = makeProcessor();
    ASSERT_TRUE (load (*p, *doc));
    EXPECT_TRUE (isFlatCurve (p->linePoints1()[1][6]));
    EXPECT_TRUE (sameCurve (p->linePoints2()[1][6], source->linePoints2()[1][6]));
    EXPECT_EQ (p->lineLength()[1][6], 0.63f);
    EXPECT_TRUE (p->lineSync()[1][6]);
    EXPECT_EQ (p->bandMix()[1][6], 1.0f);
    EXPECT_EQ (p->bandGlide()[1][6], 10.0f);
    EXPECT_TRUE (isFlatCurve (p->linePoints1()[0][9]));
    EXPECT_TRUE (isFlatCurve (p->linePoints2()[0][9]));
    EXPECT_EQ (p->lmFreq()[9], 0.0f);
    EXPECT_EQ (p->stateMIDINote[9], 69);
    EXPECT_EQ (p->modulationArray()[0][9][100], 1.0f);
    // Its neighbours load as stored.
    EXPECT_TRUE (sameCurve (p->linePoints1()[1][7], source->linePoints1()[1][7]));
}

TEST (StateDocument, AfterALoadTheCurveModelsHoldTheEditedLineOfTheLoadedState)
{
    auto source = makeProcessor();
    fillRandomly (*source, 8);
    setParameter (*source, "State", 6.0f);
    auto doc = documentOf (*source);

    auto p = makeProcessor();
    p->currentLine = 2;
    ASSERT_TRUE (load (*p, *doc));
    ASSERT_EQ (p->currentState, 6);
    EXPECT_TRUE (modelHolds (p->lineEditor1(), p->linePoints1()[2][6]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), p->linePoints2()[2][6]));
}

TEST (StateDocument, APresetFileInUtf16LoadsAndAnOversizedOneIsRefused)
{
    auto source = makeProcessor();
    source->lineLength()[2][3] = 0.125f;
    const auto text = StateDocument::createDocument (*source)->toString();

    const auto utf16 = temporaryFolder().getChildFile ("Sixteen.kvp");
    {
        utf16.deleteFile();
        juce::FileOutputStream out (utf16);
        out.writeText (text, true, true, nullptr);
    }
    auto p = makeProcessor();
    ASSERT_TRUE (p->getStateFromFile (utf16));
    EXPECT_EQ (p->lineLength()[2][3], 0.125f);
    EXPECT_EQ (p->presetName(), "Sixteen");

    // A valid document padded past the size limit is not read at all.
    const auto huge = temporaryFolder().getChildFile ("Huge.kvp");
    ASSERT_TRUE (huge.replaceWithText (text));
    std::filesystem::resize_file (huge.getFullPathName().toStdString(),
                                  (std::uintmax_t) StateDocument::maxDocumentBytes + 1);
    auto q = makeProcessor();
    q->presetName() = "Before";
    EXPECT_FALSE (q->getStateFromFile (huge));
    EXPECT_EQ (q->presetName(), "Before");
    huge.deleteFile();
}

TEST (StateDocument, RandomizedStatesRoundTripSlotForSlot)
{
    // Randomize State stores its points in drawing order, the last one in slot n with index 0:
    // a valid store that only the curve model sorts. A save and a load keep every slot.
    auto a = makeProcessor();
    a->random.setSeed (2024);
    for (int s = 0; s < 12; ++s)
    {
        a->currentState = s;
        a->RandomizeState (a->currentState);
    }
    a->currentState = 0;

    bool anyUnsorted = false;
    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            anyUnsorted = anyUnsorted || a->linePoints1()[l][s][1].x > a->linePoints1()[l][s][2].x ||
                          a->linePoints1()[l][s][1].indx != 1;
    ASSERT_TRUE (anyUnsorted);

    for (const bool viaFile : { false, true })
    {
        auto b = makeProcessor();
        poisonTables (*b);

        if (viaFile)
        {
            const auto file = temporaryFolder().getChildFile ("Randomized.kvp");
            ASSERT_TRUE (a->saveStateToFile (file));
            ASSERT_TRUE (b->getStateFromFile (file));
        }
        else
        {
            juce::MemoryBlock block;
            a->getStateInformation (block);
            b->setStateInformation (block.getData(), (int) block.getSize());
        }

        SCOPED_TRACE (viaFile ? "preset file" : "host block");
        expectSameDocumentContent (*a, *b);
    }
}

TEST (StateDocument, TheReadingLimitsLeaveRoomForEveryLegitimateDocument)
{
    // The largest text our writer can produce: every double at its longest form.
    auto source = makeProcessor();
    fillRandomly (*source, 5);
    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            for (int i = 1; i < 49; ++i)
            {
                source->linePoints1()[l][s][i].x = std::nextafter ((float) i / 49.0f, 1.0f);
                source->linePoints1()[l][s][i].y = 1.2345678e-7f;
                source->linePoints1()[l][s][i].tn = -0.12345679f;
            }
    source->presetName() = juce::String::repeatedString (juce::String::fromUTF8 ("\xe2\x82\xac&\r\n"), 1000);

    const auto file = temporaryFolder().getChildFile ("Largest.kvp");
    ASSERT_TRUE (source->saveStateToFile (file));
    juce::MemoryBlock block;
    source->getStateInformation (block);
    const auto fileSize = file.getSize();
    std::cout << "largest full document: preset file " << fileSize << " bytes, host block " << block.getSize()
              << " bytes" << std::endl;
    EXPECT_LT (fileSize * 8, (juce::int64) StateDocument::maxDocumentBytes);
    EXPECT_LT ((juce::int64) block.getSize() * 8, (juce::int64) StateDocument::maxDocumentBytes);

    // The same document in the framework's other text forms (pretty-printed, single line with and
    // without a declaration, as earlier writers produced it) loads too.
    auto document = StateDocument::createDocument (*source);
    for (const auto& text :
         { document->toString(), document->toString (juce::XmlElement::TextFormat().singleLine()),
           document->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()),
           document->toString (StateDocument::fileFormat()) })
    {
        auto p = makeProcessor();
        const auto textBlock = blockOfText (text);
        p->setStateInformation (textBlock.getData(), (int) textBlock.getSize());
        EXPECT_TRUE (p->stateChangeNow) << text.substring (0, 80);
    }

    // A later version or a hand editor may add elements of its own, nested deeper than ours and
    // many of them: the document still loads, and its own values stand.
    auto extended = StateDocument::createDocument (*source);
    auto* library = extended->createNewChildElement ("ShapeLibrary");
    for (int i = 0; i < 5000; ++i)
    {
        auto* shape = library->createNewChildElement ("Shape");
        shape->setAttribute ("name", "Shape " + juce::String (i));
        shape->createNewChildElement ("Point")->setAttribute ("x", 0.5);
    }
    auto* nested = extended->createNewChildElement ("Nested");
    for (int depth = 0; depth < 40; ++depth)
        nested = nested->createNewChildElement ("Level" + juce::String (depth));
    extended->prependChildElement (new juce::XmlElement ("AddedFirst"));
    extended->getChildByName ("LinePointsMain1St0")->setAttribute ("AddedLater", 1);

    auto p = makeProcessor();
    poisonTables (*p);
    juce::MemoryBlock extendedBlock;
    juce::AudioProcessor::copyXmlToBinary (*extended, extendedBlock);
    p->setStateInformation (extendedBlock.getData(), (int) extendedBlock.getSize());
    ASSERT_TRUE (p->stateChangeNow);
    expectSameDocumentContent (*source, *p);

    // Only what no document could need is still refused: more elements than the limit, or
    // nesting deeper than it.
    auto refused = [] (const juce::String& text)
    {
        auto q = makeProcessor();
        const auto b = blockOfText (text);
        q->setStateInformation (b.getData(), (int) b.getSize());
        return !q->stateChangeNow;
    };
    auto nestedText = [] (int levels)
    {
        std::string open, close;
        for (int i = 1; i < levels; ++i)
        {
            open += "<n>";
            close += "</n>";
        }
        return juce::String ("<KalvoParamTree>" + open + close + "</KalvoParamTree>");
    };
    auto wideText = [] (int tags)
    {
        std::string text ("<KalvoParamTree>");
        for (int i = 1; i < tags; ++i)
            text += "<e/>";
        return juce::String (text + "</KalvoParamTree>");
    };
    EXPECT_FALSE (refused (nestedText (StateDocument::maxDepth)));
    EXPECT_TRUE (refused (nestedText (StateDocument::maxDepth + 1)));
    EXPECT_FALSE (refused (wideText (StateDocument::maxTags)));
    EXPECT_TRUE (refused (wideText (StateDocument::maxTags + 1)));
}
