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

namespace qv {

PlmFindDialog::PlmFindDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Find"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("findText"));
    auto *label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(text_);

    auto *direction = new QGroupBox(tr("Direction"), this);
    auto *directionLayout = new QHBoxLayout(direction);
    up_ = new QRadioButton(tr("&Up"), direction);
    down_ = new QRadioButton(tr("&Down"), direction);
    down_->setChecked(true);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);
    matchCase_ = new QCheckBox(tr("Match &case"), this);

    auto *buttons = new QDialogButtonBox(this);
    next_ = buttons->addButton(tr("Find &Next"), QDialogButtonBox::AcceptRole);
    next_->setDefault(true);
    next_->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Close);
    connect(next_, &QPushButton::clicked, this, [this] { emit findNext(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString &typed) { next_->setEnabled(!typed.isEmpty()); });

    auto *what = new QHBoxLayout;
    what->addWidget(label);
    what->addWidget(text_, 1);
    auto *options = new QHBoxLayout;
    options->addWidget(matchCase_);
    options->addStretch();
    options->addWidget(direction);
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
