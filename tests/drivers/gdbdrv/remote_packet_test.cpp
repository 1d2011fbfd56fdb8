#include "remote_packet.h"

#include "gdb_limits.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

std::vector<ReceivedFrame> Frames(const std::string& bytes) {
    FrameReader reader;
    std::vector<ReceivedFrame> frames;
    for (const char c : bytes) {
        if (auto frame = reader.Take(c))
            frames.push_back(*frame);
    }
    return frames;
}

TEST(RemotePacket, FramesWithChecksumAndEscapesTheFourSpecialCharacters) {
    EXPECT_EQ(FramePacket("m20000000,4"), "$m20000000,4#4f");
    EXPECT_EQ(FramePacket(""), "$#00");
    // '#' 0x23, '$' 0x24, '}' 0x7d, '*' 0x2a go as '}' and the byte xor 0x20.
    const std::string framed = FramePacket("a#$}*");
    EXPECT_EQ(framed.substr(0, 10), "$a}\x03}\x04}]}\x0a");
    const auto frames = Frames(framed);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].kind, ReceivedFrame::Kind::Packet);
    EXPECT_EQ(frames[0].payload, "a#$}*");
}

TEST(RemotePacket, ReadsAcknowledgementsRunsAndPassesOverNoise) {
    // "0* " is '0' and 3 more: the count character ' ' (32) less 29.
    const auto frames = Frames("junk+-\r\n" + FrameBody("0* 1"));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].kind, ReceivedFrame::Kind::Ack);
    EXPECT_EQ(frames[1].kind, ReceivedFrame::Kind::Nak);
    EXPECT_EQ(frames[2].kind, ReceivedFrame::Kind::Packet);
    EXPECT_EQ(frames[2].payload, "00001");
}

TEST(RemotePacket, RefusesDamagedTruncatedAndOverlongPackets) {
    EXPECT_EQ(Frames("$OK#9b")[0].kind, ReceivedFrame::Kind::BadPacket);
    EXPECT_EQ(Frames("$OK#zz")[0].kind, ReceivedFrame::Kind::BadPacket);
    // A run with nothing before it, or one that would pass the reply limit.
    EXPECT_EQ(Frames(FrameBody("*~x"))[0].kind, ReceivedFrame::Kind::BadPacket);
    std::string runs = "0";
    for (std::size_t i = 0; i < kMaxReplyBytes / 90; ++i)
        runs += "*~";
    EXPECT_EQ(Frames(FrameBody(runs))[0].kind, ReceivedFrame::Kind::BadPacket);
    // A frame cut off by a new one: the new one counts.
    const auto restarted = Frames("$m2000" + FramePacket("OK"));
    ASSERT_EQ(restarted.size(), 1u);
    EXPECT_EQ(restarted[0].payload, "OK");
    EXPECT_EQ(Frames("%" + FrameBody("Stop:T05").substr(1))[0].kind,
              ReceivedFrame::Kind::Notification);
}

} // namespace
} // namespace vek
