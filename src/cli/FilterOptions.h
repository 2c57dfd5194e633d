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
    explicit FilterOptions(Use use = Use::Filter) : use_(use) {}

    enum class Take { Taken, NotFilterOption, MissingValue };
    // Takes the filter option at args[i] and its value; i is left on the last argument taken.
    Take take(const std::vector<std::string> &args, std::size_t &i);

    // True when some filter option was given.
    bool given() const { return !profile_.empty() || !changes_.empty(); }
    // True when an option was given that only an off-line filter holds.
    const char *offLineOnlyOption() const;

    // The criteria: the profile of the Filter folder (when --filter was given), then every
    // inline option in the order given. kDone, kFailed when the profile cannot be read, or
    // kRefused for a refused value, with its message printed.
    int criteria(const std::string &filterFolder, const CauseList &causes,
                 FilterCriteria &out) const;

private:
    Use use_;
    std::string profile_;
    std::vector<std::pair<std::string, std::string>> changes_; // option (without "--"), value
};

// The settings file of the installation that args name.
IniFile installationSettings(const std::vector<std::string> &args);

// The filter a command walks its frames through.
struct CommandFilter {
    bool given = false; // no filter option given: every frame is shown
    FilterCriteria criteria;
    CauseList causes; // the names of the cause criterion

    // Takes the criteria of options, the profiles of the installation that args name and the
    // causes of settings. What FilterOptions::criteria answers.
    int make(const FilterOptions &options, const std::vector<std::string> &args, IniFile settings);
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

    int prepare(const FilterOptions &options, const std::vector<std::string> &args);
    int open(const std::string &path);
};

// The criteria that differ from showing every frame, one "key: value" line each, the keys
// named as the options are; "all frames shown" when none does.
std::string describeCriteria(const FilterCriteria &criteria, FilterKind kind);

} // namespace qv::cli
