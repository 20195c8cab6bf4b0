#include "QtSerialLink.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The program never reads what the radio sends; without a bound, a radio
// that keeps talking would fill memory. Past it, the bytes wait in the
// system's buffer, which drops what no longer fits; each block's discard
// empties both.
constexpr qint64 ReadBufferBytes = 4096;

} // namespace

QtSerialLink::QtSerialLink(Devices devices) : devices_(std::move(devices)) {
    port_.setObjectName(QStringLiteral("MSComm1"));
    port_.setReadBufferSize(ReadBufferBytes);
}

void QtSerialLink::setPortNumber(int number) {
    number_ = number;
}

void QtSerialLink::setSettings(const QString& settings) {
    settings_ = settings;
    if (port_.isOpen())
        applySettings(port_, settings_);
}

void QtSerialLink::setRawMode() {
    // QSerialPort always delivers raw bytes and raises no notification that
    // the program listens to; nothing to set.
}

QString QtSerialLink::device() const {
    return devices_(number_);
}

bool QtSerialLink::open() {
    if (port_.isOpen())
        port_.close();
    const QString name = device();
    lastFailure_ = OpenFailure::Missing;
    if (name.isEmpty())
        return false;
    port_.setPortName(name);
    if (!port_.open(QIODevice::ReadWrite)) {
        lastFailure_ = failureOpening(name);
        return false;
    }
    // Another program may hold it by flock (pyserial's exclusive mode) and
    // not by the terminal's own exclusive mode: bytes of both would mix.
    if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        port_.close();
        lastFailure_ = OpenFailure::Busy;
        return false;
    }
    lastFailure_ = OpenFailure::None;
    applySettings(port_, settings_);
    return true;
}

// QSerialPort reports a device held by another program and one the user may
// not open alike; the system tells them apart. A device that opens here was
// refused for the lock another program keeps on it.
SerialLink::OpenFailure QtSerialLink::failureOpening(const QString& name) {
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return OpenFailure::Busy;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return OpenFailure::NotPermitted;
    case EBUSY:
        return OpenFailure::Busy;
    default:
        return OpenFailure::Missing;
    }
}

void QtSerialLink::close() {
    if (port_.isOpen())
        port_.close();
}

bool QtSerialLink::isOpen() const {
    return port_.isOpen();
}

void QtSerialLink::discardInput() {
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

void QtSerialLink::write(const QByteArray& bytes) {
    if (port_.isOpen())
        port_.write(bytes);
}

bool QtSerialLink::drain(int maxMs) {
    if (!port_.isOpen())
        return true;
    QDeadlineTimer deadline(maxMs);
    while (port_.bytesToWrite() > 0) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || !port_.waitForBytesWritten(static_cast<int>(left)))
            break;
    }
    if (port_.bytesToWrite() == 0)
        return true;
    // Left queued, the block would go out whenever the device took bytes
    // again, long after its sequence, tuning the radio to a spot no longer
    // wanted.
    port_.clear(QSerialPort::Output);
    return false;
}

bool QtSerialLink::applySettings(QSerialPort& port, const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int baud = parts[0].toInt(&ok);
    if (!ok || baud <= 0)
        return false;
    port.setBaudRate(baud);
    port.setParity(QSerialPort::NoParity);
    port.setDataBits(QSerialPort::Data8);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return true;
}
