// The Serial Link Setup dialog driven without a display: what each model lets the user change,
// edits that go into the table at once, Cancel that puts everything back, and the device of a
// port picked among the detected ones or typed.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <fstream>

#include "Screenshots.h"
#include "dialogs/SerialLinkSetupDialog.h"
#include "support/TempDir.h"

namespace qv {
namespace {

const char *const kFields[] = {"Serial Port", "Transfer Rate", "Capture Rate",
                               "Parity",      "Data bits",     "Protocol"};

std::vector<PortInfo> detected() {
    PortInfo ftdi;
    ftdi.name = "ttyUSB0";
    ftdi.device = "/dev/ttyUSB0";
    ftdi.byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
    ftdi.driver = "ftdi_sio";
    ftdi.vendorId = "0403";
    ftdi.productId = "6001";
    ftdi.manufacturer = "FTDI";
    ftdi.product = "FT232R USB UART";
    ftdi.serialNumber = "A1B2C3";
    ftdi.accessible = true;
    PortInfo builtIn;
    builtIn.name = "ttyS0";
    builtIn.device = "/dev/ttyS0";
    builtIn.driver = "serial";
    builtIn.accessible = true;
    return {builtIn, ftdi};
}

struct OpenedSetup {
    explicit OpenedSetup(int model, bool forCapture = false) {
        IniFile empty;
        table.load(empty, model);
        dialog =
            std::make_unique<SerialLinkSetupDialog>(table, devices, model, forCapture, detected());
    }
    QComboBox *field(const char *name) const {
        QComboBox *box = dialog->field(QString::fromLatin1(name));
        EXPECT_NE(box, nullptr) << name;
        return box;
    }
    std::vector<bool> enabled() const {
        std::vector<bool> on;
        for (const char *name : kFields)
            on.push_back(field(name)->isEnabled());
        return on;
    }
    SerialSettingsTable table;
    SerialDevices devices;
    std::unique_ptr<SerialLinkSetupDialog> dialog;
};

void choose(QComboBox *box, const QString &text) {
    const int at = box->findText(text);
    ASSERT_GE(at, 0) << text.toStdString();
    box->setCurrentIndex(at);
}

} // namespace

TEST(SerialLinkSetup, TitleAndFieldsFollowTheModel) {
    struct Case {
        int model;
        bool forCapture;
        const char *title;
        std::vector<bool> enabled;
    };
    const Case cases[] = {
        {0, false, "Serial Link Setup - DRU-70", {true, false, false, false, false, false}},
        {1, false, "Serial Link Setup - LVT-3", {true, false, false, false, false, false}},
        {2, true, "Serial Link Setup - LVT-30", {true, false, true, true, true, false}},
        {3, false, "Serial Link Setup - LVT-60", {true, true, false, true, true, true}},
        {4, false, "Serial Link Setup - PLM-45", {true, true, false, false, false, false}},
        {5, false, "Serial Link Setup - KSM", {false, false, false, false, false, false}},
        {6, true, "Serial Link Setup - KSE", {false, false, false, false, false, false}},
    };
    for (const Case &c : cases) {
        OpenedSetup setup(c.model, c.forCapture);
        EXPECT_EQ(setup.dialog->windowTitle().toStdString(), c.title);
        EXPECT_EQ(setup.enabled(), c.enabled) << c.title;
        EXPECT_EQ(setup.dialog->field("Device")->isEnabled(), c.enabled[0]) << c.title;
    }
    // The rates offered are 1200 to 19200; the DRU-70's 57600 is shown as it stands.
    OpenedSetup dru(0);
    QComboBox *transfer = dru.field("Transfer Rate");
    EXPECT_EQ(transfer->currentText(), "57600");
    QStringList offered;
    for (int i = 0; i < transfer->count(); ++i)
        offered << transfer->itemText(i);
    EXPECT_EQ(offered, (QStringList{"1200", "2400", "4800", "9600", "19200", "57600"}));
    OpenedSetup lvt(2);
    EXPECT_EQ(lvt.field("Transfer Rate")->count(), 5);
    EXPECT_EQ(lvt.field("Capture Rate")->currentText(), "19200");
    EXPECT_EQ(lvt.field("Protocol")->currentText(), "Xon-Xoff");
}

TEST(SerialLinkSetup, EditsGoIntoTheTableAtOnceAndCancelPutsAllBack) {
    OpenedSetup setup(2);
    const SerialSettingsTable before = setup.table;
    choose(setup.field("Transfer Rate"), "2400");
    EXPECT_EQ(setup.table.ports[0].speed, 1u);
    choose(setup.field("Serial Port"), "COM3");
    EXPECT_EQ(setup.table.currentPort, 2u) << "the port chosen is current at once";
    EXPECT_EQ(setup.field("Transfer Rate")->currentText(), "9600") << "COM3's own values";
    choose(setup.field("Parity"), "odd");
    choose(setup.field("Data bits"), "7");
    choose(setup.field("Protocol"), "none");
    EXPECT_EQ(setup.table.ports[2], (PortSettings{3, 4, 2, 0, 0}));
    choose(setup.field("Serial Port"), "COM1");
    EXPECT_EQ(setup.field("Transfer Rate")->currentText(), "2400");

    setup.dialog->reject();
    EXPECT_EQ(setup.table, before) << "the port and all four records as they were";

    OpenedSetup kept(3);
    choose(kept.field("Serial Port"), "COM2");
    choose(kept.field("Parity"), "even");
    kept.dialog->accept();
    EXPECT_EQ(kept.table.currentPort, 1u);
    EXPECT_EQ(kept.table.ports[1].parity, 1u);
}

TEST(SerialLinkSetup, TheDeviceOfThePortIsPickedOrTyped) {
    OpenedSetup setup(2);
    QComboBox *device = setup.field("Device");
    EXPECT_EQ(device->itemText(0), "Default (/dev/ttyS0)");
    EXPECT_EQ(device->itemText(2),
              "/dev/ttyUSB0 - FTDI FT232R USB UART (0403:6001, serial A1B2C3)");
    device->setCurrentIndex(2);
    emit device->activated(2);
    EXPECT_EQ(setup.devices.configured(1),
              "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0")
        << "the stable name, which stays when the adapter moves to another socket";

    // A path typed in: a link to a simulator, say. It does not exist yet.
    choose(setup.field("Serial Port"), "COM2");
    EXPECT_EQ(device->currentIndex(), 0) << "COM2 has no device set";
    device->setEditText("/tmp/quorvane-no-such-link");
    emit device->lineEdit()->editingFinished();
    EXPECT_EQ(setup.devices.configured(2), "/tmp/quorvane-no-such-link");
    EXPECT_EQ(setup.dialog->deviceNote()->text(),
              "COM2: /tmp/quorvane-no-such-link is not there now (not plugged in?).");
    test::TempDir dir;
    std::ofstream(dir.file("tty")) << "";
    device->setEditText(QString::fromStdString(dir.file("tty")));
    emit device->lineEdit()->editingFinished();
    EXPECT_EQ(setup.dialog->deviceNote()->text().toStdString(), "COM2: " + dir.file("tty") + ".");

    // Back to COM1: its device as chosen.
    choose(setup.field("Serial Port"), "COM1");
    EXPECT_EQ(device->currentIndex(), 2);
    setup.dialog->reject();
    EXPECT_EQ(setup.devices, SerialDevices{}) << "Cancel forgets the devices too";
}

TEST(SerialLinkSetup, Pictures) {
    struct Shot {
        int model;
        bool forCapture;
        const char *name;
    };
    for (const Shot shot :
         {Shot{2, false, "serial-setup-lvt30"}, Shot{2, true, "serial-setup-lvt30-capture"},
          Shot{0, false, "serial-setup-dru70"}, Shot{5, false, "serial-setup-ksm2"}}) {
        OpenedSetup setup(shot.model, shot.forCapture);
        test::saveScreenshot(setup.dialog.get(), shot.name);
        EXPECT_FALSE(setup.dialog->deviceNote()->text().isEmpty());
    }
}

} // namespace qv
