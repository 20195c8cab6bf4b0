#pragma once

#include "PageScratchFiles.h"
#include "Spot.h"
#include "SpotTableReader.h"
#include "TestSupport.h"

// A hand-made page of tests/data, as the site would send it.
inline QByteArray fixturePage(const QString& name) {
    QFile file(QStringLiteral(PELK_TEST_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A page as the decoder reads it: in capitals, through the scratch files.
inline QString storedPage(const QByteArray& html) {
    QTemporaryDir folder;
    PageScratchFiles scratch(folder.path(), QString());
    return scratch.keep(PageScratchFiles::capitals(QString::fromLatin1(html))).value_or(QString());
}

// The spot lines of a stored page, in the page's order.
inline QStringList spotLinesOf(const QString& page) {
    SpotTableReader table(page);
    QStringList lines;
    Spot spot;
    while (table.next(spot))
        lines.append(spotLine(spot));
    return lines;
}
