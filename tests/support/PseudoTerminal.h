#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair standing in for the serial cable: the program opens
// the device name, the test reads what was written from the other side.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return master_ >= 0; }
    // The device the program opens, such as /dev/pts/5.
    const QString& device() const { return device_; }
    // Everything written so far that has not been read yet (waits up to
    // waitMs for the first byte).
    QByteArray readAvailable(int waitMs = 200);

private:
    int master_ = -1;
    int slave_ = -1;
    QString device_;
};
