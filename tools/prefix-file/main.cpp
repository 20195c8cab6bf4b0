// Writes the prefix file the program reads (Prefixe_DXCC.txt) and the file of
// exact callsigns beside it (Indicatifs_DXCC.txt) from a country file in the
// cty.dat format, and the entities' ADIF numbers (Numeros_DXCC.txt) from the
// same country file in its CSV form.

#include "CtyDat.h"
#include "EntityNumberLines.h"
#include "PrefixFileLines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr,
                     "usage: %s cty.dat Prefixe_DXCC.txt Indicatifs_DXCC.txt cty.csv "
                     "Numeros_DXCC.txt\n",
                     argv[0]);
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString exactOutput = QString::fromLocal8Bit(argv[3]);
    const QString csvInput = QString::fromLocal8Bit(argv[4]);
    const QString numbersOutput = QString::fromLocal8Bit(argv[5]);

    QFile countryFile(input);
    if (!countryFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
        return 1;
    }
    QStringList problems;
    const QString countryText = QString::fromUtf8(countryFile.readAll());
    const QList<PrefixEntry> entries = readCtyDat(countryText, problems);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(input), qPrintable(problem));
    if (!problems.isEmpty() || entries.isEmpty()) {
        std::fprintf(stderr, "%s: no prefix file written\n", qPrintable(input));
        return 1;
    }

    QFile csvFile(csvInput);
    if (!csvFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(csvInput));
        return 1;
    }
    const QStringList numbers =
        entityNumberLines(countryText, QString::fromUtf8(csvFile.readAll()), problems);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(csvInput), qPrintable(problem));
    if (!problems.isEmpty() || numbers.isEmpty()) {
        std::fprintf(stderr, "%s: no entity numbers written\n", qPrintable(csvInput));
        return 1;
    }

    for (const auto& [path, lines] :
         {std::pair{output, prefixFileLines(entries)},
          std::pair{exactOutput, exactCallLines(entries)}, std::pair{numbersOutput, numbers}}) {
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
