#pragma once

#include <QByteArray>
#include <QString>

// The serial port behind the transceiver, with the operations the program
// uses and nothing more.
class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Port number 1 to 6; takes effect at the next open.
    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // Line settings such as "9600,n,8,1"; applies at once to an open port.
    virtual void setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;
    // Raw bytes in, no read length, no notifications: nothing is ever read.
    virtual void setRawMode() = 0;
    // Why the last open failed.
    enum class OpenFailure {
        None,
        Missing,      // no such device
        Busy,         // another program holds it
        NotPermitted, // the user may not open it
    };

    // False when the port does not exist or cannot be opened.
    virtual bool open() = 0;
    virtual OpenFailure lastOpenFailure() const = 0;
    // The device behind the port number.
    virtual QString device() const = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Throws away whatever the transceiver may have sent.
    virtual void discardInput() = 0;
    virtual void write(const QByteArray& bytes) = 0;
    // Waits, without handling any window event, until every byte written has
    // left, for at most maxMs milliseconds. Bytes still waiting then are
    // thrown away, and the result is false.
    virtual bool drain(int maxMs) = 0;
};
