// The capture window driven without a display: a sample capture opened from the main window,
// its summary cells and colours, and the detail and hexa trace of a selected frame.
#include <gtest/gtest.h>

#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStringList>
#include <QTableView>

#include "ProgramFixture.h"
#include "app/FileType.h"
#include "app/MainWindow.h"
#include "views/CaptureWindow.h"
#include "views/CommentWindow.h"
#include "views/FindDialog.h"
#include "views/FramePrinter.h"
#include "views/HexaFindDialog.h"
#include "views/SummaryModel.h"

namespace qv {
namespace {

class CaptureWindowTest : public test::ProgramTest {
protected:
    CaptureWindow *open(const std::string &name) { return openSample(name); }
};

using test::cell;
using test::colourAt;

TEST_F(CaptureWindowTest, SummaryShowsTheCaptureColumnsAndColours) {
    CaptureWindow *capture = open("calls.lvt");
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    EXPECT_EQ(model->rowCount(), 340);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Number");
    EXPECT_EQ(cell(model, 12, "Number"), "13");
    EXPECT_EQ(cell(model, 12, "Msg.Type"), "SETUP");
    EXPECT_EQ(cell(model, 12, "Calling Addr"), "0301234567");
    EXPECT_EQ(cell(model, 28, "Cause"), "Normal call clearing");
    EXPECT_EQ(cell(model, 13, "Type"), "RR");
    // A layer-3 frame from the TE side, a layer-2 frame from the NT side.
    EXPECT_EQ(colourAt(model, 12, Qt::ForegroundRole), QColor(0, 0, 128));
    EXPECT_EQ(colourAt(model, 12, Qt::BackgroundRole), QColor(192, 192, 192));
    EXPECT_EQ(colourAt(model, 13, Qt::ForegroundRole), QColor(128, 0, 64));
    EXPECT_EQ(colourAt(model, 13, Qt::BackgroundRole), QColor(255, 255, 255));
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(CaptureWindowTest, SelectingAFrameShowsItsDetailAndTrace) {
    CaptureWindow *capture = open("calls.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(0);
    QStringList detail = capture->detailTexts();
    ASSERT_FALSE(detail.isEmpty());
    EXPECT_EQ(detail[0], "EDSS-1");
    EXPECT_TRUE(detail.contains("    Message Type: ID.REQUEST"));
    EXPECT_TRUE(capture->hexaText().startsWith("0000:     FC FF 03 0F"));
    capture->selectFrame(12);
    detail = capture->detailTexts();
    EXPECT_TRUE(detail.contains("ISDN LAYER 3"));
    EXPECT_TRUE(detail.contains("  Message Type: SETUP"));
    EXPECT_EQ(capture->document().currentFrame(), 12u);
    EXPECT_EQ(window->statusPane(1), "Frame number 13");
    EXPECT_EQ(window->statusPane(2), "Good");
    capture->summaryModel()->data(capture->summaryModel()->index(200, 0), Qt::DisplayRole);
    EXPECT_EQ(window->statusPane(1), "Frame number 13") << "showing a row is not moving to it";
}

TEST_F(CaptureWindowTest, ForeignFilesAreRefused) {
    EXPECT_EQ(window->openCapture(std::string(QUORVANE_SOURCE_DIR) + "/CMakeLists.txt"), nullptr);
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_EQ(messages.entries()[0].text, "A problem occurs while reading first group of frames !");
}

TEST_F(CaptureWindowTest, RecentFilesAreListedNewestFirstAndReopen) {
    ASSERT_NE(open("demo.lvt"), nullptr);
    ASSERT_NE(open("x25.lvt"), nullptr);
    const QStringList texts = window->recentMenuTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith("&1 ") && texts[0].endsWith("x25.lvt"))
        << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("&2 ") && texts[1].endsWith("demo.lvt"))
        << texts[1].toStdString();
    EXPECT_LE(texts[0].size(), 3 + 30) << "names are shortened for the menu";

    window->closeActive();
    window->closeActive();
    EXPECT_EQ(window->activeCapture(), nullptr);
    CaptureWindow *again = window->openRecent(1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(window->mode(), WorkingMode::Examine);
    EXPECT_TRUE(window->recentMenuTexts()[0].endsWith("demo.lvt"))
        << "the reopened file moves first";

    settings.recentFiles.add("/nonexistent/M0001.lvt");
    EXPECT_EQ(window->openRecent(0), nullptr);
    EXPECT_EQ(messages.texts().back(), "Unable to open this file!");
}

TEST_F(CaptureWindowTest, SaveAsCopiesTheCaptureAndCloseEndsTheWindow) {
    ASSERT_NE(open("demo.lvt"), nullptr);
    const std::string copy = dir.file("copy.lvt");
    ASSERT_TRUE(window->saveActiveAs(copy));
    EXPECT_EQ(dir.read("copy.lvt"), test::TempDir::readBytes(test::sample("demo.lvt")));
    window->closeActive();
    EXPECT_EQ(window->activeCapture(), nullptr);
    EXPECT_FALSE(window->saveActiveAs(copy)) << "nothing to save once closed";
}

TEST_F(CaptureWindowTest, FindRunsEachCriterionFromTheSelectedRow) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    FindDialog *dialog = window->findDialog();
    auto find = [&](FindDialog::Criterion criterion, const QString &text, bool forward = true) {
        dialog->setCriterion(criterion);
        dialog->setText(text);
        dialog->setForward(forward);
        const std::optional<FindQuery> query = dialog->query();
        return query ? capture->runFind(*query, messages).toStdString() : std::string("(none)");
    };
    const QAbstractItemModel *model = capture->summaryModel();
    auto currentMsgType = [&] {
        return cell(model, static_cast<int>(capture->document().currentFrame()), "Msg.Type");
    };

    EXPECT_EQ(find(FindDialog::IsdnMessage, "SETUP"), "Message found once");
    EXPECT_EQ(currentMsgType(), "SETUP");
    EXPECT_TRUE(messages.entries().empty()) << "a hit opens no box";
    EXPECT_EQ(window->statusBar()->currentMessage(), "Message found once");
    EXPECT_EQ(find(FindDialog::String, "rr"), "String found once") << "not case sensitive";
    EXPECT_EQ(capture->document().currentFrame(), 8u) << "the RR after the SETUP";
    EXPECT_EQ(find(FindDialog::Cause, "NORMAL CALL CLEARING"), "Cause number found once");
    EXPECT_EQ(currentMsgType(), "DISCONNECT");
    EXPECT_EQ(find(FindDialog::Cause, "16", false), "Cause number found once")
        << "a cause may be typed as its number; a new direction counts again";
    EXPECT_EQ(capture->document().currentFrame(), 23u) << "a new search includes the selected row";
    EXPECT_EQ(find(FindDialog::Cause, "NO SUCH CAUSE"), "(none)");

    messages.clear();
    EXPECT_EQ(find(FindDialog::String, "no such text"), "String not found!");
    ASSERT_EQ(messages.entries().size(), 2u);
    EXPECT_EQ(messages.entries()[0].text,
              "Program has reached the last frame!\nDo you want to go to the first frame?");
    EXPECT_EQ(messages.entries()[1].text, "String not found!");

    messages.clear();
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(find(FindDialog::X25Message, "CALL REQUEST"), "");
    EXPECT_EQ(messages.entries().size(), 1u) << "No at the end stops without a result";
    EXPECT_FALSE(dialog->query() == std::nullopt);
}

TEST_F(CaptureWindowTest, EachFieldOfTheDetailTreeMarksItsOwnOctetsAndAnOctetSelectsItsField) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(7); // the SETUP
    const QStringList rows = capture->detailTexts();
    auto rowOf = [&](const QString &text, int after = 0) {
        for (int i = after; i < rows.size(); ++i)
            if (rows[i].trimmed().startsWith(text))
                return i;
        ADD_FAILURE() << "no detail line " << text.toStdString() << " in\n"
                      << rows.join('\n').toStdString();
        return -1;
    };
    const auto octets = [](int first, int count) {
        QList<int> list;
        for (int k = 0; k < count; ++k)
            list << first + k;
        return list;
    };
    // Layer 2, the message header, an element, and the fields of an element by their octet.
    const int calling = rowOf("Calling party number");
    const struct {
        int row;
        QList<int> marked;
    } cases[] = {
        {rowOf("SAPI"), {0}},
        {rowOf("TEI ("), {1}},
        {rowOf("Type: I"), {2, 3}},
        {rowOf("Poll/Final: Poll (P="), {3}},
        {rowOf("Protocol Discriminator"), {4}},
        {rowOf("Call Reference Value"), {6}},
        {rowOf("Message Type: SETUP"), {7}},
        {rowOf("Bearer capability"), {9}},
        {rowOf("Transfer rate"), {12}},
        {calling, {17}},
        {rowOf("Presentation", calling), {20}},
        {rowOf("Digits", calling), octets(21, 10)},
        {rowOf("Direction"), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(capture->selectDetailRow(c.row), c.marked) << rows.value(c.row).toStdString();

    // A click on an octet selects the field that says most about it.
    EXPECT_EQ(capture->selectOctet(7), rowOf("Message Type: SETUP"));
    EXPECT_EQ(capture->selectOctet(25), rowOf("Digits", calling));
    EXPECT_EQ(capture->selectOctet(20), rowOf("Presentation", calling));
    EXPECT_EQ(capture->selectOctet(500), -1);
}

TEST_F(CaptureWindowTest, ClosedPartsOfTheDetailStayClosedFromFrameToFrame) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(7);
    auto *tree = capture->findChild<QTreeWidget *>();
    ASSERT_NE(tree, nullptr);
    const auto item = [tree](const QString &text) -> QTreeWidgetItem * {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->text(0) == text)
                return *it;
        return nullptr;
    };
    ASSERT_NE(item("ISDN LAYER 2"), nullptr);
    EXPECT_TRUE(item("ISDN LAYER 2")->isExpanded()) << "open at first";
    item("ISDN LAYER 2")->setExpanded(false);
    item("Bearer capability")->setExpanded(false);
    capture->selectFrame(8);
    capture->selectFrame(7);
    EXPECT_FALSE(item("ISDN LAYER 2")->isExpanded());
    EXPECT_FALSE(item("Bearer capability")->isExpanded());
    EXPECT_TRUE(item("ISDN LAYER 3")->isExpanded());
    // Selecting an octet inside a closed part opens it.
    capture->selectOctet(1);
    EXPECT_TRUE(item("ISDN LAYER 2")->isExpanded());
}

TEST_F(CaptureWindowTest, ABadFrameStandsOutAndStillShowsItsLayer2Fields) {
    CaptureWindow *capture = open("errors.lvt");
    ASSERT_NE(capture, nullptr);
    const QAbstractItemModel *model = capture->summaryModel();
    // Frame 3 has a bad FCS; frame 1 is a good SABME.
    const QColor bad = colourAt(model, 2, Qt::BackgroundRole);
    EXPECT_TRUE(bad.isValid());
    EXPECT_NE(bad, colourAt(model, 0, Qt::BackgroundRole));
    EXPECT_EQ(colourAt(model, 3, Qt::BackgroundRole), bad) << "an aborted frame is bad too";
    capture->selectFrame(2);
    const QStringList detail = capture->detailTexts();
    EXPECT_TRUE(detail.contains("    TEI (Terminal Endpoint Identifier): 65"))
        << detail.join('\n').toStdString();
    EXPECT_TRUE(detail.contains("    Type: RR (Receive Ready)"));
    auto *tree = capture->findChild<QTreeWidget *>();
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0).startsWith("Decode Status") ||
            (*it)->text(0).startsWith("Frame Check Sequence"))
            EXPECT_EQ((*it)->foreground(0).color(), QColor(0xC0, 0, 0))
                << (*it)->text(0).toStdString();
}

TEST_F(CaptureWindowTest, TheCommentIsEditedAndStoredOnClose) {
    const std::string copy =
        dir.write("comment.lvt", test::TempDir::readBytes(test::sample("demo.lvt")));
    CaptureWindow *capture = window->openCapture(copy);
    ASSERT_NE(capture, nullptr);
    CommentWindow *comment = capture->openComment();
    EXPECT_EQ(comment->windowTitle(), "Comment for " + capture->windowTitle());
    EXPECT_FALSE(comment->text().isEmpty()) << "the notes, or the generated default";
    EXPECT_FALSE(comment->text().contains('\r'));
    // It is a window of the document area, and while it is active the capture is current.
    auto *frame = qobject_cast<QMdiSubWindow *>(comment->parentWidget());
    ASSERT_NE(frame, nullptr);
    window->findChild<QMdiArea *>()->setActiveSubWindow(frame);
    EXPECT_EQ(window->activeCapture(), capture);
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(messages.entries().empty()) << "an unchanged comment is not asked about";

    comment = capture->openComment();
    comment->setText(QString(3000, QLatin1Char('x')));
    EXPECT_EQ(comment->text().size(), CommentWindow::kMaxCharacters);
    comment->setText(QStringLiteral("Line one\nLine two"));
    window->closeActive(); // closes the comment first, which asks, then the capture
    ASSERT_EQ(messages.entries().size(), 1u);
    EXPECT_TRUE(messages.entries()[0].question);
    EXPECT_EQ(messages.entries()[0].text, "The comment text has changed.\nDo you want to save it?");
    EXPECT_EQ(window->activeCapture(), nullptr);

    capture = window->openCapture(copy);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->openComment()->text(), "Line one\nLine two") << "stored in the file";
}

TEST_F(CaptureWindowTest, TheScrollThumbNamesTheFrameAtTheTop) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    const int rows = capture->summaryModel()->rowCount();
    EXPECT_EQ(capture->thumbText(0), "Frame 1");
    EXPECT_EQ(capture->thumbText(10), "Frame 11");
    EXPECT_EQ(capture->thumbText(rows + 50), QStringLiteral("Frame %1").arg(rows));
}

TEST_F(CaptureWindowTest, FindOnTheTraceMarksWhatItFinds) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(7); // 00 81 00 00 08 01 01 05 A1 04 03 ... "0301234567" ...
    EXPECT_EQ(capture->findInTrace("08 01", true, true, messages), "Hexa string  found !");
    EXPECT_EQ(capture->findInTrace("0801", true, true, messages), "Hexa string not found !")
        << "the search goes on after the octets found";
    EXPECT_EQ(capture->findInTrace("00", true, false, messages), "Hexa string  found !");
    EXPECT_EQ(capture->findInTrace("0301", false, true, messages), "ASCII string found !");
    EXPECT_EQ(window->statusBar()->currentMessage(), "ASCII string found !");
    EXPECT_EQ(capture->findInTrace("zzz", false, true, messages), "ASCII string not found !");
    EXPECT_EQ(capture->findInTrace("8 01", true, true, messages), "Wrong hexadecimal value!");
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"Hexa string not found !", "ASCII string not found !",
                                        "Wrong hexadecimal value!"}))
        << "a hit opens no box";
}

TEST(HexaFindDialogTest, TheTextIsTypedAtOnceUnderAWholeTitle) {
    HexaFindDialog dialog;
    EXPECT_EQ(dialog.focusWidget(), dialog.findChild<QLineEdit *>());
    EXPECT_GT(dialog.minimumWidth(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()));
}

// The settings a session changes come back at the next start: mode, recent files in order,
// the Hexa flag, the cause list.
TEST(MainWindowSettings, ASessionsChoicesSurviveAnExitAndAStart) {
    const test::TempDir dir;
    const std::string ini = dir.file("QUORVANE.INI");
    const std::string sample = std::string(QUORVANE_SOURCE_DIR) + "/data/samples/";
    Installation installation = Installation::fromCommandLine({});
    RecordingUserMessages messages;
    {
        Settings settings;
        settings.open(ini);
        ProgramContext context;
        context.columns.load(settings.file(), 0);
        context.decoding.start(installation, settings, {}, messages);
        MainWindow window(installation, settings, context, messages);
        window.enterMode(WorkingMode::ViewResults);
        for (const char *name : {"v5.lvt", "x25.lvt", "demo.lvt"})
            ASSERT_NE(window.openCapture(sample + name), nullptr);
        settings.hexa = false;
        window.close();
        ASSERT_TRUE(settings.writeAtExit());
    }
    Settings again;
    again.open(ini);
    EXPECT_EQ(again.launchpad, WorkingMode::ViewResults);
    EXPECT_FALSE(again.hexa);
    ASSERT_EQ(again.recentFiles.entries().size(), 3u);
    EXPECT_EQ(again.recentFiles.entries()[0], sample + "demo.lvt");
    EXPECT_EQ(again.recentFiles.entries()[2], sample + "v5.lvt");
    EXPECT_EQ(again.file().readInt("List of Causes (Q.931)", "USER BUSY", 0), 17);
}

// pdftotext's reading of a PDF (poppler-utils, installed by the setup script).
std::string pdfText(const std::string &pdf) {
    const std::string txt = pdf + ".txt";
    const std::string command = "pdftotext -layout '" + pdf + "' '" + txt + "'";
    if (std::system(command.c_str()) != 0)
        return "(pdftotext failed)";
    return test::TempDir::readBytes(txt);
}

TEST_F(CaptureWindowTest, ARangePrintsToPdfWithItsHeaderAndFooter) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    const std::string pdf = dir.file("print.pdf");
    PrintRequest request;
    request.kind = PrintKind::Summary;
    request.choice = PrintChoice::Range;
    request.from = 8;
    request.to = 12;
    request.output = PrintOutput::Pdf;
    request.path = QString::fromStdString(pdf);
    request.fileHeader = true;
    ASSERT_TRUE(capture->print(request, messages));
    std::string text = pdfText(pdf);
    EXPECT_NE(text.find(capture->document().pathName()), std::string::npos) << text;
    EXPECT_NE(text.find(printDate()), std::string::npos);
    EXPECT_NE(text.find("Vennmark"), std::string::npos);
    EXPECT_NE(text.find("page 1"), std::string::npos);
    EXPECT_NE(text.find("Instrument : LVT-30"), std::string::npos);
    EXPECT_NE(text.find("00008"), std::string::npos);
    EXPECT_NE(text.find("00012"), std::string::npos);
    EXPECT_EQ(text.find("00013"), std::string::npos) << "the range ends at 12";
    EXPECT_EQ(text.find("00007"), std::string::npos);
}

TEST_F(CaptureWindowTest, PrintingToATextFile) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    const std::string path = dir.file("print.txt");
    PrintRequest request;
    request.kind = PrintKind::Detail;
    request.choice = PrintChoice::CurrentToEnd;
    request.output = PrintOutput::Text;
    request.path = QString::fromStdString(path);
    capture->selectFrame(27);
    ASSERT_TRUE(capture->print(request, messages));
    const std::string text = dir.read("print.txt");
    EXPECT_EQ(text.rfind("Detail print\r\n\r\nFrame : 28 ", 0), 0u) << text.substr(0, 80);
    EXPECT_EQ(text.find("Frame : 27 "), std::string::npos);
    EXPECT_EQ(capture->document().currentFrame(), 27u) << "printing leaves the current frame";

    request.path = "/nonexistent-folder/print.txt";
    EXPECT_FALSE(capture->print(request, messages));
    ASSERT_FALSE(messages.texts().empty());
    EXPECT_EQ(messages.texts().back(), "The printing file can not be opened");
}

TEST(FramePrinterPages, FramesStayWholeOrGoOnOverSheets) {
    PrintDocument print;
    for (int frame = 0; frame < 3; ++frame)
        print.blocks.push_back(
            {static_cast<std::uint32_t>(frame), std::vector<std::string>(4, "x")});
    print.blocks.push_back({3, std::vector<std::string>(23, "long")});
    print.blocks.push_back({4, std::vector<std::string>(2, "y")});
    const std::vector<PrintPage> pages = paginate({"opening"}, print, 10);
    std::vector<std::string> footers;
    for (const PrintPage &page : pages)
        footers.push_back(pageFooterText(page).toStdString() + ":" +
                          std::to_string(page.lines.size()));
    // opening + 2 frames (9 lines); the third frame on page 2; the long one from page 3 over
    // three sheets; the last frame after it on the third sheet.
    EXPECT_EQ(footers, (std::vector<std::string>{"page 1:9", "page 2:4", "page 3.1:10",
                                                 "page 3.2:10", "page 3.3:5"}));
}

TEST_F(CaptureWindowTest, TheOpenDialogOffersTheModesFilters) {
    window->enterMode(WorkingMode::Examine);
    const QStringList filters = window->openFilters();
    EXPECT_EQ(filters, (QStringList{"LVT-30/-60 files (*.lvt)", "DRU-70 files (*.dru)",
                                    "KSM-2 files (*.mon)", "KSE-400 files (*.mon)",
                                    "Captures of other tools (*.pcap *.pcapng *.gz *.trace *.trc)",
                                    "All files (*)"}));
    // The first filter lists every bundled sample, the fifth the captures Open imports.
    const auto listed = [&filters](int filter, const QString &name) {
        const QString patterns = filters[filter].section(QLatin1Char('('), 1).chopped(1);
        for (const QString &pattern : patterns.split(QLatin1Char(' ')))
            if (QDir::match(pattern, name))
                return true;
        return false;
    };
    for (const auto &entry : std::filesystem::directory_iterator(
             std::filesystem::path(QUORVANE_SOURCE_DIR) / "data/samples"))
        EXPECT_TRUE(listed(0, QString::fromStdString(entry.path().filename().string())))
            << entry.path();
    for (const auto &entry : std::filesystem::directory_iterator(
             std::filesystem::path(QUORVANE_SOURCE_DIR) / "tests/data/pcap"))
        if (fileKindOf(scanFileType(entry.path().string())) == FileKind::Imported)
            EXPECT_TRUE(listed(4, QString::fromStdString(entry.path().filename().string())))
                << entry.path();
    settings.examineFilter = 3;
    EXPECT_EQ(window->openFilterIndex(), 3);
    window->enterMode(WorkingMode::ViewResults);
    EXPECT_EQ(window->openFilters().size(), 3);
    EXPECT_EQ(window->openFilters()[1], "PLM-45 files (*.plm)");
    settings.viewFilter = 1;
    EXPECT_EQ(window->openFilterIndex(), 1) << "each mode remembers its own choice";
}

TEST_F(CaptureWindowTest, FilesGoToTheirModeOrAreRefused) {
    // A capture chosen in the Open dialog of another mode opens, and brings Examine with it.
    window->enterMode(WorkingMode::ViewResults);
    EXPECT_NE(window->openPath(test::sample("demo.lvt"), OpenSource::Dialog), nullptr);
    EXPECT_EQ(window->mode(), WorkingMode::Examine);
    EXPECT_TRUE(messages.texts().empty()) << "nothing to ask or refuse";
    window->enterMode(WorkingMode::ViewResults);
    EXPECT_EQ(window->openPath(test::sample("a.plm"), OpenSource::Dialog), nullptr);
    EXPECT_EQ(window->openPath(std::string(QUORVANE_SOURCE_DIR) + "/README.md", OpenSource::Dialog),
              nullptr);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{kMsgUnableToOpen, "This file is not an LVT file!"}));
    EXPECT_EQ(window->mode(), WorkingMode::ViewResults);
    window->closeActive();
    // From the recent-file list a capture brings its own mode with it.
    ASSERT_NE(open("demo.lvt"), nullptr);
    window->enterMode(WorkingMode::ViewResults);
    messages.queueAnswer(MessageAnswer::Yes); // a second window on it
    ASSERT_NE(window->openRecent(0), nullptr);
    EXPECT_EQ(window->mode(), WorkingMode::Examine);
    // Capture mode is shown and disabled until real-time capture exists.
    window->enterMode(WorkingMode::Capture);
    EXPECT_EQ(window->mode(), WorkingMode::Examine);
    ASSERT_NE(action("&Capture"), nullptr);
    EXPECT_FALSE(action("&Capture")->isEnabled());
    // A command shown but not available says why, on the pointer and in the status bar.
    for (const char *text : {"&Capture", "&Transfer..."}) {
        EXPECT_TRUE(action(text)->toolTip().startsWith("Not available in this version")) << text;
        EXPECT_EQ(action(text)->statusTip(), action(text)->toolTip()) << text;
    }
}

TEST_F(CaptureWindowTest, HexaTraceShowsAndHidesThePaneOfEveryOpenWindow) {
    CaptureWindow *first = open("calls.lvt");
    CaptureWindow *second = open("demo.lvt");
    ASSERT_TRUE(first && second);
    QAction *hexa = action("&Hexa Trace");
    ASSERT_NE(hexa, nullptr);
    const auto paneShown = [](CaptureWindow *capture) {
        return !capture->findChild<QPlainTextEdit *>()->isHidden();
    };
    ASSERT_TRUE(hexa->isChecked());
    EXPECT_TRUE(paneShown(first) && paneShown(second));
    hexa->trigger();
    EXPECT_FALSE(paneShown(first));
    EXPECT_FALSE(paneShown(second));
    CaptureWindow *third = open("x25.lvt");
    ASSERT_NE(third, nullptr);
    EXPECT_FALSE(paneShown(third)) << "a window opened later follows the setting";
    hexa->trigger();
    EXPECT_TRUE(paneShown(first) && paneShown(second) && paneShown(third));
}

TEST_F(CaptureWindowTest, TheFramePanesFollowTheActiveDocument) {
    CaptureWindow *first = open("calls.lvt");
    CaptureWindow *second = open("demo.lvt");
    ASSERT_TRUE(first && second);
    first->selectFrame(12);
    second->selectFrame(2);
    auto *area = window->findChild<QMdiArea *>();
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    window->refreshStatusPanes();
    EXPECT_EQ(window->statusPane(1), "Frame number 13");
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(second->parentWidget()));
    window->refreshStatusPanes();
    EXPECT_EQ(window->statusPane(1), "Frame number 3");
    window->closeActive();
    window->closeActive();
    window->refreshStatusPanes();
    EXPECT_EQ(window->statusPane(1), "");
}

TEST_F(CaptureWindowTest, ColumnWidthsTheUserSetsAreKeptAndCanBeRestored) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    auto *view = capture->findChild<QTableView *>();
    ASSERT_NE(view, nullptr);
    const auto *model = static_cast<const SummaryModel *>(capture->summaryModel());
    const int section = 2;
    const int column = model->summaryColumn(section);
    view->horizontalHeader()->resizeSection(section, 321);
    EXPECT_EQ(context.columns.field(column).width, 321);
    char key[16];
    std::snprintf(key, sizeof key, "Size%02d", column);
    EXPECT_EQ(settings.file().readInt("Lvt-Fields", key, 0), 321) << "saved into the settings";

    window->restoreDefaultWidths();
    EXPECT_EQ(context.columns.field(column).width, SummaryFieldTable::defaultChars(column) * 12);
    EXPECT_EQ(settings.file().readInt("Lvt-Fields", key, 0),
              SummaryFieldTable::defaultChars(column) * 12);
    EXPECT_NE(view->columnWidth(section), 321) << "the open windows are sized again";
}

TEST_F(CaptureWindowTest, TheMenusHoldTheProgramsCommands) {
    auto find = [&](const QString &text) -> QAction * {
        for (QAction *action : window->findChildren<QAction *>())
            if (action->text() == text)
                return action;
        return nullptr;
    };
    QAction *transfer = find("&Transfer...");
    ASSERT_NE(transfer, nullptr);
    EXPECT_FALSE(transfer->isEnabled()) << "shown, and disabled until the serial link exists";
    EXPECT_EQ(transfer->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    ASSERT_NE(find("&Print..."), nullptr);
    EXPECT_FALSE(find("&Print...")->isEnabled()) << "nothing to print without a capture";
    ASSERT_NE(open("demo.lvt"), nullptr);
    EXPECT_TRUE(find("&Print...")->isEnabled());
    EXPECT_TRUE(find("&Find...")->isEnabled());
    ASSERT_NE(find("&About Quorvane..."), nullptr);
    EXPECT_TRUE(find("&About Quorvane...")->isEnabled());
}

TEST_F(CaptureWindowTest, TheFindDialogOffersTheShortMessageNames) {
    auto has = [&](DecoderContext::MessageFamily family, const std::string &name) {
        const std::vector<std::string> names = context.decoding.messageNames(family);
        return std::find(names.begin(), names.end(), name) != names.end() &&
               std::is_sorted(names.begin(), names.end());
    };
    EXPECT_TRUE(has(DecoderContext::MessageFamily::Isdn, "SETUP"));
    EXPECT_TRUE(has(DecoderContext::MessageFamily::Isdn, "CONN ACK")) << "short, as summarised";
    EXPECT_FALSE(has(DecoderContext::MessageFamily::Isdn, "CONNECT ACKNOWLEDGE"));
    EXPECT_FALSE(context.decoding.messageNames(DecoderContext::MessageFamily::V5).empty());
    EXPECT_FALSE(context.decoding.messageNames(DecoderContext::MessageFamily::X25).empty());
}

} // namespace
} // namespace qv

int main(int argc, char **argv) {
    // The windows are drawn off screen: the tests need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
