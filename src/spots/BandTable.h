#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// The amateur bands a spot or a contact can lie on: the ADIF name and edges
// in kilohertz (ADIF's own, the widest of the three IARU regions), and the
// band index of the spot page that lists it, -1 for a band without one.
struct AmateurBand {
    const char* adifName;
    double lowKhz;
    double highKhz;
    std::int16_t page;
};

inline constexpr std::array<AmateurBand, 15> AmateurBands{{
    {"160m", 1800, 2000, 1},
    {"80m", 3500, 4000, 2},
    {"60m", 5060, 5450, -1},
    {"40m", 7000, 7300, 3},
    {"30m", 10100, 10150, 4},
    {"20m", 14000, 14350, 5},
    {"17m", 18068, 18168, 6},
    {"15m", 21000, 21450, 7},
    {"12m", 24890, 24990, 8},
    {"10m", 28000, 29700, 9},
    {"6m", 50000, 54000, 10},
    {"4m", 70000, 71000, 11},
    {"2m", 144000, 148000, 12},
    {"1.25m", 222000, 225000, -1},
    {"70cm", 420000, 450000, 13},
}};

// The index in AmateurBands of the band a frequency lies in.
std::optional<int> amateurBandOfKhz(double khz);

// Which spot page each band index asks for, and its caption in the band
// lists. The index is the position of the band in those lists; the token is
// spelled as the site spells it ("7", not "7.0"; "430", not "432").
struct BandPage {
    const char* token;
    const char* ending;
    const char* caption;
};

class BandTable {
public:
    static constexpr int Count = 15;
    // The whole-range pages, and the single bands each gathers.
    static constexpr std::int16_t AllHf = 0;
    static constexpr std::int16_t AllVhf = 14;
    static constexpr std::int16_t FirstHf = 1;
    static constexpr std::int16_t LastHf = 9;
    static constexpr std::int16_t FirstVhf = 10;
    static constexpr std::int16_t LastVhf = 13;

    // The page of a band index; an index outside the table gives an empty
    // token and the "_MHz.html" ending.
    static BandPage page(std::int16_t Bande);
    // "/dxc/top_50_" followed by the token and the ending.
    static QString pagePath(std::int16_t Bande);
    // The site's base address (scheme and host) followed by the page path.
    static QString pageAddress(const QString& siteBase, std::int16_t Bande);

    // The captions of the first band list, every page in order.
    static QStringList captions();
    // The band index (FirstHf to LastVhf) of the single band that holds the
    // frequency; nothing for a frequency outside them (60 m, 23 cm and the
    // like have no page).
    static std::optional<std::int16_t> pageOfKhz(double khz);
    // AllHf or AllVhf for a single band.
    static std::int16_t wholeRangeOf(std::int16_t Bande);
    // "14 MHz", "all HF bands": the name of a page for its title.
    static QByteArray name(std::int16_t Bande);
};
