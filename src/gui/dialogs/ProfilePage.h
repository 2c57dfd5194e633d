#pragma once
// The Profile page of a filter sheet: the named profiles of the Filter folder, the name field,
// and Save (asking before a profile is replaced), Load and Delete (asking first). What a profile
// holds and where it goes is the sheet's: the page asks it through Store.
#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QDialog;
class QLineEdit;
class QTabWidget;
class QListWidget;

namespace qv {

class UserMessages;

class ProfilePage : public QWidget {
    Q_OBJECT
public:
    struct Store {
        std::function<std::vector<std::string>()> list;
        // Why the sheet's pages cannot be saved as they stand; empty when they can.
        std::function<QString()> check;
        std::function<bool(const std::string &name)> save;
        // Reads the profile into the sheet's pages; false when it cannot be read.
        std::function<bool(const std::string &name)> load;
        std::function<bool(const std::string &name)> remove;
        std::string folder; // named in the message of a profile that cannot be written
    };

    ProfilePage(Store store, UserMessages &messages, QWidget *parent);

    // The commands, with the name in the field.
    bool saveProfile();
    bool loadProfile();
    bool deleteProfile();
    QStringList profileNames() const;
    void setProfileName(const QString &name);

private:
    void refresh();
    QString profileName() const;
    void showProblem(const QString &text) const;

    Store store_;
    UserMessages &messages_;
    QListWidget *profiles_ = nullptr;
    QLineEdit *name_ = nullptr;
};

// A check box with its object name, as the sheets' tests find it.
QCheckBox *namedCheckBox(const QString &text, const char *name, QWidget *parent);

// Lays a filter sheet out: its pages above, OK and Cancel below.
void layOutSheet(QDialog &sheet, QTabWidget *pages);

} // namespace qv
