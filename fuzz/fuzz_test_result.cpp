// A result file's identification, reading and report over any content: the record walk, the
// identification copies of each layout, the LVT-60 conversion and every section's values.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "ScratchFolder.h"
#include "base/UserMessages.h"
#include "results/TestResultFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string path = (qv::fuzz::scratchFolder() / "result.lvt").string();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    qv::RecordingUserMessages messages;
    qv::TestResultFile file(path, false, messages);
    const int type = file.Identify();
    if (type >= 0) {
        const int read = file.Read();
        const std::string report = file.Report();
        // A report is whole lines, and a failed read always says why.
        if (report.size() < 2 || report.compare(report.size() - 2, 2, "\r\n") != 0)
            std::abort();
        if (read < 0 && (messages.entries().empty() || report != qv::kResultProblemReport))
            std::abort();
        if (file.Report() != report) // built once, then the same text
            std::abort();
    }
    std::remove(path.c_str());
    return 0;
}
