#include "views/Dru70FindDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "capture/Dru70Events.h"

namespace qv {

Dru70FindDialog::Dru70FindDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Find"));
    auto *what = new QGroupBox(tr("Find"), this);
    auto *whatLayout = new QVBoxLayout(what);
    criteria_ = new QButtonGroup(this);
    auto *textButton = new QRadioButton(tr("&String"), what);
    auto *eventButton = new QRadioButton(tr("&Event"), what);
    textButton->setObjectName(QStringLiteral("byText"));
    eventButton->setObjectName(QStringLiteral("byEvent"));
    criteria_->addButton(textButton, Text);
    criteria_->addButton(eventButton, Event);
    whatLayout->addWidget(textButton);
    whatLayout->addWidget(eventButton);
    textButton->setChecked(true);
    text_ = new QComboBox(this);
    text_->setObjectName(QStringLiteral("findText"));
    text_->setEditable(true);
    text_->setInsertPolicy(QComboBox::NoInsert);
    text_->setMinimumContentsLength(28);

    auto *direction = new QGroupBox(tr("Direction"), this);
    auto *directionLayout = new QHBoxLayout(direction);
    forward_ = new QRadioButton(tr("&Forward"), direction);
    backward_ = new QRadioButton(tr("&Backward"), direction);
    forward_->setChecked(true);
    directionLayout->addWidget(forward_);
    directionLayout->addWidget(backward_);
    matchCase_ = new QCheckBox(tr("C&ase sensitive"), this);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *next = buttons->addButton(tr("Find &Next"), QDialogButtonBox::AcceptRole);
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Close);
    connect(next, &QPushButton::clicked, this, [this] { emit findNext(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(text_);
    layout->addWidget(direction);
    layout->addWidget(matchCase_);
    layout->addWidget(buttons);
    connect(criteria_, &QButtonGroup::idClicked, this, [this] { fillChoices(); });
    fillChoices();
}

QStringList Dru70FindDialog::eventNames() {
    QStringList names;
    for (int code = kDru70FirstCode; code <= kDru70LastCode; ++code) {
        const QString name = QString::fromLatin1(dru70Event(code)->name);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

void Dru70FindDialog::fillChoices() {
    const bool byEvent = criteria_->checkedId() == Event;
    if (byEvent && text_->isEditable())
        typed_ = text_->currentText();
    text_->clear();
    // An event is chosen from the list; a text is typed.
    text_->setEditable(!byEvent);
    if (byEvent) {
        text_->addItems(eventNames());
    } else {
        text_->setInsertPolicy(QComboBox::NoInsert);
        text_->setEditText(typed_);
    }
    matchCase_->setEnabled(!byEvent);
}

void Dru70FindDialog::setCriterion(Criterion criterion) {
    criteria_->button(criterion)->setChecked(true);
    fillChoices();
}

Dru70FindDialog::Criterion Dru70FindDialog::criterion() const {
    return static_cast<Criterion>(criteria_->checkedId());
}

void Dru70FindDialog::setText(const QString &text) {
    if (criterion() == Event)
        text_->setCurrentIndex(text_->findText(text));
    else
        text_->setEditText(text);
}

void Dru70FindDialog::setForward(bool forward) {
    (forward ? forward_ : backward_)->setChecked(true);
}

void Dru70FindDialog::setMatchCase(bool on) {
    matchCase_->setChecked(on);
}

std::optional<Dru70FindQuery> Dru70FindDialog::query() const {
    Dru70FindQuery q;
    q.forward = forward_->isChecked();
    const QString text = text_->currentText();
    if (text.isEmpty())
        return std::nullopt;
    if (criterion() == Event) {
        q.eventName = text.toLatin1().toStdString();
    } else {
        q.text = text.toLatin1().toStdString();
        q.matchCase = matchCase_->isChecked();
    }
    return q;
}

} // namespace qv
