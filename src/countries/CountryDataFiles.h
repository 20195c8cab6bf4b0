#pragma once

#include "CountryFile.h"
#include "CountryVersion.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The files the program reads about countries, made from a country file:
// the prefix file, the exact calls, the entities' ADIF numbers and the
// version they were made from. The build and the program make them alike.
class CountryDataFiles {
public:
    static CountryDataFiles made(const CountryFile& file, const CountryVersion& version);

    // The lines of the prefix file.
    int prefixCount() const { return prefixCount_; }
    // A file's bytes by its name; empty for another name.
    QByteArray bytes(const QString& name) const;

    // Writes them into `folder`, each replaced whole, the version last, so
    // that a copy is never taken for newer than its files; why not, in French.
    std::optional<QString> write(const QString& folder) const;

private:
    QList<std::pair<QString, QByteArray>> files_;
    int prefixCount_ = 0;
};

// cty.dat, with the ADIF numbers of cty.csv beside it.
CountryFile readCtyFiles(const QString& datPath, const QString& csvPath, QStringList& problems);

// Why a country file read with these problems cannot be used, in French;
// empty when it can. A file that lost lines is refused whole: a copy made
// of part of it would place those entities' stations elsewhere.
QString unusableReason(const CountryFile& file, const QStringList& problems);
