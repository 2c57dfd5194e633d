#include "synth/Traffic.h"

namespace qv::synth {

namespace {

constexpr std::uint8_t kTeiSapi = 63, kGroupTei = 127, kUi = 0x03;

int daysInMonth(int month, int year) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[(month - 1) % 12];
}

// Digits as IA5 characters after the type/plan octet.
std::vector<std::uint8_t> numberIe(std::uint8_t id, std::uint8_t typePlan,
                                   const std::string &digits, bool presentation) {
    std::vector<std::uint8_t> ie = {id, 0};
    ie.push_back(presentation ? typePlan & 0x7F : typePlan | 0x80);
    if (presentation)
        ie.push_back(0x83);
    ie.insert(ie.end(), digits.begin(), digits.end());
    ie[1] = static_cast<std::uint8_t>(ie.size() - 2);
    return ie;
}

std::vector<std::uint8_t> q931(std::uint8_t callReference, bool fromDestination,
                               std::uint8_t messageType,
                               std::initializer_list<std::vector<std::uint8_t>> ies = {}) {
    std::vector<std::uint8_t> m = {
        0x08, 0x01, static_cast<std::uint8_t>(callReference | (fromDestination ? 0x80 : 0)),
        messageType};
    for (const auto &ie : ies)
        m.insert(m.end(), ie.begin(), ie.end());
    return m;
}

std::vector<std::uint8_t> bcd(const std::string &digits) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        std::uint8_t hi = static_cast<std::uint8_t>(digits[i] - '0');
        std::uint8_t lo =
            i + 1 < digits.size() ? static_cast<std::uint8_t>(digits[i + 1] - '0') : 0;
        out.push_back(static_cast<std::uint8_t>(hi << 4 | lo));
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> lapdAddress(std::uint8_t sapi, bool commandBit, std::uint8_t tei) {
    return {static_cast<std::uint8_t>(sapi << 2 | (commandBit ? 2 : 0)),
            static_cast<std::uint8_t>(tei << 1 | 1)};
}

// C/R is 0 for commands from the user side and 1 for commands from the network side.
static bool crBit(Side from, bool command) {
    return (from == Side::Nt) == command;
}

Traffic::Traffic(std::uint32_t seed, const CaptureDateTime &start) : rng_(seed), day_(start) {
    clock_ = ((std::uint64_t(start.hour) * 60 + start.minute) * 60 + start.second) * 1000;
}

void Traffic::advance(std::uint32_t ms) {
    clock_ += ms;
    while (clock_ >= 86400000ull) {
        clock_ -= 86400000ull;
        if (++day_.day > daysInMonth(day_.month, day_.year)) {
            day_.day = 1;
            if (++day_.month > 12) {
                day_.month = 1;
                ++day_.year;
            }
        }
    }
}

void Traffic::frame(Side from, const std::vector<std::uint8_t> &octets, std::uint8_t status) {
    LvtRecord r;
    r.blockType = 1;
    r.kind = kFrameRecord;
    r.status = status;
    r.direction = from == Side::Te ? 1 : 0;
    r.month = static_cast<std::uint8_t>(day_.month);
    std::uint64_t ms = clock_;
    r.setTime(day_.day, static_cast<unsigned>(ms / 3600000), static_cast<unsigned>(ms / 60000 % 60),
              static_cast<unsigned>(ms / 1000 % 60), static_cast<unsigned>(ms % 1000));
    r.dataLength = static_cast<std::uint16_t>(std::min<std::size_t>(octets.size(), kMaxRecordData));
    std::copy(octets.begin(), octets.begin() + r.dataLength, r.data.begin());
    records_.push_back(r);
    advance(2 + rng_() % 40);
}

void Traffic::layer1(std::uint8_t code, Side from) {
    frame(from, {});
    LvtRecord &r = records_.back();
    r.kind = kLayer1Event;
    r.status = code;
}

void Traffic::overflowMark(std::uint8_t kind) {
    frame(Side::Nt, {});
    records_.back().kind = kind;
    records_.back().status = 1;
}

void Traffic::teiAssignment(std::uint8_t tei) {
    std::uint16_t ri = static_cast<std::uint16_t>(rng_());
    auto message = [&](std::uint8_t type, std::uint8_t ai) {
        std::vector<std::uint8_t> f = lapdAddress(kTeiSapi, false, kGroupTei);
        f.insert(f.end(),
                 {kUi, 0x0F, static_cast<std::uint8_t>(ri >> 8), static_cast<std::uint8_t>(ri),
                  type, static_cast<std::uint8_t>(ai << 1 | 1)});
        return f;
    };
    std::vector<std::uint8_t> request = message(1, kGroupTei);
    frame(Side::Te, request);
    std::vector<std::uint8_t> assigned = message(2, tei);
    assigned[0] |= 2; // a command from the network
    frame(Side::Nt, assigned);
}

void Traffic::establish(std::uint8_t sapi, std::uint8_t tei) {
    std::vector<std::uint8_t> sabme = lapdAddress(sapi, crBit(Side::Te, true), tei);
    sabme.push_back(0x7F);
    frame(Side::Te, sabme);
    std::vector<std::uint8_t> ua = lapdAddress(sapi, crBit(Side::Nt, false), tei);
    ua.push_back(0x73);
    frame(Side::Nt, ua);
    link(sapi, tei) = Link{};
}

void Traffic::release(std::uint8_t sapi, std::uint8_t tei) {
    std::vector<std::uint8_t> disc = lapdAddress(sapi, crBit(Side::Te, true), tei);
    disc.push_back(0x53);
    frame(Side::Te, disc);
    std::vector<std::uint8_t> ua = lapdAddress(sapi, crBit(Side::Nt, false), tei);
    ua.push_back(0x73);
    frame(Side::Nt, ua);
}

void Traffic::information(std::uint8_t sapi, std::uint8_t tei, Side from,
                          const std::vector<std::uint8_t> &info) {
    Link &l = link(sapi, tei);
    int me = from == Side::Te ? 0 : 1;
    std::vector<std::uint8_t> f = lapdAddress(sapi, crBit(from, true), tei);
    f.push_back(static_cast<std::uint8_t>(l.sent[me] << 1));
    f.push_back(static_cast<std::uint8_t>(l.sent[1 - me] << 1));
    f.insert(f.end(), info.begin(), info.end());
    l.sent[me] = static_cast<std::uint8_t>((l.sent[me] + 1) % 128);
    frame(from, f);
    supervisory(sapi, tei, from == Side::Te ? Side::Nt : Side::Te, 0x01, false);
}

void Traffic::supervisory(std::uint8_t sapi, std::uint8_t tei, Side from, std::uint8_t type,
                          bool command) {
    Link &l = link(sapi, tei);
    int other = from == Side::Te ? 1 : 0;
    std::vector<std::uint8_t> f = lapdAddress(sapi, crBit(from, command), tei);
    f.push_back(type);
    f.push_back(static_cast<std::uint8_t>(l.sent[other] << 1 | (command ? 1 : 0)));
    frame(from, f);
}

void Traffic::call(std::uint8_t tei, std::uint8_t cref, const std::string &calling,
                   const std::string &called, bool overlap, bool answered) {
    const std::vector<std::uint8_t> bearer = {0x04, 0x03, 0x80, 0x90, 0xA3};
    const std::vector<std::uint8_t> channel = {0x18, 0x01, 0x89};
    std::vector<std::uint8_t> callingIe = numberIe(0x6C, 0x21, calling, true);
    if (overlap) {
        information(0, tei, Side::Te, q931(cref, false, 0x05, {bearer, callingIe}));
        information(0, tei, Side::Nt, q931(cref, true, 0x0D, {channel}));
        for (char digit : called) {
            advance(300 + rng_() % 700);
            information(
                0, tei, Side::Te,
                q931(cref, false, 0x7B, {numberIe(0x70, 0x81, std::string(1, digit), false)}));
        }
        information(0, tei, Side::Te, q931(cref, false, 0x7B, {{0xA1}}));
        information(0, tei, Side::Nt, q931(cref, true, 0x02));
    } else {
        information(
            0, tei, Side::Te,
            q931(cref, false, 0x05,
                 {{0xA1}, bearer, channel, callingIe, numberIe(0x70, 0x81, called, false)}));
        information(0, tei, Side::Nt, q931(cref, true, 0x02, {channel}));
    }
    advance(500);
    information(0, tei, Side::Nt, q931(cref, true, 0x01));
    const std::vector<std::uint8_t> normal = {0x08, 0x02, 0x80, 0x90};
    const std::vector<std::uint8_t> noAnswer = {0x08, 0x02, 0x80, 0x93};
    if (answered) {
        advance(3000 + rng_() % 5000);
        information(0, tei, Side::Nt, q931(cref, true, 0x07));
        information(0, tei, Side::Te, q931(cref, false, 0x0F));
        for (int i = 0; i < 3; ++i) {
            advance(10000);
            supervisory(0, tei, Side::Nt, 0x01, true);
            supervisory(0, tei, Side::Te, 0x01, false);
        }
        information(0, tei, Side::Te, q931(cref, false, 0x45, {normal}));
    } else {
        advance(20000);
        information(0, tei, Side::Nt, q931(cref, true, 0x45, {noAnswer}));
    }
    information(0, tei, answered ? Side::Nt : Side::Te, q931(cref, answered, 0x4D));
    information(0, tei, answered ? Side::Te : Side::Nt, q931(cref, !answered, 0x5A));
}

void Traffic::incomingCall(std::uint8_t tei, std::uint8_t cref, const std::string &calling,
                           const std::string &called) {
    const std::vector<std::uint8_t> bearer = {0x04, 0x03, 0x80, 0x90, 0xA3};
    std::vector<std::uint8_t> setup = lapdAddress(0, crBit(Side::Nt, true), 127);
    setup.push_back(0x03);
    const std::vector<std::uint8_t> message = q931(cref, false, 0x05,
                                                   {bearer,
                                                    {0x18, 0x01, 0x8A},
                                                    numberIe(0x6C, 0x21, calling, true),
                                                    numberIe(0x70, 0x81, called, false)});
    setup.insert(setup.end(), message.begin(), message.end());
    frame(Side::Nt, setup);
    advance(100);
    information(0, tei, Side::Te, q931(cref, true, 0x01));
    advance(2000 + rng_() % 3000);
    information(0, tei, Side::Te, q931(cref, true, 0x07));
    information(0, tei, Side::Nt, q931(cref, false, 0x0F));
    advance(5000 + rng_() % 5000);
    information(0, tei, Side::Nt, q931(cref, false, 0x45, {{0x08, 0x02, 0x80, 0x90}}));
    information(0, tei, Side::Te, q931(cref, true, 0x4D));
    information(0, tei, Side::Nt, q931(cref, false, 0x5A));
}

void Traffic::x25Call(std::uint8_t tei, std::uint16_t lcn, int dataPackets) {
    const std::uint8_t sapi = 16;
    auto packet = [&](std::uint8_t type, std::vector<std::uint8_t> rest = {}) {
        std::vector<std::uint8_t> p = {static_cast<std::uint8_t>(0x10 | (lcn >> 8 & 0x0F)),
                                       static_cast<std::uint8_t>(lcn), type};
        p.insert(p.end(), rest.begin(), rest.end());
        return p;
    };
    std::string calling = "26245", called = "4711";
    std::vector<std::uint8_t> addresses = {
        static_cast<std::uint8_t>(calling.size() << 4 | called.size())};
    std::vector<std::uint8_t> digits = bcd(called + calling);
    addresses.insert(addresses.end(), digits.begin(), digits.end());
    // Facilities: packet size 128 both ways, window size 2 both ways, throughput 19200 bit/s.
    const std::vector<std::uint8_t> facilities = {0x42, 0x07, 0x07, 0x43, 0x02, 0x02, 0x02, 0xBB};
    addresses.push_back(static_cast<std::uint8_t>(facilities.size()));
    addresses.insert(addresses.end(), facilities.begin(), facilities.end());
    addresses.insert(addresses.end(), {0x01, 0x00, 0x00, 0x00});
    information(sapi, tei, Side::Te, packet(0x0B, addresses));
    information(sapi, tei, Side::Nt, packet(0x0F));
    std::uint8_t ps = 0, pr = 0;
    for (int i = 0; i < dataPackets; ++i) {
        std::vector<std::uint8_t> data(8 + rng_() % 120);
        for (auto &b : data)
            b = static_cast<std::uint8_t>(0x20 + rng_() % 95);
        Side from = i % 3 == 2 ? Side::Nt : Side::Te;
        information(sapi, tei, from, packet(static_cast<std::uint8_t>(pr << 5 | ps << 1), data));
        ps = static_cast<std::uint8_t>((ps + 1) % 8);
        information(sapi, tei, from == Side::Te ? Side::Nt : Side::Te,
                    packet(static_cast<std::uint8_t>(ps << 5 | 0x01)));
        pr = ps;
    }
    // An interrupt, a receiver not ready, a reset by the network (local procedure error,
    // diagnostic 48: timer expired), then the clearing.
    information(sapi, tei, Side::Te, packet(0x23, {0x55}));
    information(sapi, tei, Side::Nt, packet(0x27));
    information(sapi, tei, Side::Nt, packet(static_cast<std::uint8_t>(ps << 5 | 0x05)));
    information(sapi, tei, Side::Nt, packet(0x1B, {0x05, 0x30}));
    information(sapi, tei, Side::Te, packet(0x1F));
    information(sapi, tei, Side::Te, packet(0x13, {0x00, 0x00}));
    information(sapi, tei, Side::Nt, packet(0x17));
}

void Traffic::x25Restart(std::uint8_t tei) {
    // Restart from the network (network congestion), confirmed by the terminal.
    information(16, tei, Side::Nt, {0x10, 0x00, 0xFB, 0x03, 0x00});
    information(16, tei, Side::Te, {0x10, 0x00, 0xFF});
}

void Traffic::v5Frame(std::uint16_t efa, Side from, const std::vector<std::uint8_t> &payload) {
    std::vector<std::uint8_t> f = {static_cast<std::uint8_t>((efa >> 7) << 2),
                                   static_cast<std::uint8_t>((efa & 0x7F) << 1 | 1)};
    f.insert(f.end(), payload.begin(), payload.end());
    frame(from, f);
}

void Traffic::v5Traffic() {
    // Sides on V5: the access network stands where the TE does.
    auto message = [](std::uint16_t dla, std::uint8_t ns, std::uint16_t l3, std::uint8_t type,
                      std::vector<std::uint8_t> ies) {
        std::vector<std::uint8_t> m = {static_cast<std::uint8_t>((dla >> 7) << 2),
                                       static_cast<std::uint8_t>((dla & 0x7F) << 1 | 1),
                                       static_cast<std::uint8_t>(ns << 1),
                                       0x00,
                                       0x48,
                                       static_cast<std::uint8_t>(l3 >> 8 & 0x7F),
                                       static_cast<std::uint8_t>(l3),
                                       type};
        m.insert(m.end(), ies.begin(), ies.end());
        return m;
    };
    v5Frame(8180, Side::Nt, message(8180, 0, 0x0001, 0x30, {0x50, 0x01, 0x81})); // LINK CONTROL
    v5Frame(8180, Side::Te, message(8180, 0, 0x0001, 0x31, {0x50, 0x01, 0x81})); // ... ACK
    v5Frame(8177, Side::Nt, message(8177, 1, 0x0000, 0x12, {0x51, 0x01, 0x81})); // COMMON CONTROL
    v5Frame(8177, Side::Te, message(8177, 1, 0x0000, 0x13, {0x51, 0x01, 0x81})); // ... ACK
    v5Frame(8177, Side::Nt, message(8177, 2, 0x0023, 0x10, {0x20, 0x01, 0x81})); // PORT CONTROL
    v5Frame(8177, Side::Te, message(8177, 2, 0x0023, 0x11, {0x20, 0x01, 0x81}));
    v5Frame(8176, Side::Te, message(8176, 0, 0x0023, 0x00, {0x80}));             // ESTABLISH
    v5Frame(8176, Side::Nt, message(8176, 0, 0x0023, 0x01, {}));                 // ESTABLISH ACK
    v5Frame(8176, Side::Te, message(8176, 1, 0x0023, 0x02, {0x19, 0x01, 0x80})); // SIGNAL
    v5Frame(8176, Side::Nt, message(8176, 1, 0x0023, 0x03, {0x00}));             // SIGNAL ACK
    v5Frame(8178, Side::Nt,
            message(8178, 0, 0x0005, 0x20, {0x41, 0x02, 0x00, 0x23, 0x42, 0x01, 0x81}));
    v5Frame(8178, Side::Te, message(8178, 0, 0x0005, 0x21, {}));
    v5Frame(8179, Side::Nt, message(8179, 0, 0x0001, 0x18, {0x48, 0x01, 0x80}));
    // An ISDN user port's D-channel frame inside the envelope.
    std::vector<std::uint8_t> sabme = lapdAddress(0, false, 64);
    sabme.push_back(0x7F);
    v5Frame(35, Side::Te, sabme);
    std::vector<std::uint8_t> ua = lapdAddress(0, false, 64);
    ua.push_back(0x73);
    v5Frame(35, Side::Nt, ua);
    v5Frame(8176, Side::Te, message(8176, 2, 0x0023, 0x08, {0x15, 0x01, 0x80})); // DISCONNECT
    v5Frame(8176, Side::Nt, message(8176, 2, 0x0023, 0x09, {}));                 // ... COMPLETE
}

} // namespace qv::synth
