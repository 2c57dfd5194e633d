// The serial-port commands run as a user would: a simulated instrument served on a link, tried
// with the program's own serial port, and the port list.
#include "CliSupport.h"
#include "comm/LinkRunner.h"
#include "comm/LvtRealTimeLink.h"
#include "comm/SerialPort.h"
#include "sim/LvtTester.h"
#include "synth/Scenario.h"

#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

using namespace qv;
using namespace qv::test;

namespace {

class SerialCliTest : public CliFolder {};

} // namespace

TEST_F(SerialCliTest, TheEchoSimulatorServesOnItsLinkAndTidiesUp) {
    const std::string link = file("q-echo");
    CliRun run;
    std::thread served([&] { run = cli("simulate echo --link " + link + " --for 1.5 --log"); });
    // The far side, as the program would be: its answer is checked once the simulator ended.
    std::string echoed, refusal;
    for (int i = 0; i < 1000 && !std::filesystem::is_symlink(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    {
        SerialPort port;
        if (port.openDevice(link, 19200, 8, Parity::None, 1, 512, 512) != kSerialOk)
            refusal = port.lastError();
        else if (port.writeText("AT\r") == kWriteOk)
            for (int i = 0; i < 1000 && echoed.size() < 3; ++i) {
                port.readText(echoed, 0);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
    }
    served.join();
    EXPECT_EQ(refusal, "");
    EXPECT_EQ(echoed, "AT\r");
    EXPECT_EQ(run.code, 0) << run.out;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 7u) << run.out;
    const std::string device = out[0].substr(out[0].rfind(' ') + 1);
    EXPECT_EQ(out[0], "echo simulator on " + device);
    EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u);
    EXPECT_EQ(out[1], "link: " + link + " -> " + device);
    EXPECT_EQ(out[2], "faults: none");
    EXPECT_EQ(out[3],
              "Open the link as the serial port; the simulator stops after the time given.");
    EXPECT_NE(out[4].find("program    41 54 0d |AT.|"), std::string::npos) << out[4];
    EXPECT_NE(out[5].find("echo       41 54 0d |AT.|"), std::string::npos) << out[5];
    EXPECT_EQ(out[6], "stopped: the program sent 3 bytes, the instrument 3; line settings at the "
                      "end: 19200 8N1, raw");
    EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the link goes with the simulator";
}

// The simulated tester sends a scenario's frames to the program's real-time link.
TEST_F(SerialCliTest, TheLvtSimulatorSendsAScenarioInRealTime) {
    const std::string link = file("q-lvt");
    CliRun run;
    std::thread served([&] {
        run =
            cli("simulate lvt --scenario calls --window 3 --level 17 --link " + link + " --for 2");
    });
    for (int i = 0; i < 1000 && !std::filesystem::is_symlink(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::vector<std::vector<std::uint8_t>> expected;
    for (const LvtRecord &record : synth::builtinScenario("calls", 0, 1))
        expected.push_back(sim::testerContent(record));

    struct Kept : RecordSink {
        explicit Kept(RecordBufferPool &p) : pool(p) {}
        void deliver(RecordBuffer *b) override {
            std::lock_guard lock(mutex);
            got.emplace_back(b->content(), b->content() + b->length());
            pool.give(b);
        }
        RecordBufferPool &pool;
        std::mutex mutex;
        std::vector<std::vector<std::uint8_t>> got;
    };
    RecordBufferPool pool;
    Kept kept(pool);
    {
        SerialPort port;
        if (port.openDevice(link, 19200, 8, Parity::None, 1, 4096, 4096) == kSerialOk) {
            LvtRealTimeLink engine(pool, kept);
            LinkRunner runner(port, engine, LinkTimings{}, {});
            runner.start();
            EXPECT_EQ(runner.call(LvtRealTimeLink::connectCommand(0, 0)), 0);
            EXPECT_EQ(engine.level(), 17);
            EXPECT_EQ(runner.call(LvtRealTimeLink::startCommand({2026, 12, 9, 7, 0, 0})), 0);
            for (int i = 0; i < 2000; ++i) {
                {
                    std::lock_guard lock(kept.mutex);
                    if (kept.got.size() >= expected.size())
                        break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            EXPECT_EQ(runner.call(LvtRealTimeLink::stopCommand()), 0);
            runner.stop();
        }
    }
    served.join();
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_EQ(kept.got, expected);
    EXPECT_NE(run.out.find("tester: " + std::to_string(expected.size()) + " frames sent, " +
                           std::to_string(expected.size()) + " acknowledged, 0 rejects"),
              std::string::npos)
        << run.out;
}

TEST_F(SerialCliTest, WrongSimulatorOptionsAreRefusedAndNothingIsOverwritten) {
    CliRun run = cli("simulate modem --for 0.1");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("modem"), std::string::npos) << run.out;
    run = cli("simulate echo --window 3 --for 0.1");
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "simulate: --window is an option of the lvt instrument\n");
    run = cli("simulate lvt --faults lose=2 --for 0.1");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("\"lose=2\" is not one of"), std::string::npos) << run.out;
    run = cli("simulate echo --drop 2 --for 0.1");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.out.find("a chance from 0 to 1"), std::string::npos) << run.out;

    const std::string precious = file("notes.txt");
    std::ofstream(precious) << "keep me";
    run = cli("simulate echo --link " + precious + " --for 0.1");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "simulate: --link " + precious +
                           ": a file of that name exists; give another path for the link\n");
    std::ifstream in(precious);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");

    // A link left by an earlier run is replaced.
    const std::string stale = file("stale");
    std::filesystem::create_symlink("/dev/pts/nonexistent", stale);
    run = cli("simulate echo --link " + stale + " --for 0.1");
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_NE(run.out.find("link: " + stale + " -> /dev/pts/"), std::string::npos);
}

TEST_F(SerialCliTest, ThePortListIsATableInEveryFormat) {
    const CliRun json = cli("ports --format json" + home());
    ASSERT_EQ(json.code, 0) << json.out;
    const nlohmann::json ports = nlohmann::json::parse(json.out);
    ASSERT_TRUE(ports.is_array());
    for (const auto &port : ports) {
        EXPECT_EQ(port["Device"].get<std::string>().rfind("/dev/", 0), 0u);
        EXPECT_TRUE(port.contains("Access"));
    }
    const CliRun text = cli("ports" + home());
    EXPECT_EQ(text.code, 0);
    EXPECT_TRUE(text.out.rfind("Port\tDevice\tDescription", 0) == 0 ||
                text.out.rfind("No serial port found.", 0) == 0)
        << text.out;
}
