#include "OfflinePlayHead.h"
#include <gtest/gtest.h>

TEST (OfflinePlayHead, ReportsTheStartPositionWithEveryField)
{
    // 120 bpm at 48 kHz: 24000 samples per quarter note; quarter note 5 is in bar 2 of 4/4.
    const OfflinePlayHead head (48000.0, 120.0, 4, 4, 5.0, true);
    const auto position = head.getPosition();
    ASSERT_TRUE (position.hasValue());
    EXPECT_EQ (*position->getBpm(), 120.0);
    EXPECT_EQ (position->getTimeSignature()->numerator, 4);
    EXPECT_EQ (position->getTimeSignature()->denominator, 4);
    EXPECT_EQ (*position->getPpqPosition(), 5.0);
    EXPECT_EQ (*position->getPpqPositionOfLastBarStart(), 4.0);
    EXPECT_EQ (*position->getBarCount(), 1);
    EXPECT_EQ (*position->getTimeInSamples(), 120000);
    EXPECT_DOUBLE_EQ (*position->getTimeInSeconds(), 2.5);
    EXPECT_TRUE (position->getIsPlaying());
    EXPECT_FALSE (position->getIsRecording());
    EXPECT_FALSE (position->getIsLooping());
}

TEST (OfflinePlayHead, PlayingMovesOneQuarterNotePerBeatOfSamples)
{
    OfflinePlayHead head (44100.0, 120.0, 4, 4, 0.0, true);
    for (int i = 0; i < 43; ++i)
        head.advance (512); // 22016 samples
    head.advance (34);      // 22050: one beat at 120 bpm
    EXPECT_EQ (*head.getPosition()->getPpqPosition(), 1.0);
    EXPECT_EQ (*head.getPosition()->getTimeInSamples(), 22050);

    // Hours of small blocks do not drift: the position follows the sample count exactly.
    OfflinePlayHead longHead (44100.0, 97.0, 4, 4, 0.0, true);
    const juce::int64 blocks = 44100LL * 3600 / 63;
    for (juce::int64 i = 0; i < blocks; ++i)
        longHead.advance (63);
    EXPECT_NEAR (*longHead.getPosition()->getPpqPosition(), 3600.0 * 97.0 / 60.0, 1e-9);
}

TEST (OfflinePlayHead, StoppedTransportKeepsItsPosition)
{
    OfflinePlayHead head (44100.0, 90.0, 3, 4, 7.0, false);
    head.advance (100000);
    const auto position = head.getPosition();
    EXPECT_FALSE (position->getIsPlaying());
    EXPECT_EQ (*position->getPpqPosition(), 7.0);
    EXPECT_EQ (*position->getPpqPositionOfLastBarStart(), 6.0);
    EXPECT_EQ (head.getSamplesRendered(), 100000);
}

TEST (OfflinePlayHead, BarLengthFollowsTheMeterDenominator)
{
    // 6/8: three quarter notes a bar; 3/2: six.
    const OfflinePlayHead sixEight (44100.0, 120.0, 6, 8, 7.5, true);
    EXPECT_EQ (*sixEight.getPosition()->getPpqPositionOfLastBarStart(), 6.0);
    EXPECT_EQ (*sixEight.getPosition()->getBarCount(), 2);

    const OfflinePlayHead threeTwo (44100.0, 120.0, 3, 2, 13.0, true);
    EXPECT_EQ (*threeTwo.getPosition()->getPpqPositionOfLastBarStart(), 12.0);

    const OfflinePlayHead beforeZero (44100.0, 120.0, 4, 4, -1.0, true);
    EXPECT_EQ (*beforeZero.getPosition()->getPpqPositionOfLastBarStart(), -4.0);
    EXPECT_EQ (*beforeZero.getPosition()->getTimeInSamples(), -22050);
}
