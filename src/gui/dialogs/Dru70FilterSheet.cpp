#include "dialogs/Dru70FilterSheet.h"
#include "dialogs/ProfilePage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/UserMessages.h"

namespace qv {

namespace {} // namespace

Dru70FilterSheet::Dru70FilterSheet(const Dru70EventFilter &filter, FilterFiles files,
                                   UserMessages &messages, QWidget *parent)
    : QDialog(parent), filter_(filter), files_(std::move(files)), messages_(messages) {
    setWindowTitle(tr("DRU-70 Off-Line Filters"));
    tabs_ = new QTabWidget(this);
    eventsPage();
    profilePage();
    layOutSheet(*this, tabs_);
    showFilter(filter_);
}

QWidget *Dru70FilterSheet::eventsPage() {
    auto *w = new QWidget(tabs_);
    auto *outer = new QVBoxLayout(w);
    auto *group = new QGroupBox(tr("Display frames with"), w);
    auto *box = new QVBoxLayout(group);
    activation_ = namedCheckBox(tr("Activation"), "activation", group);
    powerSupply_ = namedCheckBox(tr("Power Supply"), "powerSupply", group);
    error_ = namedCheckBox(tr("Error"), "error", group);
    eoc_ = namedCheckBox(tr("EOC"), "eoc", group);
    activation_->setToolTip(tr("U interface activation and deactivation"));
    powerSupply_->setToolTip(tr("Power supply status of the NT1"));
    error_->setToolTip(tr("Block errors (NEBE, FEBE)"));
    eoc_->setToolTip(tr("Embedded operations channel: loop-backs, maintenance and AIB"));
    for (QCheckBox *c : {activation_, powerSupply_, error_, eoc_})
        box->addWidget(c);
    outer->addWidget(group);
    outer->addStretch(1);
    tabs_->addTab(w, tr("Events"));
    return w;
}

QWidget *Dru70FilterSheet::profilePage() {
    ProfilePage::Store store;
    store.list = [this] { return files_.listDru70(); };
    store.save = [this](const std::string &name) { return files_.saveDru70(name, pageFilter()); };
    store.load = [this](const std::string &name) {
        Dru70EventFilter f;
        if (!files_.loadDru70(name, f))
            return false;
        showFilter(f);
        return true;
    };
    store.remove = [this](const std::string &name) { return files_.deleteDru70(name); };
    store.folder = files_.folder();
    profiles_ = new ProfilePage(std::move(store), messages_, tabs_);
    tabs_->addTab(profiles_, tr("Profile"));
    return profiles_;
}

void Dru70FilterSheet::showFilter(const Dru70EventFilter &filter) {
    activation_->setChecked(filter.activation);
    powerSupply_->setChecked(filter.powerSupply);
    error_->setChecked(filter.error);
    eoc_->setChecked(filter.eoc);
}

Dru70EventFilter Dru70FilterSheet::pageFilter() const {
    Dru70EventFilter f;
    f.activation = activation_->isChecked();
    f.powerSupply = powerSupply_->isChecked();
    f.error = error_->isChecked();
    f.eoc = eoc_->isChecked();
    return f;
}

void Dru70FilterSheet::accept() {
    filter_ = pageFilter();
    QDialog::accept();
}

} // namespace qv
