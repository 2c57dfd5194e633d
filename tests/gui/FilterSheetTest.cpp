// The off-line filter sheet: its pages and their values, the profiles of the Filter folder, the
// filter it applies to an open capture, and "Call-Ref on selection".
#include <gtest/gtest.h>

#include <filesystem>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/FilterSheet.h"
#include "dialogs/OffLineFilterCommands.h"
#include "dialogs/ProfilePage.h"
#include "filters/FilterLists.h"
#include "views/CaptureWindow.h"

namespace qv {
namespace {

class FilterSheetTest : public test::ProgramTest {
protected:
    template <class W> static W *field(FilterSheet &sheet, const char *name) {
        W *w = sheet.findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QStringList column(const QAbstractItemModel *model, const QString &title) {
        QStringList cells;
        for (int r = 0; r < model->rowCount(); ++r)
            cells << test::cell(model, r, title);
        return cells;
    }
    CaptureWindow *openCalls() { return openSample("calls.lvt"); }

    const std::string folder = dir.file("Filter");
};

TEST_F(FilterSheetTest, PagesShowAndTakeTheCriteria) {
    FilterCriteria c;
    c.teiSet = true;
    c.tei = 65;
    c.callRefSet = true;
    c.callRef = 0x1A;
    c.message = 26; // SETUP
    FilterSheet sheet(FilterKind::OffLine, c, FilterFiles(folder), nullptr, messages);
    auto *tabs = sheet.findChild<QTabWidget *>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(field<QCheckBox>(sheet, "teiSet")->isChecked());
    EXPECT_EQ(field<QSpinBox>(sheet, "tei")->value(), 65);
    EXPECT_EQ(field<QLineEdit>(sheet, "callRef")->text(), "1A");
    EXPECT_EQ(field<QComboBox>(sheet, "message")->currentText(), "SETUP");
    EXPECT_EQ(field<QComboBox>(sheet, "v5Message")->currentText(), "ISDN/SETUP")
        << "the V5 page chooses the same criterion";
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        test::saveScreenshot(&sheet, ("filter-sheet-" + std::to_string(i)).c_str());
    }

    field<QCheckBox>(sheet, "layer1")->setChecked(false);
    field<QCheckBox>(sheet, "remoteSet")->setChecked(true);
    field<QLineEdit>(sheet, "remote")->setText("*4321");
    field<QComboBox>(sheet, "v5Message")->setCurrentText("PSTN/ESTABLISH");
    field<QCheckBox>(sheet, "causeSet")->setChecked(true);
    field<QLineEdit>(sheet, "cause")->setText("0x10");
    field<QComboBox>(sheet, "causeFormat")->setCurrentText("HEXA VALUES");
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    const FilterCriteria &out = sheet.criteria();
    EXPECT_FALSE(out.layer1);
    EXPECT_EQ(out.callRef, 0x1A);
    EXPECT_TRUE(out.remoteAddressSet);
    EXPECT_EQ(out.remoteAddress, "*4321");
    EXPECT_EQ(out.message, kV5MessageMark | 34);
    EXPECT_EQ(field<QComboBox>(sheet, "message")->currentIndex(), 0);
    EXPECT_EQ(out.causeText, "0x10");
    EXPECT_EQ(out.causeFormat, kCauseHexa);
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(FilterSheetTest, BadValuesKeepTheSheetOpen) {
    struct Case {
        const char *set, *edit, *value, *message;
    };
    const Case cases[] = {
        {"callRefSet", "callRef", "8000",
         "The call reference is a hexadecimal value from 0 to 7FFF."},
        {"localSet", "local", "12*34",
         "The local address is made of digits, with * for any digits at its start or its end."},
        {"causeSet", "cause", "NO SUCH CAUSE",
         "\"NO SUCH CAUSE\" is not a cause of the list of causes."},
    };
    for (const Case &c : cases) {
        FilterSheet sheet(FilterKind::OffLine, {}, FilterFiles(folder), nullptr, messages);
        field<QCheckBox>(sheet, c.set)->setChecked(true);
        field<QLineEdit>(sheet, c.edit)->setText(QString::fromLatin1(c.value));
        messages.clear();
        sheet.accept();
        EXPECT_NE(sheet.result(), QDialog::Accepted) << c.edit;
        ASSERT_EQ(messages.entries().size(), 1u) << c.edit;
        EXPECT_EQ(messages.entries()[0].text, c.message);
    }
}

TEST_F(FilterSheetTest, ProfilesAreSavedLoadedAndDeleted) {
    FilterCriteria c;
    c.localAddressSet = true;
    c.localAddress = "0301*";
    c.keepRR = false;
    FilterSheet sheet(FilterKind::OffLine, c, FilterFiles(folder), nullptr, messages);
    auto *name = field<QLineEdit>(sheet, "profileName");
    name->setText("calls");
    ASSERT_TRUE(sheet.profiles().saveProfile());
    EXPECT_TRUE(std::filesystem::exists(folder + "/LVTO_calls.flt"));
    EXPECT_EQ(sheet.profiles().profileNames(), QStringList{"calls"});

    // Another filter on the pages, then the profile back.
    sheet.showCriteria({});
    EXPECT_TRUE(field<QCheckBox>(sheet, "keepRR")->isChecked());
    ASSERT_TRUE(sheet.profiles().loadProfile());
    EXPECT_FALSE(field<QCheckBox>(sheet, "keepRR")->isChecked());
    EXPECT_EQ(field<QLineEdit>(sheet, "local")->text(), "0301*");

    messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(sheet.profiles().saveProfile())
        << "an existing profile is replaced only when confirmed";
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(sheet.profiles().deleteProfile());
    EXPECT_FALSE(std::filesystem::exists(folder + "/LVTO_calls.flt"));

    name->setText("a/b");
    messages.clear();
    EXPECT_FALSE(sheet.profiles().saveProfile());
    EXPECT_EQ(messages.texts().back(), "Enter a profile name without / or \\.");
    name->setText("missing");
    EXPECT_FALSE(sheet.profiles().loadProfile());
    EXPECT_EQ(messages.texts().back(), "The profile missing can not be read.");

    FilterSheet realTime(FilterKind::RealTime, {}, FilterFiles(folder), nullptr, messages);
    realTime.findChild<QTabWidget *>()->setCurrentIndex(4);
    EXPECT_TRUE(field<QComboBox>(realTime, "slicing")->isVisibleTo(&realTime));
    EXPECT_FALSE(field<QComboBox>(realTime, "packet")->isVisibleTo(&realTime));
    test::saveScreenshot(&realTime, "filter-sheet-realtime");
}

TEST_F(FilterSheetTest, TheSheetsFilterHidesFramesOfTheOpenCapture) {
    CaptureWindow *capture = openCalls();
    ASSERT_NE(capture, nullptr);
    CDecodeDoc &doc = capture->document();
    FilterSheet sheet(FilterKind::OffLine, offLineCriteria(doc), FilterFiles(folder), nullptr,
                      messages);
    field<QCheckBox>(sheet, "layer1")->setChecked(false);
    field<QCheckBox>(sheet, "layer2")->setChecked(false);
    field<QComboBox>(sheet, "message")->setCurrentText("CONNECT");
    sheet.accept();
    applyOffLineCriteria(doc, sheet.criteria(), nullptr);
    finishScans();
    const QStringList types = column(capture->summaryModel(), "Msg.Type");
    ASSERT_FALSE(types.isEmpty());
    EXPECT_EQ(types.count("CONNECT"), types.size());
    EXPECT_TRUE(capture->windowTitle().endsWith(" - Active Filters "));
    EXPECT_EQ(offLineCriteria(doc).message, 4);

    applyOffLineCriteria(doc, {}, nullptr);
    EXPECT_EQ(capture->summaryModel()->rowCount(), 340);
    EXPECT_FALSE(doc.filtersActive());
}

TEST_F(FilterSheetTest, CallRefOnSelectionFollowsTheCallOfTheSelectedFrame) {
    CaptureWindow *capture = openCalls();
    ASSERT_NE(capture, nullptr);
    CDecodeDoc &doc = capture->document();
    capture->selectFrame(13); // an RR
    callRefOnSelection(doc, nullptr, messages);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "This frame is not a layer 3 frame");
    EXPECT_FALSE(doc.filtersActive());

    capture->selectFrame(12); // the SETUP of the first call
    callRefOnSelection(doc, nullptr, messages);
    finishScans();
    EXPECT_TRUE(doc.filtersActive());
    const FilterCriteria c = offLineCriteria(doc);
    EXPECT_TRUE(c.callRefSet);
    const QStringList refs = column(capture->summaryModel(), "CR");
    const QStringList types = column(capture->summaryModel(), "Msg.Type");
    ASSERT_GT(types.count("SETUP"), 0);
    // Layer-3 rows all carry that call reference; the layer-1 and layer-2 rows stay.
    for (int r = 0; r < refs.size(); ++r) {
        if (types[r] != "-") {
            EXPECT_EQ(refs[r], refs[types.indexOf("SETUP")]) << r;
        }
    }
    EXPECT_TRUE(types.contains("REL COMP"));
    EXPECT_EQ(messages.texts().size(), 1u);
}

} // namespace
} // namespace qv
