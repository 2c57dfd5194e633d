#include "app/InterfaceTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <string>

#include "app/Installation.h"

namespace qv {

InterfaceTranslation::~InterfaceTranslation() {
    remove();
}

bool InterfaceTranslation::install(const Installation &installation, int appLanguage) {
    remove();
    const std::string path = installation.translationPath(appLanguage);
    if (path.empty() || !program_.load(QString::fromStdString(path)))
        return false;
    QCoreApplication::installTranslator(&program_);
    installed_ = true;
    // Qt's own texts (OK, Cancel, the file and print dialogs) in the same language, when this
    // machine has Qt's translations; without them those few stay in English.
    if (qt_.load(QLocale(program_.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_);
        qtInstalled_ = true;
    }
    return true;
}

void InterfaceTranslation::remove() {
    if (qtInstalled_)
        QCoreApplication::removeTranslator(&qt_);
    if (installed_)
        QCoreApplication::removeTranslator(&program_);
    installed_ = qtInstalled_ = false;
}

} // namespace qv
