#pragma once
// Result files written by the synthesiser and opened the way the result document opens them.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/UserMessages.h"
#include "capture/CaptureTestSupport.h"
#include "results/TestResultFile.h"
#include "synth/ResultsScenario.h"

namespace qv::test {

struct OpenedResult {
    RecordingUserMessages messages;
    std::unique_ptr<TestResultFile> file;
    int type = 0;
    int read = 0;
    std::string report;
    // Identify, Read and Report in the document's order; Read only for a file identified.
    explicit OpenedResult(const std::string &path, bool remote = false) {
        file = std::make_unique<TestResultFile>(path, remote, messages);
        type = file->Identify();
        if (type >= 0)
            read = file->Read();
        report = file->Report();
    }
};

inline std::string writeResult(const TempDir &dir, const synth::ResultFileContent &content,
                               const std::string &name = "E0001.lvt") {
    std::string error;
    const std::string path = dir.file(name);
    EXPECT_TRUE(synth::writeResultFile(path, content, error)) << error;
    return path;
}

// The report of the content, read back from a file; empty (and a failure) when it cannot be
// read.
inline std::string reportOf(const synth::ResultFileContent &content) {
    TempDir dir;
    OpenedResult opened(writeResult(dir, content));
    EXPECT_EQ(opened.read, kReadOk) << ::testing::PrintToString(opened.messages.texts());
    return opened.read == kReadOk ? opened.report : std::string();
}

inline std::vector<std::string> reportLines(const std::string &report) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < report.size()) {
        const std::size_t end = report.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(report.substr(at));
            break;
        }
        lines.push_back(report.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// The report's line that starts with prefix, or "(none)".
inline std::string lineStarting(const std::string &report, const std::string &prefix) {
    for (const std::string &line : reportLines(report))
        if (line.rfind(prefix, 0) == 0)
            return line;
    return "(none)";
}

inline bool hasLine(const std::string &report, const std::string &line) {
    for (const std::string &l : reportLines(report))
        if (l == line)
            return true;
    return false;
}

inline synth::ResultFileContent lvt30(int type, const std::string &firmware = {}) {
    return synth::resultScenario(type, synth::ResultInstrumentKind::Lvt30, firmware);
}

} // namespace qv::test
