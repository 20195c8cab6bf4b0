#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The fields of one line of the prefix file.
struct Fiche_Prefixe {
    QString prefix;
    QString country;
    QString continent;
    double latitude = 0;
    double longitude = 0;
    QString cqZone;
    QString utcOffset;
    QString ituZone;
};

// Cuts one line of the prefix file into its fields, each trimmed; a field
// beyond the end of the line is empty, a position without a leading number 0.
Fiche_Prefixe readPrefixRecord(QStringView line);

// The country data of one folder in memory, built once for each copy taken
// into use and then only read, from any thread: by the details panel, the
// log and whatever else marks a callsign. A callsign's line is its exact
// call's in the exact-call file, else the first line of the prefix file, in
// file order, whose prefix begins the callsign (case counts; an empty prefix
// begins every callsign). Each country's fields are held once, and a lookup
// of a usual callsign allocates nothing.
class CountryTable {
public:
    // Reads the files of the country data in `countryFolder`; a file that
    // cannot be read leaves the table without its lines.
    static CountryTable load(const QString& countryFolder);
    // From the files' bytes (UTF-8): the prefix file, the exact-call file and
    // the entity numbers.
    static CountryTable parse(QByteArrayView prefixText, QByteArrayView exactCallsText,
                              QByteArrayView numbersText);

    // The callsign's line (blanks around the callsign ignored); nothing when
    // no line matches.
    std::optional<Fiche_Prefixe> recordOf(QStringView callsign) const;
    // The ADIF DXCC number of the callsign's entity, 0 when it has none.
    int entityOf(QStringView callsign) const;
    // The same for a callsign as a log holds it: UTF-8, in any case.
    int entityOfLoggedCall(QByteArrayView callsign) const;
    // Whether an ADIF DXCC number names an entity, deleted ones included.
    bool isEntity(int number) const { return number > 0 && number <= highest_; }
    // The fields of every line, each set once.
    const std::vector<Fiche_Prefixe>& places() const { return places_; }

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const {
            return std::hash<std::string_view>{}(key);
        }
    };
    using Keys = std::unordered_map<std::string, int, KeyHash, std::equal_to<>>;
    struct Line {
        // The line's prefix field, as it stands in the file (UTF-8).
        std::string prefix;
        // Its fields after the prefix, in places_.
        int place = 0;
        // Its entity's number, 0 for none.
        int entity = 0;
    };

    // The callsign's line (UTF-8), null for none.
    const Line* lineOf(std::string_view callsign) const;
    static std::string keyOf(QStringView callsign);

    // The lines' fields after the prefix, each set once.
    std::vector<Fiche_Prefixe> places_;
    // The prefix file's lines in file order, then the exact calls' lines.
    std::vector<Line> lines_;
    // Each prefix with its first line, the one a lookup takes.
    Keys firstLine_;
    // Each exact call with its line.
    Keys exactCalls_;
    int longestPrefix_ = 0;
    // ADIF's numbers run to 522 (Kosovo); newer ones come with the data.
    int highest_ = 522;
};
