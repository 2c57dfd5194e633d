#include "sim/PtyPair.h"

#include "comm/LineRate.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace qv::sim {

std::string LineSettingsSeen::describe() const {
    std::string text =
        std::to_string(baud) + " " + std::to_string(dataBits) + parity + std::to_string(stopBits);
    text += raw ? ", raw" : ", cooked";
    if (xonXoff)
        text += ", Xon-Xoff";
    return text;
}

std::unique_ptr<PtyPair> PtyPair::create(std::string *error) {
    auto fail = [error](const char *what) -> std::unique_ptr<PtyPair> {
        if (error != nullptr)
            *error = std::string(what) + ": " + std::strerror(errno);
        return nullptr;
    };
    std::unique_ptr<PtyPair> pair(new PtyPair);
    pair->master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pair->master_ < 0)
        return fail("no pseudo-terminal");
    if (grantpt(pair->master_) != 0 || unlockpt(pair->master_) != 0)
        return fail("the pseudo-terminal cannot be unlocked");
    char name[128] = {};
    if (ptsname_r(pair->master_, name, sizeof name) != 0)
        return fail("the pseudo-terminal has no name");
    pair->slavePath_ = name;
    pair->slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pair->slave_ < 0)
        return fail("the pseudo-terminal cannot be opened");
    const int flags = fcntl(pair->master_, F_GETFL);
    fcntl(pair->master_, F_SETFL, flags | O_NONBLOCK);
    return pair;
}

PtyPair::~PtyPair() {
    closeMaster();
    if (slave_ >= 0)
        ::close(slave_);
}

void PtyPair::closeMaster() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

LineSettingsSeen PtyPair::lineSettings() const {
    LineSettingsSeen seen;
    const int fd = master_ >= 0 ? master_ : slave_;
    termios t{};
    if (fd < 0 || tcgetattr(fd, &t) != 0)
        return seen;
    seen.baud = lineRate(fd).value_or(0);
    switch (t.c_cflag & CSIZE) {
    case CS5:
        seen.dataBits = 5;
        break;
    case CS6:
        seen.dataBits = 6;
        break;
    case CS7:
        seen.dataBits = 7;
        break;
    default:
        seen.dataBits = 8;
        break;
    }
    seen.parity = (t.c_cflag & PARENB) == 0 ? 'N' : (t.c_cflag & PARODD) != 0 ? 'O' : 'E';
    seen.stopBits = (t.c_cflag & CSTOPB) != 0 ? 2 : 1;
    seen.raw = (t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) == 0 &&
               (t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP)) == 0 && (t.c_oflag & OPOST) == 0;
    seen.xonXoff = (t.c_iflag & (IXON | IXOFF)) != 0;
    seen.errorMarks = (t.c_iflag & PARMRK) != 0;
    return seen;
}

} // namespace qv::sim
