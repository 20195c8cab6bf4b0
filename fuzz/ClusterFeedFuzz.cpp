// What a cluster node sends, in pieces of any size: telnet commands, prompts
// and lines, through the session to the pages the spot server keeps, and
// those pages back through the program's table decoder.
#include "ClusterSession.h"
#include "LiveSpotPages.h"
#include "PageScratchFiles.h"
#include "SpotTableReader.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const qsizetype piece = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1),
                               static_cast<qsizetype>(size - 1));
    const QDateTime received(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);

    ClusterSession session("F4TEST");
    LiveSpotPages pages;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        for (const ClusterSpot& spot :
             session.feed(bytes.sliced(at, std::min(piece, bytes.size() - at))).spots) {
            if (spot.dx.isEmpty() || spot.spotter.isEmpty() || spot.kHz <= 0 ||
                spot.minuteOfDay < 0 || spot.minuteOfDay >= 24 * 60)
                std::abort();
            pages.add(spot, received);
        }
    }

    // Every spot kept reads back as one row of its page: no comment ends its
    // cell or the table.
    static QTemporaryDir folder;
    for (std::int16_t band = 0; band < BandTable::Count; ++band) {
        if (pages.rows(band).empty())
            continue;
        PageScratchFiles scratch(folder.path(), QString());
        const std::optional<QString> stored = scratch.keep(
            PageScratchFiles::capitals(QString::fromLatin1(pages.page(band, received))));
        if (!stored)
            std::abort();
        SpotTableReader table(*stored);
        Spot spot;
        std::size_t rows = 0;
        while (table.next(spot))
            ++rows;
        if (rows != pages.rows(band).size())
            std::abort();
    }
    return 0;
}
