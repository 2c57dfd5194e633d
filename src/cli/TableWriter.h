#pragma once
// The one writer of the listing commands' tables: one title row, then rows of text cells, as
// text (aligned on a terminal, tab-separated when piped), CSV (quoted as RFC 4180 asks), JSON (one
// array of objects keyed by the titles) or JSON lines (one object a line, for streams).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qv::cli {

// A text of the tester (single-byte, Latin-1) in UTF-8: each byte is the code point of the
// same number. What the JSON writers hand to nlohmann-json.
std::string latin1ToUtf8(std::string_view text);

// The output formats of the listing commands, as --format names them.
enum class Format { Text, Csv, Json, Jsonl };
// "text", "csv", "json", "jsonl".
const std::vector<std::string> &formatNames();
Format formatNamed(const std::string &name);

class TableWriter {
public:
    // Writes to out; aligned text when out is a terminal (or when aligned is forced).
    TableWriter(Format format, std::vector<std::string> titles, std::FILE *out = stdout);
    TableWriter(Format format, std::vector<std::string> titles, std::FILE *out, bool aligned);
    ~TableWriter();
    TableWriter(const TableWriter &) = delete;
    TableWriter &operator=(const TableWriter &) = delete;

    // The cells of the next row, one by one, then endRow(); a row with fewer cells than
    // titles is filled with empty cells. Tab-separated text and CSV go straight into the
    // buffer: a summary writes millions of cells.
    void cell(std::string_view text) {
        if (!plain_) {
            otherCell(text);
            return;
        }
        if (cellInRow_++ != 0)
            buffer_.push_back(separator_);
        if (format_ == Format::Csv && needsQuotes(text))
            writeQuotedCell(text);
        else
            buffer_.append(text);
    }
    void endRow();
    void row(const std::vector<std::string> &cells);
    // Writes what is held back (aligned rows, the end of the JSON array); done at destruction.
    void finish();

    std::size_t rows() const { return rows_; }

private:
    static bool needsQuotes(std::string_view text) {
        for (char c : text)
            if (c == ',' || c == '"' || c == '\n' || c == '\r')
                return true;
        return false;
    }
    void otherCell(std::string_view text);
    void writeQuotedCell(std::string_view text);
    void put(std::string_view text);
    void put(char c) { buffer_.push_back(c); }
    void flushBuffer();
    void writeCsvCell(std::string_view text) {
        if (needsQuotes(text))
            writeQuotedCell(text);
        else
            put(text);
    }
    void writeJsonString(std::string_view text);
    void writeAlignedRows();

    Format format_;
    std::vector<std::string> titles_;
    std::FILE *out_;
    bool aligned_;
    bool plain_;     // tab-separated text or CSV
    char separator_; // of plain cells
    bool finished_ = false;
    std::string buffer_;
    std::size_t rows_ = 0;
    std::size_t cellInRow_ = 0;
    // Aligned text: the rows held back until the widths are known.
    std::vector<std::vector<std::string>> held_;
    std::vector<std::size_t> widths_;
    bool widthsFixed_ = false;
};

} // namespace qv::cli
