#include "dialogs/ProtocolSetupCommand.h"

#include "app/DecoderContext.h"
#include "app/Installation.h"
#include "app/Settings.h"
#include "base/UserMessages.h"
#include "capture/CDecodeDoc.h"
#include "dialogs/ProtocolSetupDialog.h"
#include "views/CaptureWindow.h"

namespace qv {

ProtocolSetupCommand::ProtocolSetupCommand(Settings &settings, DecoderContext &decoding,
                                           const Installation &installation, UserMessages &messages)
    : settings_(settings), decoding_(decoding), installation_(installation), messages_(messages) {}

bool ProtocolSetupCommand::run(QWidget *parent, const std::function<void(bool)> &refresh) {
    using Problem = DecoderContext::StartProblem;
    ProtocolSelection before = decoding_.protocol();
    before.v5Encapsulated = settings_.v5Decoding;
    ProtocolSelection wanted = before;
    bool failed = false;
    for (;;) {
        ProtocolSetupDialog dialog(wanted, settings_.product == kProductLvt60,
                                   installation_.notationRoot(), messages_, parent);
        if (dialog.exec() != QDialog::Accepted) {
            // A variant that failed to load is not left in force: the one before comes back,
            // and rows made meanwhile with the broken one are made again.
            if (failed) {
                decoding_.restart(before, settings_.language, messages_);
                refresh(false);
            }
            return false;
        }
        wanted = dialog.selection();
        const Problem problem = decoding_.restart(wanted, settings_.language, messages_);
        if (problem == Problem::IsdnManager) {
            // Once for the names that could not be read, once for the setup that stops.
            messages_.error(kMsgIsdnManagerSetupProblem);
            messages_.error(kMsgIsdnManagerSetupProblem);
            failed = true;
            continue;
        }
        if (problem != Problem::None) {
            messages_.error(kMsgInterpreterProblem);
            failed = true;
            continue;
        }
        settings_.protocol = wanted.displayName;
        settings_.variant = wanted.code;
        const bool v5Changed = wanted.v5Encapsulated != settings_.v5Decoding;
        settings_.v5Decoding = wanted.v5Encapsulated;
        refresh(v5Changed);
        return true;
    }
}

void redecodeCapture(CaptureWindow &capture, bool v5Decoding) {
    CDecodeDoc &document = capture.document();
    const std::uint32_t frame = document.currentFrame();
    if (DecodableObject *decodable = document.decodable()) {
        const DecoderKind kind =
            v5Decoding && decodable->isV5Capture() ? DecoderKind::V5 : DecoderKind::Isdn;
        if (kind != decodable->decoderKind())
            decodable->createDecoder(kind, decodable->v5Setting());
    }
    capture.decodingChanged();
    capture.goToFrameNumber(static_cast<int>(frame) + 1);
}

} // namespace qv
