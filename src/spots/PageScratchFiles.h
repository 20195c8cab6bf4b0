#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The two scratch files of a retrieval: "Dedirad1.txt" keeps the last page,
// upper-cased, with its line feeds turned into carriage return and line feed;
// "Temp1.txt" is the work copy of that conversion and never outlives it. They
// go into the program directory, or into the per-user data folder when the
// program directory cannot be written (an installed program).
class PageScratchFiles {
public:
    static const QString PageFile;
    static const QString WorkFile;

    PageScratchFiles(QString programDirectory, QString fallbackDirectory);

    // The page in capitals, as far as one byte per character can hold them: a
    // letter whose capital lies beyond Latin-1 ("ÿ", "µ") keeps its case
    // rather than turning into "?".
    static QString capitals(const QString& page);

    // The per-user data folder of the program, the fallback of an installed
    // program.
    static QString userFolder();

    // Writes the page and normalises its line ends: whether the page ends
    // its lines with line feeds, carriage returns or both, every line ends
    // with a carriage return and line feed. False when a file cannot be
    // written, read, copied or deleted.
    bool store(const QString& upperPage);
    // The page file as stored, one byte per character; nothing when it cannot
    // be read.
    std::optional<QString> readPage() const;

    // The folder of the last store.
    const QString& folder() const { return folder_; }

private:
    bool storeIn(const QString& directory, const QByteArray& pageBytes);
    QString path(const QString& name) const;

    QString programDirectory_;
    QString fallbackDirectory_;
    QString folder_;
};
