#pragma once

#include "Configuration.h"
#include "HamlibModels.h"

#include <QList>
#include <QPair>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class MessageBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollArea;

// The window "Réglages": what the configuration files hold, set by the user
// from the program itself. "Enregistrer" checks every field (one message
// listing those in error, nothing saved while one is wrong), then hands the
// values changed here on to be written into the user's own file and applied
// at once.
class Reglages : public QWidget {
    Q_OBJECT

public:
    using Values = QList<QPair<QString, QString>>;
    // Writes and applies the values; nothing when they were written, else
    // why not.
    using Save = std::function<std::optional<QString>(const Values& values)>;

    // hamlibModels: the radios offered for the rigctld the program runs.
    Reglages(const Configuration& current, const std::vector<HamlibModel>& hamlibModels,
             MessageBox& messages, Save save, QWidget* parent = nullptr);

    QLineEdit* Indicatif_Reglage = nullptr;
    QComboBox* Noeuds = nullptr;
    QLineEdit* Mot_De_Passe = nullptr;
    QLineEdit* Site_Spots = nullptr;
    QLineEdit* Site_Recherche = nullptr;
    // The country file's address, and whether it is fetched by itself.
    QLineEdit* Site_Pays = nullptr;
    QCheckBox* Maj_Pays_Auto = nullptr;
    std::array<QComboBox*, Configuration::PortCount> Peripheriques{};
    QLineEdit* Adresse_Rigctld = nullptr;
    QLineEdit* Adresse_Flrig = nullptr;
    QComboBox* Modele_Hamlib = nullptr;
    QLineEdit* Peripherique_Hamlib = nullptr;
    QComboBox* Vitesse_Hamlib = nullptr;
    QComboBox* Mode_Reglage = nullptr;
    QLineEdit* Journal_ADIF = nullptr;
    QPushButton* Parcourir = nullptr;
    QCheckBox* QSL_Papier = nullptr;
    QCheckBox* QSL_LoTW = nullptr;
    QCheckBox* QSL_eQSL = nullptr;
    QCheckBox* Alerte_Nouvelle_Entite = nullptr;
    QPushButton* Enregistrer = nullptr;
    QPushButton* Fermer = nullptr;

    void Enregistrer_Click();
    // Adds the log files chosen to "Journal ADIF".
    void Parcourir_Click();

protected:
    // Escape closes the window, as "Fermer" does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* createLogFields(const Configuration& current, QWidget& parent);
    // Opens with every field shown, inside the screen.
    void Form_Load(QScrollArea& scroll);
    // The French message of each field in error.
    QStringList errors() const;
    // Each key's value as its field holds it, by the keys' table.
    void bindFieldValues();
    Values values() const;
    // The values whose field differs from what the window showed.
    Values changedValues() const;

    std::array<std::function<QString()>, ConfigKey::Count> fieldValues_;
    Values shownValues_;
    MessageBox& messages_;
    Save save_;
};
