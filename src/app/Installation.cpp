#include "app/Installation.h"

#include "base/UserMessages.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace qv {

namespace fs = std::filesystem;

namespace {

bool isFolder(const std::string &path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

Installation::Installation(std::string home) : home_(withoutTrailingSlash(std::move(home))) {
    if (home_.empty())
        home_ = ".";
}

std::string Installation::homeArgument(const std::vector<std::string> &args) {
    const std::string option = "--home";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == option && i + 1 < args.size())
            return args[i + 1];
        if (args[i].rfind(option + "=", 0) == 0)
            return args[i].substr(option.size() + 1);
    }
    return {};
}

std::string Installation::executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return ".";
    return exe.parent_path().string();
}

Installation Installation::fromCommandLine(const std::vector<std::string> &args) {
    return fromHomeOption(homeArgument(args));
}

Installation Installation::fromHomeOption(const std::string &homeOption) {
    std::string home = homeOption;
    if (home.empty()) {
        const char *env = std::getenv("QUORVANE_HOME");
        if (env != nullptr && *env != '\0')
            home = env;
    }
    if (home.empty())
        home = executableFolder();
    std::error_code ec;
    fs::path absolute = fs::absolute(home, ec);
    return Installation(ec ? home : absolute.lexically_normal().string());
}

bool Installation::check(UserMessages &messages) const {
    if (isFolder(notationRoot()))
        return true;
    messages.error(kWrongWorkingDirectory);
    return false;
}

std::string Installation::below(const char *name) const {
    return home_ == "/" ? "/" + std::string(name) : home_ + "/" + name;
}

std::string Installation::settingsPath() const {
    return below(kSettingsFileName);
}
std::string Installation::notationRoot() const {
    return below(kNotationFolderName);
}
std::string Installation::captureFolder() const {
    return below(kCaptureFolderName);
}
std::string Installation::translationPath(int appLanguage) const {
    switch (appLanguage) {
    case 1:
        return below("translations") + "/quorvane_fr.qm";
    case 2:
        return below("translations") + "/quorvane_de.qm";
    default:
        return {};
    }
}

std::string Installation::filterFolder() const {
    return below(kFilterFolderName);
}

std::string Installation::chooseWorkingFolder(const std::string &lastPath) const {
    if (isFolder(lastPath))
        return lastPath;
    if (isFolder(captureFolder()))
        return captureFolder();
    return home_;
}

} // namespace qv
