#pragma once
// The shape every instrument protocol takes: a state machine that is given bytes, line errors,
// commands and the time, and answers with bytes to send, events for its owner and the time it
// next wants to be woken. It never sleeps, reads a clock or touches a port, so the same engine
// runs on a serial port (LinkRunner) and under a test's fake port and clock (LinkDriver alone).
#include "comm/LineErrors.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Time on the link's own clock: milliseconds since the link started.
using LinkTime = std::chrono::milliseconds;

// A request from the owner. What code and the arguments mean is the engine's own vocabulary.
struct LinkCommand {
    int code = 0;
    std::string text;
    std::int64_t number = 0;
};

// What an engine tells its owner.
struct LinkEvent {
    enum class Kind {
        Finished,   // a command ended: code is its result, commandId names it
        Progress,   // done of total (total 0: unknown), text names what
        Data,       // bytes the link received for the owner (a file's content, a listing)
        Message,    // a text for the user, code the engine's code for it
        LineErrors, // code holds LineError flags the line reported
        Ended,      // the link stopped: code is why (0: asked to), text says it for a user
    };
    Kind kind = Kind::Message;
    int code = 0;
    std::uint64_t commandId = 0;
    std::int64_t done = 0;
    std::int64_t total = 0;
    std::string text;
    std::vector<std::uint8_t> bytes;
};

// What an engine may do to the line and to its owner while it handles one call. Sends are
// written at once, in order; events are delivered to the owner in order.
class LinkIo {
public:
    virtual ~LinkIo() = default;
    virtual void send(std::span<const std::uint8_t> bytes) = 0;
    void send(std::string_view text) {
        send(std::span(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
    }
    virtual void post(LinkEvent event) = 0;
    // Ends the command being handled with result (an engine's code; 0 is success).
    virtual void finish(int result) = 0;
    // Ends the whole link: the runner closes the port after this call.
    virtual void end(int code, std::string reason) = 0;
    virtual void purgeInput() = 0;
    virtual void purgeOutput() = 0;
    // Raises or drops DTR where the port has one.
    virtual void setDtr(bool on) = 0;
};

class LinkEngine {
public:
    virtual ~LinkEngine() = default;

    // The port is open and set up.
    virtual void start(LinkTime now, LinkIo &io) = 0;
    virtual void received(std::span<const std::uint8_t> bytes, LinkTime now, LinkIo &io) = 0;
    // The line reported errors (LineError flags); the bytes around them came through received.
    virtual void lineErrors(unsigned errors, LinkTime now, LinkIo &io) = 0;
    // A command of the owner; the engine answers it with io.finish, now or later.
    virtual void command(const LinkCommand &command, LinkTime now, LinkIo &io) = 0;
    // The time the engine asked for has come.
    virtual void timeout(LinkTime now, LinkIo &io) = 0;
    // The command's wait ran out before the engine finished it: drop what belongs to it, so
    // that a late answer does not land in the next command. Returns the result the owner gets.
    virtual int abandon(LinkTime now, LinkIo &io) = 0;
    // When the engine wants timeout(); nothing: only bytes and commands wake it.
    virtual std::optional<LinkTime> deadline() const = 0;
    // The owner stops the link: a last chance to say goodbye on the line.
    virtual void stop(LinkTime now, LinkIo &io) { (void)now, (void)io; }
};

} // namespace qv
