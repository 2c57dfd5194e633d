#include "TableWriter.h"

#include <algorithm>
#include <stdexcept>

#include <nlohmann/json.hpp>
#include <unistd.h>

namespace qv::cli {

namespace {

// Rows held back to measure the columns of an aligned table; later rows are padded to the
// widths found, and a longer cell pushes only its own row on.
constexpr std::size_t kMeasuredRows = 1000;
constexpr std::size_t kBufferSize = 1 << 20;

// Display width of a cell: one column a byte, as the texts are single-byte.
std::size_t widthOf(std::string_view text) {
    return text.size();
}

} // namespace

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

const std::vector<std::string> &formatNames() {
    static const std::vector<std::string> names = {"text", "csv", "json", "jsonl"};
    return names;
}

Format formatNamed(const std::string &name) {
    const auto &names = formatNames();
    const auto at = std::find(names.begin(), names.end(), name);
    if (at == names.end())
        throw std::invalid_argument(name + " is not a format");
    return static_cast<Format>(at - names.begin());
}

TableWriter::TableWriter(Format format, std::vector<std::string> titles, std::FILE *out)
    : TableWriter(format, std::move(titles), out, ::isatty(::fileno(out)) == 1) {}

TableWriter::TableWriter(Format format, std::vector<std::string> titles, std::FILE *out,
                         bool aligned)
    : format_(format), titles_(std::move(titles)), out_(out),
      aligned_(aligned && format == Format::Text),
      plain_(format == Format::Csv || (format == Format::Text && !aligned_)),
      separator_(format == Format::Csv ? ',' : '\t') {
    switch (format_) {
    case Format::Text:
        if (aligned_) {
            held_.push_back(titles_);
        } else {
            for (std::size_t k = 0; k < titles_.size(); ++k) {
                if (k)
                    put('\t');
                put(titles_[k]);
            }
            put('\n');
        }
        break;
    case Format::Csv:
        for (std::size_t k = 0; k < titles_.size(); ++k) {
            if (k)
                put(',');
            writeCsvCell(titles_[k]);
        }
        put('\n');
        break;
    case Format::Json:
        put('[');
        break;
    case Format::Jsonl:
        break;
    }
}

TableWriter::~TableWriter() {
    finish();
}

void TableWriter::otherCell(std::string_view text) {
    const std::size_t k = cellInRow_++;
    switch (format_) {
    case Format::Text:
        if (aligned_) {
            if (k == 0)
                held_.emplace_back();
            held_.back().emplace_back(text);
            return;
        }
        if (k)
            put('\t');
        put(text);
        return;
    case Format::Csv:
        if (k)
            put(',');
        writeCsvCell(text);
        return;
    case Format::Json:
    case Format::Jsonl:
        if (k == 0) {
            if (format_ == Format::Json)
                put(rows_ == 0 ? "\n" : ",\n");
            put('{');
        } else {
            put(',');
        }
        writeJsonString(k < titles_.size() ? std::string_view(titles_[k]) : std::string_view());
        put(':');
        writeJsonString(text);
        return;
    }
}

void TableWriter::endRow() {
    while (cellInRow_ < titles_.size())
        cell({});
    cellInRow_ = 0;
    ++rows_;
    switch (format_) {
    case Format::Text:
        if (aligned_) {
            if (held_.size() > kMeasuredRows)
                writeAlignedRows();
            return;
        }
        put('\n');
        break;
    case Format::Csv:
        put('\n');
        break;
    case Format::Json:
        put('}');
        break;
    case Format::Jsonl:
        put("}\n");
        break;
    }
    if (buffer_.size() >= kBufferSize)
        flushBuffer();
}

void TableWriter::row(const std::vector<std::string> &cells) {
    for (const std::string &c : cells)
        cell(c);
    endRow();
}

void TableWriter::finish() {
    if (finished_)
        return;
    finished_ = true;
    if (aligned_)
        writeAlignedRows();
    if (format_ == Format::Json)
        put(rows_ == 0 ? "]\n" : "\n]\n");
    flushBuffer();
    std::fflush(out_);
}

void TableWriter::put(std::string_view text) {
    buffer_.append(text);
}

void TableWriter::flushBuffer() {
    if (!buffer_.empty())
        std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
}

void TableWriter::writeQuotedCell(std::string_view text) {
    put('"');
    for (char c : text) {
        if (c == '"')
            put('"');
        put(c);
    }
    put('"');
}

void TableWriter::writeJsonString(std::string_view text) {
    // nlohmann-json writes the escapes; the non-ASCII characters go out as \u escapes, so
    // the document is ASCII whatever reads it.
    put(nlohmann::json(latin1ToUtf8(text)).dump(-1, ' ', true));
}

void TableWriter::writeAlignedRows() {
    if (!widthsFixed_) {
        widths_.assign(titles_.size(), 0);
        for (const auto &r : held_)
            for (std::size_t k = 0; k < r.size() && k < widths_.size(); ++k)
                widths_[k] = std::max(widths_[k], widthOf(r[k]));
        widthsFixed_ = true;
    }
    for (const auto &r : held_) {
        for (std::size_t k = 0; k < r.size(); ++k) {
            put(r[k]);
            if (k + 1 < r.size()) {
                const std::size_t pad = k < widths_.size() && widths_[k] > widthOf(r[k])
                                            ? widths_[k] - widthOf(r[k])
                                            : 0;
                buffer_.append(pad + 2, ' ');
            }
        }
        put('\n');
    }
    held_.clear();
    if (buffer_.size() >= kBufferSize)
        flushBuffer();
}

} // namespace qv::cli
