#pragma once
// A decoder host over the one record a fuzz input makes.
#include <cstdint>

#include "base/UserMessages.h"
#include "decode/CDecoder.h"

namespace qv::fuzz {

class OneRecordHost : public DecoderHost {
public:
    LvtRecord record;
    RecordingUserMessages recorded;
    int language = 0;

    int readRecord(std::uint32_t index, LvtRecord& target) override {
        if (index != 0)
            return -4;
        target = record;
        return 0;
    }
    int positionOn(std::uint32_t index) override { return index == 0 ? 0 : 1; }
    std::uint16_t captureStartYear() const override { return 2026; }
    std::uint16_t captureStartMonth() const override { return 12; }
    int decodingLanguage() const override { return language; }
    UserMessages& messages() override { return recorded; }
};

} // namespace qv::fuzz
