#include "DurerurFixture.h"
#include "PseudoTerminal.h"

#include <QAction>
#include <QApplication>
#include <QLabel>

namespace {
void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}
} // namespace

class PortMenusTest : public DurerurFixture {
protected:
    PortMenusTest() {
        config.setPortDevice(1, pty1.device());
        config.setPortDevice(3, pty3.device());
        config.setPortDevice(2, "/nonexistent/ttyX");
        config.setPortDevice(4, "/nonexistent/ttyY");
    }

    std::vector<bool> portTicks() {
        std::vector<bool> ticks{window().Mnu_SansCom->isChecked()};
        for (QAction* a : window().Mnu_Com)
            ticks.push_back(a->isChecked());
        return ticks;
    }
    std::vector<bool> speedTicks() {
        std::vector<bool> ticks;
        for (QAction* a : window().Mnu_Speed)
            ticks.push_back(a->isChecked());
        return ticks;
    }

    PseudoTerminal pty1;
    PseudoTerminal pty3;
};

TEST_F(PortMenusTest, RestoresASavedPortAndSpeedAndOpensIt) {
    ASSERT_TRUE(pty3.ok());
    restart({{"Port Com", "3"}, {"Baud", "19200,n,8,1"}});
    EXPECT_EQ(portTicks(), (std::vector<bool>{false, false, false, true, false, false, false}));
    EXPECT_EQ(speedTicks(), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(window().NumPort->text(), "3");
    EXPECT_EQ(window().DebitPort->text(), "19200");
    EXPECT_TRUE(serial.isOpen());
    EXPECT_EQ(serial.settings(), "19200,n,8,1");
    closeWindow();
    EXPECT_FALSE(serial.isOpen());
}

TEST_F(PortMenusTest, SavedPortZeroShowsNoSpeedAndOpensNothing) {
    restart({{"Port Com", "0"}, {"Baud", "9600,n,8,1"}});
    EXPECT_EQ(window().DebitPort->text(), "0");
    EXPECT_EQ(speedTicks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(serial.isOpen());
}

TEST_F(PortMenusTest, UnknownSavedPortCountsAsNone) {
    restart({{"Port Com", "7"}, {"Baud", "9600,n,8,1"}});
    EXPECT_EQ(window().NumPort->text(), "0");
    EXPECT_EQ(portTicks()[0], true);
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(stored("Port Com"), "7");
}

TEST_F(PortMenusTest, SavedPortThatCannotOpenIsReportedOnceAndKept) {
    ModalCloser closer;
    restart({{"Port Com", "2"}, {"Baud", "9600,n,8,1"}});
    settle();
    EXPECT_EQ(closer.texts(), QStringList{"Le port com2 n'existe pas"});
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(window().NumPort->text(), "2");
    EXPECT_EQ(portTicks()[2], true);
    EXPECT_EQ(stored("Port Com"), "2");
}

TEST_F(PortMenusTest, SavedPortWithoutSpeedOpensAtTheFirstSpeed) {
    restart({{"Port Com", "1"}, {"Baud", "0"}});
    EXPECT_TRUE(serial.isOpen());
    EXPECT_EQ(serial.settings(), "4800,n,8,1");
    EXPECT_EQ(window().DebitPort->text(), "4800");
    EXPECT_EQ(speedTicks(), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(stored("Baud"), "0");
}

TEST_F(PortMenusTest, FailedPortEntryKeepsThePreviousChoice) {
    ModalCloser closer;
    window().Mnu_Com[0]->trigger();
    ASSERT_TRUE(serial.isOpen());
    window().Mnu_Com[3]->trigger(); // "Com 4": no such device
    EXPECT_EQ(closer.texts(), QStringList{"Le port Com4 n'existe pas"});
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(portTicks(), (std::vector<bool>{false, true, false, false, false, false, false}));
    EXPECT_EQ(window().NumPort->text(), "1");
    EXPECT_EQ(stored("Port Com"), "1");
}

TEST_F(PortMenusTest, SansClearsPortAndSpeed) {
    window().Mnu_Speed[1]->trigger();
    window().Mnu_Com[2]->trigger();
    ASSERT_TRUE(serial.isOpen());
    window().Mnu_SansCom->trigger();
    EXPECT_EQ(portTicks(), (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_EQ(speedTicks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(window().NumPort->text(), "0");
    EXPECT_EQ(window().DebitPort->text(), "0");
    EXPECT_EQ(stored("Port Com"), "0");
    EXPECT_EQ(stored("Baud"), "0");
    EXPECT_FALSE(serial.isOpen());
}

TEST_F(PortMenusTest, SpeedChosenWithoutPortIsUsedByTheNextPort) {
    window().Mnu_Speed[3]->trigger();
    EXPECT_EQ(window().DebitPort->text(), "57600");
    EXPECT_EQ(stored("Baud"), "57600,n,8,1");
    EXPECT_FALSE(serial.isOpen());
    window().Mnu_Com[0]->trigger();
    EXPECT_TRUE(serial.isOpen());
    EXPECT_EQ(serial.settings(), "57600,n,8,1");
    EXPECT_EQ(window().DebitPort->text(), "57600");
    EXPECT_EQ(speedTicks(), (std::vector<bool>{false, false, false, true}));

    // The same port again closes and reopens it; the bytes still go through.
    window().Mnu_Com[0]->trigger();
    EXPECT_TRUE(serial.isOpen());
    serial.write(QByteArray("\x01\x02", 2));
    serial.drain(1000);
    EXPECT_EQ(pty1.readAvailable(), QByteArray("\x01\x02", 2));
}

TEST_F(PortMenusTest, SpeedStoredWithoutPortIsShownAndUsedOnceAPortIsChosen) {
    restart({{"Port Com", "0"}, {"Baud", "19200,n,8,1"}});
    EXPECT_EQ(window().DebitPort->text(), "0");
    window().Mnu_Com[0]->trigger();
    ASSERT_TRUE(serial.isOpen());
    EXPECT_EQ(serial.settings(), "19200,n,8,1");
    EXPECT_EQ(window().DebitPort->text(), "19200");
    EXPECT_EQ(speedTicks(), (std::vector<bool>{false, false, true, false}));
}

TEST_F(PortMenusTest, PortChosenAfterSansOpensAtTheFirstSpeedAndSaysSo) {
    window().Mnu_Speed[1]->trigger();
    window().Mnu_SansCom->trigger();
    window().Mnu_Com[0]->trigger();
    ASSERT_TRUE(serial.isOpen());
    EXPECT_EQ(serial.settings(), "4800,n,8,1");
    EXPECT_EQ(window().DebitPort->text(), "4800");
    EXPECT_EQ(speedTicks(), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(stored("Baud"), "0");
}

TEST_F(PortMenusTest, ChoicesSurviveARestart) {
    window().Mnu_Speed[2]->trigger();
    window().Mnu_Com[2]->trigger();
    closeWindow();
    EXPECT_FALSE(serial.isOpen());
    window();
    EXPECT_EQ(window().NumPort->text(), "3");
    EXPECT_EQ(window().DebitPort->text(), "19200");
    EXPECT_TRUE(serial.isOpen());
}
