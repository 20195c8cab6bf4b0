#pragma once

#include <QWidget>
#include <functional>

class MessageBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
struct SharedState;

// The spot memory: spot lines put aside by the operator for as long as the
// window lives. Modeless; hiding keeps the lines, closing destroys them.
class Memoire_CL : public QWidget {
    Q_OBJECT

public:
    // What a click on a remembered spot needs from the main window.
    struct MainWindowLink {
        // Whether a click would reach the radio: a serial port is chosen, or
        // the radio is reached over the network.
        std::function<bool()> tuningPossible;
        // Fills the details panel and tunes the transceiver to Ligne_Selection.
        std::function<void()> Dedirad_Liste;
    };

    // The column header shown over the list, 94 characters.
    static const QString ColumnHeader;

    Memoire_CL(SharedState& state, MessageBox& messages, MainWindowLink mainWindow,
               QWidget* parent = nullptr);

    QGroupBox* Memoire = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* Mem_Dedirad = nullptr;
    QPushButton* Efface_CL = nullptr;
    QPushButton* Retour_CL = nullptr;

    // Re-selects a remembered spot; tunes only when the radio can be reached.
    void Mem_Dedirad_Click();
    // Deletes the selected line.
    void Efface_CL_Click();
    // Hides the window, keeping its lines.
    void Retour_CL_Click();

private:
    void Form_Load();

    SharedState& state_;
    MessageBox& messages_;
    MainWindowLink mainWindow_;
};
