// The full protocol detail of a SETUP with eight information elements: frame decode, the
// layer-2 and layer-3 blocks and the interpreter's decode of the shipped EDSS-1 tables.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/Installation.h"
#include "base/UserMessages.h"
#include "decode/CISDN.h"
#include "pdu/interface/IsdnItemProvider.h"
#include "pdu/interface/PduInterpreterObject.h"
#include "pdu/interface/ProtocolVariant.h"

namespace {

// LAPD I frame carrying a SETUP with eight information elements.
const std::array<std::uint8_t, 53> kSetup = {
    0x00, 0x81, 0x00, 0x00, 0x08, 0x01, 0x05, 0x05, // LAPD, SETUP
    0xA1,                                           // sending complete
    0x04, 0x03, 0x80, 0x90, 0xA3,                   // bearer capability
    0x18, 0x01, 0x89,                               // channel identification
    0x1E, 0x02, 0x81, 0x83,                         // progress indicator
    0x28, 0x05, 'N',  'e',  'n',  'a',  'd',        // display
    0x6C, 0x0C, 0x01, 0x81, '3',  '5',  '4',  '5',  '8', '5', '0', '9', '0', '0', // calling
    0x70, 0x05, 0x81, '1',  '1',  '1',  '1',                                      // called
    0x7D, 0x02, 0x91, 0x81, // high layer compatibility
};

class OneFrame : public qv::DecoderHost {
public:
    qv::LvtRecord record;
    qv::StderrUserMessages sink;
    int readRecord(std::uint32_t, qv::LvtRecord &target) override {
        target = record;
        return 0;
    }
    int positionOn(std::uint32_t) override { return 0; }
    std::uint16_t captureStartYear() const override { return 2026; }
    std::uint16_t captureStartMonth() const override { return 12; }
    int decodingLanguage() const override { return 0; }
    qv::UserMessages &messages() override { return sink; }
};

void BM_CallControlDetail(benchmark::State &state) {
    const std::string root = qv::Installation::executableFolder() + "/ISDNNOT";
    qv::StderrUserMessages messages;
    qv::ProtocolSelection selection;
    selection.select("EDSS-1", root, messages);
    auto names = std::make_unique<qv::IsdnItemProvider>();
    auto interpreter = std::make_unique<qv::PduInterpreterObject>();
    if (!names->Initialise(0, selection.folderPath, messages) ||
        qv::initialiseVariant(*interpreter, selection, messages) != 0) {
        state.SkipWithError("the EDSS notation folder is not complete");
        return;
    }
    qv::pdu::PduRowList rows;
    qv::DecoderServices services;
    services.isdnItems = names.get();
    services.protocolName = selection.displayName;
    services.callControlFullDecode = [&](const std::uint8_t *info, std::uint16_t length,
                                         std::vector<qv::Layer3DetailItem> &items) {
        rows.clear();
        if (interpreter->Decode(info, length, rows, 0, 0) != 0)
            return false;
        for (std::size_t i = 0; i < rows.size(); ++i)
            items.push_back({!rows[i].header, rows[i].fieldName, rows[i].value,
                             static_cast<std::int32_t>(rows[i].frameOffset), rows[i].byteCount});
        return true;
    };
    OneFrame host;
    const std::vector<std::uint8_t> frame(kSetup.begin(), kSetup.end());
    host.record.kind = qv::kFrameRecord;
    host.record.direction = 1;
    host.record.dataLength = static_cast<std::uint16_t>(frame.size());
    std::copy(frame.begin(), frame.end(), host.record.data.begin());
    qv::CISDN decoder(host, services);
    qv::DetailOptions options;
    options.layer2Lines = state.range(0) != 0;
    state.SetLabel(options.layer2Lines ? "with the layer-2 lines" : "layer-3 lines only");
    for (auto _ : state) {
        decoder.Decode_Frame(0);
        decoder.Format_Detail(options);
        benchmark::DoNotOptimize(decoder.detailLines().data());
    }
    state.counters["lines"] = static_cast<double>(decoder.detailLines().size());
}
BENCHMARK(BM_CallControlDetail)->Arg(1)->Arg(0);

// The interpreter's share of the above: the same message decoded and rendered into rows.
void BM_CallControlInterpreter(benchmark::State &state) {
    const std::string root = qv::Installation::executableFolder() + "/ISDNNOT";
    qv::StderrUserMessages messages;
    qv::ProtocolSelection selection;
    selection.select("EDSS-1", root, messages);
    auto interpreter = std::make_unique<qv::PduInterpreterObject>();
    if (qv::initialiseVariant(*interpreter, selection, messages) != 0) {
        state.SkipWithError("the EDSS notation folder is not complete");
        return;
    }
    const std::vector<std::uint8_t> message(kSetup.begin() + 4, kSetup.end());
    qv::pdu::PduRowList rows;
    for (auto _ : state) {
        rows.clear();
        interpreter->Decode(message.data(), message.size(), rows, 0, 0);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_CallControlInterpreter);

} // namespace
