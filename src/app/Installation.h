#pragma once
// Where the program finds its files. One folder holds everything when "--home DIR" or the
// QUORVANE_HOME environment variable names it, and when the program runs from a folder that
// holds the notation files (the build tree, a copied folder). An installed program (PREFIX/bin
// beside PREFIX/share/quorvane) reads its notation files and translations there, read-only,
// and keeps the user's files apart: the settings in $XDG_CONFIG_HOME/quorvane, the filters and
// captures in $XDG_DATA_HOME/quorvane, made with the shipped defaults at the first start.
// Nothing here changes the process's working directory.
#include <string>
#include <vector>

namespace qv {

class UserMessages;

inline constexpr const char *kWrongWorkingDirectory = "Wrong working directory!";
inline constexpr const char *kSettingsFileName = "QUORVANE.INI";
inline constexpr const char *kNotationFolderName = "ISDNNOT";
inline constexpr const char *kCaptureFolderName = "CAPTURE";
inline constexpr const char *kFilterFolderName = "Filter";
inline constexpr const char *kMsgFrenchNotFound = "French resources not found !";
inline constexpr const char *kMsgGermanNotFound = "German resources not found !";
inline constexpr const char *kMsgLanguageAtNextStart =
    "To activate the modification, close and\nre-open the Quorvane";

class Installation {
public:
    // One folder for everything.
    explicit Installation(std::string home);
    // An installed program: its shared data, and the user's settings and data folders.
    Installation(std::string shared, std::string config, std::string userData);

    // args are the program's arguments without the program name.
    static Installation fromCommandLine(const std::vector<std::string> &args);
    // The folder of a --home option (empty when none was given), else as fromCommandLine.
    static Installation fromHomeOption(const std::string &home);
    // The installation of a program in programFolder with no folder named: that folder when it
    // holds the notation files, else the installed layout when programFolder/../share/quorvane
    // does (the user's folders made on the way), else programFolder.
    static Installation ofProgramIn(const std::string &programFolder);
    // The value of "--home DIR" (or "--home=DIR") in args, empty when absent.
    static std::string homeArgument(const std::vector<std::string> &args);
    // The folder of the running executable.
    static std::string executableFolder();

    // The notation root must exist; else "Wrong working directory!" is shown and false returned.
    bool check(UserMessages &messages) const;

    // The folder of the notation files and translations (the one folder, when there is one).
    const std::string &home() const { return home_; }
    bool installedLayout() const { return !config_.empty(); }
    std::string settingsPath() const;
    std::string notationRoot() const;
    std::string captureFolder() const;
    std::string filterFolder() const;
    // The interface translation of an AppLanguage value (1 French, 2 German), empty for English
    // and for values that name no language.
    std::string translationPath(int appLanguage) const;

    // The folder to work in: lastPath when it names an existing folder, else the capture
    // folder when it exists, else the installation folder.
    std::string chooseWorkingFolder(const std::string &lastPath) const;

private:
    static std::string below(const std::string &folder, const char *name);
    std::string below(const char *name) const { return below(home_, name); }
    // The user's folders with the shipped defaults: the settings file and filter profiles that
    // share holds, copied where the user has none.
    void makeUserFolders() const;

    std::string home_;
    std::string config_;   // installed: the settings' folder
    std::string userData_; // installed: the filters' and captures' folder
};

} // namespace qv
