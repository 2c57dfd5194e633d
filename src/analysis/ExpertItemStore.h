#pragma once
// The findings of a link analysis in frame order, however many there are: they are kept in
// memory up to a run's worth, and beyond that written in sorted runs to a temporary file, which
// are merged when the findings are read.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace qv {

enum class Severity : std::uint8_t { Note, Warning, Error };
enum class ExpertGroup : std::uint8_t {
    Sequence,
    Retransmission,
    Timer,
    Link,
    Tei,
    BadFrame, // frames received bad, buffer overflows
    Layer1,   // layer-1 alarms and errors
    Clearing, // calls cleared with an abnormal cause
    Call,     // calls never answered
};

struct ExpertItem {
    std::uint32_t frame = 0; // frame number, from 1
    Severity severity = Severity::Note;
    ExpertGroup group = ExpertGroup::Link;
    std::string text;
};

class ExpertItemStore {
public:
    // runSize: the findings kept in memory before a run goes to the disk.
    explicit ExpertItemStore(std::size_t runSize = 1 << 16) : runSize_(runSize) {}
    ~ExpertItemStore();
    ExpertItemStore(const ExpertItemStore &) = delete;
    ExpertItemStore &operator=(const ExpertItemStore &) = delete;

    void add(ExpertItem item);
    // Every finding in frame order (findings of one frame in the order they came), once.
    // False when the temporary file failed; the findings read until then were given.
    bool forEach(const std::function<void(const ExpertItem &)> &fn);

private:
    bool spill();

    std::size_t runSize_;
    std::vector<ExpertItem> held_;
    std::FILE *file_ = nullptr;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> runs_; // offset and count of each run
    bool failed_ = false;
};

} // namespace qv
