#include "DurerurFixture.h"

#include <array>

class PortMenusTest : public DurerurFixture {
protected:
    PortMenusTest() { config.setPortDevice(2, "/nonexistent/ttyX"); }

    // Port and speed shown, the settings the link is open with, port and speed stored.
    QStringList shown() {
        return {window().NumPort->text(), window().DebitPort->text(),
                serial.isOpen() ? serial.settings() : QStringLiteral("closed"), stored("Port Com"),
                stored("Baud")};
    }
};

TEST_F(PortMenusTest, RestoresTheStoredPortAndSpeed) {
    const std::array<const char*, 6> cases[] = {
        // stored port, speed; shown port, speed, link; message
        {"1", "19200,n,8,1", "1", "19200", "19200,n,8,1", ""},
        {"1", "0", "1", "4800", "4800,n,8,1", ""},   // no speed: the first one
        {"7", "9600,n,8,1", "0", "0", "closed", ""}, // no such menu entry
        {"2", "9600,n,8,1", "2", "9600", "closed", "Le port com2 n'existe pas"},
    };
    for (const auto& [port, speed, shownPort, shownSpeed, link, message] : cases) {
        SCOPED_TRACE(port);
        ModalCloser closer;
        restart({{"Port Com", port}, {"Baud", speed}});
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        EXPECT_EQ(shown(), (QStringList{shownPort, shownSpeed, link, port, speed}));
        EXPECT_EQ(closer.texts().join(""), message);
    }
}

TEST_F(PortMenusTest, MenuChoicesChangePortSpeedAndStore) {
    ModalCloser closer;
    // A port entry neither sets nor shows nor saves a speed: started without
    // a port, the link has been given none, and opens silently at 4800.
    restart({{"Port Com", "0"}, {"Baud", "19200,n,8,1"}});
    EXPECT_EQ(shown(), (QStringList{"0", "0", "closed", "0", "19200,n,8,1"}));
    window().Mnu_Com[0]->trigger();
    EXPECT_EQ(shown(), (QStringList{"1", "0", "4800,n,8,1", "1", "19200,n,8,1"}));
    EXPECT_EQ(pty.outputSpeed(), B4800);

    // A port that cannot open leaves the previous choice stored and ticked.
    window().Mnu_Com[1]->trigger();
    EXPECT_EQ(closer.texts(), QStringList{"Le port com2 n'existe pas"});
    EXPECT_EQ(shown(), (QStringList{"1", "0", "closed", "1", "19200,n,8,1"}));
    EXPECT_TRUE(window().Mnu_Com[0]->isChecked());

    window().Mnu_SansCom->trigger();
    EXPECT_EQ(shown(), (QStringList{"0", "0", "closed", "0", "0"}));
    window().Mnu_Speed[3]->trigger();
    EXPECT_EQ(shown(), (QStringList{"0", "57600", "closed", "0", "57600,n,8,1"}));
    EXPECT_TRUE(window().Mnu_Speed[3]->isChecked());
    window().Mnu_Com[0]->trigger();
    window().Mnu_Com[0]->trigger(); // the same port again reopens it
    EXPECT_EQ(shown(), (QStringList{"1", "57600", "57600,n,8,1", "1", "57600,n,8,1"}));
    serial.write(QByteArray("\x01\x02", 2));
    serial.drain(1000);
    EXPECT_EQ(pty.readAvailable(), QByteArray("\x01\x02", 2));

    EXPECT_EQ(pty.outputSpeed(), B57600);

    // "Sans" keeps the link's settings: the next port opens at 57600, with no
    // speed ticked or shown, and the store keeps "Baud" = "0".
    window().Mnu_SansCom->trigger();
    window().Mnu_Com[0]->trigger();
    EXPECT_EQ(shown(), (QStringList{"1", "0", "57600,n,8,1", "1", "0"}));
    EXPECT_EQ(pty.outputSpeed(), B57600);
    for (QAction* speed : window().Mnu_Speed)
        EXPECT_FALSE(speed->isChecked()) << speed->text().toStdString();
}

TEST_F(PortMenusTest, EveryPortEntryOpensItsOwnDeviceAndNamesItWhenItCannot) {
    for (int n = 1; n <= 6; ++n)
        config.setPortDevice(n, QStringLiteral("/nonexistent/tty%1").arg(n));
    ModalCloser closer;
    restart({});
    for (int n = 1; n <= 6; ++n) {
        config.setPortDevice(n, pty.device());
        window().Mnu_Com[n - 1]->trigger();
        EXPECT_EQ(window().NumPort->text(), QString::number(n));
        EXPECT_TRUE(window().Mnu_Com[n - 1]->isChecked());
        config.setPortDevice(n, QStringLiteral("/nonexistent/tty%1").arg(n));
        window().Mnu_Com[n - 1]->trigger();
    }
    EXPECT_EQ(closer.texts(),
              (QStringList{"Le port com1 n'existe pas", "Le port com2 n'existe pas",
                           "Le port Com3 n'existe pas", "Le port Com4 n'existe pas",
                           "Le port Com5 n'existe pas", "Le port Com6 n'existe pas"}));
}
