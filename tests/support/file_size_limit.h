#pragma once
// A disk that fills up in the middle of a save, as far as the program can
// tell: while a FileSizeLimit lives, no file of this process may grow past
// `bytes`, and a write that would fails with EFBIG instead of ending the
// process. A test cannot fill a real disk, and a small file system needs
// privileges that tests do not have; this limit holds for every user, root
// included.

#include <sys/resource.h>

#include <csignal>

namespace testsupport {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ok_ = getrlimit(RLIMIT_FSIZE, &saved_) == 0;
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (ok_) setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set; the test cannot go on then.
    bool ok() const { return ok_; }

private:
    void (*previousHandler_)(int);
    rlimit saved_{};
    bool ok_ = false;
};

}  // namespace testsupport
