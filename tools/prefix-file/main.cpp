// Writes the prefix file the program reads (Prefixe_DXCC.txt) from a country
// file in the cty.dat format.

#include "CtyDat.h"
#include "PrefixFileLines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s cty.dat Prefixe_DXCC.txt\n", argv[0]);
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QFile countryFile(input);
    if (!countryFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
        return 1;
    }
    QStringList problems;
    const QList<PrefixEntry> entries =
        readCtyDat(QString::fromUtf8(countryFile.readAll()), problems);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(input), qPrintable(problem));
    if (!problems.isEmpty() || entries.isEmpty()) {
        std::fprintf(stderr, "%s: no prefix file written\n", qPrintable(input));
        return 1;
    }

    QSaveFile prefixFile(output);
    if (prefixFile.open(QIODevice::WriteOnly)) {
        for (const QString& line : prefixFileLines(entries))
            prefixFile.write((line + QStringLiteral("\r\n")).toUtf8());
        if (prefixFile.commit())
            return 0;
    }
    std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
    return 1;
}
