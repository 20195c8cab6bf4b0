#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The prefix file and the exact-call file beside it, held in memory: the
// same country as the details panel's lookup, found without reading the
// files again, for every spot of a refresh and every contact of a log. Each
// country is held once, and a lookup allocates nothing.
class PrefixTable {
public:
    // Reads both files of the country data in `countryFolder`; a file that
    // cannot be read leaves the table without its lines.
    static PrefixTable load(const QString& countryFolder);
    // From the files' bytes (UTF-8).
    static PrefixTable parse(QByteArrayView prefixText, QByteArrayView exactCallsText);

    // The country of the callsign (UTF-8, blanks around it ignored) as an
    // index in countries(); -1 when no line matches.
    int countryOf(std::string_view callsign) const;
    const QStringList& countries() const { return countries_; }

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const {
            return std::hash<std::string_view>{}(key);
        }
    };
    using Keys = std::unordered_map<std::string, int, KeyHash, std::equal_to<>>;

    QStringList countries_;
    // Each line's country, and each prefix with its first line, the one the
    // lookup takes.
    std::vector<int> lineCountries_;
    Keys firstLine_;
    // Each exact call with its country.
    Keys exactCalls_;
    int longestPrefix_ = 0;
};
