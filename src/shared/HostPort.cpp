#include "HostPort.h"

#include <QRegularExpression>
#include <arpa/inet.h>

namespace {

// Names as resolvers take them (an underscore included), or an IPv4 address.
const QRegularExpression HostName(QStringLiteral("^[A-Za-z0-9_](?:[A-Za-z0-9._-]{0,252})$"));

bool isIpv6(const QString& host) {
    in6_addr address{};
    return inet_pton(AF_INET6, host.toLatin1().constData(), &address) == 1;
}

bool isHost(const QString& host, bool bracketed) {
    return bracketed ? isIpv6(host) : HostName.match(host).hasMatch();
}

} // namespace

std::optional<HostPort> HostPort::parse(QStringView text) {
    const QStringView trimmed = text.trimmed();
    const qsizetype colon = trimmed.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    QString host = trimmed.left(colon).toString();
    const bool bracketed = host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'));
    if (bracketed)
        host = host.mid(1, host.size() - 2);
    const QStringView digits = trimmed.mid(colon + 1);
    bool number = false;
    const uint port = digits.toUInt(&number);
    if (!isHost(host, bracketed) || digits.size() > 5 || !number || port == 0 || port > 65535 ||
        !digits.front().isDigit())
        return std::nullopt;
    return HostPort{host, static_cast<quint16>(port)};
}

std::optional<std::vector<HostPort>> HostPort::parseList(QStringView text) {
    std::vector<HostPort> addresses;
    for (const QStringView entry : text.split(QLatin1Char(','))) {
        if (entry.trimmed().isEmpty())
            continue;
        const std::optional<HostPort> address = parse(entry);
        if (!address)
            return std::nullopt;
        addresses.push_back(*address);
    }
    return addresses;
}

QString HostPort::toString() const {
    const bool ipv6 = host.contains(QLatin1Char(':'));
    return (ipv6 ? QLatin1Char('[') + host + QLatin1Char(']') : host) + QLatin1Char(':') +
           QString::number(port);
}

bool HostPort::isLoopback() const {
    in_addr ipv4{};
    if (inet_pton(AF_INET, host.toLatin1().constData(), &ipv4) == 1)
        return (ntohl(ipv4.s_addr) >> 24) == 127;
    return host == QLatin1String("localhost") || host == QLatin1String("::1");
}
