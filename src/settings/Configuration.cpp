#include "Configuration.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <optional>

namespace {

const char* const SpotSiteKey = "spot_site";
const char* const LookupSiteKey = "lookup_site";
const char* const ClusterKey = "cluster";
const char* const CallsignKey = "callsign";
const char* const PasswordKey = "password";
const char* const RigctldKey = "rigctld";
const char* const FlrigKey = "flrig";
const char* const HamlibModelKey = "hamlib_model";
const char* const HamlibDeviceKey = "hamlib_device";
const char* const HamlibSpeedKey = "hamlib_speed";
const char* const ModeKey = "mode";
const char* const DefaultSpotSite = "http://127.0.0.1:8073";
const char* const DefaultRigctld = "127.0.0.1:4532";
const char* const DefaultFlrig = "127.0.0.1:12345";
const char* const DefaultHamlibDevice = "/dev/ttyUSB0";
const char* const DefaultHamlibSpeed = "19200";
const char* const DefaultMode = "sideband";
const char* const DefaultLookupSite = "https://www.qrz.com";

QString portKey(int n) {
    return QStringLiteral("com%1").arg(n);
}
QString defaultPortDevice(int n) {
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

// A base address is used as a prefix of paths: drop a trailing slash.
QString withoutTrailingSlash(QString base) {
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

} // namespace

const QString Configuration::FileName = QStringLiteral("Pelk_Dedirad.conf");

Configuration::Configuration()
    : spotSite_(QString::fromLatin1(DefaultSpotSite)),
      lookupSite_(QString::fromLatin1(DefaultLookupSite)),
      rigctld_(QString::fromLatin1(DefaultRigctld)), flrig_(QString::fromLatin1(DefaultFlrig)),
      hamlibDevice_(QString::fromLatin1(DefaultHamlibDevice)),
      hamlibSpeed_(QString::fromLatin1(DefaultHamlibSpeed)),
      mode_(QString::fromLatin1(DefaultMode)) {
    for (int n = 1; n <= PortCount; ++n)
        portDevices_[n - 1] = defaultPortDevice(n);
}

namespace {

std::optional<QString> readText(const QString& path) {
    QFile file(path);
    if (!regularOrAbsent(path) || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

// The key of a "key = value" line; nothing for comments and other lines.
std::optional<QString> keyOfLine(const QString& raw) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

} // namespace

Configuration Configuration::load(const QString& path) {
    Configuration config;
    if (const std::optional<QString> text = readText(path))
        config.apply(*text);
    return config;
}

Configuration Configuration::load(const QString& besidePath, const QString& userPath) {
    Configuration config = load(besidePath);
    if (const std::optional<QString> text = readText(userPath))
        config.apply(*text);
    return config;
}

Configuration Configuration::parse(const QString& text) {
    Configuration config;
    config.apply(text);
    return config;
}

QString Configuration::userFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("pelk-dedirad/") + FileName);
}

bool Configuration::saveKeys(const QString& userPath,
                             const QList<QPair<QString, QString>>& values) {
    if (!regularOrAbsent(userPath) || !QDir().mkpath(QFileInfo(userPath).absolutePath()))
        return false;
    QStringList lines = readText(userPath).value_or(QString()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const auto& [key, value] : values) {
        const QString line = key + QStringLiteral(" = ") + value;
        bool replaced = false;
        for (QString& existing : lines) {
            if (keyOfLine(existing) == key) {
                existing = line;
                replaced = true;
            }
        }
        if (!replaced)
            lines.append(line);
    }
    QSaveFile file(userPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

void Configuration::apply(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const std::optional<QString> key = keyOfLine(raw);
        if (!key)
            continue;
        const QString line = raw.trimmed();
        const QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
        if (value.isEmpty())
            continue;
        if (*key == QLatin1String(SpotSiteKey)) {
            spotSite_ = withoutTrailingSlash(value);
        } else if (*key == QLatin1String(LookupSiteKey)) {
            lookupSite_ = withoutTrailingSlash(value);
        } else if (*key == QLatin1String(ClusterKey)) {
            cluster_ = value;
        } else if (*key == QLatin1String(CallsignKey)) {
            callsign_ = value;
        } else if (*key == QLatin1String(PasswordKey)) {
            password_ = value;
        } else if (*key == QLatin1String(RigctldKey)) {
            rigctld_ = value;
        } else if (*key == QLatin1String(FlrigKey)) {
            flrig_ = value;
        } else if (*key == QLatin1String(HamlibModelKey)) {
            hamlibModel_ = value;
        } else if (*key == QLatin1String(HamlibDeviceKey)) {
            hamlibDevice_ = value;
        } else if (*key == QLatin1String(HamlibSpeedKey)) {
            hamlibSpeed_ = value;
        } else if (*key == QLatin1String(ModeKey)) {
            mode_ = value;
        } else {
            for (int n = 1; n <= PortCount; ++n) {
                if (*key == portKey(n))
                    portDevices_[n - 1] = value;
            }
        }
    }
}

QString Configuration::portDevice(int n) const {
    if (n < 1 || n > PortCount)
        return QString();
    return portDevices_[n - 1];
}

void Configuration::setPortDevice(int n, const QString& device) {
    if (n >= 1 && n <= PortCount)
        portDevices_[n - 1] = device;
}

void Configuration::setHamlibRadio(const QString& model, const QString& device,
                                   const QString& speed) {
    hamlibModel_ = model;
    hamlibDevice_ = device;
    hamlibSpeed_ = speed;
}

QString Configuration::spotSiteHost() const {
    return QUrl(spotSite_).host();
}

QString Configuration::lookupSiteName() const {
    QString host = QUrl(lookupSite_).host();
    if (host.startsWith(QLatin1String("www.")))
        host.remove(0, 4);
    const qsizetype dot = host.indexOf(QLatin1Char('.'));
    if (dot <= 0)
        return host;
    bool numeric = false;
    host.left(dot).toInt(&numeric);
    if (numeric)
        return host;
    return host.left(dot).toUpper() + host.mid(dot);
}
