// An ADI log as a logger leaves it, damaged or not, read in pieces of any
// size: the same records as when read at once, and never a position past
// the bytes given.
#include "AdiReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Reading {
    int records = 0;
    int unreadable = 0;
    qint64 wholeEnd = 0;
    bool cut = false;
    bool readAnyField = false;
};

Reading read(QByteArrayView bytes, qsizetype piece) {
    Reading reading;
    AdiReader reader([&reading](const AdifRecord&) { ++reading.records; });
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.feed(bytes.sliced(at, std::min(piece, bytes.size() - at)));
    reading.cut = reader.finish().has_value();
    reading.unreadable = reader.unreadable();
    reading.wholeEnd = reader.wholeRecordsEnd();
    reading.readAnyField = reader.readAnyField();
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const qsizetype piece = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1),
                               static_cast<qsizetype>(size - 1));
    const Reading whole = read(bytes, std::max<qsizetype>(bytes.size(), 1));
    const Reading pieces = read(bytes, piece);
    if (whole.records != pieces.records || whole.unreadable != pieces.unreadable ||
        whole.wholeEnd != pieces.wholeEnd || whole.cut != pieces.cut ||
        whole.readAnyField != pieces.readAnyField || whole.wholeEnd > bytes.size())
        std::abort();
    return 0;
}
