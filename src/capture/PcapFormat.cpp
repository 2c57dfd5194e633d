#include "capture/PcapFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace qv {

namespace {

constexpr std::uint16_t kPacketHost = 0;
constexpr std::uint16_t kPacketOtherHost = 3;
constexpr std::uint16_t kPacketOutgoing = 4;
constexpr std::uint16_t kEthernetProtocolLapd = 0x0030;

constexpr std::uint8_t kTeiManagementSapi = 63;

// TEI management messages that the user side sends.
bool userTeiMessage(std::uint8_t message) {
    return message == 1 || message == 5 || message == 7;
}

} // namespace

void writeLinuxLapdHeader(std::uint8_t *out, bool userToNetwork) {
    std::memset(out, 0, kLinuxLapdHeaderSize);
    out[1] = static_cast<std::uint8_t>(userToNetwork ? kPacketOutgoing : kPacketHost);
    out[14] = static_cast<std::uint8_t>(kEthernetProtocolLapd >> 8);
    out[15] = static_cast<std::uint8_t>(kEthernetProtocolLapd & 0xFF);
}

bool linuxLapdUserToNetwork(const std::uint8_t *header) {
    const std::uint16_t packetType = static_cast<std::uint16_t>(header[0] << 8 | header[1]);
    const bool weAreNetwork = header[6] != 0;
    if (packetType == kPacketOutgoing)
        return !weAreNetwork;
    if (packetType == kPacketOtherHost)
        return true;
    return weAreNetwork;
}

bool LapdDirectionGuess::userToNetwork(const std::uint8_t *frame, std::size_t length) {
    if (length < 2) {
        previous_ = Previous::Other;
        return false;
    }
    const bool commandResponseBit = (frame[0] & 0x02) != 0;
    bool command = true;
    Previous next = Previous::Other;
    if (length >= 3) {
        const std::uint8_t control = frame[2];
        if ((control & 0x01) == 0) {
            next = Previous::InformationFrame;
        } else if ((control & 0x03) == 0x03) {
            const std::uint8_t modifier = control & 0xEF; // without the P/F bit
            // UA, DM and FRMR are the responses among the unnumbered frames.
            command = modifier != 0x63 && modifier != 0x0F && modifier != 0x87;
            const bool ui = modifier == 0x03;
            if (ui && (frame[0] >> 2) == kTeiManagementSapi && length >= 8 && frame[3] == 0x0F) {
                previous_ = Previous::Other;
                return userTeiMessage(frame[6]);
            }
        } else {
            const bool pollFinal = length >= 4 && (frame[3] & 0x01) != 0;
            const bool answersPoll =
                previous_ == Previous::Poll && previousCommandResponse_ == commandResponseBit;
            command = pollFinal && !answersPoll && previous_ != Previous::InformationFrame;
            if (command)
                next = Previous::Poll;
        }
    }
    previous_ = next;
    previousCommandResponse_ = commandResponseBit;
    return command ? !commandResponseBit : commandResponseBit;
}

// Howard Hinnant's days_from_civil / civil_from_days.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, std::int64_t &year, unsigned &month, unsigned &day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

bool isPcapMagic(const std::uint8_t *bytes, std::size_t size) {
    if (size < 4)
        return false;
    constexpr std::uint8_t kMagics[][4] = {
        {0xD4, 0xC3, 0xB2, 0xA1}, // microseconds, little-endian
        {0xA1, 0xB2, 0xC3, 0xD4}, // microseconds, big-endian
        {0x4D, 0x3C, 0xB2, 0xA1}, // nanoseconds, little-endian
        {0xA1, 0xB2, 0x3C, 0x4D}, // nanoseconds, big-endian
        {0x0A, 0x0D, 0x0D, 0x0A}, // pcapng section header block
    };
    return std::any_of(std::begin(kMagics), std::end(kMagics), [&](const std::uint8_t(&magic)[4]) {
        return std::memcmp(bytes, magic, 4) == 0;
    });
}

bool isPcapNgName(const std::string &path) {
    constexpr std::string_view kExtension = ".pcapng";
    if (path.size() < kExtension.size())
        return false;
    const std::string_view tail = std::string_view(path).substr(path.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace qv
