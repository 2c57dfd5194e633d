// The desktop program as a user meets it, in English and in French: a capture filtered from the
// filter bar with its count of frames displayed, the detail tree with a field and its octets
// marked, Calls beside the summary and the grouped Expert findings. With QUORVANE_SCREENSHOTS
// set, each scene is also a picture (LANGUAGE-SCENE.png).
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QLabel>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "app/InterfaceTranslation.h"
#include "capture/CDecodeDoc.h"
#include "views/CallsWindow.h"
#include "views/CaptureWindow.h"
#include "views/ExpertWindow.h"
#include "views/FilterBar.h"

namespace qv {
namespace {

struct Tour {
    const char *code;
    int appLanguage;
    const char *displayed; // a part of "Displayed N of M" in the language
};

class DesktopTourTest : public test::ProgramTest, public ::testing::WithParamInterface<Tour> {
protected:
    DesktopTourTest() {
        // The window is made again in the language of the tour, at a common screen's size.
        window.reset();
        if (GetParam().appLanguage != 0)
            translated = translation.install(installation, GetParam().appLanguage);
        window = std::make_unique<MainWindow>(installation, settings, context, messages);
        window->enterMode(WorkingMode::Examine);
        window->setAttribute(Qt::WA_DontShowOnScreen);
        window->resize(1400, 900);
        window->show();
    }
    ~DesktopTourTest() override {
        window.reset();
        translation.remove();
    }
    void picture(const char *scene) {
        QCoreApplication::processEvents();
        test::saveScreenshot(window.get(), (std::string(GetParam().code) + "-" + scene).c_str());
    }

    InterfaceTranslation translation;
    bool translated = false;
};

TEST_P(DesktopTourTest, FilterBarDetailTreeCallsAndExpert) {
    if (GetParam().appLanguage != 0)
        ASSERT_TRUE(translated) << "the build puts the translations beside the program";
    CaptureWindow *capture = openSample("calls.lvt");
    ASSERT_NE(capture, nullptr);

    // A filter typed in the bar, and the count of the frames it shows.
    ASSERT_TRUE(capture->applyFilterLine("layer=3 cr=01"));
    finishScans();
    const int shown = capture->summaryModel()->rowCount();
    ASSERT_GT(shown, 0);
    EXPECT_TRUE(window->statusPane(3).contains(QString::fromUtf8(GetParam().displayed)))
        << window->statusPane(3).toStdString();
    EXPECT_EQ(capture->filterBar()->line(), "cr=01") << "layer 3 goes without saying";

    // The first SETUP with the calling party's digits selected: their octets are marked.
    capture->selectFrame(12);
    const QStringList rows = capture->detailTexts();
    int digits = -1;
    for (int i = 0; i < rows.size() && digits < 0; ++i)
        if (rows[i].trimmed().startsWith("Digits"))
            digits = i;
    ASSERT_GE(digits, 0);
    EXPECT_EQ(capture->selectDetailRow(digits).size(), 10);
    picture("filter-bar-and-detail");

    // Calls beside the summary.
    action(QCoreApplication::translate("qv::MainWindow", "&Calls..."))->trigger();
    auto *calls = window->findChild<QDockWidget *>("callsPane");
    ASSERT_NE(calls, nullptr);
    EXPECT_TRUE(calls->isVisible());
    picture("calls-beside-summary");
    calls->close();

    // Expert, grouped, on a capture with faults of every kind.
    CaptureWindow *errors = openSample("errors.lvt");
    ASSERT_NE(errors, nullptr);
    action(QCoreApplication::translate("qv::MainWindow", "&Expert Information..."))->trigger();
    auto *expert = window->findChild<ExpertWindow *>();
    ASSERT_NE(expert, nullptr);
    const QAbstractItemModel *groups = expert->list()->model();
    ASSERT_GT(groups->rowCount(), 0);
    EXPECT_GT(groups->rowCount(groups->index(0, 0)), 0) << "findings under their group";
    picture("expert-grouped");
}

INSTANTIATE_TEST_SUITE_P(EnglishAndFrench, DesktopTourTest,
                         ::testing::Values(Tour{"en", 0, "Displayed "},
                                           Tour{"fr", 1, " affichées sur "}),
                         [](const ::testing::TestParamInfo<Tour> &info) {
                             return std::string(info.param.code);
                         });

} // namespace
} // namespace qv
