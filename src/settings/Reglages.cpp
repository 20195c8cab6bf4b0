#include "Reglages.h"

#include "EditableLists.h"
#include "KeyForms.h"
#include "MessageBox.h"
#include "NamedWidgets.h"
#include "WindowGeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The window's groups of fields, in the order the window shows them and
// lists the fields in error.
struct Group {
    const char* title;
    const char* name; // none: unnamed
    std::vector<ConfigKey::Id> keys;
    // Laid out in two columns: the window keeps within a laptop's screen.
    bool twoColumns = false;
};

const std::array<Group, 5>& groups() {
    using namespace ConfigKey;
    static const std::array<Group, 5> all{{
        {"Spots en direct", nullptr, {Callsign, Cluster, Password, WsjtxUdp}},
        {"Sites", nullptr, {SpotSite, LookupSite, CountrySite, CountryUpdate}},
        {"Ports série", nullptr, {Com1, Com2, Com3, Com4, Com5, Com6}, true},
        {"Transceiver par le réseau",
         nullptr,
         {Rigctld, Flrig, ConfigKey::HamlibModel, HamlibDevice, HamlibSpeed, Mode}},
        {"Journal", "Journal", {AdifLog, Confirmations, AlertNewEntity, BandMapMinutes}},
    }};
    return all;
}

// Shown on the line of the key before them: the addresses, the password and
// the minutes are short, and the country file's box goes with its address.
bool onLineBefore(ConfigKey::Id key) {
    return key == ConfigKey::Flrig || key == ConfigKey::CountryUpdate ||
           key == ConfigKey::WsjtxUdp || key == ConfigKey::BandMapMinutes;
}

const ConfigurationKey& row(ConfigKey::Id key) {
    return ConfigurationKeys[key];
}

QString caption(ConfigKey::Id key) {
    return QString::fromUtf8(row(key).caption);
}

// A key of two words is a box to tick, its caption beside it.
bool isBox(ConfigKey::Id key) {
    return row(key).words.size() == 2;
}

} // namespace

Reglages::Reglages(const Configuration& current, const std::vector<HamlibModel>& hamlibModels,
                   MessageBox& messages, Save save, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages), save_(std::move(save)) {
    setObjectName(QStringLiteral("Reglages"));
    setWindowTitle(QStringLiteral("Réglages"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The fields scroll on a screen too small for them; the buttons stay.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(createFields(current, hamlibModels));
    createButtons(*scroll);
    findFields();
    shownValues_ = values();
    Form_Load(*scroll);
}

QWidget* Reglages::createFields(const Configuration& current,
                                const std::vector<HamlibModel>& models) {
    auto* fields = new QWidget;
    auto* layout = new QVBoxLayout(fields);
    for (const Group& group : groups()) {
        auto* box = new QGroupBox(QString::fromUtf8(group.title), fields);
        if (group.name)
            box->setObjectName(QLatin1String(group.name));
        layout->addWidget(box);
        if (group.twoColumns) {
            addColumns(*box, group.keys, current, models);
            continue;
        }
        auto* form = new QFormLayout(box);
        for (auto key = group.keys.begin(); key != group.keys.end();) {
            const auto lineEnd = std::find_if_not(key + 1, group.keys.end(), onLineBefore);
            addLine(*form, *box, std::vector<ConfigKey::Id>(key, lineEnd), current, models);
            key = lineEnd;
        }
    }
    return fields;
}

void Reglages::addColumns(QGroupBox& group, const std::vector<ConfigKey::Id>& keys,
                          const Configuration& current, const std::vector<HamlibModel>& models) {
    auto* grid = new QGridLayout(&group);
    const int perColumn = static_cast<int>(keys.size() + 1) / 2;
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        const ConfigKey::Id key = keys[static_cast<std::size_t>(i)];
        const int column = i / perColumn * 2;
        grid->addWidget(createField(key, group, current, models).front().widget, i % perColumn,
                        column + 1);
        grid->addWidget(new QLabel(caption(key), &group), i % perColumn, column);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void Reglages::addLine(QFormLayout& form, QWidget& group, const std::vector<ConfigKey::Id>& keys,
                       const Configuration& current, const std::vector<HamlibModel>& models) {
    std::vector<Piece> pieces;
    for (const ConfigKey::Id key : keys) {
        // A field after the first is named on the line, a box by itself.
        if (key != keys.front() && !isBox(key))
            pieces.push_back({new QLabel(caption(key), &group)});
        std::vector<Piece> field = createField(key, group, current, models);
        pieces.insert(pieces.end(), field.begin(), field.end());
    }
    const QString label = isBox(keys.front()) ? QString() : caption(keys.front());
    if (pieces.size() == 1) {
        form.addRow(label, pieces.front().widget);
        return;
    }
    auto* line = new QHBoxLayout;
    for (const Piece& piece : pieces) {
        if (piece.widget)
            line->addWidget(piece.widget, piece.stretch);
        else
            line->addStretch(1);
    }
    form.addRow(label, line);
}

std::vector<Reglages::Piece> Reglages::createField(ConfigKey::Id key, QWidget& group,
                                                   const Configuration& current,
                                                   const std::vector<HamlibModel>& models) {
    const ConfigurationKey& field = row(key);
    if (field.form == KeyForm::Words || isBox(key))
        return createBoxes(key, group, current);
    if (QWidget* list = createList(key, group, current, models))
        return {{list, 1}};
    auto* text = makeNamed<QLineEdit>(&group, field.field);
    text->setText(current.value(key));
    fieldTexts_[key] = [text] { return text->text().trimmed(); };
    if (field.form == KeyForm::Callsign)
        text->setPlaceholderText(QStringLiteral("F4ABC-7"));
    if (field.form == KeyForm::Secret) {
        text->setEchoMode(QLineEdit::Password);
        fieldTexts_[key] = [text] { return text->text(); };
    }
    if (field.form != KeyForm::Paths)
        return {{text, 1}};
    text->setPlaceholderText(QStringLiteral("~/.local/share/WSJT-X/wsjtx_log.adi"));
    auto* browse = makeCaptioned<QPushButton>(&group, "Parcourir", QStringLiteral("Parcourir…"));
    connect(browse, &QPushButton::clicked, this, &Reglages::Parcourir_Click);
    return {{text, 1}, {browse}};
}

QWidget* Reglages::createList(ConfigKey::Id key, QWidget& group, const Configuration& current,
                              const std::vector<HamlibModel>& models) {
    const ConfigurationKey& field = row(key);
    const QString value = current.value(key);
    if (field.form == KeyForm::NodeList || field.form == KeyForm::SerialDevice) {
        QComboBox* list = editableList(group, field.field, value);
        fieldTexts_[key] = [list] { return valueOf(list); };
        if (field.form == KeyForm::SerialDevice) {
            list->setMinimumContentsLength(16);
            offerSerialDevices(list);
        } else {
            offerClusterNodes(list);
        }
        return list;
    }
    if (field.form == KeyForm::Speed) {
        QComboBox* list = editableList(group, field.field, value);
        offerSpeeds(list);
        fieldTexts_[key] = [list] { return list->currentText().trimmed(); };
        return list;
    }
    if (field.form != KeyForm::HamlibModel && field.form != KeyForm::Choice)
        return nullptr;
    auto* list = makeNamed<QComboBox>(&group, field.field);
    if (field.form == KeyForm::HamlibModel) {
        list->addItem(QStringLiteral("(aucun : rigctld n'est pas lancé)"), QString());
        for (const HamlibModel& model : models)
            list->addItem(QStringLiteral("%1 (%2)").arg(model.name).arg(model.number),
                          QString::number(model.number));
    }
    for (const ConfigWord& word : field.words)
        list->addItem(QString::fromUtf8(word.caption), QString::fromLatin1(word.word));
    list->setCurrentIndex(std::max(0, list->findData(value)));
    fieldTexts_[key] = [list] { return list->currentData().toString(); };
    return list;
}

std::vector<Reglages::Piece> Reglages::createBoxes(ConfigKey::Id key, QWidget& group,
                                                   const Configuration& current) {
    const ConfigurationKey& field = row(key);
    if (field.form != KeyForm::Words) {
        // The first word is the box ticked: yes, auto.
        auto* box = makeCaptioned<QCheckBox>(&group, field.field, caption(key));
        box->setChecked(field.form == KeyForm::YesNo ? current.isYes(key)
                                                     : current.choice(key) == 0);
        fieldTexts_[key] = [box, words = field.words] {
            return QString::fromLatin1(words[box->isChecked() ? 0 : 1].word);
        };
        return {{box}};
    }
    const QStringList counted = current.names(key);
    std::vector<Piece> pieces;
    std::vector<std::pair<QCheckBox*, QString>> boxes;
    for (const ConfigWord& word : field.words) {
        auto* box = makeCaptioned<QCheckBox>(&group, word.field, QString::fromUtf8(word.caption));
        box->setChecked(counted.contains(QLatin1String(word.word)));
        boxes.emplace_back(box, QString::fromLatin1(word.word));
        pieces.push_back({box});
    }
    pieces.push_back({nullptr});
    fieldTexts_[key] = [boxes] {
        QStringList ticked;
        for (const auto& [box, word] : boxes) {
            if (box->isChecked())
                ticked.append(word);
        }
        return ticked.join(QLatin1Char(','));
    };
    return pieces;
}

void Reglages::createButtons(QScrollArea& scroll) {
    Enregistrer = makeCaptioned<QPushButton>(this, "Enregistrer", QStringLiteral("Enregistrer"));
    connect(Enregistrer, &QPushButton::clicked, this, &Reglages::Enregistrer_Click);
    Fermer = makeCaptioned<QPushButton>(this, "Fermer", QStringLiteral("Fermer"));
    connect(Fermer, &QPushButton::clicked, this, &QWidget::close);
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(&scroll);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Enregistrer);
    buttons->addWidget(Fermer);
    windowLayout->addLayout(buttons);
    // Kept by the main window's "Nouveaux seulement", not here.
    fieldTexts_[ConfigKey::NeededOnly] = [] { return QString(); };
}

void Reglages::findFields() {
    const auto find = [this]<class Field>(Field*& field, const char* name) {
        field = findChild<Field*>(QLatin1String(name));
    };
    find(Indicatif_Reglage, "Indicatif_Reglage");
    find(Noeuds, "Noeuds");
    find(Mot_De_Passe, "Mot_De_Passe");
    find(Site_Spots, "Site_Spots");
    find(Site_Recherche, "Site_Recherche");
    find(Site_Pays, "Site_Pays");
    find(Maj_Pays_Auto, "Maj_Pays_Auto");
    for (int n = 1; n <= Configuration::PortCount; ++n)
        find(Peripheriques[static_cast<std::size_t>(n - 1)],
             row(static_cast<ConfigKey::Id>(ConfigKey::Com1 + n - 1)).field);
    find(Adresse_Rigctld, "Adresse_Rigctld");
    find(Adresse_Flrig, "Adresse_Flrig");
    find(Modele_Hamlib, "Modele_Hamlib");
    find(Peripherique_Hamlib, "Peripherique_Hamlib");
    find(Vitesse_Hamlib, "Vitesse_Hamlib");
    find(Mode_Reglage, "Mode_Reglage");
    find(Journal_ADIF, "Journal_ADIF");
    find(Parcourir, "Parcourir");
    find(QSL_Papier, "QSL_Papier");
    find(QSL_LoTW, "QSL_LoTW");
    find(QSL_eQSL, "QSL_eQSL");
    find(Alerte_Nouvelle_Entite, "Alerte_Nouvelle_Entite");
}

void Reglages::Parcourir_Click() {
    const QStringList chosen = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Journal ADIF"), QString(),
        QStringLiteral("Journaux ADIF (*.adi *.adx *.ADI *.ADX);;Tous les fichiers (*)"));
    if (chosen.isEmpty())
        return;
    QStringList files = Configuration::splitFiles(Journal_ADIF->text());
    for (const QString& file : chosen) {
        if (!files.contains(file))
            files.append(file);
    }
    Journal_ADIF->setText(Configuration::joinFiles(files));
}

void Reglages::Form_Load(QScrollArea& scroll) {
    // Every field at once, and no more, when the screen holds them: a scroll
    // area alone would ask for a size of its own.
    scroll.setMinimumSize(scroll.widget()->sizeHint());
    const QSize natural = sizeHint();
    scroll.setMinimumSize(0, 0);
    resize(natural);
    placeBelowCentre(*this, WindowOffsets::Reglages);
}

QStringList Reglages::errors() const {
    QStringList found;
    // A pasted line break would end up as a key of its own in the file.
    for (int key = 0; key < ConfigKey::Count; ++key) {
        if (KeyForms::holdsControlCharacter(fieldTexts_[key]()))
            found << QStringLiteral("« %1 » ne peut contenir ni retour à la ligne ni caractère "
                                    "de contrôle")
                         .arg(caption(static_cast<ConfigKey::Id>(key)));
    }
    for (const Group& group : groups()) {
        for (const ConfigKey::Id key : group.keys) {
            if (const std::optional<QString> refused = KeyForms::refusal(key, fieldTexts_[key]()))
                found << *refused;
        }
    }
    return found;
}

Reglages::Values Reglages::values() const {
    Values values;
    for (int key = 0; key < ConfigKey::Count; ++key) {
        const ConfigurationKey& field = ConfigurationKeys[key];
        values.append(
            {QString::fromLatin1(field.name), KeyForms::written(field.form, fieldTexts_[key]())});
    }
    return values;
}

Reglages::Values Reglages::changedValues() const {
    Values changed;
    const Values now = values();
    for (qsizetype i = 0; i < now.size(); ++i) {
        if (now[i] != shownValues_[i])
            changed.append(now[i]);
    }
    return changed;
}

void Reglages::Enregistrer_Click() {
    // All the fields in error in one message, nothing saved.
    const QStringList found = errors();
    if (!found.isEmpty()) {
        messages_.show(found.join(QLatin1Char('\n')));
        return;
    }
    // Only what was changed here: another copy of the program may have
    // saved other keys meanwhile.
    if (const std::optional<QString> problem = save_(changedValues())) {
        messages_.show(QStringLiteral("Les réglages n'ont pas pu être enregistrés dans %1 : %2")
                           .arg(Configuration::userFile(), *problem));
        return;
    }
    shownValues_ = values();
}

void Reglages::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
