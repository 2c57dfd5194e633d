// The serial settings per model and port, as QUORVANE.INI keeps them.
#include "comm/SerialSettings.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

IniFile ini(const std::string &text) {
    IniFile file;
    file.parse(text);
    return file;
}

} // namespace

TEST(SerialSettings, AFileWithoutTheSectionGivesCom1AndTheModelsDefaults) {
    const IniFile empty = ini("[Configuration]\nProduct=2\n");
    for (const int model : {kModelLvt3, kModelLvt30, kModelLvt60, kModelPlm45}) {
        SerialSettingsTable table;
        table.currentPort = 3;
        table.load(empty, model);
        EXPECT_EQ(table.currentPort, 0u) << model;
        for (const PortSettings &p : table.ports) {
            EXPECT_EQ(baudRate(p.speed), 9600u);
            EXPECT_EQ(baudRate(p.rtSpeed), 19200u);
            EXPECT_EQ(parityOf(p.parity), Parity::None);
            EXPECT_EQ(byteSize(p.dataBits), 8);
            EXPECT_EQ(std::string(kProtocolNames[p.xonXoff]), "Xon-Xoff");
        }
    }
    SerialSettingsTable dru;
    dru.load(empty, kModelDru70);
    EXPECT_EQ(baudRate(dru.current().speed), 57600u);
    EXPECT_EQ(baudRate(dru.current().rtSpeed), 57600u);

    // The monitors keep no settings: nothing is read.
    SerialSettingsTable monitor;
    monitor.currentPort = 2;
    monitor.load(ini("[Serial Ports]\nKSM-2 Current port=1\n"), 5);
    EXPECT_EQ(monitor.currentPort, 2u);
}

TEST(SerialSettings, ValuesAreReadAsTheFileHasThem) {
    const IniFile file = ini("[Serial Ports]\nLVT-30 Current port=2\nLVT-60 Current port=1\n"
                             "[LVT-30_COM3]\nSpeed=4\nRTSpeed=10\nParity=2\nData bits=0\n"
                             "Xon-Xoff=0\n[lvt-30_com1]\nspeed=abc\nRTSPEED=65543\n");
    SerialSettingsTable table;
    table.load(file, kModelLvt30);
    EXPECT_EQ(table.currentPort, 2u);
    EXPECT_EQ(table.current(), (PortSettings{4, 10, 2, 0, 0}));
    EXPECT_EQ(baudRate(table.current().rtSpeed), 256000u);
    // Sections and keys in any case; text that is no number reads 0; the low 16 bits are kept.
    EXPECT_EQ(table.ports[0], (PortSettings{0, 7, 0, 1, 1}));
    EXPECT_EQ(table.ports[1], SerialSettingsTable::defaults(kModelLvt30));

    // A current port out of range is kept as read; the current record is then COM1's.
    SerialSettingsTable odd;
    odd.load(ini("[Serial Ports]\nPLM-45 Current port=7\n"), kModelPlm45);
    EXPECT_EQ(odd.currentPort, 7u);
    EXPECT_FALSE(odd.currentPortValid());
    EXPECT_EQ(&odd.current(), &odd.ports[0]);
}

TEST(SerialSettings, WhatEachModelSaves) {
    SerialSettingsTable table;
    table.currentPort = 1;
    table.ports[1].rtSpeed = 2;
    for (const int model : {kModelDru70, kModelLvt3}) {
        IniFile file;
        table.save(file, model);
        const std::string name = kSerialModels[model].keyName;
        EXPECT_EQ(file.serialize(), "[Serial Ports]\n" + name + " Current port=1\n")
            << "the port values of " << name << " are never written";
    }
    for (const int model : {kModelLvt30, kModelLvt60, kModelPlm45}) {
        IniFile file;
        table.save(file, model);
        const std::string name = kSerialModels[model].keyName;
        EXPECT_EQ(file.readInt("Serial Ports", name + " Current port", -1), 1);
        EXPECT_EQ(file.readInt(name + "_COM2", "RTSpeed", -1), 2);
        EXPECT_EQ(file.readInt(name + "_COM4", "Xon-Xoff", -1), 1);
        SerialSettingsTable back;
        back.load(file, model);
        EXPECT_EQ(back, table) << name;
    }
    IniFile none;
    table.save(none, 6);
    EXPECT_EQ(none.serialize(), "");
}

TEST(SerialSettings, TheFieldsEachModelLetsTheUserChange) {
    struct Case {
        int model;
        bool forCapture;
        SerialFieldAccess access;
    };
    const Case cases[] = {
        {kModelDru70, false, {true, false, false, false, false, false}},
        {kModelLvt3, true, {true, false, false, false, false, false}},
        {kModelLvt30, true, {true, false, true, true, true, false}},
        {kModelLvt60, true, {true, false, true, true, true, false}},
        {kModelLvt30, false, {true, true, false, true, true, true}},
        {kModelLvt60, false, {true, true, false, true, true, true}},
        {kModelPlm45, false, {true, true, false, false, false, false}},
        {5, false, {false, false, false, false, false, false}},
        {6, true, {false, false, false, false, false, false}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(serialFieldAccess(c.model, c.forCapture), c.access)
            << c.model << (c.forCapture ? " for capture" : "");
}

TEST(SerialSettings, TheChoiceListsAndTheDevicesSection) {
    const std::uint32_t rates[] = {1200,  2400,  4800,   9600,   19200, 38400,
                                   56000, 57600, 115200, 128000, 256000};
    for (std::uint32_t i = 0; i < std::size(rates); ++i)
        EXPECT_EQ(baudRate(i), rates[i]);
    EXPECT_EQ(baudRate(11), 0u);
    EXPECT_EQ(byteSize(0), 7);
    EXPECT_EQ(byteSize(2), 0);
    EXPECT_EQ(parityOf(9), Parity::None);

    SerialDevices devices;
    devices.load(ini("[Serial Devices]\nCOM1=/dev/serial/by-id/usb-FTDI_A1\ncom3=/tmp/q-echo\n"));
    EXPECT_EQ(devices.devicePath(1), "/dev/serial/by-id/usb-FTDI_A1");
    EXPECT_EQ(devices.devicePath(3), "/tmp/q-echo");
    devices.setConfigured(3, "");
    devices.setConfigured(2, "/dev/ttyUSB1");
    IniFile file = ini("[Serial Devices]\nCOM1=/dev/ttyS0\nCOM3=/tmp/q-echo\n");
    devices.save(file);
    EXPECT_EQ(file.serialize(),
              "[Serial Devices]\nCOM1=/dev/serial/by-id/usb-FTDI_A1\nCOM2=/dev/ttyUSB1\n");
}
