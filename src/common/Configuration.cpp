#include "Configuration.h"

#include <QFile>
#include <QStringList>
#include <QUrl>

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

Configuration Configuration::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return Configuration();
    return parse(QString::fromUtf8(file.readAll()));
}

Configuration Configuration::parse(const QString& text) {
    Configuration config;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (value.isEmpty())
            continue;
        if (key == QLatin1String(SpotSiteKey)) {
            config.spotSite_ = withoutTrailingSlash(value);
        } else if (key == QLatin1String(LookupSiteKey)) {
            config.lookupSite_ = withoutTrailingSlash(value);
        } else if (key == QLatin1String(ClusterKey)) {
            config.cluster_ = value;
        } else if (key == QLatin1String(CallsignKey)) {
            config.callsign_ = value;
        } else if (key == QLatin1String(PasswordKey)) {
            config.password_ = value;
        } else if (key == QLatin1String(RigctldKey)) {
            config.rigctld_ = value;
        } else if (key == QLatin1String(FlrigKey)) {
            config.flrig_ = value;
        } else if (key == QLatin1String(HamlibModelKey)) {
            config.hamlibModel_ = value;
        } else if (key == QLatin1String(HamlibDeviceKey)) {
            config.hamlibDevice_ = value;
        } else if (key == QLatin1String(HamlibSpeedKey)) {
            config.hamlibSpeed_ = value;
        } else if (key == QLatin1String(ModeKey)) {
            config.mode_ = value;
        } else {
            for (int n = 1; n <= PortCount; ++n) {
                if (key == portKey(n))
                    config.portDevices_[n - 1] = value;
            }
        }
    }
    return config;
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
