#include "dialogs/Dru70FilterSheet.h"

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

namespace {

QCheckBox *check(const QString &text, const char *name, QWidget *parent) {
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

Dru70FilterSheet::Dru70FilterSheet(const Dru70EventFilter &filter, FilterFiles files,
                                   UserMessages &messages, QWidget *parent)
    : QDialog(parent), filter_(filter), files_(std::move(files)), messages_(messages) {
    setWindowTitle(tr("DRU-70 Off-Line Filters"));
    tabs_ = new QTabWidget(this);
    eventsPage();
    profilePage();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Dru70FilterSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    showFilter(filter_);
}

QWidget *Dru70FilterSheet::eventsPage() {
    auto *w = new QWidget(tabs_);
    auto *outer = new QVBoxLayout(w);
    auto *group = new QGroupBox(tr("Display frames with"), w);
    auto *box = new QVBoxLayout(group);
    activation_ = check(tr("Activation"), "activation", group);
    powerSupply_ = check(tr("Power Supply"), "powerSupply", group);
    error_ = check(tr("Error"), "error", group);
    eoc_ = check(tr("EOC"), "eoc", group);
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
    auto *w = new QWidget(tabs_);
    auto *layout = new QVBoxLayout(w);
    profiles_ = new QListWidget(w);
    profiles_->setObjectName(QStringLiteral("profiles"));
    profileName_ = new QLineEdit(w);
    profileName_->setObjectName(QStringLiteral("profileName"));
    profileName_->setMaxLength(200);
    auto *buttons = new QHBoxLayout();
    auto *save = new QPushButton(tr("&Save"), w);
    auto *load = new QPushButton(tr("&Load"), w);
    auto *remove = new QPushButton(tr("&Delete"), w);
    for (QPushButton *b : {save, load, remove}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addWidget(new QLabel(tr("Profiles"), w));
    layout->addWidget(profiles_, 1);
    layout->addWidget(new QLabel(tr("Name"), w));
    layout->addWidget(profileName_);
    layout->addLayout(buttons);
    connect(profiles_, &QListWidget::currentTextChanged, profileName_, &QLineEdit::setText);
    connect(profiles_, &QListWidget::itemDoubleClicked, this, [this] { loadProfile(); });
    connect(save, &QPushButton::clicked, this, [this] { saveProfile(); });
    connect(load, &QPushButton::clicked, this, [this] { loadProfile(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteProfile(); });
    tabs_->addTab(w, tr("Profile"));
    refreshProfiles();
    return w;
}

void Dru70FilterSheet::refreshProfiles() {
    profiles_->clear();
    for (const std::string &name : files_.listDru70())
        profiles_->addItem(QString::fromStdString(name));
}

QStringList Dru70FilterSheet::profileNames() const {
    QStringList names;
    for (int i = 0; i < profiles_->count(); ++i)
        names << profiles_->item(i)->text();
    return names;
}

void Dru70FilterSheet::setProfileName(const QString &name) {
    profileName_->setText(name);
}

QString Dru70FilterSheet::profileName() const {
    return profileName_->text().trimmed();
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

void Dru70FilterSheet::showProblem(const QString &text) const {
    messages_.show(text.toStdString(), kProgramCaption, MessageIcon::Exclamation);
}

void Dru70FilterSheet::accept() {
    filter_ = pageFilter();
    QDialog::accept();
}

bool Dru70FilterSheet::saveProfile() {
    const QString name = profileName();
    if (!FilterFiles::validName(name.toStdString())) {
        showProblem(tr("Enter a profile name without / or \\."));
        return false;
    }
    if (profileNames().contains(name) &&
        messages_.ask(
            tr("The profile %1 exists.\nDo you want to replace it?").arg(name).toStdString(),
            kProgramCaption, MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return false;
    if (!files_.saveDru70(name.toStdString(), pageFilter())) {
        messages_.error(tr("The profile %1 can not be written in %2.")
                            .arg(name, QString::fromStdString(files_.folder()))
                            .toStdString());
        return false;
    }
    refreshProfiles();
    return true;
}

bool Dru70FilterSheet::loadProfile() {
    const QString name = profileName();
    Dru70EventFilter f;
    if (!FilterFiles::validName(name.toStdString()) || !files_.loadDru70(name.toStdString(), f)) {
        showProblem(tr("The profile %1 can not be read.").arg(name));
        return false;
    }
    showFilter(f);
    return true;
}

bool Dru70FilterSheet::deleteProfile() {
    const QString name = profileName();
    if (!profileNames().contains(name))
        return false;
    if (messages_.ask(tr("Delete the profile %1?").arg(name).toStdString(), kProgramCaption,
                      MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return false;
    const bool done = files_.deleteDru70(name.toStdString());
    if (!done)
        messages_.error(tr("The profile %1 can not be deleted.").arg(name).toStdString());
    refreshProfiles();
    return done;
}

} // namespace qv
