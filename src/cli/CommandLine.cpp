#include "CommandLine.h"

#include <cstdio>
#include <set>

#include "CliEnvironment.h"

namespace qv::cli {

namespace {

std::string joinedNames(const std::vector<std::string> &names, const char *last) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i)
            out += i + 1 == names.size() ? last : ", ";
        out += names[i];
    }
    return out;
}

// The names a command is called by on the command line: "filter save" for a subcommand's.
std::string commandPath(const CLI::App *command) {
    std::string path;
    for (; command != nullptr && command->get_parent() != nullptr; command = command->get_parent())
        path = command->get_name() + (path.empty() ? "" : " " + path);
    return path;
}

// The command the parse reached: the innermost subcommand given.
const CLI::App *reachedCommand(const CLI::App &app) {
    const CLI::App *at = &app;
    for (;;) {
        const std::vector<CLI::App *> given = at->get_subcommands();
        if (given.empty())
            return at;
        at = given.back();
    }
}

void addWords(std::string &out, const CLI::App &command) {
    std::set<std::string> words;
    for (const CLI::Option *o : command.get_options()) {
        for (const std::string &name : o->get_lnames())
            words.insert("--" + name);
        for (const std::string &name : o->get_snames())
            words.insert("-" + name);
    }
    for (const CLI::App *sub : command.get_subcommands([](const CLI::App *) { return true; }))
        words.insert(sub->get_name());
    for (const std::string &w : words) {
        out += w;
        out += ' ';
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
}

} // namespace

// CLI11's messages, as one line of this program's.
std::string usageLine(const CLI::App &app, const CLI::ParseError &e) {
    std::string what = e.what();
    while (!what.empty() && (what.back() == '\n' || what.back() == ' '))
        what.pop_back();
    for (std::size_t at = what.find('\n'); at != std::string::npos; at = what.find('\n', at))
        what.replace(at, 1, " ");
    const std::string path = commandPath(reachedCommand(app));
    return (path.empty() ? std::string("quorvane-cli") : path) + ": " + what;
}

void addHomeOption(CLI::App &command, std::string &home) {
    command
        .add_option("--home", home,
                    "the folder of the installation: settings, notation files, filters "
                    "(default: QUORVANE_HOME, then the installed program's folders)")
        ->type_name("DIR");
}

void addEnvironmentOptions(CLI::App &command, EnvironmentOptions &options) {
    addHomeOption(command, options.home);
    command
        .add_option("--protocol", options.protocol,
                    "the protocol variant the frames are decoded in (EDSS, Q931, VN4 ...; "
                    "default: the variant of the settings)")
        ->type_name("CODE");
    command.add_flag("--v5", options.v5, "decode V5 captures as V5 (the LVT-60's V5 decoding)");
}

CLI::Option *addFileArgument(CLI::App &command, std::string &file, const char *what) {
    return command.add_option("FILE", file, what)->required()->type_name("");
}

CLI::Option *addDefaultOrAllColumns(CLI::App &command, bool &all, const char *allText) {
    return command
        .add_option_function<std::string>(
            "--columns", [&all](const std::string &v) { all = v == "all"; },
            std::string("default: the columns the settings show; all: ") + allText)
        ->check(oneOf({"default", "all"}))
        ->type_name("default|all");
}

CLI::Option *addRangeOption(CLI::App &command, const std::string &name, NumberRange &range,
                            const std::string &help, bool single) {
    const std::string form = single ? "N or A-B" : "A-B";
    return command
        .add_option_function<std::string>(
            name,
            [&range, single, name, form](const std::string &text) {
                const std::size_t dash = text.find('-');
                std::uint32_t from = 0, to = 0;
                const bool read = dash == std::string::npos
                                      ? single && parseNumber(text, from) && (to = from, true)
                                      : parseNumber(text.substr(0, dash), from) &&
                                            parseNumber(text.substr(dash + 1), to);
                if (!read || from == 0 || from > to)
                    throw CLI::ValidationError(name, text + " is not " + form +
                                                         ", numbers from 1 with A <= B");
                range = {from, to};
            },
            help)
        ->type_name(form == "A-B" ? "A-B" : "N|A-B");
}

CLI::Validator oneOf(std::vector<std::string> names, bool ignoreCase) {
    // No description: the option's value name already lists the names.
    return CLI::Validator(
        [names, ignoreCase](std::string &value) -> std::string {
            for (const std::string &n : names)
                if (n == value || (ignoreCase && CLI::detail::to_lower(value) == n)) {
                    value = n;
                    return {};
                }
            return value + " is not " + joinedNames(names, " or ");
        },
        "");
}

CLI::Validator numberIn(std::uint32_t low, std::uint32_t high) {
    return CLI::Validator(
        [low, high](std::string &value) -> std::string {
            std::uint32_t n = 0;
            if (parseNumber(value, n) && n >= low && n <= high)
                return {};
            return value + " is not a number from " + std::to_string(low) + " to " +
                   std::to_string(high);
        },
        "");
}

CLI::Option *addFormatOption(CLI::App &command, Format &format,
                             const std::vector<Format> &formats) {
    std::vector<std::string> names;
    std::string typeName;
    for (Format f : formats) {
        names.push_back(formatNames()[static_cast<std::size_t>(f)]);
        typeName += (typeName.empty() ? "" : "|") + names.back();
    }
    return command
        .add_option_function<std::string>(
            "--format", [&format](const std::string &name) { format = formatNamed(name); },
            "text: a table (aligned on a terminal, tab-separated otherwise); csv; json: one "
            "array of objects; jsonl: one object a line")
        ->check(oneOf(names))
        ->type_name(typeName);
}

CLI::App *Commands::add(const std::string &name, const std::string &description, const char *group,
                        std::function<int()> run) {
    CLI::App *command = app_.add_subcommand(name, description);
    command->group(group);
    command->callback([this, run] { status_ = run(); });
    return command;
}

CLI::App *Commands::addParent(const std::string &name, const std::string &description,
                              const char *group) {
    CLI::App *command = app_.add_subcommand(name, description);
    command->group(group);
    command->require_subcommand(1);
    return command;
}

std::string bashCompletion(const CLI::App &app) {
    // One case per command (and per subcommand of filter), completing its options and, after
    // them, file names.
    std::string out = "# bash completion for quorvane-cli\n"
                      "_quorvane_cli() {\n"
                      "    local cur=${COMP_WORDS[COMP_CWORD]} command=${COMP_WORDS[1]} words\n"
                      "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
                      "        words=\"";
    addWords(out, app);
    out += "\"\n    else\n        case \"$command\" in\n";
    for (const CLI::App *command : app.get_subcommands([](const CLI::App *) { return true; })) {
        out += "        " + command->get_name() + ")\n";
        const auto subs = command->get_subcommands([](const CLI::App *) { return true; });
        if (!subs.empty()) {
            out += "            if [ \"$COMP_CWORD\" -eq 2 ]; then words=\"";
            addWords(out, *command);
            out += "\"\n            else case \"${COMP_WORDS[2]}\" in\n";
            for (const CLI::App *sub : subs) {
                out += "                " + sub->get_name() + ") words=\"";
                addWords(out, *sub);
                out += "\" ;;\n";
            }
            out += "            esac; fi ;;\n";
            continue;
        }
        out += "            words=\"";
        addWords(out, *command);
        out += "\" ;;\n";
    }
    out += "        esac\n    fi\n"
           "    if [[ \"$cur\" == -* || \"$COMP_CWORD\" -eq 1 ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -W \"$words\" -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -F _quorvane_cli quorvane-cli\n";
    return out;
}

} // namespace qv::cli
