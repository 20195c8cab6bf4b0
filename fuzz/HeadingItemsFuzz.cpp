// The heading of the spot table is read as comma-separated items, with
// double quotes honoured, from the same position as the lines around it.
#include "TextReader.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TextReader reader(text);
    // Every read moves forward: at most one read per character, plus the
    // last; a read that finds nothing has reached the end of the text.
    qsizetype reads = 0;
    bool items = true;
    while (!reader.atEnd()) {
        const bool read = items ? reader.readItem().has_value() : reader.readLine().has_value();
        if ((!read && !reader.atEnd()) || ++reads > text.size() + 1)
            std::abort();
        items = !items;
    }
    return 0;
}
