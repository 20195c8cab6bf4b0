#include "PseudoTerminal.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    // Raw on both sides: the bytes must arrive exactly as written.
    termios settings{};
    tcgetattr(slave_, &settings);
    cfmakeraw(&settings);
    tcsetattr(slave_, TCSANOW, &settings);
    device_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    for (int fd : {master_, slave_}) {
        if (fd >= 0)
            ::close(fd);
    }
}

QByteArray PseudoTerminal::readAvailable(int waitMs) {
    QByteArray out;
    pollfd fd{master_, POLLIN, 0};
    while (master_ >= 0 && ::poll(&fd, 1, waitMs) > 0 && (fd.revents & POLLIN)) {
        char buffer[4096];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, static_cast<qsizetype>(n));
        waitMs = 20;
    }
    return out;
}
