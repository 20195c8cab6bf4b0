#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

// What a contact is counted by beside its entity: its band and its mode
// group, for a logged contact and for a spot alike.

// The ADIF bands the program's spot pages reach, with their edges in kHz.
struct AdifBand {
    const char* name;
    double lowKhz;
    double highKhz;
};

inline constexpr std::array<AdifBand, 15> AdifBands{{
    {"160m", 1800, 2000},
    {"80m", 3500, 4000},
    {"60m", 5060, 5450},
    {"40m", 7000, 7300},
    {"30m", 10100, 10150},
    {"20m", 14000, 14350},
    {"17m", 18068, 18168},
    {"15m", 21000, 21450},
    {"12m", 24890, 24990},
    {"10m", 28000, 29700},
    {"6m", 50000, 54000},
    {"4m", 70000, 71000},
    {"2m", 144000, 148000},
    {"1.25m", 222000, 225000},
    {"70cm", 420000, 450000},
}};

// The index in AdifBands of the band a frequency lies in.
std::optional<int> bandOfKhz(double khz);
// The index of an ADIF band name, in any case ("20M").
std::optional<int> bandNamed(QByteArrayView name);

enum class ModeGroup : std::uint8_t { Cw, Phone, Data };
inline constexpr int ModeGroupCount = 3;

// A logged contact's group: CW; phone for SSB, AM, FM and the digital voices;
// data for every other mode. None without a mode.
std::optional<ModeGroup> contactModeGroup(QByteArrayView mode);
// A spot's group, by the band plan's rule whatever the click sets: the
// remark's CW or digital-mode word, the FT8/FT4 dial windows, the CW
// segments, else phone.
ModeGroup spotModeGroup(double khz, QStringView remark);
