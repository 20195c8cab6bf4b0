// The spot memory: the main window's Memoriser and Voir_Mem buttons and the
// memory window's own handlers.
#include "DurerurFixture.h"
#include "MemorySpotLine.h"
#include "PseudoTerminal.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace {

class MemoryWindowTest : public DurerurFixture {
protected:
    MemoryWindowTest() {
        config.setPortDevice(1, pty.device());
        // A click on a spot shows its details only once the position is known.
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    }

    // Selects a spot line in the spot list and presses "Mémoriser".
    void memorise(const QString& line) {
        QListWidget* spots = window().Liste_Stations;
        QList<QListWidgetItem*> same = spots->findItems(line, Qt::MatchExactly);
        if (same.isEmpty()) {
            spots->addItem(line);
            same = spots->findItems(line, Qt::MatchExactly);
        }
        spots->setCurrentItem(same.first());
        window().Memoriser->click();
    }

    Memoire_CL& memory() {
        Memoire_CL* memory = window().memoryWindow();
        EXPECT_NE(memory, nullptr);
        return *memory;
    }

    QStringList memoryLines() {
        QStringList lines;
        for (int row = 0; row < memory().Mem_Dedirad->count(); ++row)
            lines.append(memory().Mem_Dedirad->item(row)->text());
        return lines;
    }

    // Processes the deletions that closing a window leaves pending.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void clearPanel() {
        Durerur& w = window();
        for (QLineEdit* box : {w.Pref, w.Pays, w.Cont, w.CQ, w.Dec, w.ITU, w.QRB, w.Azi})
            box->clear();
    }

    PseudoTerminal pty;
};

const QString Vk = memorySpotLine("VK2ABC");
const QString W1 = memorySpotLine("W1AW/P", "7023.0");
const QString Ea = memorySpotLine("EA8/DL1XYZ");

} // namespace

TEST_F(MemoryWindowTest, KeepsEveryLineInOrderWhileHiddenAndShowsThemAgain) {
    memorise(Vk);
    memorise(Vk); // the same spot twice
    memorise(W1);
    memorise(Ea);
    EXPECT_FALSE(memory().isVisible()); // memorising never shows the memory

    window().Voir_Mem->click();
    EXPECT_TRUE(memory().isVisible());
    EXPECT_EQ(memory().windowTitle(), "Memoire Durerur");
    EXPECT_EQ(memory().Label3->text(), "   Date                DX                QRG   Spotter    "
                                       "                   Remarques        ");
    EXPECT_EQ(memory().Label3->text().size(), 94);
    EXPECT_EQ(memoryLines(), (QStringList{Vk, Vk, W1, Ea}));

    // Centred across, 120 pixels below the centre.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(memory().x(), (screen.width() - memory().width()) / 2);
    EXPECT_EQ(memory().y(), (screen.height() - memory().height()) / 2 + 120);

    memory().Retour_CL->click();
    settle();
    ASSERT_NE(window().memoryWindow(), nullptr);
    EXPECT_FALSE(memory().isVisible());
    window().Voir_Mem->click();
    EXPECT_EQ(memoryLines(), (QStringList{Vk, Vk, W1, Ea}));
}

TEST_F(MemoryWindowTest, ClosingLosesTheLines) {
    memorise(Vk);
    window().Voir_Mem->click();
    memory().close(); // from the title bar
    settle();
    EXPECT_EQ(window().memoryWindow(), nullptr);
    window().Voir_Mem->click();
    EXPECT_TRUE(memoryLines().isEmpty());

    // With the main window, shown or not.
    memorise(W1);
    memory().hide();
    const QPointer<Memoire_CL> hidden = window().memoryWindow();
    closeWindow();
    settle();
    EXPECT_TRUE(hidden.isNull());
}

TEST_F(MemoryWindowTest, MemorisingWithoutASelectedSpotStoresNothing) {
    window().Liste_Stations->addItem(Vk);
    window().Memoriser->click();
    EXPECT_EQ(window().memoryWindow(), nullptr);

    // A Ctrl+click can take the selection away from the current line.
    window().Liste_Stations->setCurrentRow(0);
    window().Liste_Stations->clearSelection();
    window().Memoriser->click();
    EXPECT_EQ(window().memoryWindow(), nullptr);
}

TEST_F(MemoryWindowTest, DeletesTheSelectedLineThenAsksForOne) {
    ModalCloser closer;
    memorise(Vk);
    memorise(W1);
    memorise(Ea);
    window().Voir_Mem->click();
    QListWidget* list = memory().Mem_Dedirad;

    list->setCurrentRow(0);
    EXPECT_EQ(state.Ligne_Selection, Vk);
    memory().Efface_CL->click();
    EXPECT_EQ(memoryLines(), (QStringList{W1, Ea}));
    // The line moving up is not chosen by the deletion.
    EXPECT_EQ(state.Ligne_Selection, Vk);
    EXPECT_TRUE(list->selectedItems().isEmpty());

    list->setCurrentRow(1);
    memory().Efface_CL->click();
    EXPECT_EQ(memoryLines(), QStringList{W1});
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_TRUE(closer.texts().isEmpty());

    memory().Efface_CL->click();
    EXPECT_EQ(memoryLines(), QStringList{W1});
    EXPECT_EQ(closer.texts(), QStringList{"Selectionnez une ligne a effacer"});
    EXPECT_EQ(closer.titles(), QStringList{"Pelk_Dedirad"});
}

TEST_F(MemoryWindowTest, AClickTunesOnlyWhenAPortIsChosenAndNeedsNoPosition) {
    ASSERT_TRUE(pty.ok());
    ModalCloser closer;
    memorise(Vk);
    memorise(W1);
    window().Voir_Mem->click();
    clearPanel();

    // No port: the line is taken, nothing else happens.
    memory().Mem_Dedirad->setCurrentRow(0);
    EXPECT_EQ(state.Ligne_Selection, Vk);
    EXPECT_TRUE(window().Pref->text().isEmpty());
    EXPECT_TRUE(window().QRB->text().isEmpty());

    // Port 1 on the pseudo-terminal, position never entered: panel and radio.
    window().Mnu_Com_Click(1);
    ASSERT_TRUE(serial.isOpen());
    EXPECT_TRUE(pty.readAvailable(50).isEmpty());
    state.Latitude_Station = QStringLiteral("0.00");
    state.Longitude_Station = QStringLiteral("0.00");
    memory().Mem_Dedirad->setCurrentRow(1);
    EXPECT_EQ(state.Ligne_Selection, W1);
    EXPECT_EQ(window().Pref->text(), "W");
    EXPECT_FALSE(window().QRB->text().isEmpty());
    // FT-847 (the first run's model) on 7023.0 kHz: the frequency block.
    const QByteArray written = pty.readAvailable();
    EXPECT_TRUE(written.contains(QByteArray::fromHex("0070230001"))) << written.toHex().data();
    EXPECT_TRUE(closer.texts().isEmpty());
}

TEST_F(MemoryWindowTest, EmptyingCreatesTheMemoryHidden) {
    window().clearMemory();
    EXPECT_FALSE(memory().isVisible());
    EXPECT_TRUE(memoryLines().isEmpty());
}
