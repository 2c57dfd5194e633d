#pragma once
#include "capture/CaptureFileReader.h"

namespace qv {

// Reader of a stored capture file: record blocks, then the information block last.
class LvtFileReader : public CaptureFileReader {
public:
    using CaptureFileReader::CaptureFileReader;

    bool isRealTimeFile() const override { return false; }
    bool setNotes(const std::string &text) override;
    bool captureFlags(CaptureFlags &flags) const override;
    std::string defaultNotesText() const override;

    // Parses an information block's content; exposed for the file-type scan and tests.
    static CaptureInfo parseInformationBlock(const std::vector<std::uint8_t> &content,
                                             std::string *notesText);

protected:
    void buildIndex() override;
    void readInfo() override;
    bool storedNotes(std::string &text) override {
        text = infoNotes_;
        return true;
    }
    void markDamaged() override { info_.start.day = 0xFFFF; }
    void informationBlockFound(const std::vector<std::uint8_t> &content,
                               std::uint16_t length) override;

private:
    std::vector<std::uint8_t> rawInfo_; // at most 2134 bytes
    std::uint16_t infoLength_ = 0;      // L as found in the file
    std::uint64_t infoOffset_ = 0;      // offset of the information block's type byte
    std::string infoNotes_;
    bool infoRead_ = false;
    bool infoFramed_ = false; // the information block ends the file, its lengths agreeing
};

} // namespace qv
