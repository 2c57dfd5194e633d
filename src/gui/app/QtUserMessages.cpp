#include "app/QtUserMessages.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "app/MessageCatalogue.h"

namespace qv {

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtUserMessages::run(QMessageBox &box) const {
    return run_ ? run_(box) : box.exec();
}

void QtUserMessages::show(const std::string &text, const std::string &caption, MessageIcon icon) {
    QMessageBox box(toQt(icon), translatedMessage(caption), translatedMessage(text),
                    QMessageBox::Ok, parent_);
    run(box);
}

MessageAnswer QtUserMessages::ask(const std::string &text, const std::string &caption,
                                  MessageButtons buttons, MessageAnswer defaultAnswer) {
    QMessageBox box(QMessageBox::Question, translatedMessage(caption), translatedMessage(text),
                    QMessageBox::NoButton, parent_);
    struct Choice {
        MessageAnswer answer;
        QMessageBox::StandardButton button;
    };
    std::vector<Choice> choices = {{MessageAnswer::Yes, QMessageBox::Yes},
                                   {MessageAnswer::No, QMessageBox::No}};
    if (buttons == MessageButtons::YesNoYesToAllCancel)
        choices.push_back({MessageAnswer::YesToAll, QMessageBox::YesToAll});
    if (buttons != MessageButtons::YesNo)
        choices.push_back({MessageAnswer::Cancel, QMessageBox::Cancel});
    for (const Choice &c : choices) {
        QPushButton *button = box.addButton(c.button);
        if (c.answer == defaultAnswer)
            box.setDefaultButton(button);
    }
    const int result = run(box);
    for (const Choice &c : choices)
        if (result == c.button)
            return c.answer;
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
}

} // namespace qv
