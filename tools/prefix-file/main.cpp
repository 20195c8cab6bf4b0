// Writes the files the program reads about countries into the program
// folder (Prefixe_DXCC.txt, Indicatifs_DXCC.txt, Numeros_DXCC.txt and
// Version_Pays.txt) from a country file in the cty.dat format and the same
// country file in its CSV form, which gives the entities' ADIF numbers.

#include "CountryDataFiles.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s cty.dat cty.csv folder\n", argv[0]);
        return 2;
    }
    const QString datPath = QString::fromLocal8Bit(argv[1]);
    const QString csvPath = QString::fromLocal8Bit(argv[2]);
    const QString folder = QString::fromLocal8Bit(argv[3]);

    QStringList problems;
    const CountryFile file = readCtyFiles(datPath, csvPath, problems);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", qPrintable(datPath), qPrintable(problem));
    if (const QString reason = unusableReason(file, problems); !reason.isEmpty()) {
        std::fprintf(stderr, "%s: no prefix file written: %s\n", qPrintable(datPath),
                     qPrintable(reason));
        return 1;
    }
    const CountryDataFiles files =
        CountryDataFiles::made(file, {file.version, CountryVersion::Origin::Build, datPath});
    if (const std::optional<QString> problem = files.write(folder)) {
        std::fprintf(stderr, "%s\n", qPrintable(*problem));
        return 1;
    }
    return 0;
}
