#include "StateDocument.h"
#include "StateTestSupport.h"

using namespace statetest;

namespace
{
// One document with every kind of damage the readers must survive.
std::unique_ptr<juce::XmlElement> hostileDocument()
{
    auto source = makeProcessor();
    juce::MemoryBlock block;
    source->getStateInformation (block);
    auto doc = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());

    juce::Random r (666);
    const char* hostileNumbers[] = { "5",           "-5",    "1000",   "-1000", "nan", "inf",
                                     "-inf",        "1e300", "-1e300", "abc",   "",    "2147483648",
                                     "-2147483648", "0x7f",  "  -0",   "1e-45" };
    auto pick = [&] { return juce::String (hostileNumbers[r.nextInt ((int) std::size (hostileNumbers))]); };

    for (int l = 0; l < 4; ++l)
    {
        for (int s = 0; s < 12; ++s)
        {
            for (int stage = 1; stage <= 2; ++stage)
            {
                auto* e = doc->getChildByName (StateDocument::elementName (l, stage, s));
                if ((l + s + stage) % 7 == 0)
                {
                    doc->removeChildElement (e, true); // missing element
                    continue;
                }
                for (int i = 0; i < 50; ++i)
                    for (auto* suffix : { "x", "y", "tn", "indx", "type" })
                        if (r.nextInt (3) == 0)
                            e->setAttribute ("Point" + juce::String (i) + suffix, pick());
                for (auto* name : { "LMFreq", "HMFreq", "stateMIDICon", "stateMIDINote", "Lenght", "Sync",
                                    "BandMix", "BandGlide" })
                    e->setAttribute (name, pick());
            }
        }
    }

    // The faults named one by one, on the Main line's first state.
    auto* main0 = doc->getChildByName ("LinePointsMain1St0");
    if (main0 == nullptr)
        main0 = doc->createNewChildElement ("LinePointsMain1St0");
    main0->setAttribute ("Point1x", 5.0);
    main0->setAttribute ("Point1indx", 1);
    main0->setAttribute ("Point0tn", 1000.0);
    main0->setAttribute ("Point0y", 1000.0);
    main0->setAttribute ("BandGlide", -10.0);
    main0->setAttribute ("LMFreq", 2.0);
    main0->setAttribute ("HMFreq", 1.5);
    main0->setAttribute ("stateMIDINote", -12);
    main0->setAttribute ("stateMIDICon", 1);
    doc->getChildByName ("LinePointsLow1St1")->setAttribute ("BandGlide", "nan");

    // Duplicates, strangers and text between the elements.
    doc->addChildElement (new juce::XmlElement ("LinePointsMain1St1"));
    doc->addChildElement (new juce::XmlElement ("Stranger"));
    doc->addTextElement ("text where none belongs");
    auto* nested = doc->createNewChildElement ("PARAM");
    nested->setAttribute ("id", "State");
    nested->createNewChildElement ("Child");
    for (auto* id : { "Power", "MixMaster", "LowLevel", "State", "LineCH" })
        doc->getChildByAttribute ("id", id)->setAttribute ("value", pick());
    doc->createNewChildElement ("PARAM")->setAttribute ("id", "Unknown");
    doc->setAttribute ("LinkMix", "maybe");
    doc->setAttribute ("PresetName", juce::String::fromUTF8 ("\xe2\x80\x8f\xef\xbf\xbf"));
    return doc;
}
} // namespace

TEST (HostileDocument, LoadsIntoUsableValuesAndAMinuteOfAudioStaysFiniteAndInRange)
{
    auto doc = hostileDocument();
    auto p = makeProcessor();
    const auto block = blockOfText (doc->toString());
    p->setStateInformation (block.getData(), (int) block.getSize());
    ASSERT_TRUE (p->stateChangeNow);

    // The preset form takes the same document.
    const auto file = temporaryHome().folder.getChildFile ("hostile.kvp");
    ASSERT_TRUE (doc->writeTo (file));
    auto q = makeProcessor();
    ASSERT_TRUE (q->getStateFromFile (file));

    for (auto* proc : { p.get(), q.get() })
    {
        auto& m = *proc;
        for (int l = 0; l < 4; ++l)
        {
            for (int s = 0; s < 12; ++s)
            {
                for (int k = 0; k < 512; ++k)
                {
                    for (float v :
                         { m.lineArray1()[l][s][k], m.lineArray2()[l][s][k], m.modulationArray()[l][s][k] })
                        ASSERT_TRUE (v >= 0.0f && v <= 1.0f) << l << " " << s << " " << k << " " << v;
                }
                ASSERT_TRUE (m.lineLength()[l][s] >= 0.0f && m.lineLength()[l][s] <= 1.0f);
                ASSERT_TRUE (m.bandMix()[l][s] >= 0.0f && m.bandMix()[l][s] <= 1.0f);
                ASSERT_TRUE (m.bandGlide()[l][s] >= 0.0f && m.bandGlide()[l][s] <= 10000.0f);

                for (const auto* curve : { m.linePoints1()[l][s], m.linePoints2()[l][s] })
                {
                    const auto used = usedSorted (curve);
                    ASSERT_GE (used.size(), 2u);
                    ASSERT_EQ (used.front().x, 0.0f);
                    ASSERT_EQ (used.back().x, 1.0f);
                    for (const auto& pt : used)
                        ASSERT_TRUE (pt.x >= 0.0f && pt.x <= 1.0f && pt.y >= 0.0f && pt.y <= 1.0f &&
                                     pt.tn >= -1.0f && pt.tn <= 1.0f);
                }
            }
        }
        for (int s = 0; s < 12; ++s)
        {
            ASSERT_TRUE (m.lmFreq()[s] >= 0.0f && m.lmFreq()[s] <= 1.0f);
            ASSERT_TRUE (m.hmFreq()[s] >= 0.0f && m.hmFreq()[s] <= 1.0f);
            ASSERT_TRUE (m.stateMIDINote[s] >= 0 && m.stateMIDINote[s] <= 127);
            ASSERT_TRUE (m.stateMIDICon[s] == 0 || m.stateMIDICon[s] == 1);
        }
        for (auto* id : parameterIds)
            ASSERT_TRUE (std::isfinite (parameterValue (m, id))) << id;
        ASSERT_TRUE (m.currentState >= 0 && m.currentState < 12);
        EXPECT_EQ (m.stateMIDINote[0], 60);
    }

    // The models hold the edited curve of the loaded state, and every state operation works on
    // what was loaded.
    EXPECT_TRUE (modelHolds (p->lineEditor1(), p->linePoints1()[p->currentLine][p->currentState]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), p->linePoints2()[p->currentLine][p->currentState]));
    for (int line = 0; line < 4; ++line)
    {
        p->currentLine = line;
        p->editedStage[line] = line % 2;
        p->flipLine (false);
        p->flipLine (true);
        p->CopyState (p->currentState);
        p->PasteState (p->currentState);
    }
    p->currentLine = 0;
    q->RandomizeState (q->currentState);
    q->ResetState (q->currentState);

    // A minute of noise at 48 kHz, with the state switched through every state on the way.
    p->enableAllBuses();
    p->prepareToPlay (48000.0, 512);
    juce::Random noise (7);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;
    float peak = 0.0f;
    const int blocks = 60 * 48000 / 512;

    for (int b = 0; b < blocks; ++b)
    {
        for (int ch = 0; ch < 2; ++ch)
            for (int n = 0; n < 512; ++n)
                buffer.setSample (ch, n, noise.nextFloat() * 2.0f - 1.0f);

        midi.clear();
        if (b % 200 == 0)
        {
            setParameter (*p, "State", (float) ((b / 200) % 12));
            midi.addEvent (
                juce::MidiMessage::noteOn (1, p->stateMIDINote[(b / 200 + 5) % 12], (juce::uint8) 100), 10);
        }

        p->processBlock (buffer, midi);

        for (int ch = 0; ch < 2; ++ch)
        {
            const auto* out = buffer.getReadPointer (ch);
            for (int n = 0; n < 512; ++n)
            {
                ASSERT_TRUE (std::isfinite (out[n])) << "block " << b << " sample " << n;
                peak = std::max (peak, std::abs (out[n]));
            }
        }
    }

    // Band levels reach +10 dB at most and the crossover sums to an allpass: with input in
    // -1..1 the output stays well inside this bound.
    EXPECT_LT (peak, 16.0f);
    for (int l = 0; l < 4; ++l)
        EXPECT_TRUE (std::isfinite (p->lineValue[l]) && p->lineValue[l] >= 0.0f && p->lineValue[l] <= 1.0f);
}
