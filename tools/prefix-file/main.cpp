// Writes the prefix file the program reads (Prefixe_DXCC.txt) and the file of
// exact callsigns beside it (Indicatifs_DXCC.txt) from a country file in the
// cty.dat format.

#include "CtyDat.h"
#include "PrefixFileLines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s cty.dat Prefixe_DXCC.txt Indicatifs_DXCC.txt\n", argv[0]);
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString exactOutput = QString::fromLocal8Bit(argv[3]);

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

    for (const auto& [path, lines] : {std::pair{output, prefixFileLines(entries)},
                                      std::pair{exactOutput, exactCallLines(entries)}}) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        for (const QString& line : lines)
            file.write((line + QStringLiteral("\r\n")).toUtf8());
        if (!file.commit()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
