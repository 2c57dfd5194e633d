#include "dialogs/ProtocolSetupDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/UserMessages.h"

namespace qv {

ProtocolSetupDialog::ProtocolSetupDialog(const ProtocolSelection &current,
                                         bool encapsulationAllowed, std::string notationRoot,
                                         UserMessages &messages, QWidget *parent)
    : QDialog(parent), selection_(current), notationRoot_(std::move(notationRoot)),
      messages_(messages) {
    setWindowTitle(tr("Protocol Setup"));

    auto *group = new QGroupBox(tr("&Protocol Names"), this);
    names_ = new QListWidget(group);
    names_->setObjectName(QStringLiteral("protocolNames"));
    names_->setSelectionMode(QAbstractItemView::SingleSelection);
    std::vector<std::string> sorted;
    for (const ProtocolVariant &variant : kProtocolVariants)
        sorted.emplace_back(variant.displayName);
    std::sort(sorted.begin(), sorted.end());
    for (const std::string &name : sorted)
        names_->addItem(QString::fromLatin1(name.c_str()));
    names_->setMinimumWidth(
        names_->fontMetrics().horizontalAdvance(QStringLiteral("TPH1962/1856 (PRA)")) + 48);
    // Every name in sight, without scrolling.
    names_->setMinimumHeight(names_->sizeHintForRow(0) * names_->count() +
                             2 * names_->frameWidth() + 4);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(names_);

    // Only the LVT-60 sees V5 signalling inside its captures.
    encapsulated_ = new QCheckBox(tr("V5.1/V5.2 Encapsulated"), this);
    encapsulated_->setEnabled(encapsulationAllowed);
    if (!encapsulationAllowed)
        selection_.v5Encapsulated = false;
    encapsulated_->setChecked(selection_.v5Encapsulated);

    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("&Cancel"), this);
    auto *help = new QPushButton(tr("&Help"), this);
    connect(ok, &QPushButton::clicked, this, &ProtocolSetupDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &ProtocolSetupDialog::showHelp);
    connect(names_, &QListWidget::itemDoubleClicked, this, &ProtocolSetupDialog::accept);

    auto *left = new QVBoxLayout;
    left->addWidget(group, 1);
    left->addWidget(encapsulated_);
    auto *right = new QVBoxLayout;
    right->addWidget(ok);
    right->addWidget(cancel);
    right->addWidget(help);
    right->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    selectName(QString::fromLatin1(selection_.displayName.c_str()));
}

QStringList ProtocolSetupDialog::names() const {
    QStringList list;
    for (int row = 0; row < names_->count(); ++row)
        list << names_->item(row)->text();
    return list;
}

QString ProtocolSetupDialog::selectedName() const {
    const QList<QListWidgetItem *> selected = names_->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

bool ProtocolSetupDialog::selectName(const QString &name) {
    const QList<QListWidgetItem *> found = names_->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        names_->clearSelection();
        names_->setCurrentRow(-1);
        return false;
    }
    names_->setCurrentItem(found.front());
    names_->scrollToItem(found.front());
    return true;
}

bool ProtocolSetupDialog::encapsulatedEnabled() const {
    return encapsulated_->isEnabled();
}

bool ProtocolSetupDialog::encapsulated() const {
    return encapsulated_->isChecked();
}

void ProtocolSetupDialog::setEncapsulated(bool on) {
    if (encapsulated_->isEnabled())
        encapsulated_->setChecked(on);
}

void ProtocolSetupDialog::accept() {
    ProtocolSelection chosen = selection_;
    if (!chosen.select(selectedName().toLatin1().toStdString(), notationRoot_, messages_))
        return;
    chosen.v5Encapsulated = encapsulated_->isEnabled() && encapsulated_->isChecked();
    selection_ = std::move(chosen);
    QDialog::accept();
}

void ProtocolSetupDialog::showHelp() {
    QMessageBox::information(
        this, tr("Protocol Setup"),
        tr("Choose the layer-3 protocol that the tester's network speaks: call-control "
           "messages are decoded with the notation tables of that protocol. The open captures "
           "are decoded again with it at once.<br><br>"
           "<b>V5.1/V5.2 Encapsulated</b> (LVT-60 only): the captures carry V5 signalling "
           "between an access network and its exchange, and are decoded as V5."));
}

} // namespace qv
