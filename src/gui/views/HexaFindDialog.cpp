#include "views/HexaFindDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "views/SearchDialog.h"

namespace qv {

HexaFindDialog::HexaFindDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(tr("Find on hexadecimal trace"));
    string_ = new QRadioButton(tr("String :"), this);
    hexadecimal_ = new QRadioButton(tr("Hexadecimal value :"), this);
    string_->setChecked(true);
    text_ = new QLineEdit(this);
    const SearchDialog::Direction direction = SearchDialog::newDirection(this);
    forward_ = direction.forward;
    QDialogButtonBox *buttons = SearchDialog::newFindButtons(this, [this] { emit findNext(); });
    auto *kind = new QHBoxLayout;
    kind->addWidget(string_);
    kind->addWidget(hexadecimal_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(kind);
    layout->addWidget(text_);
    layout->addWidget(direction.box);
    layout->addWidget(buttons);
    // The text is typed at once, and the title is read whole in the frame's title bar.
    text_->setFocus();
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
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
