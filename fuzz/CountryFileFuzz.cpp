// A country file as a site sends it, in either form: whatever is read makes
// files whose every line the lookup reads back into its columns.
#include "CountryDataFiles.h"
#include "PrefixFileLayout.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const auto read : {readCtyCsv, readCtyDat}) {
        QStringList problems;
        const CountryFile file = read(text, problems);
        const CountryDataFiles files = CountryDataFiles::made(file, {});
        const QByteArray prefixes = files.bytes(PrefixFileLayout::FileName);
        for (const QByteArray& line : prefixes.split('\n')) {
            if (!line.isEmpty() &&
                QString::fromUtf8(line).size() != PrefixFileLayout::LineLength + 1)
                std::abort();
        }
    }
    return 0;
}
