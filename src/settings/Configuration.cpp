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

// A base address is used as a prefix of paths: drop a trailing slash.
QString withoutTrailingSlash(QString base) {
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

} // namespace

const QString Configuration::FileName = QStringLiteral("Pelk_Dedirad.conf");

Configuration::Configuration() {
    for (int key = 0; key < ConfigKey::Count; ++key)
        values_[key] = QString::fromLatin1(ConfigurationKeys[key].defaultValue);
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
        for (int id = 0; id < ConfigKey::Count; ++id) {
            if (*key == QLatin1String(ConfigurationKeys[id].name))
                setValue(static_cast<ConfigKey::Id>(id), value);
        }
    }
}

void Configuration::setValue(ConfigKey::Id key, const QString& value) {
    values_[key] = ConfigurationKeys[key].baseAddress ? withoutTrailingSlash(value) : value;
}

QString Configuration::portDevice(int n) const {
    if (n < 1 || n > PortCount)
        return QString();
    return value(static_cast<ConfigKey::Id>(ConfigKey::Com1 + n - 1));
}

void Configuration::setPortDevice(int n, const QString& device) {
    if (n >= 1 && n <= PortCount)
        setValue(static_cast<ConfigKey::Id>(ConfigKey::Com1 + n - 1), device);
}

void Configuration::setHamlibRadio(const QString& model, const QString& device,
                                   const QString& speed) {
    setValue(ConfigKey::HamlibModel, model);
    setValue(ConfigKey::HamlibDevice, device);
    setValue(ConfigKey::HamlibSpeed, speed);
}

QString Configuration::spotSiteHost() const {
    return QUrl(spotSite()).host();
}

QString Configuration::lookupSiteName() const {
    QString host = QUrl(lookupSite()).host();
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
