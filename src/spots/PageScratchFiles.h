#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The two scratch files of a retrieval: "Dedirad1.txt" keeps the last page,
// upper-cased, with its line feeds turned into carriage return and line feed;
// "Temp1.txt" is the work copy of that conversion and never outlives it. They
// go into the program directory, or into the per-user data folder when the
// program directory cannot be used (an installed program, another copy of the
// program holding them too long, a file there that is not a regular file).
//
// Two copies of the program share the folder: the write, the conversion and
// the read-back of one retrieval hold an advisory lock on "Dedirad1.lock",
// and "Temp1.txt" is created afresh, readable by its owner only.
class PageScratchFiles {
public:
    static const QString PageFile;
    static const QString WorkFile;
    static const QString LockFile;

    PageScratchFiles(QString programDirectory, QString fallbackDirectory);

    // The page in capitals, as far as one byte per character can hold them: a
    // letter whose capital lies beyond Latin-1 ("ÿ", "µ") keeps its case
    // rather than turning into "?".
    static QString capitals(const QString& page);

    // The per-user data folder of the program, the fallback of an installed
    // program.
    static QString userFolder();

    // Writes the page, normalises its line ends (whether the page ends its
    // lines with line feeds, carriage returns or both, every line ends with a
    // carriage return and line feed) and reads the page file back as stored,
    // one byte per character. Nothing when no folder can be used.
    std::optional<QString> keep(const QString& upperPage);

    // The folder of the last store.
    const QString& folder() const { return folder_; }

private:
    std::optional<QString> keepIn(const QString& directory, const QByteArray& pageBytes);
    QString path(const QString& name) const;

    QString programDirectory_;
    QString fallbackDirectory_;
    QString folder_;
};
