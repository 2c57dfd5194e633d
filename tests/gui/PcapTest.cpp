// Opening a pcap file of another tool in the desktop program: imported on the fly into a
// temporary capture that shows under the pcap file's name and goes away with its window->
#include <gtest/gtest.h>

#include <filesystem>

#include <QAbstractItemModel>
#include <QApplication>
#include <QStatusBar>

#include "ProgramFixture.h"
#include "capture/CDecodeDoc.h"
#include "filters/OffLineFrameFilter.h"
#include "views/CaptureWindow.h"

namespace qv {
namespace {

std::vector<std::filesystem::path> temporaryImports() {
    std::vector<std::filesystem::path> found;
    for (const auto &entry :
         std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        if (entry.path().filename().string().rfind("quorvane-pcap-", 0) == 0)
            found.push_back(entry.path());
    return found;
}

class PcapTest : public test::ProgramTest {
protected:
    static std::string data(const std::string &name) {
        return std::string(QUORVANE_SOURCE_DIR) + "/tests/data/pcap/" + name;
    }
};

using test::cell;

TEST_F(PcapTest, OpensImportedUnderItsOwnNameAndCleansUp) {
    const std::size_t before = temporaryImports().size();
    const std::string path = data("wanpipe_pri_lapd203.pcap");
    CaptureWindow *capture = window->openPath(path, OpenSource::Dialog);
    ASSERT_NE(capture, nullptr);
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(capture->windowTitle().toStdString(), path);
    const QAbstractItemModel *model = capture->summaryModel();
    ASSERT_EQ(model->rowCount(), 171);
    EXPECT_EQ(cell(model, 160, "Msg.Type"), "SETUP");
    EXPECT_EQ(temporaryImports().size(), before + 1);
    EXPECT_TRUE(window->recentMenuTexts()[0].endsWith("wanpipe_pri_lapd203.pcap"))
        << window->recentMenuTexts()[0].toStdString();

    window->closeActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->activeCapture(), nullptr);
    EXPECT_EQ(temporaryImports().size(), before);

    // The same capture gzip-compressed opens the same way.
    CaptureWindow *gunzipped = window->openPath(path + ".gz", OpenSource::Dialog);
    ASSERT_NE(gunzipped, nullptr) << (messages.texts().empty() ? "" : messages.texts().back());
    EXPECT_EQ(gunzipped->summaryModel()->rowCount(), 171);
    window->closeActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PcapTest, ARefusedLinkTypeIsReported) {
    const std::size_t before = temporaryImports().size();
    const std::string path = data("orig_wanpipe_trace_linktype17.pcap");
    EXPECT_EQ(window->openPath(path, OpenSource::Dialog), nullptr);
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text.rfind(path + ": link type 17 is not LAPD", 0), 0u);
    EXPECT_EQ(temporaryImports().size(), before);
}

TEST_F(PcapTest, ExportsTheActiveCapture) {
    const std::filesystem::path folder = dir.path();
    const std::string sample = test::sample("calls.lvt");
    ASSERT_NE(window->openCapture(sample), nullptr);
    for (const char *name : {"c.lvt", "c.pcap", "c.pcapng"}) {
        const std::string out = (folder / name).string();
        ASSERT_TRUE(window->exportActive(out)) << name;
        EXPECT_GT(std::filesystem::file_size(out), 24u) << name;
    }
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              (folder / "c.pcapng").string() + ": 340 frames written");
    EXPECT_FALSE(window->exportActive(sample));
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text,
              sample + ": that is the capture exported; the copy needs a file of its own");
    // What was exported opens again the same way.
    CaptureWindow *again = window->openPath((folder / "c.pcap").string(), OpenSource::Dialog);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->summaryModel()->rowCount(), 340);
    window->closeActive();

    // Under active filters an LVT copy holds the frames shown, and only them.
    CaptureWindow *capture = window->activeCapture();
    ASSERT_NE(capture, nullptr);
    FilterCriteria setups;
    setups.layer1 = setups.layer2 = false;
    setups.message = 26; // SETUP
    capture->document().applyOffLineFilters(std::make_unique<OffLineFrameFilter>(setups));
    finishScans();
    const int shown = capture->summaryModel()->rowCount();
    const std::string setupsOnly = (folder / "setups.lvt").string();
    ASSERT_TRUE(window->exportActive(setupsOnly));
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(),
              setupsOnly + ": " + std::to_string(shown) + " of 340 frames written");
    CaptureWindow *copy = window->openCapture(setupsOnly);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->summaryModel()->rowCount(), shown);
    for (int row = 0; row < shown; ++row)
        EXPECT_EQ(cell(copy->summaryModel(), row, "Msg.Type"), "SETUP") << row;
    window->closeActive();
    window->closeActive();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace qv
