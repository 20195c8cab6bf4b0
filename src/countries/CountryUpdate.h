#pragma once

#include "CountryVersion.h"

#include <QDateTime>
#include <QString>
#include <atomic>

class HttpClient;

// Where the copies of the country data lie.
struct CountryFolders {
    // The build's copy, beside the program.
    QString program;
    // The copies the program makes: ~/.local/share/Pelk_Dedirad.
    QString user;
    // Debian's hamradio-files package: cty.dat and cty.csv.
    QString debian;

    static CountryFolders standard(const QString& programFolder);
    // The folder of the copy in use: the user's when it is whole and newer
    // than the build's, and not dated over a year ahead.
    QString inUse() const;
};

// How an update ended.
struct CountryUpdateResult {
    enum class Kind { Updated, Current, Failed };
    Kind kind = Kind::Failed;
    // The copy in use afterwards.
    CountryVersion version;
    // Updated: the lines of the new prefix file.
    int prefixes = 0;
    // Failed: why, in French.
    QString reason;

    // "Pays mis à jour : version du 2 décembre 2026 (7 384 préfixes)", or why
    // not.
    QString message() const;
};

// Fetches cty.csv from `site` and makes the user's copy from it when it is
// newer than the copy in use. On any failure the copy in use stays as it
// was. Two copies of the program updating at once take turns. Once
// `cancelled`, it ends at once.
CountryUpdateResult updateFromSite(HttpClient& http, const QString& site,
                                   const CountryFolders& folders,
                                   const std::atomic<bool>& cancelled);
// Makes the user's copy from Debian's cty.dat and cty.csv when they are
// newer than the copy in use; reads no more than their version otherwise.
CountryUpdateResult updateFromDebian(const CountryFolders& folders,
                                     const std::atomic<bool>& cancelled);

// The site is asked by itself when the copy in use is over 30 days old and
// it was not asked in the last day.
bool siteUpdateDue(const CountryFolders& folders, const QDateTime& now);
void noteSiteAttempt(const CountryFolders& folders, const QDateTime& now);
