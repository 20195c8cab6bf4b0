// The serial link failing under the transceiver sequences and the port menus.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PseudoTerminal.h"
#include "SpotPages.h"

#include "../spots/QtPrinters.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
constexpr int Band14 = 5;
const QString Com1Missing = QStringLiteral("Le port com1 n'existe pas");

// Opening block, frequency, mode and closing block 0.1 s apart, each drain
// given up after its bound: the most a sequence may take on a dead link.
constexpr qint64 SequenceBoundMs = 3 * 100 + 4 * CatSequences::DrainLimitMs + 1000;

const QList<Spot> Spots{
    {"f5abc", "14025.0", "06 dec 14:05z", "dl1xyz", "via buro"},
    {"ja1abc", "7012.5", "06 dec 14:08z", "w1aw", "cq dx"},
};

// The opening block of the FT-847 sequence.
const QByteArray CatOn(5, '\0');

// Resident memory of this process, in KiB.
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLong();
    }
    return 0;
}

// A radio on a pseudo-terminal that sends bytes without pause while asked to
// (as a radio in transceive mode, or a GPS on the wrong port, would).
class ChattyRadio {
public:
    ChattyRadio() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            return;
        termios settings{};
        tcgetattr(slave_, &settings);
        cfmakeraw(&settings);
        tcsetattr(slave_, TCSANOW, &settings);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        device_ = QString::fromLocal8Bit(name);
    }
    ~ChattyRadio() {
        stop();
        for (int fd : {master_, slave_}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    ChattyRadio(const ChattyRadio&) = delete;
    ChattyRadio& operator=(const ChattyRadio&) = delete;

    bool ok() const { return master_ >= 0; }
    const QString& device() const { return device_; }

    void talk() {
        talking_ = true;
        thread_ = std::thread([this] {
            const QByteArray chatter(4096, '\xFE');
            while (talking_) {
                if (::write(master_, chatter.constData(), chatter.size()) <= 0) {
                    pollfd room{master_, POLLOUT, 0};
                    ::poll(&room, 1, 10);
                }
            }
        });
    }
    void stop() {
        talking_ = false;
        if (thread_.joinable())
            thread_.join();
    }
    // What the program wrote to the radio.
    QByteArray heard() {
        QByteArray bytes;
        char buffer[4096];
        for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, n);
        return bytes;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString device_;
    std::atomic<bool> talking_{false};
    std::thread thread_;
};

} // namespace

class SerialLinkFaults : public DurerurFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        site.setPage(Page14, spotPage(Spots));
        config.setSpotSite(site.baseAddress());
        config.setPortDevice(1, pty.device());
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    }

    void showSpots() {
        Durerur& w = window();
        w.Emetteur->setCurrentText(QStringLiteral("FT-847"));
        w.Bande_CL->setCurrentIndex(Band14);
        w.Afficher->click();
        ASSERT_EQ(w.Liste_Stations->count(), Spots.size());
    }

    // Selects a spot line, as a click does; true when the window came back
    // within the bound of a sequence on a dead link.
    bool clickSpot(int row) {
        QElapsedTimer clock;
        clock.start();
        window().Liste_Stations->setCurrentRow(row);
        QCoreApplication::processEvents();
        return clock.elapsed() < SequenceBoundMs;
    }

    PseudoTerminal pty;
    LoopbackHttpServer site;
};

TEST_F(SerialLinkFaults, ADeviceThatDisappearsInASequenceLetsItEnd) {
    ModalCloser closer;
    window().Mnu_Com_Click(1);
    ASSERT_TRUE(serial.isOpen());
    showSpots();

    // The cable is pulled out once the first block has arrived.
    QByteArray firstBlock;
    std::thread radio([&] {
        firstBlock = pty.readAvailable(3000);
        pty.closeMaster();
    });
    EXPECT_TRUE(clickSpot(0));
    radio.join();
    // A busy machine may let a second block through before the cable goes.
    EXPECT_TRUE(firstBlock.startsWith(CatOn)) << firstBlock.toHex().constData();

    // The idle window does not spin on the dead device.
    const std::clock_t before = std::clock();
    QTest::qWait(500);
    EXPECT_LT(double(std::clock() - before) / CLOCKS_PER_SEC, 0.25);

    // Later clicks go on without the radio, and the menu reports the port gone.
    EXPECT_TRUE(clickSpot(1));
    EXPECT_TRUE(closer.texts().isEmpty());
    window().Mnu_Com_Click(1);
    EXPECT_EQ(closer.texts(), QStringList{Com1Missing});
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(window().NumPort->text(), QStringLiteral("1"));
    EXPECT_TRUE(clickSpot(0));
}

TEST_F(SerialLinkFaults, ADeviceThatIsNotATerminalIsRefusedAndLeftAlone) {
    QTemporaryDir folder;
    const QString plainFile = folder.filePath(QStringLiteral("not-a-terminal"));
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("log of another program\n");
    file.close();
    config.setPortDevice(2, plainFile);
    config.setPortDevice(3, QStringLiteral("/dev/null"));

    ModalCloser closer;
    window().Mnu_Com_Click(2);
    window().Mnu_Com_Click(3);
    EXPECT_EQ(closer.texts(), (QStringList{QStringLiteral("Le port com2 n'existe pas"),
                                           QStringLiteral("Le port Com3 n'existe pas")}));
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(window().NumPort->text(), QStringLiteral("0"));
    EXPECT_TRUE(window().Mnu_SansCom->isChecked());
    EXPECT_FALSE(storedKeys().contains(QStringLiteral("Port Com")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("log of another program\n"));
    file.close();

    // Saved as the port: reported once the window is up, kept for next time,
    // and a click still returns.
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}, {"Port Com", "2"}});
    QCoreApplication::processEvents();
    EXPECT_EQ(closer.texts().mid(2), QStringList{QStringLiteral("Le port com2 n'existe pas")});
    EXPECT_TRUE(window().Mnu_Com[1]->isChecked());
    EXPECT_EQ(stored(QStringLiteral("Port Com")), QStringLiteral("2"));
    showSpots();
    EXPECT_TRUE(clickSpot(0));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("log of another program\n"));
}

TEST_F(SerialLinkFaults, APortHeldByAnotherProgramIsReportedUntilItIsFreed) {
    QSerialPort other(pty.device());
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));

    ModalCloser closer;
    window().Mnu_Com_Click(1);
    EXPECT_EQ(closer.texts(), QStringList{Com1Missing});
    EXPECT_FALSE(serial.isOpen());
    EXPECT_TRUE(window().Mnu_SansCom->isChecked());
    EXPECT_FALSE(storedKeys().contains(QStringLiteral("Port Com")));

    // Saved as the port: reported at start-up, the choice kept.
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}, {"Port Com", "1"}});
    QCoreApplication::processEvents();
    EXPECT_EQ(closer.texts(), (QStringList{Com1Missing, Com1Missing}));
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(window().NumPort->text(), QStringLiteral("1"));

    // Freed, the port opens from the menu and the radio is tuned.
    other.close();
    window().Mnu_Com_Click(1);
    ASSERT_TRUE(serial.isOpen());
    showSpots();
    EXPECT_TRUE(clickSpot(0));
    EXPECT_EQ(pty.readAvailable(500).left(5), CatOn);
    EXPECT_EQ(closer.texts().size(), 2);
}

TEST_F(SerialLinkFaults, BlocksTheDeviceNeverTakesAreDroppedNotSentLater) {
    // Another writer fills the terminal's buffer and the radio reads nothing:
    // no block can leave. The buffer makes room in steps; fill until it stays full.
    const int filler =
        ::open(pty.device().toLocal8Bit().constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    for (bool tookSome = true; tookSome; QTest::qWait(50)) {
        tookSome = false;
        while (::write(filler, "x", 1) == 1)
            tookSome = true;
    }
    ::close(filler);

    window().Mnu_Com_Click(1);
    ASSERT_TRUE(serial.isOpen());
    showSpots();
    EXPECT_TRUE(clickSpot(0));

    // The radio reads again: what the sequence gave up on must not trickle
    // out later, long after its waits.
    pty.readAvailable(100);
    QTest::qWait(300);
    EXPECT_TRUE(pty.readAvailable(100).isEmpty());
}

TEST_F(SerialLinkFaults, ARadioThatNeverStopsTalkingCostsNoMemory) {
    ChattyRadio radio;
    ASSERT_TRUE(radio.ok());
    config.setPortDevice(2, radio.device());
    window().Mnu_Com_Click(2);
    ASSERT_TRUE(serial.isOpen());
    showSpots();

    // Nothing is ever read from the radio: what it says must not pile up.
    const long before = residentKb();
    radio.talk();
    QTest::qWait(1500);
    radio.stop();
    EXPECT_LT(residentKb() - before, 8 * 1024);

    // The way to the radio still works.
    EXPECT_TRUE(clickSpot(0));
    EXPECT_EQ(radio.heard().left(5), CatOn);
}
