#pragma once
// The DRU-70 off-line filter sheet: the Events page ("Display frames with" its four groups of
// events) and the Profile page that saves, loads and deletes the DRU70O_ profiles of the Filter
// folder. OK keeps what the Events page shows.
#include <QDialog>

#include "filters/Dru70EventFilter.h"
#include "filters/FilterFiles.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace qv {

class ProfilePage;

class UserMessages;

class Dru70FilterSheet : public QDialog {
    Q_OBJECT
public:
    Dru70FilterSheet(const Dru70EventFilter &filter, FilterFiles files, UserMessages &messages,
                     QWidget *parent = nullptr);

    // What OK kept.
    const Dru70EventFilter &filter() const { return filter_; }
    // The Events page.
    void showFilter(const Dru70EventFilter &filter);
    Dru70EventFilter pageFilter() const;

    // The Profile page, with its commands.
    ProfilePage &profiles() { return *profiles_; }

    void accept() override;

private:
    QWidget *eventsPage();
    QWidget *profilePage();

    Dru70EventFilter filter_;
    FilterFiles files_;
    UserMessages &messages_;
    QTabWidget *tabs_ = nullptr;
    QCheckBox *activation_ = nullptr, *powerSupply_ = nullptr, *error_ = nullptr, *eoc_ = nullptr;
    ProfilePage *profiles_ = nullptr;
};

} // namespace qv
