#pragma once
// Message boxes for the messages of the core, in the interface language.
#include <functional>
#include <utility>

#include "base/UserMessages.h"

class QMessageBox;
class QWidget;

namespace qv {

class QtUserMessages : public UserMessages {
public:
    // Runs a box that is ready to show and gives the button it was closed with; by default the
    // box is shown modal.
    using BoxRunner = std::function<int(QMessageBox &)>;

    explicit QtUserMessages(QWidget *parent = nullptr, BoxRunner run = {})
        : parent_(parent), run_(std::move(run)) {}
    void setParent(QWidget *parent) { parent_ = parent; }

    // The text and the caption are translated when the core's catalogue knows them.
    void show(const std::string &text, const std::string &caption, MessageIcon icon) override;
    MessageAnswer ask(const std::string &text, const std::string &caption, MessageButtons buttons,
                      MessageAnswer defaultAnswer) override;

private:
    int run(QMessageBox &box) const;

    QWidget *parent_;
    BoxRunner run_;
};

} // namespace qv
