#pragma once
// A PLM-45 project as fetched from the tester: its number and its lines in received order; the
// tester's reply to "csv" read into one, and projects saved as "pNN.plm" files.
#include <string>
#include <string_view>
#include <vector>

#include "plm/PlmLines.h"

namespace qv {

class UserMessages;

struct PlmProject {
    int number = 0; // 0 to 99
    std::vector<PlmRawLine> lines;
};

inline constexpr const char *kMsgPlmNoAnswer =
    "No or incorrect answer from PLM-45\nCheck equipment, serial cable, baud rate";
inline constexpr const char *kMsgPlmNoProject = "Project %d does not exist";
inline constexpr const char *kMsgPlmFileNotSaved = "File could not be saved";
inline constexpr const char *kMsgPlmFileError = "File Error";
inline constexpr const char *kMsgPlmExistingCaption = "Existing file";
inline constexpr const char *kMsgPlmExisting =
    "The file %s already exists in this destination directory.\nDo you want to overwrite it?";

// What the first 20 characters of a reply to "csv" say.
enum class PlmReplyKind {
    Incorrect, // no "csv" in them
    NoProject, // "csv" without the marker line: the tester has no such project
    Project,   // "csv\r\n" after the first character: the project's lines follow
};
PlmReplyKind plmReplyKind(std::string_view reply);

// Reads the lines after the marker line "csv\r\n" into project, in received order. Reading
// stops at the end of the text, at a text without a further CR LF, or at the first line that
// lacks a separating comma; a line cut short in this way is dropped. False when the reply has
// no marker line.
bool parsePlmReply(std::string_view reply, PlmProject &project);

// "p%02d.plm".
std::string plmFileName(int project);
// The project's lines in the .plm format.
std::string plmFileText(const PlmProject &project);

// Saves each project as folder/pNN.plm. A file that exists is overwritten only when the user
// says so: No skips the project, Yes to all stops the asking, Cancel ends the save. A file is
// written beside its name first and renamed over it, so that a failed write leaves the old
// file as it was. True when every project was dealt with; false on Cancel or when a file could
// not be written (its message shown).
bool saveProjects(const std::vector<PlmProject> &projects, const std::string &folder,
                  UserMessages &messages);

} // namespace qv
