#include "KeyForms.h"

#include "Configuration.h"
#include "HostPort.h"

#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace {

const QRegularExpression
    Callsign(QStringLiteral("^(?:[A-Z0-9]{1,4}/)?[A-Z0-9]{1,3}[0-9][A-Z]{1,4}(?:/[A-Z0-9]{1,4})?"
                            "(?:-[0-9]{1,2})?$"),
             QRegularExpression::CaseInsensitiveOption);

// The one rule of an address the program opens: a page of the web, http or
// https, on a host, without a user name or a password. A file:// or data:
// address would open local files or run a page's script in the lookup window.
bool isWebAddress(const QUrl& address) {
    return address.isValid() &&
           (address.scheme() == QLatin1String("http") ||
            address.scheme() == QLatin1String("https")) &&
           !address.host().isEmpty() && address.userInfo().isEmpty();
}

// A site is used as a prefix of paths: its scheme, host and port, nothing
// after them but "/", as the shipped file describes it.
bool isSite(const QString& text) {
    const QUrl site(text, QUrl::StrictMode);
    return isWebAddress(site) && (site.path().isEmpty() || site.path() == QLatin1String("/")) &&
           !site.hasQuery() && !site.hasFragment();
}

bool isFileAddress(const QString& text) {
    const QUrl file(text, QUrl::StrictMode);
    return isWebAddress(file) && file.path().size() > 1;
}

// A device by its absolute path: /dev/ttyUSB0, /dev/serial/by-id/...
bool isDevice(const QString& text) {
    return text.startsWith(QLatin1Char('/')) && !text.contains(QLatin1Char(' ')) && text.size() > 1;
}

bool isNodeList(const QString& text) {
    const std::optional<std::vector<HostPort>> nodes = HostPort::parseList(text);
    return nodes && static_cast<int>(nodes->size()) <= Configuration::MaxClusterNodes;
}

constexpr int MinutesPerDay = 24 * 60;

// How a refused value fails its form, after the field's name and the value.
std::optional<QString> fault(const ConfigurationKey& row, const QString& text) {
    const QString scheme = QUrl(QString::fromLatin1(row.defaultValue)).scheme();
    bool number = false;
    switch (row.form) {
    case KeyForm::Callsign:
        if (!text.isEmpty() && !Callsign.match(text).hasMatch())
            return QStringLiteral("n'est pas un indicatif (exemple : F4ABC ou F4ABC-7)");
        if (text.contains(QLatin1Char('/')))
            return QStringLiteral("contient « / », que les nœuds refusent à la connexion : "
                                  "donnez-leur un indicatif avec un SSID, comme F4ABC-7");
        return std::nullopt;
    case KeyForm::NodeList:
        if (!isNodeList(text))
            return QStringLiteral("ne sont pas jusqu'à trois hôte:port séparés par des virgules");
        return std::nullopt;
    case KeyForm::Site:
        if (!isSite(text))
            return QStringLiteral("n'est pas de la forme %1://hôte[:port]").arg(scheme);
        return std::nullopt;
    case KeyForm::FileAddress:
        if (!isFileAddress(text))
            return QStringLiteral("n'est pas de la forme %1://hôte[:port]/chemin").arg(scheme);
        return std::nullopt;
    case KeyForm::SerialDevice:
    case KeyForm::Device:
        if (!isDevice(text))
            return QStringLiteral("n'est pas un chemin comme /dev/ttyUSB0");
        return std::nullopt;
    case KeyForm::OptionalHostPort:
        if (text.isEmpty())
            return std::nullopt;
        [[fallthrough]];
    case KeyForm::HostPort:
        if (!HostPort::parse(text))
            return QStringLiteral("n'est pas de la forme hôte:port");
        return std::nullopt;
    case KeyForm::Minutes: {
        const int minutes = text.toInt(&number);
        if (!number || minutes < 1 || minutes > MinutesPerDay)
            return QStringLiteral("n'est pas un nombre de minutes de 1 à %1").arg(MinutesPerDay);
        return std::nullopt;
    }
    case KeyForm::Speed:
        if (text.toInt(&number) <= 0 || !number)
            return QStringLiteral("n'est pas un nombre de bauds");
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

QString KeyForms::fromLine(KeyForm form, QString text) {
    if (form != KeyForm::Secret)
        return text.trimmed();
    if (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    return text;
}

std::optional<QString> KeyForms::notTakenFromFile(ConfigKey::Id key, const QString& value) {
    const ConfigurationKey& row = ConfigurationKeys[key];
    if ((row.form == KeyForm::Site && !isSite(value)) ||
        (row.form == KeyForm::FileAddress && !isFileAddress(value)))
        return QStringLiteral("%1 « %2 » n'est pas un site http ou https : %3 est pris à sa place")
            .arg(QLatin1String(row.name), value, QLatin1String(row.defaultValue));
    return std::nullopt;
}

QString KeyForms::kept(KeyForm form, QString value) {
    if (form == KeyForm::Site || form == KeyForm::FileAddress) {
        while (value.endsWith(QLatin1Char('/')))
            value.chop(1);
    }
    return value;
}

QString KeyForms::written(KeyForm form, const QString& text) {
    return form == KeyForm::Callsign ? text.toUpper() : text;
}

std::optional<QString> KeyForms::refusal(ConfigKey::Id key, const QString& text) {
    const ConfigurationKey& row = ConfigurationKeys[key];
    const std::optional<QString> failed = fault(row, text);
    if (!failed)
        return std::nullopt;
    return QStringLiteral("%1 « %2 » %3").arg(QString::fromUtf8(row.subject), text, *failed);
}

bool KeyForms::holdsControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}
