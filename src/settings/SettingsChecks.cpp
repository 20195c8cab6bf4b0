#include "SettingsChecks.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace {

const QRegularExpression
    Callsign(QStringLiteral("^(?:[A-Z0-9]{1,4}/)?[A-Z0-9]{1,3}[0-9][A-Z]{1,4}(?:/[A-Z0-9]{1,4})?"
                            "(?:-[0-9]{1,2})?$"),
             QRegularExpression::CaseInsensitiveOption);
const QRegularExpression HostPort(
    QStringLiteral("^(?:[A-Za-z0-9](?:[A-Za-z0-9.-]{0,252})|\\[[0-9A-Fa-f:.]+\\]):(\\d{1,5})$"));
constexpr int MaxNodes = 3;

} // namespace

bool SettingsChecks::isCallsign(const QString& text) {
    return Callsign.match(text).hasMatch();
}

bool SettingsChecks::isHostPort(const QString& text) {
    const QRegularExpressionMatch match = HostPort.match(text);
    if (!match.hasMatch())
        return false;
    const int port = match.captured(1).toInt();
    return port >= 1 && port <= 65535;
}

bool SettingsChecks::isNodeList(const QString& text) {
    if (text.trimmed().isEmpty())
        return true;
    const QStringList nodes = text.split(QLatin1Char(','));
    if (nodes.size() > MaxNodes)
        return false;
    for (const QString& node : nodes) {
        if (!isHostPort(node.trimmed()))
            return false;
    }
    return true;
}

bool SettingsChecks::isSite(const QString& text) {
    const QUrl site(text, QUrl::StrictMode);
    return site.isValid() &&
           (site.scheme() == QLatin1String("http") || site.scheme() == QLatin1String("https")) &&
           !site.host().isEmpty() && (site.path().isEmpty() || site.path() == QLatin1String("/")) &&
           !site.hasQuery() && !site.hasFragment() && site.userInfo().isEmpty();
}

bool SettingsChecks::isDevice(const QString& text) {
    return text.startsWith(QLatin1Char('/')) && !text.contains(QLatin1Char(' ')) && text.size() > 1;
}
