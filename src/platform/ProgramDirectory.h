#pragma once

#include <QString>

// The folder that holds the program's executable; every file the program reads
// or writes is named by joining it with the file name.
class ProgramDirectory {
public:
    explicit ProgramDirectory(QString path);

    // The folder of the running executable.
    static ProgramDirectory ofExecutable();

    const QString& path() const { return path_; }
    QString file(const QString& name) const;

private:
    QString path_;
};
