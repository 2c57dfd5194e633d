#pragma once
// The real-time side of a simulated LVT tester: it answers the program's connect, start and
// stop requests and sends its recorded frames numbered in a window, as the tester's remote mode
// does, with protocol faults of its own on demand (a bad check byte, a frame lost or repeated,
// garbage between frames, silence, a stop of its own).
#include "comm/LvtRealTimeLink.h"
#include "decode/LvtRecord.h"
#include "sim/Simulator.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qv::sim {

struct LvtTesterSettings {
    int model = 0;  // 0 LVT-30, 1 LVT-60, 2 LVT-3
    int level = 33; // 33 ("!"), 17 or 18
    int window = 7; // 1, 3 or 7
    std::uint8_t flags = 0;
    std::string serialNumber = "AB12345";
    std::string firstVersion = "V09.02";
    std::string secondVersion = "V05.02.001";
    double rate = 0; // frames a second; 0: as fast as the window lets
    // Protocol faults, each a chance per frame sent.
    double badCheck = 0, lose = 0, repeat = 0, garbage = 0;
    std::uint32_t seed = 1;
    // After this many frames the tester goes quiet (0: never), or stops with stopReason.
    std::uint64_t silentAfter = 0;
    std::uint64_t stopAfter = 0;
    int stopReason = 2; // "stopped by the user on the tester"
    // How long the tester waits for an acknowledgement before it sends again from the oldest.
    SimTime resendAfter = std::chrono::milliseconds(1500);
};

// A record as the tester sends it: time, kind, status, direction, month, data length, data.
std::vector<std::uint8_t> testerContent(const LvtRecord &record);

class LvtTester : public Instrument {
public:
    // records: the contents of the frames to send, in order (time, kind, status, direction,
    // month, data length, data).
    LvtTester(LvtTesterSettings settings, std::vector<std::vector<std::uint8_t>> records);

    std::string name() const override { return "lvt"; }
    void received(std::span<const std::uint8_t> bytes, SimTime now, SimOutput &out) override;
    std::optional<SimTime> deadline() const override;
    void timeout(SimTime now, SimOutput &out) override;

    // What happened, for tests and the summary line.
    std::uint64_t framesSent() const { return sent_; }
    std::uint64_t framesAcknowledged() const { return base_; }
    std::uint64_t rejectsReceived() const { return rejects_; }
    bool running() const { return running_; }
    int connectRequests() const { return connects_; }

private:
    void request(const LinkFrameReader::Frame &frame, SimTime now, SimOutput &out);
    void acknowledged(int nr, bool reject, SimTime now);
    void sendDue(SimTime now, SimOutput &out);
    void sendRecord(std::uint64_t index, SimOutput &out);
    void sendFrame(std::uint8_t type, std::span<const std::uint8_t> content, SimOutput &out,
                   bool damage = false);
    bool chance(double p);

    LvtTesterSettings settings_;
    std::vector<std::vector<std::uint8_t>> records_;
    LinkFrameReader reader_;
    std::mt19937 random_;
    bool running_ = false;
    bool silent_ = false;
    int connects_ = 0;
    std::array<std::uint8_t, 7> date_{};
    std::uint64_t base_ = 0; // the oldest frame not acknowledged
    std::uint64_t next_ = 0; // the next frame to send
    std::uint64_t sent_ = 0;
    std::uint64_t rejects_ = 0;
    SimTime nextFrameAt_{0};
    SimTime lastAcknowledged_{0};
};

} // namespace qv::sim
