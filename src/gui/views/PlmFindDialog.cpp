#include "views/PlmFindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "views/SearchDialog.h"

namespace qv {

PlmFindDialog::PlmFindDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Find"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("findText"));
    auto *label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(text_);

    const SearchDialog::Direction direction =
        SearchDialog::newDirection(this, tr("&Down"), tr("&Up"), true);
    up_ = direction.backward;
    down_ = direction.forward;
    matchCase_ = new QCheckBox(tr("Match &case"), this);

    QDialogButtonBox *buttons = SearchDialog::newFindButtons(
        this, [this] { emit findNext(); }, &next_);
    next_->setEnabled(false);
    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString &typed) { next_->setEnabled(!typed.isEmpty()); });

    auto *what = new QHBoxLayout;
    what->addWidget(label);
    what->addWidget(text_, 1);
    auto *options = new QHBoxLayout;
    options->addWidget(matchCase_);
    options->addStretch();
    options->addWidget(direction.box);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(what);
    layout->addLayout(options);
    layout->addWidget(buttons);
}

QString PlmFindDialog::text() const {
    return text_->text();
}

bool PlmFindDialog::forward() const {
    return down_->isChecked();
}

bool PlmFindDialog::matchCase() const {
    return matchCase_->isChecked();
}

void PlmFindDialog::setText(const QString &text) {
    text_->setText(text);
}

void PlmFindDialog::setForward(bool forward) {
    (forward ? down_ : up_)->setChecked(true);
}

void PlmFindDialog::setMatchCase(bool on) {
    matchCase_->setChecked(on);
}

} // namespace qv
