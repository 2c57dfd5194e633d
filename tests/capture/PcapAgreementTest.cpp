// Our export of the generated "calls" capture against Wireshark's reading of it, kept as a
// golden file (tools/oracle/pcap_agreement.sh makes it again with tshark): per frame the
// direction (0 user->network, 1 network->user), the C/R bit and the Q.931 message type.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "capture/PcapFormat.h"
#include "capture/PcapTestSupport.h"

namespace qv::test {
namespace {

struct GoldenFrame {
    std::string direction, commandResponse, messageType;
};

std::vector<GoldenFrame> golden() {
    std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pcap/calls_tshark.txt");
    std::vector<GoldenFrame> frames;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            fields.push_back(cell);
        fields.resize(4);
        frames.push_back({fields[1], fields[2], fields[3]});
    }
    return frames;
}

TEST(PcapAgreement, DirectionsAndCommandResponseAsWiresharkReadsThem) {
    TempDir dir;
    const std::string capture = scenarioCapture(dir, "calls");
    ExportedCapture exported(capture, dir.file("calls.pcap"));
    ASSERT_TRUE(exported.result.ok) << exported.result.error;
    const std::vector<PcapFrame> frames = pcapRecords(readFile(dir.file("calls.pcap")));
    const std::vector<GoldenFrame> expected = golden();
    ASSERT_EQ(frames.size(), expected.size());
    OpenedCapture source(capture);
    ASSERT_TRUE(source.reader);
    std::size_t messages = 0;
    for (std::size_t n = 0; n < frames.size(); ++n) {
        const std::uint8_t *frame = frames[n].bytes.data() + kLinuxLapdHeaderSize;
        const std::size_t length = frames[n].bytes.size() - kLinuxLapdHeaderSize;
        ASSERT_GE(length, 3u);
        const bool user = linuxLapdUserToNetwork(frames[n].bytes.data());
        EXPECT_EQ(expected[n].direction, user ? "0" : "1") << "frame " << n + 1;
        ASSERT_EQ(source.reader->goTo(static_cast<std::uint32_t>(n)), kGoToOk);
        EXPECT_EQ(user, source.reader->recordBuffer().direction != 0) << "frame " << n + 1;
        EXPECT_EQ(expected[n].commandResponse, (frame[0] & 0x02) ? "1" : "0") << "frame " << n + 1;
        // Wireshark's command/response reading agrees with ours wherever the frame's kind
        // fixes it (supervisory frames can be either).
        if ((frame[2] & 0x03) != 0x01) {
            EXPECT_EQ(LapdDirectionGuess().userToNetwork(frame, length), user) << "frame " << n + 1;
        }
        const bool callControl = (frame[0] >> 2) == 0 && (frame[2] & 0x01) == 0 && length > 6 &&
                                 frame[4] == 0x08 && 6u + (frame[5] & 0x0F) < length;
        if (callControl) {
            char text[8];
            std::snprintf(text, sizeof text, "0x%02x", frame[6 + (frame[5] & 0x0F)]);
            EXPECT_EQ(expected[n].messageType, text) << "frame " << n + 1;
            ++messages;
        } else {
            EXPECT_EQ(expected[n].messageType, "") << "frame " << n + 1;
        }
    }
    EXPECT_GT(messages, 50u);
}

} // namespace
} // namespace qv::test
