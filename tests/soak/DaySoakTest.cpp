// A day of the one-minute timer in accelerated time: two bands refreshed from
// the local spot-page server 1,440 times, spots clicked after each refresh
// with "Com 1" on a pseudo-terminal, and the process watched for creeping
// memory, leaked descriptors and lists that go wrong late in the run.
#include "Bytes.h"
#include "DurerurFixture.h"
#include "ProcessResources.h"
#include "PseudoTerminal.h"
#include "SimulatedClock.h"
#include "SpotPageGenerator.h"
#include "SpotServerProcess.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <array>
#include <iostream>

namespace {

constexpr int RefreshesPerDay = 24 * 60;
constexpr int WarmUpRefreshes = 50;
constexpr long MaxGrowthKiB = 2 * 1024;
// The pseudo-terminal is read every few refreshes, well before its buffer
// could fill.
constexpr int RefreshesPerRead = 5;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed blocks in quarantine, so resident memory says
// nothing of leaks there; its leak checker reports them instead.
constexpr bool ResidentMemoryTellsLeaks = false;
#else
constexpr bool ResidentMemoryTellsLeaks = true;
#endif

struct Band {
    int index;
    double lowestKHz;
    double highestKHz;
};
constexpr Band FirstBand{5, 14000, 14350}; // Bande_CL: 14 MHz
constexpr Band SecondBand{3, 7000, 7200};  // Bande_CL2: 7 MHz

// One model of each command family, taken in turn every hour.
enum class Family { Yaesu, Yaesu1, Icom };
struct Radio {
    const char* caption;
    Family family;
};
constexpr std::array<Radio, 3> Radios{{
    {"FT-847", Family::Yaesu},
    {"FT-1000", Family::Yaesu1},
    {"IC-706 MKIIG", Family::Icom},
}};
constexpr int Ic706Address = 0x58;

QString qrgOf(const QString& line) {
    return line.mid(28, 8).trimmed();
}

// The field a list in sort mode `mode` is ordered by.
QString sortFieldOf(const QString& line, std::int16_t mode) {
    switch (mode) {
    case 2:
        return line.mid(15, 12);
    case 3:
        return line.mid(28, 8);
    default:
        return line.mid(1, 13);
    }
}

// What is wrong with the spot list after a refresh of both bands, or empty.
QString listFault(const QListWidget& list, std::int16_t mode) {
    static const QRegularExpression columns(QStringLiteral(
        "^ \\d\\d [A-Z]{3} \\d\\d:\\d\\dZ [A-Z0-9][A-Z0-9/ ]{11} [ \\d]*\\d\\.\\d $"));
    const int expected = 2 * SpotPageGenerator::RowsPerPage;
    if (list.count() != expected)
        return QStringLiteral("%1 lines instead of %2").arg(list.count()).arg(expected);
    int first = 0;
    int second = 0;
    QString previous;
    for (int row = 0; row < list.count(); ++row) {
        const QString line = list.item(row)->text();
        // Up to the spotter the columns are fixed; the spotter starts at 38
        // and is padded to 11 characters before the remark.
        if (!columns.match(line.left(37)).hasMatch() || line.size() < 49 || line[37] == u' ' ||
            line[48] != u' ')
            return QStringLiteral("badly formed line \"%1\"").arg(line);
        const double kHz = qrgOf(line).toDouble();
        first += kHz >= FirstBand.lowestKHz && kHz <= FirstBand.highestKHz;
        second += kHz >= SecondBand.lowestKHz && kHz <= SecondBand.highestKHz;
        const QString field = sortFieldOf(line, mode);
        // By date the newest comes first; the other orders ascend.
        if (row > 0 && (mode == 1 ? field > previous : field < previous))
            return QStringLiteral("\"%1\" out of order %2 after \"%3\"")
                .arg(line)
                .arg(mode)
                .arg(list.item(row - 1)->text());
        previous = field;
    }
    if (first != SpotPageGenerator::RowsPerPage || second != SpotPageGenerator::RowsPerPage)
        return QStringLiteral("%1 lines of the first band and %2 of the second")
            .arg(first)
            .arg(second);
    return QString();
}

// Pairs of decimal digits, most significant first: "01402500" gives 01 40 25 00.
QByteArray packedDigits(const QString& digits) {
    QByteArray packed;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2)
        packed.append(static_cast<char>(digits[i].digitValue() * 16 + digits[i + 1].digitValue()));
    return packed;
}

QByteArray reversed(QByteArray bytes) {
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

// What the radio receives when the line is clicked: the frequency from its
// QRG column, the lower sideband below 7200 kHz.
QByteArray framesFor(Family family, const QString& line) {
    const qint64 tensOfHertz = qRound64(qrgOf(line).toDouble() * 100);
    const int sideband = tensOfHertz < 720000 ? 0x00 : 0x01;
    const QByteArray frequency =
        packedDigits(QStringLiteral("%1").arg(tensOfHertz, 8, 10, QLatin1Char('0')));
    switch (family) {
    case Family::Yaesu:
        return bytes({0x00, 0x00, 0x00, 0x00, 0x00}) + frequency +
               bytes({0x01, sideband, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x80});
    case Family::Yaesu1:
        return reversed(frequency) + bytes({0x0A, sideband, sideband, sideband, sideband, 0x0C});
    case Family::Icom: {
        const QByteArray hertz =
            packedDigits(QStringLiteral("%1").arg(tensOfHertz * 10, 10, 10, QLatin1Char('0')));
        return bytes({0xFE, 0xFE, Ic706Address, 0x00, 0x05}) + reversed(hertz) +
               bytes({0xFD, 0xFE, 0xFE, Ic706Address, 0x00, 0x06, sideband, 0xFD});
    }
    }
    return QByteArray();
}

// Counts what went wrong over the run and keeps the first few descriptions,
// so that a fault repeated a thousand times reads as one.
class Faults {
public:
    void note(int refresh, const QString& what) {
        if (what.isEmpty())
            return;
        if (++count_ <= 5)
            first_ += QStringLiteral("refresh %1: %2\n").arg(refresh).arg(what);
    }
    int count() const { return count_; }
    std::string first() const { return first_.toStdString(); }

private:
    int count_ = 0;
    QString first_;
};

} // namespace

class DaySoak : public DurerurFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ASSERT_FALSE(server.site().isEmpty());
        config.setSpotSite(server.site());
        config.setPortDevice(1, pty.device());
        settings.save(QStringLiteral("Latitude"), QStringLiteral("48.52N"));
        settings.save(QStringLiteral("Longitude"), QStringLiteral("2.31E"));
        // The waits between command blocks pass on this clock without delay.
        window_ = std::make_unique<Durerur>(state, settings, config, directory,
                                            Platform{http, serial, sound, messages, fastClock});
        ASSERT_EQ(state.Latitude_Station, QStringLiteral("48.52"));
    }

    void TearDown() override {
        if (window_)
            window_->close();
        window_.reset();
    }

    // Selects a row of each half of the fresh list, a different pair each
    // time, and notes every click that did not reach the panel; returns what
    // the radio should have received.
    QByteArray clickSpots(Family family, int refresh) {
        const int half = SpotPageGenerator::RowsPerPage;
        QByteArray frames;
        for (const int row : {refresh % half, half + refresh * 7 % half}) {
            window_->Liste_Stations->setCurrentRow(row);
            QCoreApplication::processEvents();
            const QString line = window_->Liste_Stations->item(row)->text();
            if (state.Ligne_Selection != line ||
                !window_->QRB->text().endsWith(QLatin1String(" Km")))
                faults.note(refresh, QStringLiteral("click on \"%1\" not taken").arg(line));
            frames += framesFor(family, line);
        }
        return frames;
    }

    // Everything the radio received since the last read, against what the
    // clicks should have sent.
    void checkFramesReceived(QByteArray& expected, int refresh) {
        const QByteArray received = pty.readAvailable(200);
        if (received != expected)
            faults.note(refresh, QStringLiteral("radio received %1 instead of %2")
                                     .arg(QString::fromLatin1(received.toHex(' ')),
                                          QString::fromLatin1(expected.toHex(' '))));
        expected.clear();
    }

    void checkRefresh(int refresh) {
        faults.note(refresh, listFault(*window_->Liste_Stations, state.Mode_Tri));
        if (!window_->Timer2->isActive())
            faults.note(refresh, QStringLiteral("the timer stayed off"));
    }

    SpotServerProcess server;
    PseudoTerminal pty;
    SimulatedClock fastClock;
    ModalCloser closer;
    Faults faults;
    std::unique_ptr<Durerur> window_;
};

TEST_F(DaySoak, ADayOfRefreshesAndClicksKeepsMemoryDescriptorsAndListsSteady) {
    Durerur& w = *window_;
    w.show();
    w.Bande_CL->setCurrentIndex(FirstBand.index);
    w.Bande_CL2->setCurrentIndex(SecondBand.index);
    w.Mnu_Com_Click(1);
    ASSERT_EQ(w.NumPort->text(), QStringLiteral("1"));
    w.Afficher->click();
    checkRefresh(0);
    ASSERT_EQ(faults.count(), 0) << faults.first();

    const std::array<QPushButton*, 3> sortButtons{w.Tri_Date, w.Tri_DX, w.Tri_QRG};
    QElapsedTimer elapsed;
    elapsed.start();
    ProcessResources warm;
    QByteArray expectedFrames;
    Family family = Radios[0].family;
    int clicks = 0;
    for (int tick = 1; tick <= RefreshesPerDay; ++tick) {
        // Each hour another order and another radio; the sort button fetches
        // both pages again.
        if (tick % 60 == 1) {
            const std::size_t hour = static_cast<std::size_t>(tick / 60);
            w.Emetteur->setCurrentText(QLatin1String(Radios[hour % Radios.size()].caption));
            family = Radios[hour % Radios.size()].family;
            sortButtons[hour % sortButtons.size()]->click();
            checkRefresh(tick);
        }

        w.Timer2_Timer();
        checkRefresh(tick);
        if (!w.Pref->text().isEmpty() || !w.QRB->text().isEmpty())
            faults.note(tick, QStringLiteral("the details panel was not emptied"));

        if (w.Liste_Stations->count() == 2 * SpotPageGenerator::RowsPerPage) {
            expectedFrames += clickSpots(family, tick);
            clicks += 2;
        }
        if (tick % RefreshesPerRead == 0)
            checkFramesReceived(expectedFrames, tick);

        if (tick == WarmUpRefreshes)
            warm = ProcessResources::now();
    }
    const ProcessResources end = ProcessResources::now();

    std::cout << "Soak: " << RefreshesPerDay << " timer refreshes and " << clicks << " clicks in "
              << elapsed.elapsed() / 1000.0 << " s; resident memory " << warm.residentKiB
              << " KiB after " << WarmUpRefreshes << " refreshes, " << end.residentKiB
              << " KiB at the end; descriptors " << warm.openDescriptors << " then "
              << end.openDescriptors << std::endl;
    RecordProperty("rss_growth_kib", static_cast<int>(end.residentKiB - warm.residentKiB));

    EXPECT_EQ(faults.count(), 0) << faults.first();
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(u'\n').toStdString();
    ASSERT_GT(warm.residentKiB, 0);
    if (ResidentMemoryTellsLeaks) {
        EXPECT_LT(end.residentKiB - warm.residentKiB, MaxGrowthKiB);
    }
    ASSERT_GT(warm.openDescriptors, 0);
    EXPECT_EQ(end.openDescriptors, warm.openDescriptors);
}
