#pragma once
// The interface in French or German: the program's own translation below the installation and
// Qt's, for the standard buttons and dialogs, installed for the whole application while the
// object lives.
#include <QTranslator>

namespace qv {

class Installation;

class InterfaceTranslation {
public:
    InterfaceTranslation() = default;
    InterfaceTranslation(const InterfaceTranslation &) = delete;
    InterfaceTranslation &operator=(const InterfaceTranslation &) = delete;
    ~InterfaceTranslation();

    // The translation of an AppLanguage value (1 French, 2 German) in place of the one before.
    // False, with the interface in English, for English, for a value that names no language and
    // when the program's translation is missing or unreadable.
    bool install(const Installation &installation, int appLanguage);
    // Back to English.
    void remove();
    bool installed() const { return installed_; }

private:
    QTranslator program_;
    QTranslator qt_;
    bool installed_ = false;
    bool qtInstalled_ = false;
};

} // namespace qv
