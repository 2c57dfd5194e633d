#include "dialogs/ProfilePage.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/UserMessages.h"
#include "filters/FilterFiles.h"

namespace qv {

ProfilePage::ProfilePage(Store store, UserMessages &messages, QWidget *parent)
    : QWidget(parent), store_(std::move(store)), messages_(messages) {
    auto *layout = new QVBoxLayout(this);
    profiles_ = new QListWidget(this);
    profiles_->setObjectName(QStringLiteral("profiles"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("profileName"));
    name_->setMaxLength(200);
    auto *buttons = new QHBoxLayout();
    auto *save = new QPushButton(tr("&Save"), this);
    auto *load = new QPushButton(tr("&Load"), this);
    auto *remove = new QPushButton(tr("&Delete"), this);
    for (QPushButton *b : {save, load, remove}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addWidget(new QLabel(tr("Profiles"), this));
    layout->addWidget(profiles_, 1);
    layout->addWidget(new QLabel(tr("Name"), this));
    layout->addWidget(name_);
    layout->addLayout(buttons);
    connect(profiles_, &QListWidget::currentTextChanged, name_, &QLineEdit::setText);
    connect(profiles_, &QListWidget::itemDoubleClicked, this, [this] { loadProfile(); });
    connect(save, &QPushButton::clicked, this, [this] { saveProfile(); });
    connect(load, &QPushButton::clicked, this, [this] { loadProfile(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteProfile(); });
    refresh();
}

void ProfilePage::refresh() {
    profiles_->clear();
    for (const std::string &name : store_.list())
        profiles_->addItem(QString::fromStdString(name));
}

QStringList ProfilePage::profileNames() const {
    QStringList names;
    for (int i = 0; i < profiles_->count(); ++i)
        names << profiles_->item(i)->text();
    return names;
}

void ProfilePage::setProfileName(const QString &name) {
    name_->setText(name);
}

QString ProfilePage::profileName() const {
    return name_->text().trimmed();
}

void ProfilePage::showProblem(const QString &text) const {
    messages_.show(text.toStdString(), kProgramCaption, MessageIcon::Exclamation);
}

bool ProfilePage::saveProfile() {
    const QString name = profileName();
    if (!FilterFiles::validName(name.toStdString())) {
        showProblem(tr("Enter a profile name without / or \\."));
        return false;
    }
    if (const QString problem = store_.check ? store_.check() : QString(); !problem.isEmpty()) {
        showProblem(problem);
        return false;
    }
    if (profileNames().contains(name) &&
        messages_.ask(
            tr("The profile %1 exists.\nDo you want to replace it?").arg(name).toStdString(),
            kProgramCaption, MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return false;
    if (!store_.save(name.toStdString())) {
        messages_.error(tr("The profile %1 can not be written in %2.")
                            .arg(name, QString::fromStdString(store_.folder))
                            .toStdString());
        return false;
    }
    refresh();
    return true;
}

bool ProfilePage::loadProfile() {
    const QString name = profileName();
    if (!FilterFiles::validName(name.toStdString()) || !store_.load(name.toStdString())) {
        showProblem(tr("The profile %1 can not be read.").arg(name));
        return false;
    }
    return true;
}

bool ProfilePage::deleteProfile() {
    const QString name = profileName();
    if (!profileNames().contains(name))
        return false;
    if (messages_.ask(tr("Delete the profile %1?").arg(name).toStdString(), kProgramCaption,
                      MessageButtons::YesNo, MessageAnswer::No) != MessageAnswer::Yes)
        return false;
    const bool done = store_.remove(name.toStdString());
    if (!done)
        messages_.error(tr("The profile %1 can not be deleted.").arg(name).toStdString());
    refresh();
    return done;
}

QCheckBox *namedCheckBox(const QString &text, const char *name, QWidget *parent) {
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

void layOutSheet(QDialog &sheet, QTabWidget *pages) {
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &sheet);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &sheet, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &sheet, &QDialog::reject);
    auto *layout = new QVBoxLayout(&sheet);
    layout->addWidget(pages);
    layout->addWidget(buttons);
}

} // namespace qv
