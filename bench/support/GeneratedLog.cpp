#include "GeneratedLog.h"

#include <QFile>
#include <QList>
#include <cstdio>

namespace {

const char* const MasterScp = "/usr/share/hamradio-files/MASTER.SCP";

// The calls of MASTER.SCP, one a line after its "#" comments.
const QList<QByteArray>& realCalls() {
    static const QList<QByteArray> calls = [] {
        QList<QByteArray> read;
        QFile file(QString::fromLatin1(MasterScp));
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QByteArray call = line.trimmed();
                if (!call.isEmpty() && !call.startsWith('#'))
                    read.append(call);
            }
        }
        return read;
    }();
    return calls;
}

struct BandUse {
    const char* band;
    const char* dialMhz;
};
const BandUse Bands[] = {{"160m", "1.840"}, {"80m", "3.573"},  {"40m", "7.074"},  {"30m", "10.136"},
                         {"20m", "14.074"}, {"17m", "18.100"}, {"15m", "21.074"}, {"12m", "24.915"},
                         {"10m", "28.074"}, {"6m", "50.313"}};
const char* const Modes[] = {"FT8", "FT8", "<mode:4>MFSK <submode:3>FT4", "CW", "SSB", "RTTY"};

QByteArray field(const char* name, const QByteArray& value) {
    return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
}

} // namespace

QByteArray generatedLogRecord(int n) {
    const QList<QByteArray>& calls = realCalls();
    // Spread over all the calls, each worked about once or twice.
    const QByteArray call =
        calls.isEmpty() ? QByteArray("F4ABC") : calls[int((qint64(n) * 7919) % calls.size())];
    const BandUse& band = Bands[n % 10];
    const QByteArray mode = Modes[n % 6];
    return field("call", call) + field("gridsquare", "JN18") +
           (mode.startsWith('<') ? mode + ' ' : field("mode", mode)) + field("rst_sent", "-10") +
           field("rst_rcvd", "-15") + field("qso_date", "20240315") + field("time_on", "142300") +
           field("qso_date_off", "20240315") + field("time_off", "142415") +
           field("band", band.band) + field("freq", QByteArray(band.dialMhz) + "512") +
           field("station_callsign", "F4ABC") + field("my_gridsquare", "JN18eu") +
           field("tx_pwr", "100") + field("comment", "tnx QSO 73") + field("name", "Operator") +
           (n % 3 ? QByteArray() : field("qsl_rcvd", "Y")) +
           (n % 4 ? QByteArray() : field("lotw_qsl_rcvd", "Y")) + "<eor>\n";
}

bool writeGeneratedLog(const QString& path, int contacts) {
    if (realCalls().isEmpty()) {
        std::fprintf(stderr, "%s is missing (Debian package hamradio-files)\n", MasterScp);
        return false;
    }
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly))
        return false;
    log.write("WSJT-X ADIF Export<eoh>\n");
    for (int n = 0; n < contacts; ++n)
        log.write(generatedLogRecord(n));
    return log.error() == QFileDevice::NoError;
}
