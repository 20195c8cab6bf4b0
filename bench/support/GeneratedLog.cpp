#include "GeneratedLog.h"

#include <QFile>

namespace {

const char* const Calls[] = {"JA1ABC", "DL2XYZ", "W1AW",   "VK2DEF", "PY2GHI", "ZS6JKL",
                             "UA3MNO", "G4PQR",  "EA5STU", "I2VWX",  "LU1YZA", "K6BCD"};
const char* const Bands[] = {"160m", "80m", "40m", "30m", "20m", "17m", "15m", "12m", "10m", "6m"};
const char* const Modes[] = {"CW", "SSB", "FT8", "RTTY", "<MODE:4>MFSK<SUBMODE:3>FT4"};

QByteArray field(const char* name, const QByteArray& value) {
    return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
}

} // namespace

QByteArray generatedLogRecord(int n) {
    const QByteArray mode = Modes[n % 5];
    return field("CALL", QByteArray(Calls[n % 12]) + QByteArray::number(n % 10)) +
           field("QSO_DATE", "20240315") + field("TIME_ON", "142300") +
           field("BAND", Bands[n % 10]) + field("FREQ", "14.025000") +
           (mode.startsWith('<') ? mode : field("MODE", mode)) + field("RST_SENT", "599") +
           field("RST_RCVD", "579") + field("NAME", "Operator Name") +
           field("GRIDSQUARE", "JN18du") + field("STATION_CALLSIGN", "F4ABC") +
           field("MY_GRIDSQUARE", "JN18eu") + field("TX_PWR", "100") +
           field("COMMENT", "Logged by the benchmark, a comment of some length") +
           field("QSL_RCVD", n % 3 ? "N" : "Y") + field("LOTW_QSL_RCVD", n % 4 ? "N" : "Y") +
           "<EOR>\n";
}

bool writeGeneratedLog(const QString& path, int contacts) {
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly))
        return false;
    log.write("Benchmark log <ADIF_VER:5>3.1.4 <EOH>\n");
    for (int n = 0; n < contacts; ++n)
        log.write(generatedLogRecord(n));
    return log.error() == QFileDevice::NoError;
}
