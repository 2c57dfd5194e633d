#include "views/SearchDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

SearchDialog::Direction SearchDialog::newDirection(QWidget *owner, const QString &forward,
                                                   const QString &backward, bool backwardFirst) {
    Direction d;
    d.box = new QGroupBox(tr("Direction"), owner);
    d.forward = new QRadioButton(forward.isEmpty() ? tr("&Forward") : forward, d.box);
    d.backward = new QRadioButton(backward.isEmpty() ? tr("&Backward") : backward, d.box);
    d.forward->setChecked(true);
    auto *layout = new QHBoxLayout(d.box);
    layout->addWidget(backwardFirst ? d.backward : d.forward);
    layout->addWidget(backwardFirst ? d.forward : d.backward);
    return d;
}

QDialogButtonBox *SearchDialog::newFindButtons(QDialog *dialog,
                                               const std::function<void()> &findNext,
                                               QPushButton **next) {
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *button = buttons->addButton(tr("Find &Next"), QDialogButtonBox::AcceptRole);
    button->setDefault(true);
    buttons->addButton(QDialogButtonBox::Close);
    QObject::connect(button, &QPushButton::clicked, dialog, findNext);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (next)
        *next = button;
    return buttons;
}

SearchDialog::SearchDialog(std::vector<Criterion> criteria, QWidget *parent)
    : QDialog(parent), criteria_(std::move(criteria)) {
    setWindowTitle(tr("Find"));
    auto *what = new QGroupBox(tr("Find"), this);
    auto *whatLayout = new QVBoxLayout(what);
    buttons_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < criteria_.size(); ++i) {
        auto *button = new QRadioButton(criteria_[i].label, what);
        if (!criteria_[i].objectName.isEmpty())
            button->setObjectName(criteria_[i].objectName);
        buttons_->addButton(button, static_cast<int>(i));
        whatLayout->addWidget(button);
    }
    buttons_->button(0)->setChecked(true);
    text_ = new QComboBox(this);
    text_->setObjectName(QStringLiteral("findText"));
    text_->setEditable(true);
    text_->setInsertPolicy(QComboBox::NoInsert);
    text_->setMinimumContentsLength(28);

    const Direction direction = newDirection(this);
    forward_ = direction.forward;
    backward_ = direction.backward;
    matchCase_ = new QCheckBox(tr("C&ase sensitive"), this);
    QDialogButtonBox *buttons = newFindButtons(this, [this] { emit findNext(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(text_);
    layout->addWidget(direction.box);
    layout->addWidget(matchCase_);
    layout->addWidget(buttons);
    connect(buttons_, &QButtonGroup::idClicked, this, [this] { fillChoices(); });
    fillChoices();
}

void SearchDialog::fillChoices() {
    const Criterion &now = criteria_[static_cast<std::size_t>(criterionIndex())];
    // What was typed for a criterion without a list comes back with it.
    if (criteria_[static_cast<std::size_t>(shown_)].choices.isEmpty())
        typed_ = text_->currentText();
    shown_ = criterionIndex();
    text_->clear();
    text_->setEditable(now.typed);
    if (now.typed)
        text_->setInsertPolicy(QComboBox::NoInsert);
    if (now.choices.isEmpty())
        text_->setEditText(typed_);
    else
        text_->addItems(now.choices);
    matchCase_->setEnabled(now.matchCase);
}

int SearchDialog::criterionIndex() const {
    return std::max(0, buttons_->checkedId());
}

void SearchDialog::setCriterionIndex(int index) {
    buttons_->button(index)->setChecked(true);
    fillChoices();
}

void SearchDialog::setText(const QString &text) {
    if (text_->isEditable())
        text_->setEditText(text);
    else
        text_->setCurrentIndex(text_->findText(text));
}

QString SearchDialog::text() const {
    return text_->currentText();
}

void SearchDialog::setForward(bool forward) {
    (forward ? forward_ : backward_)->setChecked(true);
}

bool SearchDialog::forward() const {
    return forward_->isChecked();
}

void SearchDialog::setMatchCase(bool on) {
    matchCase_->setChecked(on);
}

bool SearchDialog::matchCase() const {
    return matchCase_->isEnabled() && matchCase_->isChecked();
}

} // namespace qv
