#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// A network address as the user writes it: "host:port", the host a name, an
// IPv4 address or an IPv6 address in brackets ("[::1]:7300"). One rule for
// every address the program and its relay read: cluster nodes, rigctld,
// flrig.
struct HostPort {
    QString host; // without the brackets of an IPv6 address
    quint16 port = 0;

    // Blanks around the text are ignored; the port is 1 to 65535.
    static std::optional<HostPort> parse(QStringView text);
    // Addresses separated by commas; empty entries (a trailing comma) are
    // left out; nothing when one entry is not an address.
    static std::optional<std::vector<HostPort>> parseList(QStringView text);

    // "host:port", brackets put back around an IPv6 address.
    QString toString() const;
    // 127.0.0.0/8, ::1 or "localhost": a helper program of this machine.
    bool isLoopback() const;

    bool operator==(const HostPort&) const = default;
};
