#include "ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

ProgramDirectory::ProgramDirectory(QString path) : path_(std::move(path)) {}

ProgramDirectory ProgramDirectory::ofExecutable() {
    return ProgramDirectory(QCoreApplication::applicationDirPath());
}

QString ProgramDirectory::file(const QString& name) const {
    return QDir(path_).filePath(name);
}
