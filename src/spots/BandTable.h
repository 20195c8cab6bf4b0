#pragma once

#include <QString>
#include <cstdint>

// Which spot page each band index asks for. The index is the position of the
// band in the band lists; the token is spelled as the site spells it ("7",
// not "7.0"; "430", not "432").
struct BandPage {
    const char* token;
    const char* ending;
};

class BandTable {
public:
    static constexpr int Count = 15;

    // The page of a band index; an index outside the table gives an empty
    // token and the "_MHz.html" ending.
    static BandPage page(std::int16_t Bande);
    // "/dxc/top_50_" followed by the token and the ending.
    static QString pagePath(std::int16_t Bande);
    // The site's base address (scheme and host) followed by the page path.
    static QString pageAddress(const QString& siteBase, std::int16_t Bande);
};
