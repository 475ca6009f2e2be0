// The pieces the stand-in host drives a module with: the standard-error capture that module
// assertions are caught by, the render thread, and the MIDI node's block of packets.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <thread>
#include <unistd.h>

#include "AAX_Errors.h"
#include "HostMIDINode.h"
#include "RenderThread.h"
#include "StderrCapture.h"

using kalvo::aaxhost::HostMIDINode;
using kalvo::aaxhost::RenderThread;
using kalvo::aaxhost::StderrCapture;

TEST (StderrCapture, CatchesEveryWayOfWritingToTheDescriptorFromAnyThread)
{
    StderrCapture capture;
    std::fprintf (stderr, "one ");
    std::cerr << "two ";
    const ssize_t written = write (STDERR_FILENO, "three ", 6);
    EXPECT_EQ (written, 6);
    std::thread ([] { std::cerr << "four" << std::endl; }).join();
    EXPECT_EQ (capture.take(), "one two three four\n");
    EXPECT_EQ (capture.take(), "");
    std::cerr << "an assertion report" << std::endl;
    EXPECT_EQ (capture.take(), "an assertion report\n");
}

TEST (RenderThread, RunsEachJobOnItsOwnThreadAndWaitsForIt)
{
    RenderThread renderer;
    std::thread::id ranOn;
    int runs = 0;
    for (int i = 0; i < 3; ++i)
        renderer.run (
            [&]
            {
                ranOn = std::this_thread::get_id();
                ++runs;
            });
    EXPECT_EQ (runs, 3);
    EXPECT_EQ (ranOn, renderer.id());
    EXPECT_NE (ranOn, std::this_thread::get_id());
}

TEST (HostMIDINode, HandsOutTheBlocksPacketsUpToItsCapacity)
{
    HostMIDINode node (2);
    EXPECT_EQ (node.GetNodeBuffer()->mBufferSize, 0u);
    AAX_CMidiPacket packet;
    packet.mTimestamp = 7;
    node.setPackets ({ packet, packet, packet });
    const auto* stream = node.GetNodeBuffer();
    ASSERT_EQ (stream->mBufferSize, 2u);
    EXPECT_EQ (stream->mBuffer[1].mTimestamp, 7u);
    EXPECT_EQ (node.dropped(), 1u);
    node.setPackets ({});
    EXPECT_EQ (node.GetNodeBuffer()->mBufferSize, 0u);
    EXPECT_EQ (node.GetNodeBuffer()->mBuffer, nullptr);
    EXPECT_EQ (node.PostMIDIPacket (&packet), AAX_ERROR_UNIMPLEMENTED);
}
