#pragma once
// The installation folder and the folders and files below it. The folder comes from the
// "--home DIR" argument, else the QUORVANE_HOME environment variable, else the folder of the
// executable. Nothing here changes the process's working directory.
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
    explicit Installation(std::string home);

    // args are the program's arguments without the program name.
    static Installation fromCommandLine(const std::vector<std::string> &args);
    // The folder of a --home option (empty when none was given), else as fromCommandLine.
    static Installation fromHomeOption(const std::string &home);
    // The value of "--home DIR" (or "--home=DIR") in args, empty when absent.
    static std::string homeArgument(const std::vector<std::string> &args);
    // The folder of the running executable.
    static std::string executableFolder();

    // The notation root must exist; else "Wrong working directory!" is shown and false returned.
    bool check(UserMessages &messages) const;

    const std::string &home() const { return home_; }
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
    std::string below(const char *name) const;

    std::string home_;
};

} // namespace qv
