#pragma once
// A pseudo-terminal pair standing in for a serial cable: the program opens the slave as its
// serial device, the simulated instrument drives the master. The pair keeps a descriptor of its
// own on the slave, so that the program may close and reopen the device while the instrument
// stays connected.
#include <cstdint>
#include <memory>
#include <string>

namespace qv::sim {

// The line settings the program applied to the slave, as the master sees them.
struct LineSettingsSeen {
    std::uint32_t baud = 0;
    int dataBits = 0;
    char parity = 'N'; // N, E, O
    int stopBits = 1;
    bool raw = false;        // no echo, no line editing, no CR/LF translation, no output processing
    bool xonXoff = false;    // software flow control on input or output
    bool errorMarks = false; // line errors marked in the input
    // "19200 8N1, raw" with ", Xon-Xoff" or ", cooked" as they apply.
    std::string describe() const;
};

class PtyPair {
public:
    // A new pair, or nullptr with why in error.
    static std::unique_ptr<PtyPair> create(std::string *error);
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    int master() const { return master_; }
    const std::string &slavePath() const { return slavePath_; }
    LineSettingsSeen lineSettings() const;
    // Closes the master: the program's device hangs up, as a pulled USB adapter does.
    void closeMaster();
    bool masterOpen() const { return master_ >= 0; }

private:
    PtyPair() = default;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace qv::sim
