#include "analysis/ExpertItemStore.h"

#include <algorithm>
#include <queue>

#include "base/ByteOrder.h"

namespace qv {

namespace {

// A run read back item by item through a buffer of its own.
class RunReader {
public:
    RunReader(std::FILE *file, std::uint64_t offset, std::uint64_t count)
        : file_(file), offset_(offset), left_(count) {}

    bool next(ExpertItem &item) {
        if (left_ == 0)
            return false;
        std::uint8_t head[8];
        if (!read(head, sizeof head))
            return false;
        item.frame = readU32(head);
        item.severity = static_cast<Severity>(head[4]);
        item.group = static_cast<ExpertGroup>(head[5]);
        item.text.resize(readU16(head + 6));
        if (!read(item.text.data(), item.text.size()))
            return false;
        --left_;
        return true;
    }

private:
    bool read(void *out, std::size_t size) {
        auto *to = static_cast<std::uint8_t *>(out);
        while (size > 0) {
            if (at_ == buffer_.size()) {
                buffer_.resize(1 << 14);
                if (std::fseek(file_, static_cast<long>(offset_), SEEK_SET) != 0)
                    return false;
                const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
                if (got == 0)
                    return false;
                buffer_.resize(got);
                offset_ += got;
                at_ = 0;
            }
            const std::size_t n = std::min(size, buffer_.size() - at_);
            std::copy_n(buffer_.data() + at_, n, to);
            at_ += n;
            to += n;
            size -= n;
        }
        return true;
    }

    std::FILE *file_;
    std::uint64_t offset_;
    std::uint64_t left_;
    std::vector<std::uint8_t> buffer_;
    std::size_t at_ = 0;
};

bool byFrame(const ExpertItem &a, const ExpertItem &b) {
    return a.frame < b.frame;
}

} // namespace

ExpertItemStore::~ExpertItemStore() {
    if (file_)
        std::fclose(file_);
}

void ExpertItemStore::add(ExpertItem item) {
    held_.push_back(std::move(item));
    if (held_.size() >= runSize_ && !failed_)
        failed_ = !spill();
}

bool ExpertItemStore::spill() {
    if (!file_ && !(file_ = std::tmpfile()))
        return false;
    std::stable_sort(held_.begin(), held_.end(), byFrame);
    if (std::fseek(file_, 0, SEEK_END) != 0)
        return false;
    const long start = std::ftell(file_);
    std::vector<std::uint8_t> bytes;
    for (const ExpertItem &item : held_) {
        const std::size_t length = std::min<std::size_t>(item.text.size(), 0xFFFF);
        appendU32(bytes, item.frame);
        bytes.push_back(static_cast<std::uint8_t>(item.severity));
        bytes.push_back(static_cast<std::uint8_t>(item.group));
        appendU16(bytes, static_cast<std::uint16_t>(length));
        bytes.insert(bytes.end(), item.text.begin(), item.text.begin() + length);
    }
    if (start < 0 || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return false;
    runs_.emplace_back(static_cast<std::uint64_t>(start), held_.size());
    held_.clear();
    return true;
}

bool ExpertItemStore::forEach(const std::function<void(const ExpertItem &)> &fn) {
    std::stable_sort(held_.begin(), held_.end(), byFrame);
    if (runs_.empty()) {
        for (const ExpertItem &item : held_)
            fn(item);
        held_.clear();
        return !failed_;
    }
    if (std::fflush(file_) != 0)
        failed_ = true;
    // A merge of the runs and what is held, the earlier source first among equal frames.
    std::vector<RunReader> readers;
    for (const auto &[offset, count] : runs_)
        readers.emplace_back(file_, offset, count);
    struct Head {
        ExpertItem item;
        std::size_t source;
    };
    const auto later = [](const Head &a, const Head &b) {
        return a.item.frame != b.item.frame ? a.item.frame > b.item.frame : a.source > b.source;
    };
    std::priority_queue<Head, std::vector<Head>, decltype(later)> heads(later);
    std::size_t heldAt = 0;
    const auto pull = [&](std::size_t source) {
        Head head{{}, source};
        if (source < readers.size()) {
            if (readers[source].next(head.item))
                heads.push(std::move(head));
        } else if (heldAt < held_.size()) {
            head.item = std::move(held_[heldAt++]);
            heads.push(std::move(head));
        }
    };
    for (std::size_t k = 0; k <= readers.size(); ++k)
        pull(k);
    while (!heads.empty()) {
        Head head = heads.top();
        heads.pop();
        fn(head.item);
        pull(head.source);
    }
    held_.clear();
    runs_.clear();
    std::fclose(file_);
    file_ = nullptr;
    return !failed_;
}

} // namespace qv
