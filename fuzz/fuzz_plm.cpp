// A .plm file and a tester's reply over any content: the file's lines and display rules, find,
// copy and print over what was read, the reply's marker and stop rules, and the saved lines of
// a received project read back as they were received.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "ScratchFolder.h"
#include "base/UserMessages.h"
#include "plm/CPlm45Doc.h"
#include "plm/PlmProject.h"

namespace {

void document(const std::uint8_t *data, std::size_t size) {
    const std::string path = (qv::fuzz::scratchFolder() / "project.plm").string();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    qv::RecordingUserMessages messages;
    qv::CPlm45Doc doc(messages);
    const bool opened = doc.Open(path);
    std::remove(path.c_str());
    if (opened != messages.entries().empty() || (opened && doc.lineCount() == 0))
        std::abort();
    if (!opened)
        return;
    qv::PlmColumns columns;
    columns.setShown(static_cast<int>(size % qv::kPlmColumnCount), false);
    int line = 0, column = 0;
    const std::string text(reinterpret_cast<const char *>(data), size % 7);
    const int last = doc.lineCount() - 1;
    for (bool forward : {true, false}) {
        if (doc.Find(text, forward ? 0 : last, forward ? last : 0, forward,
                     static_cast<int>(size % 30), size % 2 == 0, columns, line, column) == 1 &&
            (line < 0 || line > last || !columns.shown(column)))
            std::abort();
    }
    qv::PlmCopy copy;
    if (!doc.Copy({last, 0, -1, last + 1}, columns, copy) || copy.rows != 2u)
        std::abort();
    if (doc.Print({0, last}, columns).blocks.size() != 2)
        std::abort();
}

void reply(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const qv::PlmReplyKind kind = qv::plmReplyKind(text);
    qv::PlmProject project;
    project.number = static_cast<int>(size % 100);
    const bool parsed = qv::parsePlmReply(text, project);
    if (kind == qv::PlmReplyKind::Project && !parsed)
        std::abort();
    if (project.lines.empty())
        return;
    // What is saved reads back line for line.
    const std::string saved = qv::plmFileText(project);
    std::vector<qv::PlmDisplayLine> shown;
    if (!qv::parsePlmFile(saved, shown) || shown.size() != project.lines.size())
        std::abort();
    qv::PlmLineScanner lines(saved);
    std::string_view l;
    for (const qv::PlmRawLine &received : project.lines) {
        qv::PlmRawLine again;
        if (!lines.next(l) || !qv::parsePlmRawLine(l, again) || again.project != project.number)
            std::abort();
        again.project = received.project;
        if (!(again == received))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    document(data, size);
    reply(data, size);
    return 0;
}
