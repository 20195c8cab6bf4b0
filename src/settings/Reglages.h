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
class QFormLayout;
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
    // A widget of a field's line, with the share of the line it takes.
    struct Piece {
        QWidget* widget; // none: a stretch
        int stretch = 0;
    };
    QWidget* createFields(const Configuration& current, const std::vector<HamlibModel>& models);
    void addColumns(QGroupBox& group, const std::vector<ConfigKey::Id>& keys,
                    const Configuration& current, const std::vector<HamlibModel>& models);
    void addLine(QFormLayout& form, QWidget& group, const std::vector<ConfigKey::Id>& keys,
                 const Configuration& current, const std::vector<HamlibModel>& models);
    // The widgets of a key's field, its text bound by the way.
    std::vector<Piece> createField(ConfigKey::Id key, QWidget& group, const Configuration& current,
                                   const std::vector<HamlibModel>& models);
    QWidget* createList(ConfigKey::Id key, QWidget& group, const Configuration& current,
                        const std::vector<HamlibModel>& models);
    std::vector<Piece> createBoxes(ConfigKey::Id key, QWidget& group, const Configuration& current);
    void createButtons(QScrollArea& scroll);
    void findFields();
    // Opens with every field shown, inside the screen.
    void Form_Load(QScrollArea& scroll);
    // The French message of each field in error.
    QStringList errors() const;
    Values values() const;
    // The values whose field differs from what the window showed.
    Values changedValues() const;

    // What each key's field holds, as it is checked.
    std::array<std::function<QString()>, ConfigKey::Count> fieldTexts_;
    Values shownValues_;
    MessageBox& messages_;
    Save save_;
};
