#include "base/UserMessages.h"

#include <cstdio>

namespace qv {

void StderrUserMessages::show(const std::string &text, const std::string &caption, MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

MessageAnswer StderrUserMessages::ask(const std::string &text, const std::string &caption,
                                      MessageButtons, MessageAnswer defaultAnswer) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return defaultAnswer;
}

void RecordingUserMessages::show(const std::string &text, const std::string &caption,
                                 MessageIcon icon) {
    entries_.push_back({text, caption, icon, false});
}

MessageAnswer RecordingUserMessages::ask(const std::string &text, const std::string &caption,
                                         MessageButtons, MessageAnswer defaultAnswer) {
    entries_.push_back({text, caption, MessageIcon::Question, true});
    if (answers_.empty())
        return defaultAnswer;
    MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::vector<std::string> RecordingUserMessages::texts() const {
    std::vector<std::string> out;
    for (const Entry &e : entries_)
        out.push_back(e.text);
    return out;
}

} // namespace qv
