#pragma once
// The "Serial Link Setup" dialog: the port the instrument is on and that port's rates, parity,
// data bits and flow control, as the selected model lets the user change them; and, for the
// port shown, the device it stands for on this machine, picked among the detected ports or typed.
// Changes go into the table at once; Cancel puts back what the dialog opened on.
#include <QDialog>

#include <vector>

#include "comm/PortList.h"
#include "comm/SerialSettings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace qv {

class SerialLinkSetupDialog : public QDialog {
    Q_OBJECT
public:
    // model: the product's index; forCapture: opened for a real-time capture. ports: the
    // detected ports; by default the machine's own.
    SerialLinkSetupDialog(SerialSettingsTable &table, SerialDevices &devices, int model,
                          bool forCapture, QWidget *parent = nullptr);
    SerialLinkSetupDialog(SerialSettingsTable &table, SerialDevices &devices, int model,
                          bool forCapture, std::vector<PortInfo> ports, QWidget *parent = nullptr);

    // The fields, for tests: "Serial Port", "Transfer Rate", "Capture Rate", "Parity",
    // "Data bits", "Protocol" and "Device".
    QComboBox *field(const QString &name) const;
    QLabel *deviceNote() const { return deviceNote_; }
    void reject() override;

private:
    void build(bool forCapture);
    void showPort();
    void fillDevices();
    void deviceChosen();
    void noteDevice();
    void setIndex(QComboBox *box, std::uint32_t value);

    SerialSettingsTable &table_;
    SerialDevices &devices_;
    int model_;
    SerialSettingsTable openedTable_;
    SerialDevices openedDevices_;
    std::vector<PortInfo> ports_;
    bool detect_;
    bool showing_ = false;
    QComboBox *port_ = nullptr;
    QComboBox *transfer_ = nullptr;
    QComboBox *capture_ = nullptr;
    QComboBox *parity_ = nullptr;
    QComboBox *dataBits_ = nullptr;
    QComboBox *protocol_ = nullptr;
    QComboBox *device_ = nullptr;
    QPushButton *refresh_ = nullptr;
    QLabel *deviceNote_ = nullptr;
};

} // namespace qv
