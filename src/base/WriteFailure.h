#pragma once
// What a file writer remembers of its first failure: that there was one, and the system's
// reason, for the message that reports it.
#include <cerrno>

namespace qv {

class WriteFailure {
public:
    // Notes a failure, with errno as its reason unless one is known already.
    void fail() {
        if (!failed_)
            error_ = errno != 0 ? errno : EIO;
        failed_ = true;
    }
    void reset() {
        failed_ = false;
        error_ = 0;
    }
    bool failed() const { return failed_; }
    // The errno of the first failure; 0 when nothing failed.
    int error() const { return error_; }

private:
    bool failed_ = false;
    int error_ = 0;
};

} // namespace qv
