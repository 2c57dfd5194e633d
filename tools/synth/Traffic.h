#pragma once
// Builds protocol-correct D-channel traffic record by record: LAPD with its sequence numbers per
// data link, TEI management, EDSS-1 calls, X.25 on SAPI 16, layer-1 events, V5 envelopes.
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "capture/CaptureInfo.h"
#include "decode/LvtRecord.h"

namespace qv::synth {

enum class Side { Te, Nt };

class Traffic {
public:
    Traffic(std::uint32_t seed, const CaptureDateTime &start);

    std::vector<LvtRecord> &records() { return records_; }
    std::mt19937 &random() { return rng_; }
    void advance(std::uint32_t milliseconds);

    void frame(Side from, const std::vector<std::uint8_t> &octets, std::uint8_t status = 0);
    void layer1(std::uint8_t eventCode, Side from = Side::Nt);
    void overflowMark(std::uint8_t kind = 0x81);

    void teiAssignment(std::uint8_t tei);
    void establish(std::uint8_t sapi, std::uint8_t tei);
    void release(std::uint8_t sapi, std::uint8_t tei);
    // An I frame carrying information, answered by RR from the other side.
    void information(std::uint8_t sapi, std::uint8_t tei, Side from,
                     const std::vector<std::uint8_t> &info);
    void supervisory(std::uint8_t sapi, std::uint8_t tei, Side from, std::uint8_t type,
                     bool command);

    // A whole EDSS-1 call from SETUP to RELEASE COMPLETE; overlap sends the number digit by
    // digit in INFORMATION messages.
    void call(std::uint8_t tei, std::uint8_t callReference, const std::string &calling,
              const std::string &called, bool overlap, bool answered);
    // A call the network offers to every terminal (SETUP in a UI frame on TEI 127), taken by
    // the terminal on tei and cleared by the network.
    void incomingCall(std::uint8_t tei, std::uint8_t callReference, const std::string &calling,
                      const std::string &called);
    void x25Call(std::uint8_t tei, std::uint16_t channel, int dataPackets);
    void x25Restart(std::uint8_t tei);
    void v5Frame(std::uint16_t efa, Side from, const std::vector<std::uint8_t> &payload);
    void v5Traffic();

private:
    struct Link {
        std::uint8_t sent[2] = {0, 0}; // V(S) of TE, NT
    };
    Link &link(std::uint8_t sapi, std::uint8_t tei) { return links_[(sapi << 8) | tei]; }

    std::mt19937 rng_;
    std::vector<LvtRecord> records_;
    std::map<int, Link> links_;
    // Clock: milliseconds since the start of the start day.
    std::uint64_t clock_ = 0;
    CaptureDateTime day_;
};

std::vector<std::uint8_t> lapdAddress(std::uint8_t sapi, bool commandBit, std::uint8_t tei);

} // namespace qv::synth
