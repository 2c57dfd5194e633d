#pragma once
// Runs quorvane-cli as a user would and keeps what it printed.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "support/Pinned.h"
#include "support/TempDir.h"

namespace qv::test {

struct CliRun {
    int code;
    std::string out; // stdout and stderr together
};

// shell, when given, is run by the shell first (say, to lower a limit the program inherits).
inline CliRun cli(const std::string &args, const std::string &shell = {}) {
    const std::string command = shell + " " + std::string(QUORVANE_CLI_PATH) + " " + args + " 2>&1";
    CliRun run{-1, {}};
    FILE *p = popen(command.c_str(), "r");
    if (!p)
        return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), p)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(p);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

inline std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// A folder of the test's own.
class CliFolder : public ::testing::Test {
protected:
    std::string file(const std::string &name) const { return (dir_ / name).string(); }
    std::string home() const { return " --home " + dir_.string(); }

    // The runs of the case file tests/data/cli/NAME. A case's input lines "write FILE = text"
    // (text with \n escapes) write files into the test's folder, lines "shell COMMANDS" give
    // what the shell runs before the program, its other input line is the command line; its text is
    // what the run wrote, then "exit" and the status. $DIR stands for the test's folder, $DATA for
    // tests/data and $SAMPLES for the bundled samples, in the command line and in what the run
    // wrote.
    void expectRuns(const std::string &name) const {
        PinnedTexts pinned("cli/" + name);
        const std::string folder = dir_.string();
        const std::string data = std::string(QUORVANE_SOURCE_DIR) + "/tests/data";
        const std::string samples = std::string(QUORVANE_SOURCE_DIR) + "/data/samples";
        for (const PinnedTexts::Case &c : pinned.cases()) {
            std::string args, shell;
            const auto withPlaces = [&](const std::string &text) {
                return replaced(replaced(replaced(replaced(text, "$DIR", folder), "$DATA", data),
                                         "$SAMPLES", samples),
                                "$CLI", QUORVANE_CLI_PATH);
            };
            for (const std::string &line : c.input) {
                const std::size_t at = line.find(" = ");
                if (line.rfind("write ", 0) == 0 && at != std::string::npos)
                    std::ofstream(file(line.substr(6, at - 6)), std::ios::binary)
                        << unescaped(line.substr(at + 3));
                else if (line.rfind("shell ", 0) == 0)
                    shell += withPlaces(line.substr(6)) + " ";
                else
                    args = withPlaces(line);
            }
            const CliRun r = cli(args, shell);
            std::string out = replaced(replaced(replaced(r.out, folder, "$DIR"), data, "$DATA"),
                                       samples, "$SAMPLES");
            if (!out.empty() && out.back() != '\n')
                out += '\n';
            pinned.expectText(c.name, out + "exit " + std::to_string(r.code));
        }
    }

    TempDir folder_;
    std::filesystem::path dir_ = folder_.path();
};

// Commands run on captures of their own in a folder of the test's own that holds the
// installation's notation data, for --home.
class CliHome : public CliFolder {
protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(QUORVANE_CLI_PATH).parent_path() / "ISDNNOT",
                              dir_ / "ISDNNOT", std::filesystem::copy_options::recursive);
    }
};

} // namespace qv::test
