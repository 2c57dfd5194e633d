#pragma once
// The Protocol Setup command of the Options menu: the dialog, then the new variant put in
// force and the open captures decoded again with it.
#include <functional>

class QWidget;

namespace qv {

class CaptureWindow;
class DecoderContext;
class Installation;
class Settings;
class UserMessages;

inline constexpr const char *kMsgIsdnManagerSetupProblem = "ISDN Manager Problem!";

class ProtocolSetupCommand {
public:
    ProtocolSetupCommand(Settings &settings, DecoderContext &decoding,
                         const Installation &installation, UserMessages &messages);

    // Shows the dialog until it is cancelled or the chosen variant is running. A variant whose
    // call-control names or interpreter tables cannot be loaded is reported and the dialog
    // comes back; cancelled after such a failure, the variant in force before is loaded again.
    // On success the settings keep the choice and refresh is called with whether the V5 flag
    // changed. True when a new choice is in force.
    bool run(QWidget *parent, const std::function<void(bool v5Changed)> &refresh);

private:
    Settings &settings_;
    DecoderContext &decoding_;
    const Installation &installation_;
    UserMessages &messages_;
};

// Decodes an open capture again at its current frame: the summary rows are made anew and the
// frame's detail and trace shown again. With v5Decoding a V5 capture gets the V5 decoder, any
// other capture (and every capture without it) the ISDN one.
void redecodeCapture(CaptureWindow &capture, bool v5Decoding);

} // namespace qv
