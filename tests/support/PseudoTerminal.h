#pragma once

#include <QtCore>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair standing in for the serial cable: the program opens
// the device name, the test reads what was written from the other side.
class PseudoTerminal {
public:
    PseudoTerminal() {
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
    ~PseudoTerminal() {
        for (int fd : {master_, slave_}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return master_ >= 0; }
    // The device the program opens, such as /dev/pts/5.
    const QString& device() const { return device_; }
    // The output speed the program set on the terminal, as stty shows it.
    speed_t outputSpeed() const {
        termios settings{};
        return slave_ >= 0 && tcgetattr(slave_, &settings) == 0 ? cfgetospeed(&settings) : B0;
    }
    // Everything written so far that has not been read yet (waits up to
    // waitMs for the first byte).
    QByteArray readAvailable(int waitMs = 200) {
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

private:
    int master_ = -1;
    int slave_ = -1;
    QString device_;
};
