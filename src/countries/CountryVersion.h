#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// Which country file a copy of the country data was made from, kept beside
// it in "Version_Pays.txt": its version, then where it came from, then the
// file or address, one per line.
struct CountryVersion {
    enum class Origin { Build, Debian, Site };

    static inline const QString FileName = QStringLiteral("Version_Pays.txt");

    // The country file's own version; invalid when unknown.
    QDate date;
    Origin origin = Origin::Build;
    QString source;

    // The version kept in `folder`; an unknown one when there is none.
    static CountryVersion read(const QString& folder);
    QByteArray fileText() const;

    // "2 mai 2023", "1er décembre 2026".
    static QString frenchDate(QDate date);
    // "version du 2 mai 2023".
    QString versionText() const;
    // The about box's line: "Pays : cty du 2 mai 2023 (livré avec le programme)".
    QString aboutLine() const;
};
