#pragma once
// The message sink through which the place that detects a failure tells the user. The GUI shows
// a message box, the command line writes to stderr, tests record the calls.
#include <deque>
#include <string>
#include <vector>

namespace qv {

enum class MessageIcon { Information, Exclamation, Error, Question };
enum class MessageButtons { YesNo, YesNoCancel, YesNoYesToAllCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel, YesToAll };

inline constexpr const char *kErrorMessageCaption = "Error Message";
// The caption of the program's own questions.
inline constexpr const char *kProgramCaption = "Quorvane";

class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void show(const std::string &text, const std::string &caption, MessageIcon icon) = 0;
    virtual MessageAnswer ask(const std::string &text, const std::string &caption,
                              MessageButtons buttons, MessageAnswer defaultAnswer) = 0;

    void error(const std::string &text) { show(text, kErrorMessageCaption, MessageIcon::Error); }
};

// Writes every message to stderr and answers questions with their default.
class StderrUserMessages : public UserMessages {
public:
    void show(const std::string &text, const std::string &caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string &text, const std::string &caption, MessageButtons buttons,
                      MessageAnswer defaultAnswer) override;
};

// Keeps every message for inspection; questions take queued answers, else their default.
class RecordingUserMessages : public UserMessages {
public:
    struct Entry {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool question;
    };

    void show(const std::string &text, const std::string &caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string &text, const std::string &caption, MessageButtons buttons,
                      MessageAnswer defaultAnswer) override;

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Entry> &entries() const { return entries_; }
    std::vector<std::string> texts() const;
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
    std::deque<MessageAnswer> answers_;
};

} // namespace qv
