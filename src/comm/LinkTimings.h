#pragma once
// Every wait of the instrument links in one place. The defaults are what the instruments need;
// tests shorten them so that a link's time-outs run in milliseconds.
#include <chrono>

namespace qv {

using std::chrono::milliseconds;

struct LinkTimings {
    // The longest a caller waits for a command to finish on the link thread.
    milliseconds commandWait{4000};
    // After the port is set up and DTR raised, before the first byte: the tester settles.
    milliseconds settle{2000};
    // A file transfer's wait for the next packet.
    milliseconds packetWait{3000};
    // The real-time link's tick when nothing arrives.
    milliseconds idleTick{1000};
    // How often a transfer's progress is shown.
    milliseconds progressRefresh{500};
    // The DRU-70's silence before its link counts a time-out.
    milliseconds dru70Idle{2000};
    // The longest a stop waits for the capture consumer, and for the link thread.
    milliseconds consumerStopWait{5000};
    milliseconds linkThreadStopWait{6000};
    // The PLM-45 dialogue: the pause after each character sent, the poll of the reply, and the
    // settling pauses before and after a request.
    milliseconds plmCharacterPause{20};
    milliseconds plmPoll{100};
    milliseconds plmShortPause{200};
    milliseconds plmLongPause{500};
    // A write waits this long per byte for the driver to take it.
    milliseconds writePerByte{20};
};

} // namespace qv
