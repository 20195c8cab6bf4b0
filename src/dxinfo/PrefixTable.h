#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

// The prefix file and the exact-call file beside it, held in memory: the
// same country as the details panel's lookup, found without reading the
// files again, for every spot of a refresh and every contact of a log.
class PrefixTable {
public:
    // Reads both files of the country data in `countryFolder`; a file that
    // cannot be read leaves the table without its lines.
    static PrefixTable load(const QString& countryFolder);
    // From the files' texts.
    static PrefixTable parse(QStringView prefixText, QStringView exactCallsText);

    // The country of the callsign, empty when no line matches.
    QString country(QStringView callsign) const;

private:
    QStringList countries_;
    // Each prefix with its first line, the one the lookup takes.
    QHash<QString, int> firstLine_;
    QHash<QString, QString> exactCalls_;
    int longestPrefix_ = 0;
};
