#include "SpotPageGenerator.h"

#include "BandTable.h"
#include "SpotPageHtml.h"

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

// A band's frequencies in tenths of a kHz, lowest and highest.
struct BandRange {
    int lowest;
    int highest;
};

// By band index 1 to 13; the whole-range pages (0 and 14) draw from theirs.
constexpr std::array<BandRange, 14> Ranges{{
    {0, 0},
    {18100, 19999},
    {35000, 38000},
    {70000, 72000},
    {101000, 101500},
    {140000, 143500},
    {180680, 181680},
    {210000, 214500},
    {248900, 249900},
    {280000, 297000},
    {500000, 520000},
    {700000, 705000},
    {1440000, 1460000},
    {4320000, 4330000},
}};

constexpr auto Callsigns = std::to_array<const char*>({
    "F5ABC",  "F6KXY",  "TM1X",   "TK5EP",  "FO5XY",  "FR5AB",      "FM5AB",  "DL1ABC",
    "DK0XYZ", "G3XYZ",  "M0ABC",  "GM4ABC", "EI5ABC", "ON4ABC",     "PA3ABC", "OH2ABC",
    "SM5ABC", "LA1ABC", "OZ1ABC", "TF3ABC", "SP9ABC", "OK1ABC",     "HA5ABC", "YO3ABC",
    "LZ1ABC", "SV1ABC", "9A2AB",  "S51ABC", "EA5XYZ", "EA8/DL1ABC", "CT1ABC", "I2ABC",
    "IS0ABC", "HB9ABC", "OE1ABC", "UA3ABC", "UA9ABC", "UR5ABC",     "4X4ABC", "5B4ABC",
    "A71AB",  "VU2ABC", "JA1ABC", "JH8XYZ", "BY1AB",  "HL1ABC",     "DU1ABC", "YB0ABC",
    "9M2AB",  "HS0ZAB", "VK2ABC", "ZL1ABC", "W1AB",   "K3LR",       "N5XYZ",  "VE3ABC",
    "XE1ABC", "PY2ABC", "LU1ABC", "CE3ABC", "ZS6ABC", "5H3AB",      "3B8AB",  "VP2V/DL1ABC/P",
});

// Demonstration spots say so in their spotter column.
constexpr const char* DemoSpotter = "DEMO";

// ISO-8859-1 text, escaped when the page is written.
constexpr auto Remarks = std::to_array<const char*>({
    "CQ DX",
    "<QSL> via buro",
    "tnx QSO 73",
    "up 2",
    "FT8 -12dB",
    "CW 599 & QSB",
    "QSL via EA5XX",
    "IOTA EU-064",
    "tr\xE8s fort, merci",
    "",
    "SSB 59+10",
    "<lotw>",
    "pileup, listening up 5-10",
    "RTTY contest",
    "new one!",
    "POTA F-1234",
    "QRZ?",
    "FT4",
    "weak but readable",
    "73 & gl",
});

// Tenths of a kHz written with one decimal: 140253 gives "14025.3".
QByteArray frequency(int tenths) {
    return QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10);
}

template <std::size_t N>
const char* pick(const std::array<const char*, N>& choices, std::mt19937& random) {
    return choices[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

int bandOfSpot(std::int16_t Bande, std::mt19937& random) {
    if (Bande == BandTable::AllHf)
        return std::uniform_int_distribution<int>(BandTable::FirstHf, BandTable::LastHf)(random);
    if (Bande == BandTable::AllVhf)
        return std::uniform_int_distribution<int>(BandTable::FirstVhf, BandTable::LastVhf)(random);
    return Bande;
}

} // namespace

QByteArray SpotPageGenerator::page(std::int16_t Bande, const QDateTime& nowUtc, int rows) {
    const QDateTime minute = nowUtc.addSecs(-nowUtc.time().second());
    std::mt19937 random(static_cast<std::uint32_t>(minute.toSecsSinceEpoch() / 60 * 16 + Bande));

    // Newest first, a spot every minute or so over the last hour.
    std::vector<Spot> spots;
    spots.reserve(static_cast<std::size_t>(std::max(rows, 0)));
    QDateTime spotTime = minute;
    for (int i = 0; i < rows; ++i) {
        const BandRange range = Ranges[static_cast<std::size_t>(bandOfSpot(Bande, random))];
        const int tenths = std::uniform_int_distribution<int>(range.lowest, range.highest)(random);
        Spot spot;
        spot.call = QString::fromLatin1(pick(Callsigns, random));
        spot.frequency = QString::fromLatin1(frequency(tenths));
        spot.time = SpotPageHtml::spotDate(spotTime);
        spot.spotter = QString::fromLatin1(DemoSpotter);
        spot.remark = QString::fromLatin1(pick(Remarks, random));
        spots.push_back(std::move(spot));
        spotTime = spotTime.addSecs(-std::uniform_int_distribution<int>(0, 150)(random));
    }
    return SpotPageHtml::page(Bande, minute, spots);
}
