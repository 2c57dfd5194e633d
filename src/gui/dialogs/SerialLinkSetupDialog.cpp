#include "dialogs/SerialLinkSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

// The lists' texts as the dialog shows them; the numbers stay as they are.
const char *const kParityTexts[] = {QT_TRANSLATE_NOOP("qv::SerialLinkSetupDialog", "none"),
                                    QT_TRANSLATE_NOOP("qv::SerialLinkSetupDialog", "even"),
                                    QT_TRANSLATE_NOOP("qv::SerialLinkSetupDialog", "odd")};
const char *const kProtocolTexts[] = {QT_TRANSLATE_NOOP("qv::SerialLinkSetupDialog", "none"),
                                      "Xon-Xoff"};
static_assert(std::size(kParityTexts) == std::size(kParityNames));
static_assert(std::size(kProtocolTexts) == std::size(kProtocolNames));

constexpr const char *kFieldNames[] = {"Serial Port", "Transfer Rate", "Capture Rate", "Parity",
                                       "Data bits",   "Protocol",      "Device"};

} // namespace

SerialLinkSetupDialog::SerialLinkSetupDialog(SerialSettingsTable &table, SerialDevices &devices,
                                             int model, bool forCapture, QWidget *parent)
    : SerialLinkSetupDialog(table, devices, model, forCapture, listPorts(), parent) {
    detect_ = true;
}

SerialLinkSetupDialog::SerialLinkSetupDialog(SerialSettingsTable &table, SerialDevices &devices,
                                             int model, bool forCapture,
                                             std::vector<PortInfo> ports, QWidget *parent)
    : QDialog(parent), table_(table), devices_(devices), model_(model), openedTable_(table),
      openedDevices_(devices), ports_(std::move(ports)), detect_(false) {
    const char *suffix =
        model >= 0 && model < kSerialModelCount ? kSerialModels[model].titleSuffix : "";
    setWindowTitle(tr("Serial Link Setup") + QString::fromLatin1(suffix));
    build(forCapture);
    showPort();
}

void SerialLinkSetupDialog::build(bool forCapture) {
    auto combo = [this](const char *name) {
        auto *box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    port_ = combo(kFieldNames[0]);
    for (const char *name : kPortNames)
        port_->addItem(QString::fromLatin1(name), static_cast<uint>(port_->count()));
    transfer_ = combo(kFieldNames[1]);
    capture_ = combo(kFieldNames[2]);
    parity_ = combo(kFieldNames[3]);
    for (std::size_t i = 0; i < std::size(kParityTexts); ++i)
        parity_->addItem(tr(kParityTexts[i]), static_cast<uint>(i));
    dataBits_ = combo(kFieldNames[4]);
    for (std::size_t i = 0; i < std::size(kDataBitsNames); ++i)
        dataBits_->addItem(QString::fromLatin1(kDataBitsNames[i]), static_cast<uint>(i));
    protocol_ = combo(kFieldNames[5]);
    for (std::size_t i = 0; i < std::size(kProtocolTexts); ++i)
        protocol_->addItem(tr(kProtocolTexts[i]), static_cast<uint>(i));
    device_ = combo(kFieldNames[6]);
    device_->setEditable(true);
    device_->setInsertPolicy(QComboBox::NoInsert);
    device_->setMinimumContentsLength(34);
    device_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    device_->setToolTip(tr("The device this port stands for on this computer: one of the "
                           "detected ports, or a path typed in (a link made by quorvane-cli "
                           "simulate, say)"));
    refresh_ = new QPushButton(tr("&Refresh"), this);
    refresh_->setToolTip(tr("Look for serial ports again (after plugging in a USB adapter)"));
    deviceNote_ = new QLabel(this);
    deviceNote_->setWordWrap(true);
    deviceNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *form = new QFormLayout;
    form->addRow(tr("Serial Port"), port_);
    form->addRow(tr("Transfer Rate"), transfer_);
    form->addRow(tr("Capture Rate"), capture_);
    form->addRow(tr("Parity"), parity_);
    form->addRow(tr("Data bits"), dataBits_);
    form->addRow(tr("Protocol"), protocol_);
    auto *deviceRow = new QHBoxLayout;
    deviceRow->addWidget(device_, 1);
    deviceRow->addWidget(refresh_);
    form->addRow(tr("Device"), deviceRow);
    form->addRow(QString(), deviceNote_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const SerialFieldAccess access = serialFieldAccess(model_, forCapture);
    port_->setEnabled(access.port);
    transfer_->setEnabled(access.transferRate);
    capture_->setEnabled(access.captureRate);
    parity_->setEnabled(access.parity);
    dataBits_->setEnabled(access.dataBits);
    protocol_->setEnabled(access.protocol);
    device_->setEnabled(access.port);
    refresh_->setEnabled(access.port);

    connect(port_, &QComboBox::currentIndexChanged, this, [this] {
        if (showing_)
            return;
        table_.currentPort = port_->currentData().toUInt();
        showPort();
    });
    auto edits = [this](QComboBox *box, std::uint32_t PortSettings::*member) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, box, member] {
            if (!showing_ && table_.currentPortValid())
                table_.ports[table_.currentPort].*member = box->currentData().toUInt();
        });
    };
    edits(transfer_, &PortSettings::speed);
    edits(capture_, &PortSettings::rtSpeed);
    edits(parity_, &PortSettings::parity);
    edits(dataBits_, &PortSettings::dataBits);
    edits(protocol_, &PortSettings::xonXoff);
    connect(device_, &QComboBox::activated, this, &SerialLinkSetupDialog::deviceChosen);
    connect(device_->lineEdit(), &QLineEdit::editingFinished, this,
            &SerialLinkSetupDialog::deviceChosen);
    connect(refresh_, &QPushButton::clicked, this, [this] {
        if (detect_)
            ports_ = listPorts();
        showPort();
    });
}

void SerialLinkSetupDialog::setIndex(QComboBox *box, std::uint32_t value) {
    int at = box->findData(static_cast<uint>(value));
    if (at < 0) {
        // A value the dialog does not offer (a higher rate, an edited file): shown as it is.
        QString text =
            box == transfer_ || box == capture_
                ? (value < std::size(kSpeedNames) ? QString::fromLatin1(kSpeedNames[value])
                                                  : QString())
            : box == port_ ? QStringLiteral("COM%1").arg(value + 1)
                           : QString();
        if (text.isEmpty() || (box == port_ && value >= SerialSettingsTable::kPortCount))
            text = tr("%1 (unknown)").arg(box == port_ ? value + 1 : value);
        box->addItem(text, static_cast<uint>(value));
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

void SerialLinkSetupDialog::showPort() {
    showing_ = true;
    for (QComboBox *speeds : {transfer_, capture_}) {
        speeds->clear();
        for (std::size_t i = 0; i < kDialogSpeedCount; ++i)
            speeds->addItem(QString::fromLatin1(kSpeedNames[i]), static_cast<uint>(i));
    }
    setIndex(port_, table_.currentPort);
    const PortSettings &p = table_.current();
    setIndex(transfer_, p.speed);
    setIndex(capture_, p.rtSpeed);
    setIndex(parity_, p.parity);
    setIndex(dataBits_, p.dataBits);
    setIndex(protocol_, p.xonXoff);
    fillDevices();
    showing_ = false;
    noteDevice();
}

void SerialLinkSetupDialog::fillDevices() {
    const int port = static_cast<int>(table_.currentPort) + 1;
    device_->clear();
    device_->addItem(tr("Default (%1)")
                         .arg(QString::fromStdString(
                             SerialDevices::fallbackPath(table_.currentPortValid() ? port : 1))),
                     QString());
    for (const PortInfo &info : ports_) {
        const std::string path = info.byId.empty() ? info.device : info.byId;
        device_->addItem(QString::fromStdString(info.device + " - " + info.description()),
                         QString::fromStdString(path));
        device_->setItemData(device_->count() - 1, QString::fromStdString(path), Qt::ToolTipRole);
    }
    const QString configured = QString::fromStdString(devices_.configured(port));
    int at = device_->findData(configured);
    if (at < 0)
        for (int i = 1; i < device_->count() && at < 0; ++i)
            if (ports_[static_cast<std::size_t>(i - 1)].device == configured.toStdString())
                at = i;
    if (at >= 0)
        device_->setCurrentIndex(at);
    else
        device_->setEditText(configured);
}

void SerialLinkSetupDialog::deviceChosen() {
    if (showing_ || !table_.currentPortValid())
        return;
    const int index = device_->currentIndex();
    QString path = device_->currentText().trimmed();
    if (index >= 0 && path == device_->itemText(index))
        path = device_->itemData(index).toString();
    devices_.setConfigured(static_cast<int>(table_.currentPort) + 1, path.toStdString());
    noteDevice();
}

void SerialLinkSetupDialog::noteDevice() {
    const int port = static_cast<int>(table_.currentPort) + 1;
    if (!table_.currentPortValid()) {
        deviceNote_->setText(tr("Choose a port from COM1 to COM4."));
        return;
    }
    const std::string path = devices_.devicePath(port);
    const QString name = QString::fromStdString(path);
    const QString com = QString::fromLatin1(kPortNames[port - 1]);
    if (!QFileInfo::exists(name)) {
        deviceNote_->setText(tr("%1: %2 is not there now (not plugged in?).").arg(com, name));
        return;
    }
    const std::string real = QFileInfo(name).canonicalFilePath().toStdString();
    for (const PortInfo &info : ports_)
        if (info.device == real || info.device == path || info.byId == path) {
            deviceNote_->setText(tr("%1: %2, %3.")
                                     .arg(com, QString::fromStdString(info.device),
                                          QString::fromStdString(
                                              info.accessible ? info.description() : info.advice)));
            return;
        }
    const std::string advice = accessAdvice(path);
    const QString target = QString::fromStdString(real);
    if (!advice.empty())
        deviceNote_->setText(tr("%1: %2").arg(com, QString::fromStdString(advice)));
    else if (!target.isEmpty() && target != name)
        deviceNote_->setText(tr("%1: %2, that is %3.").arg(com, name, target));
    else
        deviceNote_->setText(tr("%1: %2.").arg(com, name));
}

QComboBox *SerialLinkSetupDialog::field(const QString &name) const {
    return findChild<QComboBox *>(name);
}

void SerialLinkSetupDialog::reject() {
    table_ = openedTable_;
    devices_ = openedDevices_;
    QDialog::reject();
}

} // namespace qv
