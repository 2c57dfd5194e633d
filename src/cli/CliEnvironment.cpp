#include "CliEnvironment.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "app/Installation.h"
#include "base/Numbers.h"
#include "pdu/interface/ProtocolVariant.h"

namespace qv::cli {

namespace {

// The value of "--protocol CODE" in args, empty when absent.
std::string protocolArgument(const std::vector<std::string> &args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--protocol")
            return args[i + 1];
    return {};
}

} // namespace

bool loadEnvironment(Environment &env, const std::vector<std::string> &args) {
    Installation installation = Installation::fromCommandLine(args);
    env.settings.open(installation.settingsPath());
    // --v5 decodes as the "V5 Decoding" setting does: V5-flagged captures through the V5 decoder.
    for (const std::string &a : args)
        if (a == "--v5")
            env.settings.v5Decoding = true;
    env.columns.load(env.settings.file(), env.settings.language);
    env.columns.setV5Titles(env.settings.v5Decoding);
    const std::string code = protocolArgument(args);
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

bool openDocument(Environment &env, CDecodeDoc &doc, const std::string &path) {
    CaptureOpenOptions options;
    options.language = env.settings.language;
    options.v5Decoding = env.settings.v5Decoding;
    return doc.openCapture(path, options);
}

int OpenedCapture::open(const std::vector<std::string> &args, const std::string &path) {
    if (!loadEnvironment(env, args))
        return kRefused;
    doc = std::make_unique<CDecodeDoc>(env.messages, env.context.services());
    return openDocument(env, *doc, path) ? kDone : kFailed;
}

bool skipEnvironmentOption(const std::vector<std::string> &args, std::size_t &i) {
    const std::string &a = args[i];
    if (a == "--v5" || a.rfind("--home=", 0) == 0)
        return true;
    if ((a == "--home" || a == "--protocol") && i + 1 < args.size()) {
        ++i;
        return true;
    }
    return false;
}

int checkOutput(const std::string &in, const std::string &out, const char *sameText) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool same = (fs::exists(out, ec) && fs::equivalent(in, out, ec)) ||
                      fs::weakly_canonical(fs::absolute(in, ec), ec) ==
                          fs::weakly_canonical(fs::absolute(out, ec), ec);
    if (same) {
        std::fprintf(stderr, "%s: %s\n", out.c_str(), sameText);
        return kRefused;
    }
    if (fs::is_directory(out, ec)) {
        std::fprintf(stderr, "%s: is a folder\n", out.c_str());
        return kFailed;
    }
    return kDone;
}

bool parseFormat(const std::string &text, Format &out) {
    if (text == "text")
        out = Format::Text;
    else if (text == "csv")
        out = Format::Csv;
    else if (text == "json")
        out = Format::Json;
    else
        return false;
    return true;
}

bool parseNumber(const std::string &text, std::uint32_t &out) {
    const std::optional<std::uint32_t> v = parseDigits(text, 10);
    if (v)
        out = *v;
    return v.has_value();
}

void appendCsvCell(std::string &out, std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendJsonString(std::string &out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u >= 0x80) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

int unknownArgument(const char *command, const std::string &arg) {
    std::fprintf(stderr, "%s: %s is not an option of this command, or its value is missing\n",
                 command, arg.c_str());
    return kBadUsage;
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

} // namespace qv::cli
