#pragma once
// The frame filter on the command line: "--filter NAME" starts from a saved off-line profile,
// and the inline options (--layers, --sapi, --message ...) set single criteria on top of it.
#include <string>
#include <utility>
#include <vector>

#include <memory>

#include "CliEnvironment.h"
#include "base/IniFile.h"
#include "filters/CauseList.h"
#include "filters/FilterCriteria.h"

namespace qv {
class CDecodeDoc;
} // namespace qv

namespace qv::cli {

class FilterOptions {
public:
    // On find, --message and --cause name what is searched for; the filter's message and cause
    // are then given only as --only-message and --only-cause.
    enum class Use { Filter, Find };

    // Declares --filter NAME and the criteria options on command; the object must live as
    // long as command.
    void attach(CLI::App &command, Use use = Use::Filter);

    // True when some filter option was given.
    bool given() const { return !profile_.empty() || !changes_.empty(); }
    // The first option given that only an off-line filter holds, or null.
    const char *offLineOnlyOption() const;

    // The criteria: the profile of the Filter folder (when --filter was given), then every
    // inline option in the order given. kDone, kFailed when the profile cannot be read, or
    // kBadUsage for a refused value, with its message printed.
    int criteria(const std::string &filterFolder, const CauseList &causes,
                 FilterCriteria &out) const;

private:
    std::string profile_;
    std::vector<std::pair<std::string, std::string>> changes_; // option (without "--"), value
};

// The settings file of the installation that a --home option names.
IniFile installationSettings(const std::string &home);

// The filter a command walks its frames through.
struct CommandFilter {
    bool given = false; // no filter option given: every frame is shown
    FilterCriteria criteria;
    CauseList causes; // the names of the cause criterion

    // Takes the criteria of options, the profiles of the installation that home names and the
    // causes of settings. What FilterOptions::criteria answers.
    int make(const FilterOptions &options, const std::string &home, IniFile settings);
    // Gives doc the off-line filter when an option was given.
    void install(CDecodeDoc &doc) const;
};

// A capture command's document with its filter: prepare() loads the environment and makes the
// filter of the options, open() opens the capture and puts the filter on it. Each answers
// kDone or the status to exit with.
struct FilteredCapture {
    Environment env;
    CommandFilter filter;
    std::unique_ptr<CDecodeDoc> doc;

    int prepare(const FilterOptions &options, const EnvironmentOptions &environment);
    int open(const std::string &path);
};

// The criteria that differ from showing every frame, one "key: value" line each, the keys
// named as the options are; "all frames shown" when none does.
std::string describeCriteria(const FilterCriteria &criteria, FilterKind kind);

} // namespace qv::cli
