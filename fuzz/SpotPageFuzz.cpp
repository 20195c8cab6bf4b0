// A spot page as the web site sends it: body bytes and a declared charset,
// through the upper-casing, the scratch files' line-end normalisation and the
// table decoder, to spot lines and sort lines.
#include "CurlHttpClient.h"
#include "PageScratchFiles.h"
#include "Spot.h"
#include "SpotTableReader.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

const QByteArray ContentTypes[] = {
    QByteArray(),
    QByteArrayLiteral("text/html"),
    QByteArrayLiteral("text/html; charset=utf-8"),
    QByteArrayLiteral("text/html; charset=ISO-8859-1"),
    QByteArrayLiteral("text/html; charset=\"windows-1252\""),
    QByteArrayLiteral("text/html; charset=no-such-charset"),
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static QTemporaryDir folder;
    const QByteArray& type = ContentTypes[data[0] % std::size(ContentTypes)];
    const QByteArray body(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));

    const QString page = PageScratchFiles::capitals(CurlHttpClient::decodeBody(body, type));
    PageScratchFiles scratch(folder.path(), QString());
    // A writable folder must always take the page.
    const std::optional<QString> stored = scratch.keep(page);
    if (!stored)
        std::abort();

    SpotTableReader reader(*stored);
    Spot spot;
    while (reader.next(spot)) {
        // Every spot that comes out fits the line layout, and the line's
        // columns give it back.
        if (spot.time.size() > 13 || spot.call.size() > 12 || spot.frequency.size() > 8 ||
            spot.remark.size() > 500)
            std::abort();
        const QString line = spotLine(spot);
        if (line.size() < 49 || line.front() != QLatin1Char(' '))
            std::abort();
        if (spot.spotter.size() <= 11 && spotLine(spotOfLine(line)) != line)
            std::abort();
        for (std::int16_t mode = 1; mode <= 3; ++mode)
            sortLine(spot, mode);
    }
    return 0;
}
