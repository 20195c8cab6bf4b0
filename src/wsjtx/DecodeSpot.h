#pragma once

#include "Spot.h"
#include "WsjtxMessages.h"

#include <QString>
#include <QStringView>
#include <optional>

// The station a decoded message calls from, when it calls CQ or QRZ:
// "CQ 3Y0J JD15", "CQ DX K1ABC FN42", "CQ POTA K1ABC", "CQ 290 K1ABC FN42",
// "QRZ K1ABC FN42"; nothing for any other message ("K1ABC F5XYZ -10").
std::optional<QString> callingStation(QStringView message);

// The spot of a decode that calls CQ or QRZ, heard with the instance's dial
// at `dialHz` (0 when the instance never told it: the spot has no frequency).
std::optional<Spot> spotOfDecode(const Wsjtx::Decode& decode, quint64 dialHz);
