#include "Configuration.h"

#include "KeyForms.h"
#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <optional>

const QString Configuration::FileName = QStringLiteral("Pelk_Dedirad.conf");

Configuration::Configuration() {
    for (int key = 0; key < ConfigKey::Count; ++key)
        values_[key] = QString::fromLatin1(ConfigurationKeys[key].defaultValue);
}

namespace {

// Larger than any configuration a person writes: a file chosen by mistake.
constexpr qint64 MaxFileBytes = 1024 * 1024;

// What a configuration file holds: nothing when there is no file, its
// bytes, or why it cannot be read.
struct FileBytes {
    bool present = false;
    QByteArray bytes;
    QString problem;
};

FileBytes readBytes(const QString& path) {
    FileBytes read;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return read;
    read.present = true;
    if (!regularOrAbsent(path)) {
        read.problem = QStringLiteral("ce n'est pas un fichier ordinaire");
        return read;
    }
    if (QFileInfo(path).size() > MaxFileBytes) {
        read.problem = QStringLiteral("plus de 1 Mo");
        return read;
    }
    RegularFile file(path);
    std::optional<QByteArray> bytes;
    if (file.notRegular())
        read.problem = QStringLiteral("ce n'est pas un fichier ordinaire");
    else if (!file.isOpen() || !(bytes = file.read(MaxFileBytes + 1)))
        read.problem = file.errorText();
    else
        read.bytes = *bytes;
    return read;
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

void Configuration::read(const QString& path) {
    const FileBytes file = readBytes(path);
    if (!file.problem.isEmpty())
        problems_.append(
            QStringLiteral("Le fichier de configuration %1 ne peut pas être lu (%2) : ses réglages "
                           "ne sont pas pris en compte et « Réglages » n'y enregistre rien.")
                .arg(path, file.problem));
    else if (file.present)
        apply(QString::fromUtf8(file.bytes));
}

Configuration Configuration::load(const QString& path) {
    Configuration config;
    config.read(path);
    return config;
}

Configuration Configuration::load(const QString& besidePath, const QString& userPath) {
    Configuration config = load(besidePath);
    config.read(userPath);
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

std::optional<QString> Configuration::saveKeys(const QString& userPath,
                                               const QList<QPair<QString, QString>>& values) {
    for (const auto& [key, value] : values) {
        // A line break would write keys of its own choosing.
        if (KeyForms::holdsControlCharacter(key) || KeyForms::holdsControlCharacter(value))
            return QStringLiteral("la valeur de %1 contient un caractère de contrôle").arg(key);
    }
    if (!QDir().mkpath(QFileInfo(userPath).absolutePath()))
        return QStringLiteral("son dossier ne peut pas être créé");
    // Two copies saving at once each change only their keys, over the file
    // as the other one left it.
    QLockFile lock(userPath + QStringLiteral(".lock"));
    if (!lock.tryLock(2000))
        return QStringLiteral("un autre programme l'écrit");
    const FileBytes file = readBytes(userPath);
    if (!file.problem.isEmpty())
        return file.problem; // never replace what could not be read
    // The lines the program does not change keep their bytes, their
    // encoding and their line ends.
    QList<QByteArray> lines = file.bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
    for (const auto& [key, value] : values) {
        const QByteArray line = (key + QStringLiteral(" = ") + value).toUtf8();
        bool replaced = false;
        for (QByteArray& existing : lines) {
            if (keyOfLine(QString::fromUtf8(existing)) == key) {
                existing = existing.endsWith('\r') ? line + '\r' : line;
                replaced = true;
            }
        }
        if (!replaced)
            lines.append(crlf ? line + '\r' : line);
    }
    QSaveFile out(userPath);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    out.write(lines.join('\n') + '\n');
    if (!out.commit())
        return out.errorString();
    return std::nullopt;
}

void Configuration::apply(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString raw : lines) {
        const std::optional<QString> key = keyOfLine(raw);
        if (!key)
            continue;
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        for (int id = 0; id < ConfigKey::Count; ++id) {
            const ConfigurationKey& row = ConfigurationKeys[id];
            if (*key != QLatin1String(row.name))
                continue;
            const QString value =
                KeyForms::fromLine(row.form, raw.mid(raw.indexOf(QLatin1Char('=')) + 1));
            if (value.isEmpty())
                continue;
            if (const std::optional<QString> problem =
                    KeyForms::notTakenFromFile(static_cast<ConfigKey::Id>(id), value)) {
                problems_.append(*problem);
                continue;
            }
            setValue(static_cast<ConfigKey::Id>(id), value);
        }
    }
}

void Configuration::setValue(ConfigKey::Id key, const QString& value) {
    values_[key] = KeyForms::kept(ConfigurationKeys[key].form, value);
}

bool Configuration::isYes(ConfigKey::Id key) const {
    return value(key).compare(QLatin1String(ConfigWords::YesNo[0].word), Qt::CaseInsensitive) == 0;
}

QString Configuration::yesOrNo(bool yes) {
    return QLatin1String(ConfigWords::YesNo[yes ? 0 : 1].word);
}

int Configuration::choice(ConfigKey::Id key) const {
    const auto words = ConfigurationKeys[key].words;
    const auto chosen = std::find_if(words.begin(), words.end(), [&](const ConfigWord& word) {
        return value(key) == QLatin1String(word.word);
    });
    return chosen == words.end() ? -1 : static_cast<int>(chosen - words.begin());
}

QStringList Configuration::names(ConfigKey::Id key) const {
    QStringList names;
    for (const QString& name : value(key).split(QLatin1Char(','))) {
        if (!name.trimmed().isEmpty())
            names.append(name.trimmed().toLower());
    }
    return names;
}

QStringList Configuration::splitFiles(const QString& value) {
    QStringList files;
    QString file;
    const auto take = [&] {
        if (!file.trimmed().isEmpty())
            files.append(file.trimmed());
        file.clear();
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size() &&
            value[i + 1] == QLatin1Char(';')) {
            file += QLatin1Char(';');
            ++i;
        } else if (value[i] == QLatin1Char(';')) {
            take();
        } else {
            file += value[i];
        }
    }
    take();
    return files;
}

QString Configuration::joinFiles(const QStringList& files) {
    QStringList written;
    for (QString file : files) {
        file.replace(QLatin1Char(';'), QLatin1String("\\;"));
        if (file.endsWith(QLatin1Char('\\')))
            file += QLatin1Char(' ');
        written.append(file);
    }
    return written.join(QLatin1Char(';'));
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
