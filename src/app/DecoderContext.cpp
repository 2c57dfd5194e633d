#include "app/DecoderContext.h"

#include <algorithm>
#include <filesystem>

#include "decode/CV5.h"

namespace qv {

bool DecoderContext::start(const Installation &installation, const Settings &settings,
                           std::string_view code, UserMessages &messages) {
    problem_ = StartProblem::None;
    const ProtocolVariant *variant = findVariantByCode(code.empty() ? settings.variant : code);
    if (!variant) {
        problem_ = StartProblem::UnknownVariant;
        return false;
    }
    services_ = DecoderServices{};
    offerThreadServices();
    notationRoot_ = installation.notationRoot();
    protocol_.select(variant->displayName, installation.notationRoot(), messages);
    services_.protocolName = protocol_.displayName;
    const bool itemsRead = isdnItems_.Initialise(settings.language, protocol_.folderPath, messages);
    if (itemsRead || !isdnItems_.entries().empty())
        services_.isdnItems = &isdnItems_;
    if (!itemsRead)
        problem_ = StartProblem::IsdnManager;
    x25Items_.setLanguage(settings.language);
    installX25(services_, x25Items_);
    // The full layer-3 decode needs the variant's notation tables; a variant shipped without
    // them decodes call control from its names and items alone.
    std::error_code ec;
    if (std::filesystem::exists(protocol_.folderPath + protocol_.listFile, ec) &&
        initialiseVariant(interpreter_, protocol_, messages) == 0) {
        services_.callControlFullDecode =
            fullDecode(interpreter_, &PduInterpreterObject::Decode, rows_);
    } else if (problem_ == StartProblem::None) {
        problem_ = StartProblem::Interpreter;
    }
    // The V5 tables are loaded once; without them V5 messages show their headers only.
    if (!v5Interpreter_.initialised() &&
        std::filesystem::exists(installation.notationRoot() + "/V5/" + kV5ListFile, ec))
        initialiseV5(v5Interpreter_, installation.notationRoot(), messages);
    if (v5Interpreter_.initialised()) {
        services_.v5FullDecode = fullDecode(v5Interpreter_, &PduInterpreterObject::DecodeV5, rows_);
    }
    return true;
}

DecoderContext::StartProblem DecoderContext::restart(const ProtocolSelection &selection,
                                                     int language, UserMessages &messages) {
    protocol_ = selection;
    services_.protocolName = protocol_.displayName;
    services_.callControlFullDecode = nullptr;
    const bool itemsRead = isdnItems_.Initialise(language, protocol_.folderPath, messages);
    services_.isdnItems = itemsRead || !isdnItems_.entries().empty() ? &isdnItems_ : nullptr;
    if (!itemsRead)
        return problem_ = StartProblem::IsdnManager;
    if (initialiseVariant(interpreter_, protocol_, messages) != 0)
        return problem_ = StartProblem::Interpreter;
    services_.callControlFullDecode =
        fullDecode(interpreter_, &PduInterpreterObject::Decode, rows_);
    return problem_ = StartProblem::None;
}

FullDecode DecoderContext::fullDecode(PduInterpreterObject &object, DecodeCall decode,
                                      pdu::PduRowList &rows) {
    return [&rows, &object, decode](const std::uint8_t *info, std::uint16_t length,
                                    std::vector<Layer3DetailItem> &items) {
        rows.clear();
        if ((object.*decode)(info, length, rows, 0, 0) != 0)
            return false;
        // Element headers are fields of the message; what they hold are their sub-fields.
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const pdu::PduRowView row = rows[i];
            items.push_back({!row.header, row.fieldName, row.value,
                             static_cast<std::int32_t>(row.frameOffset), row.byteCount});
        }
        return true;
    };
}

namespace {

class ThreadServices : public DecoderServiceSet {
public:
    explicit ThreadServices(const DecoderServices &shared) : services_(shared) {
        services_.callControlFullDecode = nullptr;
        services_.v5FullDecode = nullptr;
    }
    const DecoderServices &services() const override { return services_; }

    // Loads the same tables as the shared instances; what fails to load decodes without them,
    // as it would on the program's own thread.
    void load(const ProtocolSelection &protocol, bool callControl, const std::string &v5Root) {
        if (callControl && initialiseVariant(interpreter_, protocol, messages_) == 0)
            services_.callControlFullDecode =
                DecoderContext::fullDecode(interpreter_, &PduInterpreterObject::Decode, rows_);
        if (!v5Root.empty() && initialiseV5(v5Interpreter_, v5Root, messages_) == 0)
            services_.v5FullDecode =
                DecoderContext::fullDecode(v5Interpreter_, &PduInterpreterObject::DecodeV5, rows_);
    }

private:
    DecoderServices services_;
    PduInterpreterObject interpreter_;
    PduInterpreterObject v5Interpreter_;
    pdu::PduRowList rows_;
    RecordingUserMessages messages_;
};

} // namespace

std::unique_ptr<DecoderServiceSet> DecoderContext::servicesForThread() const {
    auto set = std::make_unique<ThreadServices>(services_);
    set->load(protocol_, static_cast<bool>(services_.callControlFullDecode),
              services_.v5FullDecode ? notationRoot_ : std::string());
    return set;
}

void DecoderContext::offerThreadServices() {
    services_.forAnotherThread = [this] { return servicesForThread(); };
}

const char *DecoderContext::startProblemMessage(StartProblem problem) {
    switch (problem) {
    case StartProblem::UnknownVariant:
        return kMsgUnknownProtocol;
    case StartProblem::IsdnManager:
        return kMsgIsdnManagerProblem;
    case StartProblem::Interpreter:
        return kMsgInterpreterProblem;
    case StartProblem::None:
        break;
    }
    return "";
}

std::vector<std::string> DecoderContext::messageNames(MessageFamily family) const {
    std::vector<std::string> names;
    switch (family) {
    case MessageFamily::Isdn:
        // The summary shows the short names, and the search compares with them.
        for (const MessageTypeEntry &entry : isdnItems_.entries())
            names.push_back(entry.bracketName);
        break;
    case MessageFamily::V5:
        for (int protocol = kV5Pstn; protocol <= kV5LinkControl; ++protocol)
            for (unsigned type = 0; type < 256; ++type) {
                const std::string_view name =
                    v5MessageName(protocol, static_cast<std::uint8_t>(type), false);
                if (!name.empty() && name != "?")
                    names.emplace_back(name);
            }
        break;
    case MessageFamily::X25:
        for (const X25PacketType &packet : x25Items_.packetTypes())
            names.push_back(packet.name);
        break;
    }
    std::erase_if(names, [](const std::string &n) { return n.empty(); });
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace qv
