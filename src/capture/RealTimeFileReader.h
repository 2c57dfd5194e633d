#pragma once
#include <array>

#include "capture/CaptureFileReader.h"

namespace qv {

// Reader of a real-time capture file: marker, information block, records in groups.
class RealTimeFileReader : public CaptureFileReader {
public:
    using CaptureFileReader::CaptureFileReader;

    bool isRealTimeFile() const override { return true; }
    bool setNotes(const std::string& text) override;
    bool captureFlags(CaptureFlags& flags) const override;
    std::string defaultNotesText() const override;

    std::uint32_t recordsPerGroup() const { return groupSize_; }
    std::uint32_t notesOffset() const { return notesOffset_; }

protected:
    void buildIndex() override;
    void readInfo() override;
    void stepIntoRecord(std::uint32_t index) override;
    bool storedNotes(std::string& text) override;

private:
    void followExtensionChain();
    std::uint64_t notesEntryOffset() const { return std::uint64_t(notesOffset_) + dataStart_ - 8; }
    bool readNotesEntry(std::string& text);

    std::array<std::uint8_t, 176> rawInfo_{};
    std::uint16_t infoSize_ = 0;
    std::uint32_t groupSize_ = 0;
    std::uint32_t headerCount_ = 0;
    std::uint32_t notesOffset_ = 0;
};

} // namespace qv
