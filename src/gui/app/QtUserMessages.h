#pragma once
// Message boxes for the messages of the core.
#include "base/UserMessages.h"

class QWidget;

namespace qv {

class QtUserMessages : public UserMessages {
public:
    explicit QtUserMessages(QWidget *parent = nullptr) : parent_(parent) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    void show(const std::string &text, const std::string &caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string &text, const std::string &caption, MessageButtons buttons,
                      MessageAnswer defaultAnswer) override;

private:
    QWidget *parent_;
};

} // namespace qv
