// Product selection and Protocol Setup driven without a display: the two dialogs, and what a
// choice changes in the settings, the working mode, the toolbar and the open captures.
#include <gtest/gtest.h>

#include <QLabel>

#include <deque>
#include <filesystem>
#include <functional>
#include <unistd.h>
#include <vector>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ProgramFixture.h"
#include "Screenshots.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/ProductDialog.h"
#include "dialogs/ProductPictures.h"
#include "dialogs/ProtocolSetupDialog.h"
#include "dialogs/SerialLinkSetupDialog.h"
#include "views/CaptureWindow.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// Answers the modal dialogs the program opens: each step, in turn, is given the dialog on
// screen. A dialog that no step is left for fails the test and is cancelled.
class ModalSteps {
public:
    using Step = std::function<void(QDialog &)>;
    explicit ModalSteps(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }
    bool allTaken() const { return steps_.empty(); }

private:
    void poll() {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        if (steps_.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog->windowTitle().toStdString();
            dialog->reject();
            return;
        }
        const Step step = std::move(steps_.front());
        steps_.pop_front();
        step(*dialog);
    }

    std::deque<Step> steps_;
    QTimer timer_;
};

class ProgramTest : public test::ProgramTest {
protected:
    using test::ProgramTest::ProgramTest;
    CaptureWindow *open(const char *name, int frame) {
        CaptureWindow *capture = openSample(name);
        if (capture)
            capture->selectFrame(frame);
        return capture;
    }
    // Runs a menu command whose dialogs the steps answer.
    void run(const QString &command, std::vector<ModalSteps::Step> steps) {
        QAction *a = action(command);
        ASSERT_TRUE(a && a->isEnabled()) << command.toStdString();
        ModalSteps answers(std::move(steps));
        a->trigger();
        EXPECT_TRUE(answers.allTaken()) << "a dialog expected by the test did not open";
    }
    void chooseProduct(int product, bool v5 = false) {
        run("Product &Selection...", {[product, v5](QDialog &dialog) {
                auto &products = static_cast<ProductDialog &>(dialog);
                products.setProduct(product);
                products.setV5Decoding(v5);
                products.accept();
            }});
    }
    static ModalSteps::Step chooseProtocol(const QString &name, bool encapsulated = false) {
        return [name, encapsulated](QDialog &dialog) {
            auto &setup = static_cast<ProtocolSetupDialog &>(dialog);
            EXPECT_TRUE(setup.selectName(name)) << name.toStdString();
            setup.setEncapsulated(encapsulated);
            setup.accept();
        };
    }
    static bool hasHeader(const QAbstractItemModel *model, const QString &title) {
        return headerTitles(*model).contains(title);
    }
};

using test::cell;
using ProductSelectionTest = ProgramTest;

TEST_F(ProductSelectionTest, TheDialogShowsEachProductWithItsVariantsAndADescription) {
    ProductDialog dialog(2, false);
    const QStringList captions = dialog.productCaptions();
    ASSERT_EQ(captions.size(), kProductCount);
    EXPECT_EQ(captions[2], "LVT-30 S/T\nLVT-30U 2B1Q / 4B3T");
    EXPECT_EQ(dialog.product(), 2) << "opens on the product in use";
    EXPECT_TRUE(dialog.description().startsWith("LVT-30\nLVT-30 S/T\nLVT-30U 2B1Q / 4B3T\n"))
        << dialog.description().toStdString();
    EXPECT_TRUE(dialog.description().contains("Basic-rate ISDN tester"));

    // V5 decoding is offered for the LVT-60 alone, and its choice survives a look elsewhere.
    EXPECT_FALSE(dialog.v5Choosable());
    dialog.setV5Decoding(true);
    EXPECT_FALSE(dialog.v5Decoding());
    dialog.setProduct(kProductLvt60);
    dialog.setV5Decoding(true);
    EXPECT_TRUE(dialog.v5Decoding());
    EXPECT_TRUE(dialog.description().contains("captures the V5.1/V5.2 signalling"));
    dialog.setProduct(kProductPlm45);
    EXPECT_FALSE(dialog.findChild<QCheckBox *>()->isChecked());
    dialog.setProduct(kProductLvt60);
    EXPECT_TRUE(dialog.v5Decoding());
    dialog.show();
    test::saveScreenshot(&dialog, "product-selection");

    // Every product has a picture of its own; a value outside the table has none.
    std::vector<QImage> pictures;
    for (const ProductInfo &product : kProducts) {
        pictures.push_back(productPicture(product.value, 64).toImage());
        EXPECT_FALSE(pictures.back().isNull()) << product.name;
        EXPECT_EQ(productOfToolbarImage(product.toolbarImage), product.value);
    }
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << kProducts[a].name << " / " << kProducts[b].name;
    EXPECT_EQ(ProductDialog(42, true).product(), kProductLvt30) << "a value outside the table";
}

TEST_F(ProductSelectionTest, AChoiceSetsTheFiltersTheToolbarAndTheMode) {
    EXPECT_EQ(window->toolbarImage(), 0) << "the LVT-30's image at start";
    settings.examineFilter = 4;
    settings.viewFilter = 2;
    struct Case {
        int product;
        bool v5Asked;
        int examineFilter, viewFilter, toolbarImage;
        WorkingMode mode;
        bool v5;
    } cases[] = {
        {0, false, 1, 2, 6, WorkingMode::Examine, false},
        {5, true, 2, 2, 8, WorkingMode::Examine, false},
        {6, false, 3, 2, 9, WorkingMode::Examine, false},
        {4, false, 3, 1, 5, WorkingMode::ViewResults, false},
        {1, false, 0, 0, 7, WorkingMode::ViewResults, false},
        {3, true, 0, 0, 4, WorkingMode::ViewResults, true},
        {2, true, 0, 0, 0, WorkingMode::ViewResults, false},
    };
    QAction *picture = window->findChild<QAction *>("productPicture");
    ASSERT_NE(picture, nullptr);
    for (const Case &c : cases) {
        const char *name = kProducts[c.product].name;
        chooseProduct(c.product, c.v5Asked);
        EXPECT_EQ(settings.product, c.product) << name;
        EXPECT_EQ(settings.examineFilter, c.examineFilter) << name;
        EXPECT_EQ(settings.viewFilter, c.viewFilter) << name;
        EXPECT_EQ(window->toolbarImage(), c.toolbarImage) << name;
        EXPECT_EQ(window->mode(), c.mode) << name;
        EXPECT_EQ(settings.v5Decoding, c.v5) << name;
        EXPECT_EQ(picture->text(), QString::fromLatin1(name));
        EXPECT_EQ(picture->icon().pixmap(64).toImage(), productPicture(c.product, 64).toImage())
            << name << ": the toolbar shows the product's picture";
        int checked = 0;
        for (QAction *entry : window->findChildren<QAction *>())
            if (entry->isCheckable() && entry->text() == QString::fromLatin1(name))
                checked += entry->isChecked() ? 1 : 0;
        EXPECT_EQ(checked, 1) << name << ": the Product menu marks it";
    }

    // Cancel changes nothing.
    run("Product &Selection...", {[](QDialog &dialog) {
            static_cast<ProductDialog &>(dialog).setProduct(kProductPlm45);
            dialog.reject();
        }});
    EXPECT_EQ(settings.product, 2);
    EXPECT_EQ(window->toolbarImage(), 0);
    EXPECT_TRUE(messages.entries().empty());
}

TEST_F(ProductSelectionTest, SerialSettingsAreKeptPerProduct) {
    // A hand-edited file: the LVT-30 on COM2, a DRU-70 value that is not a number.
    settings.file().parse("[Serial Ports]\nLVT-30 Current port=1\nDRU-70 Current port=2\n"
                          "[DRU-70_COM3]\nSpeed=fast\n");
    settings.load(settings.file());
    EXPECT_EQ(settings.serialPorts.currentPort, 1u);
    EXPECT_EQ(settings.serialPorts.ports[0], (PortSettings{3, 4, 0, 1, 1}))
        << "9600 transfer, 19200 capture, no parity, 8 bits, Xon-Xoff";
    settings.serialPorts.ports[1].rtSpeed = 3; // as Serial Link Setup would change it

    chooseProduct(kProductDru70);
    const IniFile &ini = settings.file();
    EXPECT_EQ(ini.readInt("Serial Ports", "LVT-30 Current port", -1), 1);
    EXPECT_EQ(ini.readInt("LVT-30_COM2", "RTSpeed", -1), 3) << "saved for the product left";
    EXPECT_EQ(ini.readInt("LVT-30_COM4", "Xon-Xoff", -1), 1);
    EXPECT_EQ(settings.serialPorts.currentPort, 2u) << "loaded for the new product";
    EXPECT_EQ(settings.serialPorts.ports[0], (PortSettings{7, 7, 0, 1, 1})) << "57600 both ways";
    EXPECT_EQ(settings.serialPorts.ports[2].speed, 0u) << "a value that is not a number reads 0";

    settings.serialPorts.ports[0].rtSpeed = 4;
    chooseProduct(1); // LVT-3
    EXPECT_EQ(ini.readInt("Serial Ports", "DRU-70 Current port", -1), 2);
    EXPECT_FALSE(ini.hasSection("DRU-70_COM1")) << "the DRU-70 keeps its port values as filed";
    chooseProduct(5); // KSM-2: no serial settings of its own
    EXPECT_FALSE(ini.hasKey("Serial Ports", "KSM-2 Current port"));
    chooseProduct(kProductLvt30);
    EXPECT_EQ(settings.serialPorts.currentPort, 1u);
    EXPECT_EQ(settings.serialPorts.ports[1].rtSpeed, 3u) << "the LVT-30's own settings again";

    settings.serialPorts.currentPort = 3;
    window->close();
    EXPECT_EQ(ini.readInt("Serial Ports", "LVT-30 Current port", -1), 3) << "written at close";
}

TEST_F(ProductSelectionTest, SerialLinkSetupEditsTheProductsSettings) {
    run("&Serial Link Setup...", {[](QDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Serial Link Setup - LVT-30");
            auto &setup = static_cast<SerialLinkSetupDialog &>(dialog);
            setup.field("Serial Port")->setCurrentIndex(1);
            setup.field("Transfer Rate")->setCurrentIndex(4); // 19200
            QComboBox *device = setup.field("Device");
            device->setEditText("/tmp/q-echo");
            emit device->lineEdit()->editingFinished();
            dialog.accept();
        }});
    EXPECT_EQ(settings.serialPorts.currentPort, 1u);
    EXPECT_EQ(settings.serialPorts.ports[1].speed, 4u);
    EXPECT_EQ(settings.serialDevices.configured(2), "/tmp/q-echo");
    // Kept in the table until the product changes or the program ends.
    EXPECT_FALSE(settings.file().hasKey("LVT-30_COM2", "Speed"));
    window->close();
    EXPECT_TRUE(settings.writeAtExit());
    EXPECT_EQ(settings.file().readInt("LVT-30_COM2", "Speed", -1), 4);
    EXPECT_EQ(settings.file().readString("Serial Devices", "COM2", "", 100), "/tmp/q-echo");
}

// V5 decoding is the LVT-60's, chosen with the product or in Protocol Setup; an open V5
// capture is decoded again at its frame whenever it changes.
TEST_F(ProductSelectionTest, V5DecodingIsTheLvt60sChoice) {
    CaptureWindow *capture = open("v5.lvt", 3);
    ASSERT_NE(capture, nullptr);
    const QStringList isdn = capture->detailTexts();
    ASSERT_FALSE(isdn.isEmpty());
    EXPECT_EQ(isdn[0], "EDSS-1");
    EXPECT_EQ(cell(capture->summaryModel(), 3, "Msg.Type"), "-");
    EXPECT_TRUE(hasHeader(capture->summaryModel(), "TE - NT"));
    const auto hinted = [](CaptureWindow *window) {
        return !window->findChild<QLabel *>(QStringLiteral("v5Hint"))->isHidden();
    };
    const QStringList v5Columns{"EFA", "DLA", "L3 Addr.", "TS"};
    const auto v5Headers = [&v5Columns](CaptureWindow *window) {
        int found = 0;
        for (const QString &title : v5Columns)
            found += hasHeader(window->summaryModel(), title) ? 1 : 0;
        return found;
    };
    EXPECT_TRUE(hinted(capture)) << "a V5 capture decoded as ISDN says so";
    EXPECT_EQ(v5Headers(capture), 0);

    chooseProduct(kProductLvt60, true);
    EXPECT_FALSE(hinted(capture));
    EXPECT_EQ(v5Headers(capture), 4) << "the V5 columns come with V5 decoding";
    {
        // An ISDN capture opened meanwhile has neither V5 columns nor the V5 heading.
        CaptureWindow *isdnCapture = window->openCapture(test::sample("calls.lvt"));
        ASSERT_NE(isdnCapture, nullptr);
        EXPECT_EQ(v5Headers(isdnCapture), 0);
        EXPECT_TRUE(hasHeader(isdnCapture->summaryModel(), "TE - NT"));
        EXPECT_FALSE(hinted(isdnCapture));
        window->closeActive();
    }
    EXPECT_TRUE(settings.v5Decoding);
    const QStringList v5 = capture->detailTexts();
    ASSERT_FALSE(v5.isEmpty());
    EXPECT_EQ(v5[0], "V5/EDSS-1");
    EXPECT_TRUE(v5.contains("    Message Type: COMMON CONTROL ACK"));
    EXPECT_EQ(cell(capture->summaryModel(), 3, "Msg.Type"), "COM.CT.ACK") << "the row made anew";
    EXPECT_TRUE(hasHeader(capture->summaryModel(), "AN - LE"));
    EXPECT_EQ(capture->document().currentFrame(), 3u);

    auto encapsulation = [this](bool on) {
        run("&Protocol Setup...", {[on](QDialog &dialog) {
                auto &setup = static_cast<ProtocolSetupDialog &>(dialog);
                EXPECT_TRUE(setup.encapsulatedEnabled()) << "offered to the LVT-60";
                EXPECT_NE(setup.encapsulated(), on) << "shows the flag in force";
                setup.setEncapsulated(on);
                setup.accept();
            }});
    };
    encapsulation(false);
    EXPECT_FALSE(settings.v5Decoding);
    EXPECT_EQ(capture->detailTexts(), isdn);
    encapsulation(true);
    EXPECT_TRUE(settings.v5Decoding);
    EXPECT_EQ(capture->detailTexts(), v5);

    chooseProduct(kProductLvt30);
    EXPECT_FALSE(settings.v5Decoding) << "no other product keeps it";
    EXPECT_EQ(capture->detailTexts(), isdn);
    EXPECT_TRUE(hasHeader(capture->summaryModel(), "TE - NT"));
    EXPECT_EQ(v5Headers(capture), 0) << "no columns of \"?\" left behind";
    EXPECT_TRUE(hinted(capture));
}

using ProtocolSetupTest = ProgramTest;

TEST_F(ProtocolSetupTest, TheDialogListsTheVariantsSorted) {
    ProtocolSelection current = context.decoding.protocol();
    current.v5Encapsulated = true;
    ProtocolSetupDialog dialog(current, false, installation.notationRoot(), messages);
    EXPECT_EQ(dialog.names(),
              (QStringList{"1TR6", "ATT (BRA)", "ATT (PRA)", "CORNET-NQ", "CORNET-T/CORNET-N",
                           "DMS-100/NTI (BRA)", "DMS-100/NTI (PRA)", "EDSS-1", "N-ISDN (BRA)",
                           "N-ISDN (PRA)", "NTT", "Q931", "QSIG", "TN-1R6", "TPH1962/1856 (BRA)",
                           "TPH1962/1856 (PRA)", "VN4"}));
    EXPECT_EQ(dialog.selectedName(), "EDSS-1");
    // Another product than the LVT-60: the box is cleared and off, and so is the flag.
    EXPECT_FALSE(dialog.encapsulatedEnabled());
    EXPECT_FALSE(dialog.encapsulated());
    EXPECT_FALSE(dialog.selection().v5Encapsulated);

    // OK without a protocol name selected: the dialog stays and the choice is unchanged.
    dialog.show();
    EXPECT_FALSE(dialog.selectName("EDSS"));
    dialog.accept();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unknown protocol!"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.selection().code, "EDSS");
    ASSERT_TRUE(dialog.selectName("DMS-100/NTI (PRA)"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selection().displayName, "DMS-100/NTI (PRA)");
    EXPECT_EQ(dialog.selection().folderPath, installation.notationRoot() + "/NTIPRA/");

    ProtocolSetupDialog lvt60(current, true, installation.notationRoot(), messages);
    EXPECT_TRUE(lvt60.encapsulatedEnabled());
    EXPECT_TRUE(lvt60.encapsulated()) << "the LVT-60 shows the flag in force";
    lvt60.show();
    test::saveScreenshot(&lvt60, "protocol-setup");
}

TEST_F(ProtocolSetupTest, AChangeDecodesEveryOpenCaptureAgainAtItsFrame) {
    CaptureWindow *calls = open("calls.lvt", 12);
    CaptureWindow *demo = open("demo.lvt", 7);
    ASSERT_TRUE(calls && demo);
    const auto widths = [&] {
        std::vector<int> w;
        for (int column : context.columns.visibleColumnsInDisplayOrder())
            w.push_back(context.columns.field(column).width);
        return w;
    };
    const std::vector<int> widthsBefore = widths();

    run("&Protocol Setup...", {chooseProtocol("QSIG")});
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(settings.protocol, "QSIG");
    EXPECT_EQ(context.decoding.protocol().listFile, "QSIGEN.LST");
    for (CaptureWindow *capture : {calls, demo}) {
        ASSERT_FALSE(capture->detailTexts().isEmpty());
        EXPECT_EQ(capture->detailTexts()[0], "QSIG") << "the detail's protocol title";
    }
    EXPECT_EQ(calls->document().currentFrame(), 12u);
    EXPECT_EQ(demo->document().currentFrame(), 7u);
    EXPECT_TRUE(calls->detailTexts().contains("  Message Type: SETUP"));
    EXPECT_EQ(cell(calls->summaryModel(), 12, "Msg.Type"), "SETUP");
    EXPECT_EQ(widths(), widthsBefore) << "the user's column widths stay";

    // Cancel leaves the variant in force.
    run("&Protocol Setup...", {[](QDialog &dialog) {
            static_cast<ProtocolSetupDialog &>(dialog).selectName("VN4");
            dialog.reject();
        }});
    EXPECT_EQ(settings.protocol, "QSIG");
    EXPECT_EQ(calls->detailTexts()[0], "QSIG");
}

// A notation folder of its own, with a variant whose List File is missing and one whose
// call-control names are missing.
Installation damagedInstallation() {
    const fs::path home =
        fs::temp_directory_path() / ("qv-gui-protocol-" + std::to_string(::getpid()));
    fs::remove_all(home);
    const fs::path shipped = fs::path(Installation::fromCommandLine({}).notationRoot());
    fs::create_directories(home / "ISDNNOT");
    for (const char *code : {"EDSS", "V5", "NTIPRA", "QSIG", "Q931"})
        fs::copy(shipped / code, home / "ISDNNOT" / code, fs::copy_options::recursive);
    fs::remove(home / "ISDNNOT" / "NTIPRA" / "NTIPRAEN.LST");
    fs::remove(home / "ISDNNOT" / "QSIG" / "user_msg.pnt");
    return Installation(home.string());
}

class ProtocolSetupFailureTest : public ProgramTest {
protected:
    ProtocolSetupFailureTest() : ProgramTest(damagedInstallation()) {}
    ~ProtocolSetupFailureTest() override { fs::remove_all(installation.home()); }
};

TEST_F(ProtocolSetupFailureTest, AVariantThatCannotLoadIsReportedAndTheDialogComesBack) {
    ASSERT_TRUE(messages.entries().empty()) << messages.texts().front();
    CaptureWindow *capture = open("calls.lvt", 12);
    ASSERT_NE(capture, nullptr);
    const QStringList before = capture->detailTexts();
    ASSERT_EQ(before[0], "EDSS-1");

    run("&Protocol Setup...",
        {chooseProtocol("DMS-100/NTI (PRA)"),
         [&](QDialog &dialog) {
             auto &setup = static_cast<ProtocolSetupDialog &>(dialog);
             EXPECT_EQ(setup.selectedName(), "DMS-100/NTI (PRA)") << "shown again on the choice";
             EXPECT_EQ(messages.texts(),
                       (std::vector<std::string>{
                           "Can't open file NTIPRAEN.LST. Please, check notation files path ...",
                           "Problem while initializing PDU Interpreter!"}));
             messages.clear();
             chooseProtocol("QSIG")(dialog);
         },
         [&](QDialog &dialog) {
             const std::string pnt = installation.notationRoot() + "/QSIG/user_msg.pnt";
             EXPECT_EQ(messages.texts(),
                       (std::vector<std::string>{
                           "Can't open file " + pnt + ". Please, check notation files path ...",
                           "ISDN Manager Problem!", "ISDN Manager Problem!"}));
             messages.clear();
             dialog.reject();
         }});
    // Cancelled after the failures: the variant in force before decodes as before.
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(settings.variant, "EDSS");
    EXPECT_EQ(capture->detailTexts(), before);
    EXPECT_EQ(cell(capture->summaryModel(), 12, "Msg.Type"), "SETUP");

    // A variant that loads after a failure ends the command.
    run("&Protocol Setup...", {chooseProtocol("DMS-100/NTI (PRA)"), [&](QDialog &dialog) {
                                   messages.clear();
                                   chooseProtocol("Q931")(dialog);
                               }});
    EXPECT_TRUE(messages.entries().empty());
    EXPECT_EQ(settings.variant, "Q931");
    EXPECT_EQ(capture->detailTexts()[0], "Q931");
}

} // namespace
} // namespace qv
