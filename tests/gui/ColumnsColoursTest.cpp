// The set-up dialogs of the frame views, driven without a display: the summary columns
// ("Protocol Information"), the colours ("Color Selection") and the font ("Fonts"), each seen
// in the open windows and in the settings file once confirmed.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/ColourSelectionDialog.h"
#include "dialogs/FontDialog.h"
#include "dialogs/ProtocolInformationDialog.h"
#include "views/CaptureWindow.h"

namespace qv {
namespace {

using test::saveScreenshot;

const QStringList kDefaultShown = {"Date",     "Time",         "TE - NT",     "Type", "SAPI",
                                   "Msg.Type", "Calling Addr", "Called Addr", "Cause"};
const QStringList kV5Titles = {"TS", "EFA", "DLA", "L3 Addr."};

class SetupDialogsTest : public test::ProgramTest {
protected:
    std::string iniPath() const { return dir.file("QUORVANE.INI"); }
    CaptureWindow *open(const char *name) { return openSample(name); }
    static QStringList headers(const CaptureWindow *capture) {
        return headerTitles(*capture->summaryModel());
    }
    static QColor colour(const CaptureWindow *capture, int row, int role) {
        return test::colourAt(capture->summaryModel(), row, role);
    }
};

QStringList shownRows(const ProtocolInformationDialog &dialog) {
    QStringList shown;
    const QStringList titles = dialog.rowTitles();
    for (int row = 0; row < titles.size(); ++row)
        if (dialog.isRowShown(row))
            shown << titles[row];
    return shown;
}

QPushButton *buttonNamed(QWidget *parent, const QString &text) {
    for (QPushButton *button : parent->findChildren<QPushButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

TEST_F(SetupDialogsTest, ProtocolInformationListsTheColumnsInDisplayOrder) {
    ProtocolInformationDialog dialog(context.columns, false);
    const QStringList rows = dialog.rowTitles();
    ASSERT_EQ(rows.size(), 42) << "every column but the number column";
    EXPECT_EQ(rows.mid(0, 10), (QStringList{"TS", "Date", "Time", "TE - NT", "Type", "EFA", "DLA",
                                            "L3 Addr.", "SAPI", "C/R"}));
    EXPECT_EQ(rows.last(), "Size");
    EXPECT_EQ(shownRows(dialog), kDefaultShown);
    for (int row : {0, 5, 6, 7})
        EXPECT_FALSE(dialog.isRowChangeable(row)) << "V5 column without V5 decoding";
    saveScreenshot(&dialog, "protocol-information");
}

TEST_F(SetupDialogsTest, ProtocolInformationButtonsAndTheSpaceKey) {
    ProtocolInformationDialog dialog(context.columns, false);
    dialog.hideAll();
    EXPECT_TRUE(shownRows(dialog).isEmpty());
    dialog.showAll();
    EXPECT_EQ(shownRows(dialog).size(), 38) << "all but the four V5 columns";
    dialog.invert();
    EXPECT_TRUE(shownRows(dialog).isEmpty());

    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("fieldList"));
    ASSERT_NE(list, nullptr);
    dialog.setCurrentRow(1);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(list, &space);
    EXPECT_EQ(shownRows(dialog), QStringList{"Date"});
    dialog.setCurrentRow(0);
    QApplication::sendEvent(list, &space);
    EXPECT_EQ(shownRows(dialog), QStringList{"Date"}) << "TS follows V5 decoding";

    // The first row goes no higher, the last no lower.
    QPushButton *up = buttonNamed(&dialog, "Move &Up");
    QPushButton *down = buttonNamed(&dialog, "Move &Down");
    ASSERT_TRUE(up && down);
    EXPECT_FALSE(up->isEnabled());
    dialog.moveUp();
    EXPECT_EQ(dialog.rowTitles().first(), "TS");
    down->click();
    EXPECT_EQ(dialog.rowTitles().mid(0, 2), (QStringList{"Date", "TS"}));
    dialog.setCurrentRow(41);
    EXPECT_FALSE(down->isEnabled());
    dialog.moveDown();
    EXPECT_EQ(dialog.rowTitles().last(), "Size");

    buttonNamed(&dialog, "Set All Defaul&t")->click();
    EXPECT_EQ(shownRows(dialog), kDefaultShown);
    EXPECT_EQ(dialog.rowTitles().mid(0, 2), (QStringList{"TS", "Date"}));
}

TEST_F(SetupDialogsTest, ConfirmedColumnsReachTheSummaryAndTheSettingsFile) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(7);
    ProtocolInformationDialog dialog(context.columns, false);
    dialog.setCurrentRow(static_cast<int>(dialog.rowTitles().indexOf("Cause")));
    while (dialog.rowTitles().indexOf("Cause") > 5)
        dialog.moveUp(); // just after Type
    dialog.setCurrentRow(static_cast<int>(dialog.rowTitles().indexOf("Date")));
    dialog.toggleCurrent();
    dialog.setCurrentRow(static_cast<int>(dialog.rowTitles().indexOf("Size")));
    dialog.toggleCurrent();
    dialog.accept();
    window->applyColumns(dialog.columns());

    const QStringList expected = {"Number", "Time",     "TE - NT",      "Type",        "Cause",
                                  "SAPI",   "Msg.Type", "Calling Addr", "Called Addr", "Size"};
    EXPECT_EQ(headers(capture), expected);
    EXPECT_EQ(capture->document().currentFrame(), 7u) << "the current frame stays";
    EXPECT_FALSE(capture->detailTexts().isEmpty());
    const QAbstractItemModel *model = capture->summaryModel();
    EXPECT_EQ(model->data(model->index(7, 6), Qt::DisplayRole).toString(), "SETUP");

    const IniFile file = onDisk();
    EXPECT_EQ(file.readInt("Lvt-Fields", "Size01", -1), 0) << "Date hidden";
    EXPECT_EQ(file.readInt("Lvt-Fields", "Size38", -1), 48) << "Size at 4 characters";
    EXPECT_EQ(file.readInt("Lvt-Fields", "Order35", -1), 6) << "Cause after Type";
    SummaryFieldTable next;
    next.load(file, 0);
    QStringList titles;
    for (int column : next.visibleColumnsInDisplayOrder())
        titles << QString::fromStdString(next.field(column).title);
    EXPECT_EQ(titles, expected) << "the next start shows the same summary";
    saveScreenshot(window.get(), "summary-after-protocol-information");
}

TEST_F(SetupDialogsTest, TheV5ColumnsFollowV5Decoding) {
    context.columns.setV5Titles(true);
    ProtocolInformationDialog dialog(context.columns, true);
    EXPECT_TRUE(dialog.rowTitles().contains("AN - LE"));
    for (int row : {0, 5, 6, 7}) {
        EXPECT_TRUE(dialog.isRowShown(row)) << row;
        EXPECT_FALSE(dialog.isRowChangeable(row)) << row;
    }
    dialog.hideAll();
    dialog.setCurrentRow(0);
    dialog.toggleCurrent();
    EXPECT_EQ(shownRows(dialog), kV5Titles) << "hiding leaves the V5 columns";
    saveScreenshot(&dialog, "protocol-information-v5");
    dialog.accept();
    const SummaryFieldTable &chosen = dialog.columns();
    EXPECT_EQ(chosen.visibleColumnsInDisplayOrder(), (std::vector<int>{0, 42, 39, 40, 41}));
    EXPECT_EQ(chosen.field(41).width, 9 * 12) << "a column shown again gets its characters";

    // Without V5 decoding, V5 columns kept from an earlier session are hidden.
    ProtocolInformationDialog withoutV5(chosen, false);
    EXPECT_TRUE(shownRows(withoutV5).isEmpty());
    withoutV5.accept();
    EXPECT_EQ(withoutV5.columns().visibleColumnsInDisplayOrder(), std::vector<int>{0});
}

TEST_F(SetupDialogsTest, TheMenuCommandsOpenTheirDialogs) {
    CaptureWindow *capture = open("demo.lvt");
    ASSERT_NE(capture, nullptr);
    runDialog<ProtocolInformationDialog>("Protocol &Information...", [](auto *dialog) {
        dialog->hideAll();
        dialog->accept();
    });
    EXPECT_EQ(headers(capture), QStringList{"Number"});
    EXPECT_EQ(onDisk().readInt("Lvt-Fields", "Size28", -1), 0);

    runDialog<ColourSelectionDialog>("&Colors...", [](auto *dialog) {
        dialog->useColoursBox()->setChecked(false);
        dialog->accept();
    });
    EXPECT_FALSE(capture->summaryModel()
                     ->data(capture->summaryModel()->index(7, 0), Qt::ForegroundRole)
                     .isValid());
    EXPECT_EQ(onDisk().readString("Colors", "UsedColors"), "0");

    runDialog<FontDialog>("F&onts...", [](auto *dialog) { dialog->reject(); });
    EXPECT_EQ(settings.fontName, "Courier New") << "Cancel changes nothing";
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(SetupDialogsTest, ASettingsFileThatCannotBeWrittenIsReported) {
    std::filesystem::remove_all(dir.path());
    window->applyColours(context.colours);
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"The settings could not be written to " + iniPath() + "."});
}

TEST_F(SetupDialogsTest, ChosenColoursColourTheOpenSummariesAndAreWritten) {
    CaptureWindow *capture = open("calls.lvt");
    ASSERT_NE(capture, nullptr);
    capture->selectFrame(12); // a SETUP from the TE side
    ColourSelectionDialog dialog(context.colours);
    QString askedFor;
    dialog.setPicker([&](const QColor &current, const QString &title) {
        askedFor = title;
        return current == QColor(0, 0, 128) ? QColor(10, 20, 30) : QColor();
    });
    QPushButton *isdn = dialog.colourButton(kTxtL3IsdnTeNt);
    ASSERT_NE(isdn, nullptr);
    EXPECT_EQ(isdn->text(), "0,0,128");
    isdn->click();
    EXPECT_EQ(askedFor, "ISDN layer 3 text - TE->NT");
    EXPECT_EQ(isdn->text(), "10,20,30");
    dialog.colourButton(kBkNtTe)->click(); // the picker cancels
    EXPECT_EQ(dialog.colourButton(kBkNtTe)->text(), "255,255,255");
    dialog.setColour(kBkTeNt, QColor(200, 220, 240));
    saveScreenshot(&dialog, "colour-selection");
    dialog.accept();
    window->applyColours(dialog.colours());

    EXPECT_EQ(colour(capture, 12, Qt::ForegroundRole), QColor(10, 20, 30));
    EXPECT_EQ(colour(capture, 12, Qt::BackgroundRole), QColor(200, 220, 240));
    EXPECT_EQ(colour(capture, 13, Qt::ForegroundRole), QColor(128, 0, 64))
        << "other layers keep theirs";
    auto *detail = capture->findChild<QTreeWidget *>();
    ASSERT_NE(detail, nullptr);
    bool layer3Coloured = false;
    for (QTreeWidgetItemIterator it(detail); *it; ++it)
        layer3Coloured |= (*it)->foreground(0).color() == QColor(10, 20, 30);
    EXPECT_TRUE(layer3Coloured) << "the detail is drawn again too";

    const IniFile file = onDisk();
    EXPECT_EQ(file.readString("Colors", "TxtL3RNISTEtoNT"), "10,20,30,");
    EXPECT_EQ(file.readString("Colors", "BkTEtoNT"), "200,220,240,");
}

TEST_F(SetupDialogsTest, ColoursOffAndBackToTheDefaults) {
    IniFile ini;
    ini.parse("[Colors]\nUsedColors=0\nTxtL2TEtoNT=1,2,3,\nBkNTtoTE=12,34\n");
    ColourTable loaded;
    loaded.load(ini);
    ColourSelectionDialog dialog(loaded);
    EXPECT_FALSE(dialog.useColoursBox()->isChecked());
    EXPECT_FALSE(dialog.colourButton(kTxtL2TeNt)->isEnabled()) << "nothing to choose while off";
    EXPECT_EQ(dialog.colourButton(kTxtL2TeNt)->text(), "1,2,3");
    EXPECT_EQ(dialog.colourButton(kBkNtTe)->text(), "255,255,255") << "a damaged value";
    saveScreenshot(&dialog, "colour-selection-off");

    dialog.useColoursBox()->setChecked(true);
    buttonNamed(&dialog, "&Default Colors")->click();
    EXPECT_EQ(dialog.colourButton(kTxtL2TeNt)->text(), "128,0,64");
    EXPECT_TRUE(dialog.colours().usesColours());
}

TEST_F(SetupDialogsTest, TheFontDialogOffersWhatTheSettingsKeep) {
    FontDialog dialog(QStringLiteral("Courier New"), 31, 4);
    EXPECT_EQ(dialog.family(), "Courier New") << "kept, though not installed here";
    EXPECT_EQ(dialog.pointSize(), 6) << "a size out of range reads as 6";
    EXPECT_EQ(dialog.style(), 0);
    EXPECT_EQ(dialog.sizes().size(), 25);
    EXPECT_EQ(dialog.sizes().last(), 30);
    const QStringList fixed = dialog.families();
    dialog.setFixedPitchOnly(false);
    const QStringList all = dialog.families();
    EXPECT_GT(all.size(), fixed.size());
    for (const QString &family : all)
        EXPECT_LE(family.size(), FontDialog::kMaxFamilyLength) << family.toStdString();
    for (const QString &family : fixed.mid(1))
        EXPECT_TRUE(QFontDatabase::isFixedPitch(family)) << family.toStdString();
    EXPECT_EQ(dialog.family(), "Courier New") << "the choice survives a refill";

    dialog.setFamily(QStringLiteral("DejaVu Sans Mono"));
    dialog.setStyle(2);
    dialog.setPointSize(12);
    const QFont font = dialog.selectedFont();
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                  .arg(font.family())
                  .arg(font.pointSize())
                  .arg(font.weight())
                  .arg(font.italic()),
              "DejaVu Sans Mono 12 700 0");
    dialog.setPointSize(40);
    EXPECT_EQ(dialog.pointSize(), 12) << "no size above 30";
    saveScreenshot(&dialog, "fonts");
}

TEST_F(SetupDialogsTest, TheChosenFontGoesToEveryOpenViewAndTheSettings) {
    CaptureWindow *first = open("demo.lvt");
    CaptureWindow *second = open("calls.lvt");
    ASSERT_TRUE(first && second);
    runDialog<FontDialog>("F&onts...", [](auto *dialog) {
        dialog->setFamily(QStringLiteral("DejaVu Sans Mono"));
        dialog->setStyle(3);
        dialog->setPointSize(14);
        dialog->accept();
    });
    for (CaptureWindow *capture : {first, second}) {
        for (QWidget *view : {static_cast<QWidget *>(capture->findChild<QTableView *>()),
                              static_cast<QWidget *>(capture->findChild<QTreeWidget *>()),
                              static_cast<QWidget *>(capture->findChild<QPlainTextEdit *>())}) {
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->font().family(), "DejaVu Sans Mono");
            EXPECT_EQ(view->font().pointSize(), 14);
            EXPECT_TRUE(view->font().bold() && view->font().italic());
        }
    }
    ASSERT_TRUE(settings.writeAtExit());
    const IniFile file = onDisk();
    EXPECT_EQ(file.readString("Police", "FontName"), "DejaVu Sans Mono");
    EXPECT_EQ(file.readInt("Police", "FontSize", 0), 14);
    EXPECT_EQ(file.readInt("Police", "FontStyle", 0), 3);
    CaptureWindow *third = open("x25.lvt");
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->findChild<QTableView *>()->font().pointSize(), 14) << "and to new windows";
}

} // namespace
} // namespace qv
