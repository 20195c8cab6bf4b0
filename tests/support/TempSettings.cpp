#include "TempSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {
QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}
} // namespace

void TempSettings::installPrivateLocation() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder().path());
}

void TempSettings::clear() {
    QFile::remove(iniFile());
}

QString TempSettings::iniFile() {
    return QDir(folder().path()).filePath(QStringLiteral("Durerur.ini"));
}
