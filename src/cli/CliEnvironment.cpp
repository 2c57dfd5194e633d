#include "CliEnvironment.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "app/Installation.h"
#include "base/Numbers.h"
#include "capture/CaptureFileReader.h"
#include "pdu/interface/ProtocolVariant.h"

namespace qv::cli {

bool loadEnvironment(Environment &env, const EnvironmentOptions &options) {
    Installation installation = Installation::fromHomeOption(options.home);
    env.settings.open(installation.settingsPath());
    // --v5 decodes as the "V5 Decoding" setting does: V5-flagged captures through the V5 decoder.
    if (options.v5)
        env.settings.v5Decoding = true;
    env.columns.load(env.settings.file(), env.settings.language);
    env.columns.setV5Titles(env.settings.v5Decoding);
    const std::string &code = options.protocol;
    if (!env.context.start(installation, env.settings, code, env.messages)) {
        std::fprintf(stderr, "%s: no such protocol; the codes are",
                     (code.empty() ? env.settings.variant : code).c_str());
        for (const ProtocolVariant &v : kProtocolVariants)
            std::fprintf(stderr, " %s", v.code);
        std::fputc('\n', stderr);
        return false;
    }
    return true;
}

namespace {
bool damageSeen = false;
} // namespace

void CliMessages::show(const std::string &text, const std::string &caption, MessageIcon icon) {
    if (isDamageMessage(text, caption))
        damageSeen = true;
    StderrUserMessages::show(text, caption, icon);
}

bool CliMessages::damageReported() {
    return damageSeen;
}

bool openDocument(Environment &env, CDecodeDoc &doc, const std::string &path) {
    CaptureOpenOptions options;
    options.language = env.settings.language;
    options.v5Decoding = env.settings.v5Decoding;
    return doc.openCapture(path, options);
}

int OpenedCapture::open(const EnvironmentOptions &options, const std::string &path) {
    if (!loadEnvironment(env, options))
        return kBadUsage;
    doc = std::make_unique<CDecodeDoc>(env.messages, env.context.services());
    return openDocument(env, *doc, path) ? kDone : kFailed;
}

int checkOutput(const std::string &in, const std::string &out, const char *sameText) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool same = (fs::exists(out, ec) && fs::equivalent(in, out, ec)) ||
                      fs::weakly_canonical(fs::absolute(in, ec), ec) ==
                          fs::weakly_canonical(fs::absolute(out, ec), ec);
    if (same) {
        std::fprintf(stderr, "%s: %s\n", out.c_str(), sameText);
        return kBadUsage;
    }
    if (fs::is_directory(out, ec)) {
        std::fprintf(stderr, "%s: is a folder\n", out.c_str());
        return kFailed;
    }
    return kDone;
}

bool parseNumber(const std::string &text, std::uint32_t &out) {
    const std::optional<std::uint32_t> v = parseDigits(text, 10);
    if (v)
        out = *v;
    return v.has_value();
}

bool progressLineWanted() {
    return ::isatty(STDERR_FILENO) == 1;
}

void drawProgressLine(const char *what, double fraction) {
    std::fprintf(stderr, "\r%s  %3d%%", what, static_cast<int>(fraction * 100));
    std::fflush(stderr);
}

void clearProgressLine() {
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
}

void printNotesRefusal(int error) {
    if (error == 0)
        std::fprintf(stderr, "The comment text can not be updated.\n");
    else
        std::fprintf(stderr, "The comment text can not be updated: %s\n", std::strerror(error));
}

} // namespace qv::cli
