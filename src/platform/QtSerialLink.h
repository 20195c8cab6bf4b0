#pragma once

#include "SerialLink.h"

#include <QSerialPort>
#include <functional>

// SerialLink over QSerialPort. Port number n opens the device that
// `devices` names for "Com n" (the configuration's, read at each opening).
class QtSerialLink : public SerialLink {
public:
    using Devices = std::function<QString(int number)>;
    explicit QtSerialLink(Devices devices);

    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    void setSettings(const QString& settings) override;
    QString settings() const override { return settings_; }
    void setRawMode() override;
    bool open() override;
    OpenFailure lastOpenFailure() const override { return lastFailure_; }
    QString device() const override;
    void close() override;
    bool isOpen() const override;
    void discardInput() override;
    void write(const QByteArray& bytes) override;
    bool drain(int maxMs) override;

    // Splits "19200,n,8,1" into the port's parameters; false when malformed.
    static bool applySettings(QSerialPort& port, const QString& settings);
    static OpenFailure failureOpening(const QString& name);

private:
    Devices devices_;
    QSerialPort port_;
    int number_ = 0;
    QString settings_;
    OpenFailure lastFailure_ = OpenFailure::None;
};
