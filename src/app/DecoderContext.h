#pragma once
// The decoding objects the whole program shares: the protocol variant in force, its
// call-control names, the X.25 provider and the layer-3 interpreter, and the services that hand
// them to every decoder. One per process, made at start-up.
#include <string>
#include <string_view>

#include "app/Installation.h"
#include "app/Settings.h"
#include "decode/CDecoder.h"
#include "decode/X25ItemProvider.h"
#include "pdu/PduRender.h"
#include "pdu/interface/IsdnItemProvider.h"
#include "pdu/interface/PduInterpreterObject.h"
#include "pdu/interface/ProtocolVariant.h"

namespace qv {

class DecoderContext {
public:
    DecoderContext() = default;
    DecoderContext(const DecoderContext &) = delete;
    DecoderContext &operator=(const DecoderContext &) = delete;

    // Loads the variant of code (the settings' choice when empty): its names and, when the
    // variant ships them, its notation tables. False for a code that names no variant.
    bool start(const Installation &installation, const Settings &settings, std::string_view code,
               UserMessages &messages);

    // What the last start could not do. The command line decodes with whatever loaded; the
    // desktop program does not start without its layer-3 names and interpreter.
    enum class StartProblem { None, UnknownVariant, IsdnManager, Interpreter };
    StartProblem startProblem() const { return problem_; }
    // The message for a problem, empty for None.
    static const char *startProblemMessage(StartProblem problem);

    // Puts selection in force, as Protocol Setup does after OK: the call-control names of its
    // folder in language, then its interpreter; the V5 tables and the X.25 names stay. The
    // decoders see the new variant at their next decode. On failure the variant decodes
    // without what could not be loaded; None, IsdnManager or Interpreter.
    StartProblem restart(const ProtocolSelection &selection, int language, UserMessages &messages);

    const DecoderServices &services() const { return services_; }
    const ProtocolSelection &protocol() const { return protocol_; }
    bool hasTables() const { return static_cast<bool>(services_.callControlFullDecode); }

    enum class MessageFamily { Isdn, V5, X25 };
    // The short message names the find dialog offers for a family, sorted, each once.
    std::vector<std::string> messageNames(MessageFamily family) const;

    using DecodeCall = int (PduInterpreterObject::*)(const std::uint8_t *, std::size_t,
                                                     pdu::PduRowList &, std::uint32_t,
                                                     std::uint16_t);
    // The decoder's full layer-3 decode through object: its rows, kept in rows, as detail items.
    static FullDecode fullDecode(PduInterpreterObject &object, DecodeCall decode,
                                 pdu::PduRowList &rows);

private:
    // Services for another thread: the same names and providers, interpreters of its own.
    std::unique_ptr<DecoderServiceSet> servicesForThread() const;
    void offerThreadServices();

    ProtocolSelection protocol_;
    IsdnItemProvider isdnItems_;
    X25ItemProvider x25Items_;
    PduInterpreterObject interpreter_;
    PduInterpreterObject v5Interpreter_; // the V5 tables, kept across variant changes
    pdu::PduRowList rows_;
    DecoderServices services_;
    StartProblem problem_ = StartProblem::None;
    std::string notationRoot_;
};

inline constexpr const char *kMsgIsdnManagerProblem = "ISDN manager problem !";
inline constexpr const char *kMsgInterpreterProblem = "Problem while initializing PDU Interpreter!";

} // namespace qv
