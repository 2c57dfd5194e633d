#include "plm/PlmProject.h"

#include <cstdio>
#include <filesystem>

#include "base/FileReplace.h"
#include "base/UserMessages.h"

namespace qv {

namespace {

constexpr std::string_view kMarker = "csv\r\n";
constexpr std::size_t kReplyHead = 20;

std::size_t markerInHead(std::string_view reply) {
    const std::string_view head = reply.substr(0, kReplyHead);
    return head.size() > 1 ? head.find(kMarker, 1) : std::string_view::npos;
}

} // namespace

PlmReplyKind plmReplyKind(std::string_view reply) {
    if (reply.substr(0, kReplyHead).find("csv") == std::string_view::npos)
        return PlmReplyKind::Incorrect;
    return markerInHead(reply) == std::string_view::npos ? PlmReplyKind::NoProject
                                                         : PlmReplyKind::Project;
}

bool parsePlmReply(std::string_view reply, PlmProject &project) {
    // The marker the reply's head announces; else the first one anywhere.
    std::size_t marker = markerInHead(reply);
    if (marker == std::string_view::npos)
        marker = reply.find(kMarker);
    if (marker == std::string_view::npos)
        return false;
    PlmLineScanner lines(reply.substr(marker + kMarker.size()));
    std::string_view line;
    PlmRawLine raw;
    while (lines.next(line) && parsePlmRawLine(line, raw))
        project.lines.push_back(raw);
    return true;
}

std::string plmFileName(int project) {
    char name[32];
    std::snprintf(name, sizeof name, "p%02d.plm", project);
    return name;
}

std::string plmFileText(const PlmProject &project) {
    std::string text;
    for (const PlmRawLine &line : project.lines)
        text += formatPlmLine(project.number, line);
    return text;
}

bool saveProjects(const std::vector<PlmProject> &projects, const std::string &folder,
                  UserMessages &messages) {
    bool yesToAll = false;
    for (const PlmProject &project : projects) {
        const std::string name = plmFileName(project.number);
        const std::string path = (std::filesystem::path(folder) / name).string();
        std::error_code ec;
        if (!yesToAll && std::filesystem::exists(path, ec)) {
            char question[256];
            std::snprintf(question, sizeof question, kMsgPlmExisting, name.c_str());
            const MessageAnswer answer =
                messages.ask(question, kMsgPlmExistingCaption, MessageButtons::YesNoYesToAllCancel,
                             MessageAnswer::No);
            if (answer == MessageAnswer::Cancel)
                return false;
            if (answer == MessageAnswer::No)
                continue;
            yesToAll = answer == MessageAnswer::YesToAll;
        }
        switch (replaceFile(path, plmFileText(project))) {
        case FileReplaceResult::Done:
            break;
        case FileReplaceResult::NotCreated:
            messages.error(kMsgPlmFileNotSaved);
            return false;
        case FileReplaceResult::WriteFailed:
            messages.error(kMsgPlmFileError);
            return false;
        }
    }
    return true;
}

} // namespace qv
