#pragma once
// What the capture commands of quorvane-cli share: the installation's settings and decoding
// objects, the capture document opened with them, and the exit statuses.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/DecoderContext.h"
#include "app/Settings.h"
#include "base/BackgroundJob.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "capture/FrameSource.h"
#include "decode/SummaryFieldTable.h"

#include "CommandLine.h"

namespace qv::cli {

// Exit statuses of the commands: done, failed (the reason printed), wrong usage (what is wrong
// printed on one line), done on damaged input (everything readable was used, and where the input
// was damaged printed).
inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kBadUsage = 2;
inline constexpr int kDamaged = 3;

// The messages of the commands, on stderr; a message that tells of damage in the input makes
// the command end with kDamaged once it has done the rest.
class CliMessages : public StderrUserMessages {
public:
    void show(const std::string &text, const std::string &caption, MessageIcon icon) override;
    // Whether any message of the run told of damage.
    static bool damageReported();
};

struct Environment {
    Settings settings;
    SummaryFieldTable columns;
    CliMessages messages;
    DecoderContext context;
};

// The settings of the installation and the protocol variant in force (the settings' choice or
// --protocol). False for an unknown variant code, with the codes printed.
bool loadEnvironment(Environment &env, const EnvironmentOptions &options);
bool openDocument(Environment &env, CDecodeDoc &doc, const std::string &path);

// A capture a command reads: the installation's environment and the document opened in it.
struct OpenedCapture {
    Environment env;
    std::unique_ptr<CDecodeDoc> doc;
    // kDone; kBadUsage for an unknown protocol variant; kFailed when the file does not open
    // (the reason reported).
    int open(const EnvironmentOptions &options, const std::string &path);
    DecodableObject &decodable() { return *doc->decodable(); }
    // The walk over the opened capture: nothing here shows a current frame, so the walks go
    // over the document's own decoder.
    FrameSource &source() {
        if (!source_)
            source_ = std::make_unique<FrameSource>(decodable());
        return *source_;
    }

private:
    std::unique_ptr<FrameSource> source_;
};

// The progress line of long commands: only on a terminal.
bool progressLineWanted();
void drawProgressLine(const char *what, double fraction);
void clearProgressLine();
// Sleeps a tenth of a second, less when the job ends sooner.
template <class Job> void waitForProgress(Job &job) {
    for (int k = 0; k < 10 && !job.finished(); ++k)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// Runs work(progress) and returns what it returns. While it runs, a line on stderr tells how far
// it has come ("what  42%"), when stderr is a terminal; the line is cleared at the end.
template <class Work> auto withProgress(const char *what, Work work) {
    using Result = decltype(work(WorkProgress{}));
    if (!progressLineWanted())
        return work(WorkProgress{});
    BackgroundJob<Result> job([&work](JobControl &control) { return work(control.progress()); });
    while (!job.finished()) {
        drawProgressLine(what, job.progress().fraction);
        waitForProgress(job);
    }
    clearProgressLine();
    return std::move(*job.take());
}

// Whether out may be written with what is read from in: kBadUsage when it is in itself
// ("OUT: that is the WHAT; ..." printed with sameText), kFailed when it is a folder, else kDone.
int checkOutput(const std::string &in, const std::string &out, const char *sameText);

// "The comment text can not be updated." on stderr, with the system's reason when there is one.
void printNotesRefusal(int error);

// A decimal number of 0..0xFFFFFFFF, digits only.
bool parseNumber(const std::string &text, std::uint32_t &out);

} // namespace qv::cli
