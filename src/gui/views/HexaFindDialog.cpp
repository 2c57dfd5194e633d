#include "views/HexaFindDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

HexaFindDialog::HexaFindDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Find on hexadecimal trace"));
    string_ = new QRadioButton(tr("String :"), this);
    hexadecimal_ = new QRadioButton(tr("Hexadecimal value :"), this);
    string_->setChecked(true);
    text_ = new QLineEdit(this);
    auto *direction = new QGroupBox(tr("Direction"), this);
    auto *directionLayout = new QHBoxLayout(direction);
    forward_ = new QRadioButton(tr("&Forward"), direction);
    backward_ = new QRadioButton(tr("&Backward"), direction);
    forward_->setChecked(true);
    directionLayout->addWidget(forward_);
    directionLayout->addWidget(backward_);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *next = buttons->addButton(tr("Find &Next"), QDialogButtonBox::AcceptRole);
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Close);
    connect(next, &QPushButton::clicked, this, [this] { emit findNext(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *kind = new QHBoxLayout;
    kind->addWidget(string_);
    kind->addWidget(hexadecimal_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(kind);
    layout->addWidget(text_);
    layout->addWidget(direction);
    layout->addWidget(buttons);
}

QString HexaFindDialog::text() const {
    return text_->text();
}
bool HexaFindDialog::hexadecimal() const {
    return hexadecimal_->isChecked();
}
bool HexaFindDialog::forward() const {
    return forward_->isChecked();
}

} // namespace qv
