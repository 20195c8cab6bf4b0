#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class MessageBox;
class SettingsStore;
struct SharedState;

// The window in which the operator types the station's own position. Modeless;
// destroyed when closed.
class Station : public QWidget {
    Q_OBJECT

public:
    Station(SettingsStore& settings, SharedState& state, MessageBox& messages,
            QWidget* parent = nullptr);

    QLineEdit* La_Lat = nullptr;
    QLineEdit* La_Long = nullptr;
    QPushButton* Enregistrer = nullptr;

    // Validates, saves, converts and closes.
    void Enregistrer_Click();

private:
    void Form_Load();

    SettingsStore& settings_;
    SharedState& state_;
    MessageBox& messages_;
};
