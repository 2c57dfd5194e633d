// The PLM-45 project window driven without a display: a project opened from the main window in
// View Results, its cells as the display rules make them, find, copy to the clipboard, the
// column filters and the settings they are kept in, Save As, printing, refused files, and the
// display words in the interface language.
#include <gtest/gtest.h>

#include <functional>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPrinter>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

#include "ModelTexts.h"
#include "ProgramFixture.h"
#include "Screenshots.h"
#include "app/InterfaceTranslation.h"
#include "base/IniFile.h"
#include "dialogs/PlmFiltersDialog.h"
#include "plm/CPlm45Doc.h"
#include "views/PlmFindDialog.h"
#include "views/PlmModel.h"
#include "views/PlmWindow.h"

namespace qv {
namespace {

// Three lines of project 3 as the tester saves them.
constexpr const char *kProject =
    "03,A01-1,250,20,255,80,3,2,4,12,4095,36,120,45,123,254,255,,,ok,,67,2,1,1,1-2,150\r\n"
    "03,A01-2,30,?,10,12,0,3,7,78,25,,4095,,4095,100,254,4,45,ok,12-36,67,0,3,0,3-6,150\r\n"
    "03,B02-1,0,0,0,0,2,2,2,,0,,0,,0,120,120,,,,,70,1,0,5,1-2,98\r\n";
// Line 0 as copied with every column shown.
constexpr const char *kFirstLineCopied = "A01-1\t67\t120\t36,45\ttp\t1-2\t150\t12\t36\t45\t-2\t10\t"
                                         "not meas.\t40\tyes\tno\tlow\tnot meas.\t120\t12.3\t"
                                         "hi-Z\tnot meas.\t\tnone\tok\t\n";

class PlmWindowTest : public test::ProgramTest {
protected:
    PlmWindowTest() {
        window->enterMode(WorkingMode::ViewResults);
        write("p03.plm", kProject);
    }
    std::string path(const char *name = "p03.plm") const { return dir.file(name); }
    void write(const char *name, const std::string &bytes) const { dir.write(name, bytes); }
    PlmWindow *open(const std::string &file) {
        window->openPath(file, OpenSource::Dialog);
        return window->activePlm();
    }
    static QString cell(const PlmWindow *plm, int row, int column) {
        return test::cell(plm->lineModel(), row, plmColumnTitle(column));
    }
    void filter(const std::function<void(PlmFiltersDialog *)> &drive) {
        runDialog<PlmFiltersDialog>("PLM-45 &Filters...", drive);
    }
    static void selectRows(PlmWindow *plm, std::initializer_list<int> rows) {
        auto *table = plm->findChild<QTableView *>();
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(plm->lineModel()->index(row, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    }
};

TEST_F(PlmWindowTest, AProjectOpensAsATableOfItsLines) {
    PlmWindow *plm = open(path());
    ASSERT_NE(plm, nullptr) << (messages.texts().empty() ? "" : messages.texts().back());
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(window->mode(), WorkingMode::ViewResults);
    EXPECT_EQ(plm->windowTitle().toStdString(), path() + " - Project 03");
    EXPECT_EQ(plm->lineModel()->rowCount(), 3);
    EXPECT_EQ(plm->shownWidth(kPlmDcResist), 150);
    EXPECT_EQ(plm->shownWidth(kPlmShort), 60);

    struct Case {
        int row;
        int column;
        const char *shown;
    };
    const Case cases[] = {
        {0, kPlmLineNumber, "A01-1"}, {0, kPlmPower2, "not meas."}, {0, kPlmPairs, "36,45"},
        {1, kPlmShort, "45"},         {2, kPlmDcResist, " 0.0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(cell(plm, c.row, c.column), c.shown) << c.row << "/" << c.column;

    // The document commands that serve a project, and those that do not.
    for (const char *text : {"Save &As...", "&Print...", "&Close", "&Find...", "&Copy"})
        EXPECT_TRUE(action(text)->isEnabled()) << text;
    for (const char *text : {"Co&mment...", "Off-Line &Filters...", "&Go to Frame..."})
        EXPECT_FALSE(action(text)->isEnabled()) << text;
    EXPECT_EQ(window->recentMenuTexts().size(), 1);
    window->setMinimumSize(1100, 400);
    test::saveScreenshot(window.get(), "plm-window");
    window->closeActive();
    EXPECT_EQ(window->activePlm(), nullptr);
    EXPECT_FALSE(action("&Copy")->isEnabled());
}

TEST_F(PlmWindowTest, FindGoesFromHitToHitAndRoundOnce) {
    PlmWindow *plm = open(path());
    ASSERT_NE(plm, nullptr);
    ASSERT_TRUE(plm->runFind("HI-z", true, false));
    EXPECT_EQ(plm->currentLine(), 0);
    EXPECT_EQ(plm->currentColumn(), kPlmTxTerm);
    EXPECT_EQ(plm->selectedLines(), std::vector<int>{0});
    ASSERT_TRUE(plm->runFind("hi-Z", true, false));
    EXPECT_EQ(plm->currentLine(), 1);
    EXPECT_EQ(plm->currentColumn(), kPlmRxTerm);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    // Past the last hit the find goes on from the first line, once, and says so.
    ASSERT_TRUE(plm->runFind("hi-Z", true, false));
    EXPECT_EQ(plm->currentLine(), 0);
    EXPECT_EQ(plm->currentColumn(), kPlmTxTerm);
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "Reached the last line: the find went on from the first");
    EXPECT_TRUE(messages.entries().empty());

    EXPECT_FALSE(plm->runFind("HI-z", true, true));
    EXPECT_FALSE(plm->runFind("absent", false, false));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Cannot find the string 'HI-z'",
                                                          "Cannot find the string 'absent'"}));
    EXPECT_EQ(plm->currentLine(), 0) << "a find without a hit leaves the current cell";

    // From the dialog, as the menu opens it.
    action("&Find...")->trigger();
    auto *dialog = plm->findChild<PlmFindDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->setText("B02");
    dialog->setForward(false);
    emit dialog->findNext();
    EXPECT_EQ(plm->currentLine(), 2);
    EXPECT_EQ(plm->currentColumn(), kPlmLineNumber);
    test::saveScreenshot(dialog, "plm-find");
}

TEST_F(PlmWindowTest, CopyPutsTheSelectedLinesShownColumnsOnTheClipboard) {
    PlmWindow *plm = open(path());
    ASSERT_NE(plm, nullptr);
    EXPECT_FALSE(plm->copySelection()) << "nothing selected";
    selectRows(plm, {2, 0});
    action("&Copy")->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QLatin1String(kFirstLineCopied))) << copied.toStdString();
    EXPECT_EQ(copied.count('\n'), 2);

    // A hidden column is not copied.
    filter([](PlmFiltersDialog *dialog) {
        dialog->hideAll();
        dialog->setShown(kPlmPairs, true);
        dialog->accept();
    });
    selectRows(plm, {0, 1});
    ASSERT_TRUE(plm->copySelection());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "A01-1\t36,45\nA01-2\t12,36,45,78\n");
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(PlmWindowTest, TheFiltersChooseTheColumnsOfEveryProjectWindow) {
    PlmWindow *plm = open(path());
    ASSERT_NE(plm, nullptr);
    filter([](PlmFiltersDialog *dialog) {
        EXPECT_EQ(dialog->rowTitles().size(), kPlmColumnCount);
        EXPECT_EQ(dialog->rowTitles()[kPlmShort], "Short ");
        test::saveScreenshot(dialog, "plm-filters");
        dialog->hideAll();
        dialog->setShown(kPlmLineNumber, false);
        EXPECT_TRUE(dialog->isShown(kPlmLineNumber)) << "the line number stays";
        dialog->setShown(kPlmCableType, true);
        dialog->setShown(kPlmTxTerm, true);
        dialog->accept();
    });
    EXPECT_EQ(headerTitles(*plm->lineModel()),
              (QStringList{"Line num.", "Cable Type", "Tx Term."}));
    EXPECT_EQ(cell(plm, 1, kPlmCableType), "custom");
    EXPECT_EQ(plm->shownWidth(kPlmPower1), -1);
    // Hidden columns are not searched: "ok" is only in the hidden Order column.
    EXPECT_FALSE(plm->runFind("ok", true, false));
    ASSERT_TRUE(plm->runFind("tp", true, false));
    EXPECT_EQ(plm->currentColumn(), kPlmCableType);

    // The layout is the settings' and the next start's.
    IniFile onDisk;
    ASSERT_TRUE(onDisk.load(path("QUORVANE.INI")));
    EXPECT_EQ(onDisk.readInt(kPlmFieldsSection, "Size01", -1), 0);
    PlmColumns next;
    next.load(onDisk);
    EXPECT_EQ(next, window->plmColumns());

    // A width the user drags is kept, and a column shown again takes its default width.
    auto *header = plm->findChild<QTableView *>()->horizontalHeader();
    header->resizeSection(1, 230);
    EXPECT_EQ(window->plmColumns().width(kPlmCableType), 230);
    EXPECT_EQ(settings.file().readInt(kPlmFieldsSection, "Size04", -1), 230);
    filter([](PlmFiltersDialog *dialog) {
        dialog->showAll();
        dialog->accept();
    });
    EXPECT_EQ(headerTitles(*plm->lineModel()).size(), kPlmColumnCount);
    EXPECT_EQ(plm->shownWidth(kPlmCableType), 230);
    EXPECT_EQ(plm->shownWidth(kPlmPower1), 60);
}

TEST_F(PlmWindowTest, SaveAsCopiesTheFileAndPrintsGoToPages) {
    PlmWindow *plm = open(path());
    ASSERT_NE(plm, nullptr);
    ASSERT_TRUE(window->saveActiveAs(path("copy.plm")));
    EXPECT_EQ(plm->windowTitle().toStdString(), path("copy.plm") + " - Project 03");

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path("lines.pdf")));
    ASSERT_TRUE(plm->print({0, 2}, printer));
    const std::string pdf = dir.read("lines.pdf");
    EXPECT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 4), "%PDF");
}

TEST_F(PlmWindowTest, FilesThatCannotBeShownAreRefused) {
    write("empty.plm", "");
    EXPECT_EQ(open(path("empty.plm")), nullptr);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kMsgPlmFileFormat});
    EXPECT_TRUE(window->recentMenuTexts().isEmpty());
    // Chosen in Examine, a project opens and brings View Results with it.
    window->enterMode(WorkingMode::Examine);
    messages.clear();
    EXPECT_NE(open(path()), nullptr);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(window->mode(), WorkingMode::ViewResults);
}

TEST_F(PlmWindowTest, TheDisplayWordsAndTitlesFollowTheInterfaceLanguage) {
    InterfaceTranslation french;
    ASSERT_TRUE(french.install(installation, 1));
    PlmWindow *plm = open(path());
    ASSERT_NE(plm, nullptr);
    EXPECT_EQ(cell(plm, 0, kPlmPower2), "non mes.");
    EXPECT_EQ(cell(plm, 0, kPlmTxAct), "oui");
    EXPECT_EQ(cell(plm, 2, kPlmCableType), "plat");
    EXPECT_EQ(headerTitles(*plm->lineModel())[kPlmCableType], QString::fromUtf8("Type câble"));
    EXPECT_EQ(plm->windowTitle().toStdString(), path() + " - Projet 03");
    ASSERT_TRUE(plm->runFind("non mes.", true, false)) << "the words shown are the words found";
    EXPECT_EQ(plm->currentColumn(), kPlmPower2);
    french.remove();
}

} // namespace
} // namespace qv
