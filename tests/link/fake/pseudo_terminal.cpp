#include "link/fake/pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace fakevaz {
namespace {

bool fail(std::string* error, const char* what) {
    if (error) *error = std::string(what) + ": " + std::strerror(errno);
    return false;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() { close(); }

bool PseudoTerminal::open(std::string* error) {
    close();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return fail(error, "posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        const bool r = fail(error, "grantpt/unlockpt");
        close();
        return r;
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        const bool r = fail(error, "ptsname_r");
        close();
        return r;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        const bool r = fail(error, "open slave");
        close();
        return r;
    }
    termios t{};
    if (::tcgetattr(slave_, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PseudoTerminal::close() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
    slavePath_.clear();
}

}  // namespace fakevaz
