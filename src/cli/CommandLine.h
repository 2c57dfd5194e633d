#pragma once
// The command line of quorvane-cli: the commands and their options declared once through CLI11,
// which writes the help of each command, checks types and ranges and reports wrong usage.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TableWriter.h"

namespace qv::cli {

// The groups of the command list in --help.
inline constexpr const char *kFilesGroup = "Files";
inline constexpr const char *kAnalysisGroup = "Analysis";
inline constexpr const char *kWiresharkGroup = "Exchange with Wireshark";
inline constexpr const char *kInstrumentsGroup = "Instruments";
inline constexpr const char *kDevelopmentGroup = "Development";

// The installation and decoding options of the capture commands.
struct EnvironmentOptions {
    std::string home;     // --home DIR; empty: QUORVANE_HOME, then the installation
    std::string protocol; // --protocol CODE; empty: the variant of the settings
    bool v5 = false;      // --v5: V5 captures decoded as V5
};

// --home DIR alone (commands that decode nothing).
void addHomeOption(CLI::App &command, std::string &home);
// --home DIR, --protocol CODE and --v5.
void addEnvironmentOptions(CLI::App &command, EnvironmentOptions &options);
// The file a command reads, as its first positional argument.
CLI::Option *addFileArgument(CLI::App &command, std::string &file, const char *what);
// --format with the formats given (text first, the default).
CLI::Option *addFormatOption(CLI::App &command, Format &format,
                             const std::vector<Format> &formats = {Format::Text, Format::Csv,
                                                                   Format::Json, Format::Jsonl});
// --columns default|all: all set for "all".
CLI::Option *addDefaultOrAllColumns(CLI::App &command, bool &all, const char *allText);
// A range of frames or calls, numbered from 1: "N" or "A-B".
struct NumberRange {
    std::uint32_t from = 0, to = 0;
    bool given() const { return from != 0; }
};
// An option taking a NumberRange; single: "N" is taken too (as N-N).
CLI::Option *addRangeOption(CLI::App &command, const std::string &name, NumberRange &range,
                            const std::string &help, bool single);
// A validator that accepts one of names (in any case with ignoreCase), and names them when it
// refuses.
CLI::Validator oneOf(std::vector<std::string> names, bool ignoreCase = false);
// A validator of whole decimal numbers from low to high.
CLI::Validator numberIn(std::uint32_t low, std::uint32_t high);

// The commands of the program: each is declared with the options it runs with, and the
// status of the one that ran is the program's exit status.
class Commands {
public:
    explicit Commands(CLI::App &app) : app_(app) {}

    // Options that live as long as the command line.
    template <class Options> std::shared_ptr<Options> options() {
        auto made = std::make_shared<Options>();
        kept_.push_back(made);
        return made;
    }
    // A command of group whose run gives the exit status.
    CLI::App *add(const std::string &name, const std::string &description, const char *group,
                  std::function<int()> run);
    // A command made of subcommands (filter list, filter save ...), whose own run is theirs.
    CLI::App *addParent(const std::string &name, const std::string &description, const char *group);
    int status() const { return status_; }
    // For the subcommands of a command.
    void setStatus(int status) { status_ = status; }

private:
    CLI::App &app_;
    int status_ = 0;
    std::vector<std::shared_ptr<void>> kept_;
};

// Runs the command line: 0 done, 1 the command failed (its message printed), 2 wrong usage
// (one line saying what is wrong).
int runCommandLine(int argc, char **argv);

// A parse error as one line, named by the command it arose in.
std::string usageLine(const CLI::App &app, const CLI::ParseError &e);

// The bash completion script of the commands and options of app.
std::string bashCompletion(const CLI::App &app);

} // namespace qv::cli
