#include "SettingsChecks.h"

#include "Configuration.h"
#include "HostPort.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace {

const QRegularExpression
    Callsign(QStringLiteral("^(?:[A-Z0-9]{1,4}/)?[A-Z0-9]{1,3}[0-9][A-Z]{1,4}(?:/[A-Z0-9]{1,4})?"
                            "(?:-[0-9]{1,2})?$"),
             QRegularExpression::CaseInsensitiveOption);

} // namespace

bool SettingsChecks::isCallsign(const QString& text) {
    return Callsign.match(text).hasMatch();
}

bool SettingsChecks::isHostPort(const QString& text) {
    return HostPort::parse(text).has_value();
}

bool SettingsChecks::isNodeList(const QString& text) {
    const std::optional<std::vector<HostPort>> nodes = HostPort::parseList(text);
    return nodes && static_cast<int>(nodes->size()) <= Configuration::MaxClusterNodes;
}

bool SettingsChecks::isSite(const QString& text) {
    const QUrl site(text, QUrl::StrictMode);
    return site.isValid() &&
           (site.scheme() == QLatin1String("http") || site.scheme() == QLatin1String("https")) &&
           !site.host().isEmpty() && (site.path().isEmpty() || site.path() == QLatin1String("/")) &&
           !site.hasQuery() && !site.hasFragment() && site.userInfo().isEmpty();
}

bool SettingsChecks::isFileAddress(const QString& text) {
    const QUrl file(text, QUrl::StrictMode);
    return file.isValid() &&
           (file.scheme() == QLatin1String("http") || file.scheme() == QLatin1String("https")) &&
           !file.host().isEmpty() && file.path().size() > 1 && file.userInfo().isEmpty();
}

bool SettingsChecks::isDevice(const QString& text) {
    return text.startsWith(QLatin1Char('/')) && !text.contains(QLatin1Char(' ')) && text.size() > 1;
}
