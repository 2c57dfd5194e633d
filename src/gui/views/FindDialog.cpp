#include "views/FindDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "filters/CauseList.h"

namespace qv {

FindDialog::FindDialog(const Lists &lists, QWidget *parent) : QDialog(parent), lists_(lists) {
    setWindowTitle(tr("Find"));
    auto *what = new QGroupBox(tr("Find"), this);
    auto *whatLayout = new QVBoxLayout(what);
    criteria_ = new QButtonGroup(this);
    const char *names[] = {QT_TR_NOOP("&String"), QT_TR_NOOP("&ISDN Message"),
                           QT_TR_NOOP("&V5 Message"), QT_TR_NOOP("&X25 Message"),
                           QT_TR_NOOP("&Cause")};
    for (int i = 0; i < 5; ++i) {
        auto *button = new QRadioButton(tr(names[i]), what);
        criteria_->addButton(button, i);
        whatLayout->addWidget(button);
    }
    criteria_->button(String)->setChecked(true);
    text_ = new QComboBox(this);
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

void FindDialog::fillChoices() {
    const QString typed = text_->currentText();
    text_->clear();
    switch (criteria_->checkedId()) {
    case IsdnMessage:
        text_->addItems(lists_.isdnMessages);
        break;
    case V5Message:
        text_->addItems(lists_.v5Messages);
        break;
    case X25Message:
        text_->addItems(lists_.x25Messages);
        break;
    case Cause:
        if (lists_.causes)
            for (const CauseList::Entry &e : lists_.causes->entries())
                text_->addItem(QString::fromStdString(e.name));
        break;
    default:
        text_->setEditText(typed);
        break;
    }
    matchCase_->setEnabled(criteria_->checkedId() != Cause);
}

void FindDialog::setCriterion(Criterion criterion) {
    criteria_->button(criterion)->setChecked(true);
    fillChoices();
}

FindDialog::Criterion FindDialog::criterion() const {
    return static_cast<Criterion>(criteria_->checkedId());
}

void FindDialog::setText(const QString &text) {
    text_->setEditText(text);
}
void FindDialog::setForward(bool forward) {
    (forward ? forward_ : backward_)->setChecked(true);
}
void FindDialog::setMatchCase(bool on) {
    matchCase_->setChecked(on);
}

std::optional<FindQuery> FindDialog::query() const {
    FindQuery q;
    q.forward = forward_->isChecked();
    q.matchCase = matchCase_->isChecked();
    const QString text = text_->currentText();
    switch (criteria_->checkedId()) {
    case Cause: {
        q.criterion = FindCriterion::Cause;
        std::optional<int> number;
        if (lists_.causes)
            number = lists_.causes->number(text.toStdString());
        bool isNumber = false;
        const uint typed = text.trimmed().toUInt(&isNumber);
        if (!number && isNumber && typed <= 127)
            number = static_cast<int>(typed);
        if (!number)
            return std::nullopt;
        q.cause = static_cast<std::uint32_t>(*number);
        return q;
    }
    case IsdnMessage:
    case V5Message:
    case X25Message:
        q.criterion = FindCriterion::MessageType;
        break;
    default:
        q.criterion = FindCriterion::SummaryText;
        break;
    }
    if (text.isEmpty())
        return std::nullopt;
    q.text = text.toLatin1().toStdString();
    return q;
}

} // namespace qv
