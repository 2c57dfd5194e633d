#include "filters/CauseList.h"

#include "base/IniFile.h"

namespace qv {

namespace {

const CauseList::Entry kDefaultCauses[] = {
    {"ALERTED, NO ANSWER", 19},     {"CALL AWARDED", 7},        {"CALL REJECTED", 21},
    {"CHANNEL UNACCEPTABLE", 6},    {"FACILITY REJECTED", 29},  {"INTERWORKING", 127},
    {"INVALID NUMB. FORMAT", 28},   {"NON SELECTED CLEAR", 26}, {"NORMAL CALL CLEARING", 16},
    {"NO ROUTE TO DESTINATION", 3}, {"NO ROUTE TO NETWORK", 2}, {"NO USER RESPONDING", 18},
    {"NUMBER CHANGED", 22},         {"OUT OF ORDER", 27},       {"RESPONSE STATUS .ENQ", 30},
    {"UNALLOCATED NUMBER", 1},      {"USER BUSY", 17},
};

} // namespace

void CauseList::load(IniFile &ini) {
    entries_.clear();
    for (const std::string &key : ini.keys(kCauseSection))
        entries_.push_back({key, ini.readInt(kCauseSection, key, 0)});
    if (!entries_.empty())
        return;
    for (const Entry &e : kDefaultCauses) {
        entries_.push_back(e);
        ini.writeInt(kCauseSection, e.name, e.number);
    }
}

std::optional<int> CauseList::number(const std::string &name) const {
    for (const Entry &e : entries_)
        if (e.name == name)
            return e.number;
    return std::nullopt;
}

} // namespace qv
