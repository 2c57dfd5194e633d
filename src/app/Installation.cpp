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

// $NAME, else $HOME/fallback: the XDG base folders.
std::string xdgFolder(const char *name, const char *fallback) {
    const char *value = std::getenv(name);
    if (value != nullptr && *value == '/')
        return value;
    const char *home = std::getenv("HOME");
    return std::string(home != nullptr && *home != '\0' ? home : "/tmp") + "/" + fallback;
}

} // namespace

Installation::Installation(std::string home) : home_(withoutTrailingSlash(std::move(home))) {
    if (home_.empty())
        home_ = ".";
}

Installation::Installation(std::string shared, std::string config, std::string userData)
    : home_(withoutTrailingSlash(std::move(shared))),
      config_(withoutTrailingSlash(std::move(config))),
      userData_(withoutTrailingSlash(std::move(userData))) {}

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
        return ofProgramIn(executableFolder());
    std::error_code ec;
    fs::path absolute = fs::absolute(home, ec);
    return Installation(ec ? home : absolute.lexically_normal().string());
}

Installation Installation::ofProgramIn(const std::string &programFolder) {
    if (isFolder(below(programFolder, kNotationFolderName)))
        return Installation(programFolder);
    const std::string shared =
        (fs::path(programFolder).parent_path() / "share" / "quorvane").lexically_normal().string();
    if (!isFolder(below(shared, kNotationFolderName)))
        return Installation(programFolder);
    Installation installed(shared, xdgFolder("XDG_CONFIG_HOME", ".config") + "/quorvane",
                           xdgFolder("XDG_DATA_HOME", ".local/share") + "/quorvane");
    installed.makeUserFolders();
    return installed;
}

void Installation::makeUserFolders() const {
    std::error_code ec;
    fs::create_directories(config_, ec);
    fs::create_directories(captureFolder(), ec);
    // Shipped defaults: copied once, never over what the user has.
    const fs::copy_options keep = fs::copy_options::skip_existing;
    if (fs::is_regular_file(below(kSettingsFileName), ec))
        fs::copy_file(below(kSettingsFileName), settingsPath(), keep, ec);
    if (!fs::exists(filterFolder(), ec)) {
        fs::create_directories(filterFolder(), ec);
        if (isFolder(below(kFilterFolderName)))
            for (const fs::directory_entry &entry :
                 fs::directory_iterator(below(kFilterFolderName), ec))
                if (entry.is_regular_file(ec))
                    fs::copy_file(entry.path(), fs::path(filterFolder()) / entry.path().filename(),
                                  keep, ec);
    }
}

bool Installation::check(UserMessages &messages) const {
    if (isFolder(notationRoot()))
        return true;
    messages.error(kWrongWorkingDirectory);
    return false;
}

std::string Installation::below(const std::string &folder, const char *name) {
    return folder == "/" ? "/" + std::string(name) : folder + "/" + name;
}

std::string Installation::settingsPath() const {
    return below(installedLayout() ? config_ : home_, kSettingsFileName);
}
std::string Installation::notationRoot() const {
    return below(kNotationFolderName);
}
std::string Installation::captureFolder() const {
    return below(installedLayout() ? userData_ : home_, kCaptureFolderName);
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
    return below(installedLayout() ? userData_ : home_, kFilterFolderName);
}

std::string Installation::chooseWorkingFolder(const std::string &lastPath) const {
    if (isFolder(lastPath))
        return lastPath;
    if (isFolder(captureFolder()))
        return captureFolder();
    return installedLayout() ? userData_ : home_;
}

} // namespace qv
