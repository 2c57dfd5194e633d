// The DRU-70 event window driven without a display: a generated recording opened from the main
// window, its rows, colours and status bar, find, the event filter sheet with its profiles, the
// column dialog, the comment, printing, Save As, and a file of a million events.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTimer>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "base/IniFile.h"
#include "capture/CDru70Doc.h"
#include "capture/SummaryFinder.h"
#include "dialogs/Dru70FilterSheet.h"
#include "dialogs/Dru70ProtocolInformationDialog.h"
#include "dialogs/ProfilePage.h"
#include "support/TempDir.h"
#include "synth/Dru70Scenario.h"
#include "views/CommentWindow.h"
#include "views/Dru70FindDialog.h"
#include "views/Dru70Window.h"
#include "views/PrintDialog.h"

namespace qv {
namespace {

using test::cell;
using test::saveScreenshot;

class Dru70WindowTest : public test::ProgramTest {
protected:
    Dru70WindowTest() : scenario(synth::dru70Scenario(0, 7)) {
        std::string error;
        EXPECT_TRUE(synth::writeDru70File(path(), scenario, error)) << error;
    }
    std::string path(const char *name = "line.dru") const { return dir.file(name); }
    Dru70Window *open(const std::string &file) {
        window->openPath(file, OpenSource::Dialog);
        return window->activeDru70();
    }
    // The events of the recording whose code is in first..last.
    int eventsWithCodes(int first, int last) const {
        int n = 0;
        for (const Dru70EventRecord &e : scenario.events)
            n += e.code >= first && e.code <= last ? 1 : 0;
        return n;
    }

    synth::Dru70Scenario scenario;
};

TEST_F(Dru70WindowTest, ARecordingOpensAsATableOfItsEvents) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(dru->windowTitle().toStdString(), path());
    const QAbstractItemModel *model = dru->eventModel();
    EXPECT_EQ(model->rowCount(), 250);
    EXPECT_EQ(headerTitles(*dru->eventModel()),
              (QStringList{"Number", "Date", "Time", "NT - LT", "Events", "Comments"}))
        << "EOC is hidden at first";
    EXPECT_EQ(dru->shownWidth(kDruComments), 55 * 12);
    EXPECT_EQ(dru->shownWidth(kDruEoc), -1);

    const QStringList columns = {"Number", "Date", "Events", "Comments", "NT - LT"};
    auto row = [&](int n) {
        QStringList out;
        for (const QString &title : columns)
            out << cell(model, n, title);
        return out;
    };
    EXPECT_EQ(row(0),
              (QStringList{"0", "12/03/2026", "U Deactivated", "U interface inactive.", "-"}));
    EXPECT_EQ(cell(model, 3, "Date"), "000d") << "a time since the recording started";
    EXPECT_EQ(row(6).mid(2, 1) + row(6).mid(4), (QStringList{"Hold State", "==>     "}));
    EXPECT_EQ(cell(model, 11, "NT - LT"), "     <==");

    // From the network (LT to NT) and from the NT1 (NT to LT) in their colours.
    context.colours.setColour(kTxtLtNt, {0, 0, 160});
    context.colours.setColour(kTxtNtLt, {160, 0, 0});
    window->applyColours(context.colours);
    EXPECT_EQ(test::colourAt(model, 6, Qt::ForegroundRole), QColor(0, 0, 160));
    EXPECT_EQ(test::colourAt(model, 11, Qt::ForegroundRole), QColor(160, 0, 0));
    EXPECT_EQ(test::colourAt(model, 11, Qt::BackgroundRole), QColor(192, 192, 192));
    window->setMinimumSize(1100, 560);
    saveScreenshot(window.get(), "dru70-window");
    context.colours.setUsesColours(false);
    window->applyColours(context.colours);
    EXPECT_FALSE(model->data(model->index(11, 0), Qt::BackgroundRole).isValid())
        << "without colours the rows take the system's";

    // The status bar follows the current event, not the rows painted.
    dru->selectEvent(6);
    model->data(model->index(200, 4), Qt::DisplayRole);
    EXPECT_EQ(window->statusPane(1), "Frame number 7");
    EXPECT_EQ(window->statusPane(2), "Hold State");
    EXPECT_EQ(dru->document().currentEvent(), 6u);
}

TEST_F(Dru70WindowTest, TheDocumentCommandsServeTheEventWindow) {
    ASSERT_NE(open(path()), nullptr);
    for (const char *text :
         {"Save &As...", "&Print...", "&Close", "&Find...", "Co&mment...", "Off-Line &Filters...",
          "&Go to Frame...", "&DRU-70 Protocol Information..."})
        EXPECT_TRUE(action(text)->isEnabled()) << text;
    for (const char *text : {"Call-Ref on &selection", "Find on Hexa &Trace...", "&Calls...",
                             "Call &Flow...", "&Expert Information...", "&Statistics..."})
        EXPECT_FALSE(action(text)->isEnabled()) << text << " is about frames";
    EXPECT_EQ(window->recentMenuTexts().size(), 1);
    // Opened again from the recent files, in another mode, it brings Examine back.
    window->enterMode(WorkingMode::ViewResults);
    window->openRecent(0);
    EXPECT_EQ(window->mode(), WorkingMode::Examine);
    window->closeActive();
    window->closeActive();
    EXPECT_EQ(window->activeDru70(), nullptr);
    EXPECT_FALSE(action("&Find...")->isEnabled());
}

TEST_F(Dru70WindowTest, FilesThatCannotBeShownAreRefused) {
    { std::ofstream(path("empty.dru"), std::ios::binary); }
    EXPECT_EQ(window->openDru70(path("empty.dru")), nullptr);
    Dru70FileWriter none;
    ASSERT_TRUE(none.create(path("none.dru"), {}) && none.close());
    EXPECT_EQ(open(path("none.dru")), nullptr);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"File is empty!",
                                        "A problem occurs while reading first group of frames !",
                                        "No frame found in the file !"}));
    // A damaged event shows what cannot be read as "?", without a message for every row.
    Dru70FileWriter damaged;
    ASSERT_TRUE(damaged.create(path("damaged.dru"), {}));
    Dru70EventRecord bad;
    bad.code = 0;
    ASSERT_TRUE(damaged.append(Dru70EventRecord{}) && damaged.append(bad) && damaged.close());
    messages.clear();
    Dru70Window *dru = window->openDru70(path("damaged.dru"));
    ASSERT_NE(dru, nullptr);
    EXPECT_EQ(cell(dru->eventModel(), 1, "Events"), "?");
    EXPECT_EQ(cell(dru->eventModel(), 1, "Events"), "?");
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(Dru70WindowTest, TheEventFilterChoosesTheRows) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    Dru70EventFilter power;
    power.activation = power.error = power.eoc = false;
    dru->applyFilter(power);
    const QAbstractItemModel *model = dru->eventModel();
    EXPECT_EQ(model->rowCount(), eventsWithCodes(29, 32));
    EXPECT_EQ(cell(model, 0, "Events"), "All Power Normal");
    EXPECT_EQ(cell(model, 0, "Number"), "28") << "rows keep their events' numbers";
    EXPECT_EQ(dru->windowTitle().toStdString(), path() + " - Active Filters ");
    EXPECT_EQ(dru->currentEvent(), 28u) << "the current event was hidden: the nearest one shown";
    EXPECT_EQ(window->statusPane(2), "All Power Normal");
    dru->goToEventNumber(1);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"This frame is suppressed by filtering\n"
                                        "Do you want to reach the nearest frame"}));
    EXPECT_EQ(dru->currentEvent(), 28u);

    Dru70EventFilter noEoc;
    noEoc.eoc = false;
    dru->applyFilter(noEoc);
    EXPECT_EQ(model->rowCount(), 250 - eventsWithCodes(4, 20) - eventsWithCodes(27, 28));
    EXPECT_EQ(dru->currentEvent(), 28u) << "still shown, still current";
    dru->applyFilter(Dru70EventFilter{});
    EXPECT_EQ(model->rowCount(), 250);
    EXPECT_EQ(dru->windowTitle().toStdString(), path());
}

TEST_F(Dru70WindowTest, FindLooksForTextsAndEventNames) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    Dru70FindQuery loop;
    loop.text = "loop-back";
    EXPECT_EQ(dru->runFind(loop), "String found once");
    EXPECT_EQ(dru->currentEvent(), 3u);
    EXPECT_EQ(dru->runFind(loop), "String found twice") << "Find Next goes on after the hit";
    EXPECT_EQ(dru->currentEvent(), 4u);
    // The cell found is drawn in the find colours.
    const QAbstractItemModel *model = dru->eventModel();
    const int comments = static_cast<int>(headerTitles(*dru->eventModel()).indexOf("Comments"));
    EXPECT_EQ(test::colourAt(model, 4, Qt::BackgroundRole, comments), QColor(255, 0, 0));
    EXPECT_NE(test::colourAt(model, 4, Qt::BackgroundRole, 0), QColor(255, 0, 0));

    // An event name, backwards: nothing before the hit but the wrap question, answered No.
    Dru70FindQuery back;
    back.eventName = "Dying Gasp";
    back.forward = false;
    messages.clear();
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(dru->runFind(back), "");
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{kMsgReachedFirst}));

    Dru70FindDialog *dialog = dru->showFindDialog();
    dialog->setCriterion(Dru70FindDialog::Event);
    EXPECT_EQ(Dru70FindDialog::eventNames().size(), 24) << "each name once";
    dialog->setText("FEBE");
    ASSERT_TRUE(dialog->query().has_value());
    EXPECT_EQ(dialog->query()->eventName, "FEBE");
    EXPECT_TRUE(dialog->query()->text.empty());
    saveScreenshot(dialog, "dru70-find");
}

TEST_F(Dru70WindowTest, TheFilterSheetAppliesAndKeepsProfiles) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    const std::string folder = dir.file("Filter");
    Dru70FilterSheet sheet(Dru70EventFilter{}, FilterFiles(folder), messages);
    auto *tabs = sheet.findChild<QTabWidget *>();
    ASSERT_NE(tabs, nullptr);
    saveScreenshot(&sheet, "dru70-filter-sheet");

    sheet.findChild<QCheckBox *>("error")->setChecked(false);
    sheet.findChild<QCheckBox *>("eoc")->setChecked(false);
    sheet.profiles().setProfileName("quiet line");
    ASSERT_TRUE(sheet.profiles().saveProfile());
    EXPECT_EQ(sheet.profiles().profileNames(), QStringList{"quiet line"});
    IniFile saved;
    ASSERT_TRUE(saved.load(folder + "/DRU70O_quiet line.flt"));
    EXPECT_EQ(saved.keys("Layer1"),
              (std::vector<std::string>{"EOC", "PowerSupply", "Error", "Activation"}));
    EXPECT_EQ(saved.readInt("Layer1", "EOC", -1) + saved.readInt("Layer1", "Error", -1), 0);
    EXPECT_EQ(
        saved.readInt("Layer1", "PowerSupply", -1) + saved.readInt("Layer1", "Activation", -1), 2);
    tabs->setCurrentIndex(1);
    saveScreenshot(&sheet, "dru70-filter-profiles");

    sheet.showFilter(Dru70EventFilter{});
    ASSERT_TRUE(sheet.profiles().loadProfile());
    EXPECT_FALSE(sheet.findChild<QCheckBox *>("eoc")->isChecked());
    EXPECT_TRUE(sheet.findChild<QCheckBox *>("activation")->isChecked());
    sheet.accept();
    dru->applyFilter(sheet.filter());
    EXPECT_EQ(dru->eventModel()->rowCount(), eventsWithCodes(1, 3) + eventsWithCodes(29, 32));

    // The profile page's refusals and deletion are the capture sheet's, tested there.

    // From the menu, OK applies the sheet to the window.
    runDialog<Dru70FilterSheet>("Off-Line &Filters...", [](Dru70FilterSheet *shown) {
        shown->findChild<QCheckBox *>("activation")->setChecked(false);
        shown->accept();
    });
    EXPECT_EQ(dru->eventModel()->rowCount(), eventsWithCodes(29, 32));
}

TEST_F(Dru70WindowTest, TheColumnDialogChangesTheTableAndTheSettings) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    dru->selectEvent(6);
    runDialog<Dru70ProtocolInformationDialog>(
        "&DRU-70 Protocol Information...", [](Dru70ProtocolInformationDialog *dialog) {
            EXPECT_EQ(dialog->windowTitle(), "DRU-70 Protocol Information");
            EXPECT_EQ(dialog->rowTitles(),
                      (QStringList{"Date", "Time", "NT - LT", "Events", "EOC", "Comments"}));
            EXPECT_FALSE(dialog->isRowShown(4));
            saveScreenshot(dialog, "dru70-protocol-information");
            dialog->setCurrentRow(4);
            dialog->toggleCurrent(); // EOC shown
            dialog->moveUp();        // before Events
            dialog->setCurrentRow(0);
            dialog->toggleCurrent(); // Date hidden
            dialog->accept();
        });
    const QStringList changed = {"Number", "Time", "NT - LT", "EOC", "Events", "Comments"};
    EXPECT_EQ(headerTitles(*dru->eventModel()), changed);
    EXPECT_EQ(cell(dru->eventModel(), 6, "EOC"),
              QString::asprintf("%.3x", scenario.events[6].eocValue));
    EXPECT_EQ(cell(dru->eventModel(), 0, "EOC"), "-");
    EXPECT_EQ(dru->shownWidth(kDruEoc), 9 * 12) << "a column shown again takes its characters";
    EXPECT_EQ(dru->currentEvent(), 6u) << "the current event stays";
    const IniFile file = onDisk();
    EXPECT_EQ(file.readInt("Dru-70Fields", "Size05", -1), 108);
    Dru70Columns next;
    next.load(file);
    QStringList titles;
    for (int column : next.shownInDisplayOrder())
        titles << Dru70Columns::title(column);
    EXPECT_EQ(titles, changed) << "the next start shows the same table";

    runDialog<Dru70ProtocolInformationDialog>(
        "&DRU-70 Protocol Information...", [](Dru70ProtocolInformationDialog *dialog) {
            dialog->setDefault();
            EXPECT_EQ(dialog->rowTitles(),
                      (QStringList{"Date", "Time", "NT - LT", "Events", "EOC", "Comments"}));
            dialog->accept();
        });
    EXPECT_EQ(headerTitles(*dru->eventModel()),
              (QStringList{"Number", "Date", "Time", "NT - LT", "Events", "Comments"}));
    EXPECT_EQ(onDisk().readInt("Dru-70Fields", "Size05", -1), 0);
}

TEST_F(Dru70WindowTest, TheCommentIsTheFilesNote) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    CommentWindow *comment = dru->openComment();
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->windowTitle().toStdString(), dru->document().commentTitle());
    EXPECT_EQ(comment->windowTitle().left(13), "Comment for [");
    EXPECT_EQ(comment->text(), QString::fromStdString(scenario.note).remove('\r'));
    EXPECT_TRUE(window->activeDru70() == dru) << "its comment stands for its window";
    saveScreenshot(comment, "dru70-comment");

    comment->setText("Checked with the exchange.\nLoop-backs acknowledged.");
    messages.queueAnswer(MessageAnswer::Yes);
    window->closeActive(); // the comment closes first, then its window
    EXPECT_EQ(window->activeDru70(), nullptr);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"The comment text has changed.\nDo you want to save it?"}));
    CDru70Decode reader(messages, path());
    ASSERT_EQ(reader.Position(0), kDruOk);
    EXPECT_EQ(reader.ReadNote(false), "Checked with the exchange.\r\nLoop-backs acknowledged.");
}

TEST_F(Dru70WindowTest, EventsPrintAsATextTableAndSaveAsCopiesTheFile) {
    Dru70Window *dru = open(path());
    ASSERT_NE(dru, nullptr);
    PrintDialog dialog(PrintSubject::Events, 250, 6, false, dru);
    saveScreenshot(&dialog, "dru70-print");
    EXPECT_EQ(dialog.request().choice, PrintChoice::All) << "no selection";

    PrintRequest request;
    request.choice = PrintChoice::Range;
    request.from = 1;
    request.to = 4;
    request.fileHeader = true;
    request.comment = true;
    request.output = PrintOutput::Text;
    request.path = QString::fromStdString(path("print.txt"));
    ASSERT_TRUE(dru->print(request));
    const std::string text = dir.read("print.txt");
    EXPECT_NE(text.find("File : " + path() + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Events : 250\r\n"), std::string::npos);
    EXPECT_NE(text.find("Loop-backs requested by the exchange."), std::string::npos);
    EXPECT_NE(
        text.find("\r\nNumber Date       Time         NT - LT  Events            Comments\r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n3      000d       "), std::string::npos) << text;
    EXPECT_EQ(text.find("\r\n4 "), std::string::npos) << "four events, numbered from 0";

    request.from = 5;
    request.to = 251;
    EXPECT_FALSE(dru->print(request));
    EXPECT_EQ(messages.texts().size(), 1u);
    request.choice = PrintChoice::All;
    request.output = PrintOutput::Pdf;
    request.path = QString::fromStdString(path("print.pdf"));
    ASSERT_TRUE(dru->print(request));
    EXPECT_EQ(dir.read("print.pdf").substr(0, 4), "%PDF");

    // Save As goes on with the copy, which holds the same bytes.
    ASSERT_TRUE(window->saveActiveAs(path("copy.dru")));
    EXPECT_EQ(dru->windowTitle().toStdString(), path("copy.dru"));
    EXPECT_EQ(dir.read("copy.dru"), dir.read("line.dru"));
    EXPECT_EQ(dru->openComment()->windowTitle().toStdString(),
              "Comment for [" + path("copy.dru") + "]");
}

TEST_F(Dru70WindowTest, AMillionEventsOpenAndScrollAtOnce) {
    const synth::Dru70Scenario large = synth::dru70Scenario(1000000, 3);
    std::string error;
    ASSERT_TRUE(synth::writeDru70File(path("large.dru"), large, error)) << error;
    Dru70Window *dru = open(path("large.dru"));
    ASSERT_NE(dru, nullptr);
    const QAbstractItemModel *model = dru->eventModel();
    EXPECT_EQ(model->rowCount(), 1000000);
    dru->selectEvent(999999);
    EXPECT_EQ(cell(model, 999999, "Number"), "999999");
    EXPECT_EQ(window->statusPane(1), "Frame number 1000000");
    dru->selectEvent(500000);

    // Filtered, the rows are found a stretch at a time as the table scrolls on.
    Dru70EventFilter power;
    power.activation = power.error = power.eoc = false;
    dru->applyFilter(power);
    EXPECT_GT(model->rowCount(), 0);
    EXPECT_LT(model->rowCount(), 100000);
    EXPECT_TRUE(model->canFetchMore(QModelIndex()));
    EXPECT_EQ(dru->currentEvent() >= 500000 - 100 && dru->currentEvent() <= 500000 + 100, true)
        << dru->currentEvent();
}

} // namespace
} // namespace qv
