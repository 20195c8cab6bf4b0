#include "Reglages.h"

#include "ClusterNodeList.h"
#include "MessageBox.h"
#include "NamedWidgets.h"
#include "SettingsChecks.h"
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
#include <QSerialPortInfo>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The rule names of `mode`, as the file holds them, and what they mean.
constexpr std::array<std::pair<const char*, const char*>, 3> ModeRules{{
    {"sideband", "Bande latérale (inférieure sous 7200 kHz)"},
    {"bandplan", "CW et modes numériques selon le plan de bande"},
    {"none", "Fréquence seule"},
}};

constexpr std::array<const char*, 6> HamlibSpeeds{"4800",  "9600",  "19200",
                                                  "38400", "57600", "115200"};

QComboBox* editableList(QWidget* parent, const char* name, const QString& current) {
    auto* list = makeNamed<QComboBox>(parent, name);
    list->setEditable(true);
    // The offered entries' descriptions show when the list opens; the field
    // itself needs room for an address or a device only.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(32);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setEditText(current);
    return list;
}

// The serial devices present, by their stable names when the system has them.
void offerSerialDevices(QComboBox* list) {
    const QString current = list->currentText();
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const QString description =
            port.description().isEmpty() ? port.manufacturer() : port.description();
        list->addItem(port.systemLocation() +
                          (description.isEmpty() ? QString() : QStringLiteral(" — ") + description),
                      port.systemLocation());
    }
    list->setEditText(current);
}

QString caption(ConfigKey::Id key) {
    return QString::fromUtf8(ConfigurationKeys[key].caption);
}

// The text of an editable list: its device or address, without the description.
QString valueOf(const QComboBox* list) {
    const QString text = list->currentText().trimmed();
    const qsizetype dash = text.indexOf(QStringLiteral(" — "));
    return dash < 0 ? text : text.left(dash).trimmed();
}

} // namespace

Reglages::Reglages(const Configuration& current, const std::vector<HamlibModel>& hamlibModels,
                   MessageBox& messages, Save save, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages), save_(std::move(save)) {
    setObjectName(QStringLiteral("Reglages"));
    setWindowTitle(QStringLiteral("Réglages"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The fields scroll on a screen too small for them; the button stays.
    auto* fields = new QWidget;
    auto* layout = new QVBoxLayout(fields);

    auto* spots = new QGroupBox(QStringLiteral("Spots en direct"), this);
    auto* spotsForm = new QFormLayout(spots);
    Indicatif_Reglage = makeNamed<QLineEdit>(spots, "Indicatif_Reglage");
    Indicatif_Reglage->setText(current.callsign());
    Indicatif_Reglage->setPlaceholderText(QStringLiteral("F4ABC-7"));
    spotsForm->addRow(caption(ConfigKey::Callsign), Indicatif_Reglage);
    Noeuds = editableList(spots, "Noeuds", current.cluster());
    for (const ClusterNode& node : WellKnownClusterNodes)
        Noeuds->addItem(QString::fromLatin1(node.address) + QStringLiteral(" — ") +
                        QString::fromLatin1(node.name) + QStringLiteral(" : ") +
                        QString::fromUtf8(node.description));
    Noeuds->setEditText(current.cluster());
    Noeuds->setToolTip(QStringLiteral("Jusqu'à trois nœuds hôte:port séparés par des virgules ; "
                                      "vide : spots de démonstration"));
    spotsForm->addRow(caption(ConfigKey::Cluster), Noeuds);
    Mot_De_Passe = makeNamed<QLineEdit>(spots, "Mot_De_Passe");
    Mot_De_Passe->setEchoMode(QLineEdit::Password);
    Mot_De_Passe->setText(current.password());
    spotsForm->addRow(caption(ConfigKey::Password), Mot_De_Passe);
    layout->addWidget(spots);

    auto* sites = new QGroupBox(QStringLiteral("Sites"), this);
    auto* sitesForm = new QFormLayout(sites);
    Site_Spots = makeNamed<QLineEdit>(sites, "Site_Spots");
    Site_Spots->setText(current.spotSite());
    sitesForm->addRow(caption(ConfigKey::SpotSite), Site_Spots);
    Site_Recherche = makeNamed<QLineEdit>(sites, "Site_Recherche");
    Site_Recherche->setText(current.lookupSite());
    sitesForm->addRow(caption(ConfigKey::LookupSite), Site_Recherche);
    Site_Pays = makeNamed<QLineEdit>(sites, "Site_Pays");
    Site_Pays->setText(current.value(ConfigKey::CountrySite));
    Maj_Pays_Auto =
        makeCaptioned<QCheckBox>(sites, "Maj_Pays_Auto", caption(ConfigKey::CountryUpdate));
    Maj_Pays_Auto->setChecked(current.value(ConfigKey::CountryUpdate) == QLatin1String("auto"));
    auto* countries = new QHBoxLayout;
    countries->addWidget(Site_Pays, 1);
    countries->addWidget(Maj_Pays_Auto);
    sitesForm->addRow(caption(ConfigKey::CountrySite), countries);
    layout->addWidget(sites);

    // Two columns of three ports: the window keeps within a laptop's screen.
    auto* ports = new QGroupBox(QStringLiteral("Ports série"), this);
    auto* portsGrid = new QGridLayout(ports);
    constexpr int PortsPerColumn = 3;
    for (int n = 1; n <= Configuration::PortCount; ++n) {
        const QByteArray name = "Peripherique_Com" + QByteArray::number(n);
        QComboBox* device = editableList(ports, name.constData(), current.portDevice(n));
        device->setMinimumContentsLength(16);
        offerSerialDevices(device);
        Peripheriques[static_cast<std::size_t>(n - 1)] = device;
        const int row = (n - 1) % PortsPerColumn;
        const int column = (n - 1) / PortsPerColumn * 2;
        portsGrid->addWidget(
            new QLabel(caption(static_cast<ConfigKey::Id>(ConfigKey::Com1 + n - 1)), ports), row,
            column);
        portsGrid->addWidget(device, row, column + 1);
    }
    portsGrid->setColumnStretch(1, 1);
    portsGrid->setColumnStretch(3, 1);
    layout->addWidget(ports);

    auto* rig = new QGroupBox(QStringLiteral("Transceiver par le réseau"), this);
    auto* rigForm = new QFormLayout(rig);
    // Both addresses are short: one row keeps the window within a laptop's
    // screen.
    Adresse_Rigctld = makeNamed<QLineEdit>(rig, "Adresse_Rigctld");
    Adresse_Rigctld->setText(current.rigctld());
    Adresse_Flrig = makeNamed<QLineEdit>(rig, "Adresse_Flrig");
    Adresse_Flrig->setText(current.flrig());
    auto* addresses = new QHBoxLayout;
    addresses->addWidget(Adresse_Rigctld, 1);
    addresses->addWidget(new QLabel(caption(ConfigKey::Flrig), rig));
    addresses->addWidget(Adresse_Flrig, 1);
    rigForm->addRow(caption(ConfigKey::Rigctld), addresses);
    Modele_Hamlib = makeNamed<QComboBox>(rig, "Modele_Hamlib");
    Modele_Hamlib->addItem(QStringLiteral("(aucun : rigctld n'est pas lancé)"), QString());
    for (const HamlibModel& model : hamlibModels)
        Modele_Hamlib->addItem(QStringLiteral("%1 (%2)").arg(model.name).arg(model.number),
                               QString::number(model.number));
    Modele_Hamlib->setCurrentIndex(std::max(0, Modele_Hamlib->findData(current.hamlibModel())));
    rigForm->addRow(caption(ConfigKey::HamlibModel), Modele_Hamlib);
    Peripherique_Hamlib = makeNamed<QLineEdit>(rig, "Peripherique_Hamlib");
    Peripherique_Hamlib->setText(current.hamlibDevice());
    rigForm->addRow(caption(ConfigKey::HamlibDevice), Peripherique_Hamlib);
    Vitesse_Hamlib = editableList(rig, "Vitesse_Hamlib", current.hamlibSpeed());
    for (const char* speed : HamlibSpeeds)
        Vitesse_Hamlib->addItem(QString::fromLatin1(speed));
    Vitesse_Hamlib->setEditText(current.hamlibSpeed());
    rigForm->addRow(caption(ConfigKey::HamlibSpeed), Vitesse_Hamlib);
    Mode_Reglage = makeNamed<QComboBox>(rig, "Mode_Reglage");
    for (const auto& [rule, meaning] : ModeRules)
        Mode_Reglage->addItem(QString::fromUtf8(meaning), QString::fromLatin1(rule));
    Mode_Reglage->setCurrentIndex(std::max(0, Mode_Reglage->findData(current.mode())));
    rigForm->addRow(caption(ConfigKey::Mode), Mode_Reglage);
    layout->addWidget(rig);
    layout->addWidget(createLogFields(current, *fields));

    Enregistrer = makeCaptioned<QPushButton>(this, "Enregistrer", QStringLiteral("Enregistrer"));
    connect(Enregistrer, &QPushButton::clicked, this, &Reglages::Enregistrer_Click);
    Fermer = makeCaptioned<QPushButton>(this, "Fermer", QStringLiteral("Fermer"));
    connect(Fermer, &QPushButton::clicked, this, &QWidget::close);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(fields);
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(scroll);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Enregistrer);
    buttons->addWidget(Fermer);
    windowLayout->addLayout(buttons);
    bindFieldValues();
    shownValues_ = values();
    Form_Load(*scroll);
}

namespace {

// The confirmations of key `confirmations`, as the file names them.
constexpr std::array<const char*, 3> ConfirmationNames{"qsl", "lotw", "eqsl"};

} // namespace

QGroupBox* Reglages::createLogFields(const Configuration& current, QWidget& parent) {
    auto* log = new QGroupBox(QStringLiteral("Journal"), &parent);
    log->setObjectName(QStringLiteral("Journal"));
    auto* logForm = new QFormLayout(log);
    Journal_ADIF = makeNamed<QLineEdit>(log, "Journal_ADIF");
    Journal_ADIF->setText(current.value(ConfigKey::AdifLog));
    Journal_ADIF->setPlaceholderText(QStringLiteral("~/.local/share/WSJT-X/wsjtx_log.adi"));
    Parcourir = makeCaptioned<QPushButton>(log, "Parcourir", QStringLiteral("Parcourir…"));
    connect(Parcourir, &QPushButton::clicked, this, &Reglages::Parcourir_Click);
    auto* files = new QHBoxLayout;
    files->addWidget(Journal_ADIF, 1);
    files->addWidget(Parcourir);
    logForm->addRow(caption(ConfigKey::AdifLog), files);
    const QStringList counted = current.names(ConfigKey::Confirmations);
    auto* confirmations = new QHBoxLayout;
    const std::array<std::tuple<QCheckBox**, const char*, const char*>, 3> boxes{
        {{&QSL_Papier, "QSL_Papier", "QSL papier"},
         {&QSL_LoTW, "QSL_LoTW", "LoTW"},
         {&QSL_eQSL, "QSL_eQSL", "eQSL"}}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const auto& [field, name, text] = boxes[i];
        *field = makeCaptioned<QCheckBox>(log, name, QString::fromLatin1(text));
        (*field)->setChecked(counted.contains(QLatin1String(ConfirmationNames[i])));
        confirmations->addWidget(*field);
    }
    confirmations->addStretch(1);
    logForm->addRow(caption(ConfigKey::Confirmations), confirmations);
    Alerte_Nouvelle_Entite =
        makeCaptioned<QCheckBox>(log, "Alerte_Nouvelle_Entite", caption(ConfigKey::AlertNewEntity));
    Alerte_Nouvelle_Entite->setChecked(current.isYes(ConfigKey::AlertNewEntity));
    logForm->addRow(QString(), Alerte_Nouvelle_Entite);
    return log;
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

void Reglages::bindFieldValues() {
    const auto text = [](const QLineEdit* field) {
        return [field] { return field->text().trimmed(); };
    };
    const auto data = [](const QComboBox* list) {
        return [list] { return list->currentData().toString(); };
    };
    fieldValues_[ConfigKey::SpotSite] = text(Site_Spots);
    fieldValues_[ConfigKey::LookupSite] = text(Site_Recherche);
    fieldValues_[ConfigKey::Cluster] = [this] { return valueOf(Noeuds); };
    fieldValues_[ConfigKey::Callsign] = [this] {
        return Indicatif_Reglage->text().trimmed().toUpper();
    };
    fieldValues_[ConfigKey::Password] = [this] { return Mot_De_Passe->text(); };
    for (int n = 1; n <= Configuration::PortCount; ++n) {
        const QComboBox* device = Peripheriques[static_cast<std::size_t>(n - 1)];
        fieldValues_[ConfigKey::Com1 + n - 1] = [device] { return valueOf(device); };
    }
    fieldValues_[ConfigKey::Rigctld] = text(Adresse_Rigctld);
    fieldValues_[ConfigKey::Flrig] = text(Adresse_Flrig);
    fieldValues_[ConfigKey::HamlibModel] = data(Modele_Hamlib);
    fieldValues_[ConfigKey::HamlibDevice] = text(Peripherique_Hamlib);
    fieldValues_[ConfigKey::HamlibSpeed] = [this] {
        return Vitesse_Hamlib->currentText().trimmed();
    };
    fieldValues_[ConfigKey::Mode] = data(Mode_Reglage);
    fieldValues_[ConfigKey::AdifLog] = text(Journal_ADIF);
    fieldValues_[ConfigKey::Confirmations] = [this] {
        QStringList counted;
        const std::array<const QCheckBox*, 3> boxes{QSL_Papier, QSL_LoTW, QSL_eQSL};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i]->isChecked())
                counted.append(QLatin1String(ConfirmationNames[i]));
        }
        return counted.join(QLatin1Char(','));
    };
    fieldValues_[ConfigKey::AlertNewEntity] = [this] {
        return Configuration::yesOrNo(Alerte_Nouvelle_Entite->isChecked());
    };
    fieldValues_[ConfigKey::CountrySite] = text(Site_Pays);
    fieldValues_[ConfigKey::CountryUpdate] = [this] {
        return Maj_Pays_Auto->isChecked() ? QStringLiteral("auto") : QStringLiteral("manual");
    };
    // Kept by the main window's "Nouveaux seulement", not here.
    fieldValues_[ConfigKey::NeededOnly] = [] { return QString(); };
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
        if (Configuration::holdsControlCharacter(fieldValues_[key]()))
            found << QStringLiteral("« %1 » ne peut contenir ni retour à la ligne ni caractère "
                                    "de contrôle")
                         .arg(caption(static_cast<ConfigKey::Id>(key)));
    }
    const QString callsign = Indicatif_Reglage->text().trimmed();
    if (!callsign.isEmpty() && !SettingsChecks::isCallsign(callsign))
        found << QStringLiteral("L'indicatif « %1 » n'est pas un indicatif (exemple : F4ABC ou "
                                "F4ABC-7)")
                     .arg(callsign);
    else if (callsign.contains(QLatin1Char('/')))
        found << QStringLiteral("L'indicatif « %1 » contient « / », que les nœuds refusent à la "
                                "connexion : donnez-leur un indicatif avec un SSID, comme "
                                "F4ABC-7")
                     .arg(callsign);
    if (!SettingsChecks::isNodeList(valueOf(Noeuds)))
        found << QStringLiteral("Les nœuds « %1 » ne sont pas jusqu'à trois hôte:port séparés "
                                "par des virgules")
                     .arg(valueOf(Noeuds));
    if (!SettingsChecks::isSite(Site_Spots->text().trimmed()))
        found << QStringLiteral("Le site des spots « %1 » n'est pas de la forme "
                                "http://hôte[:port]")
                     .arg(Site_Spots->text().trimmed());
    if (!SettingsChecks::isFileAddress(Site_Pays->text().trimmed()))
        found << QStringLiteral("Le fichier des pays « %1 » n'est pas de la forme "
                                "https://hôte[:port]/chemin")
                     .arg(Site_Pays->text().trimmed());
    if (!SettingsChecks::isSite(Site_Recherche->text().trimmed()))
        found << QStringLiteral("Le site de recherche « %1 » n'est pas de la forme "
                                "https://hôte[:port]")
                     .arg(Site_Recherche->text().trimmed());
    for (int n = 1; n <= Configuration::PortCount; ++n) {
        const QString device = valueOf(Peripheriques[static_cast<std::size_t>(n - 1)]);
        if (!SettingsChecks::isDevice(device))
            found << QStringLiteral("Le périphérique de Com %1 « %2 » n'est pas un chemin comme "
                                    "/dev/ttyUSB0")
                         .arg(n)
                         .arg(device);
    }
    for (const auto& [name, field] :
         {std::pair{"rigctld", Adresse_Rigctld}, std::pair{"flrig", Adresse_Flrig}}) {
        if (!SettingsChecks::isHostPort(field->text().trimmed()))
            found << QStringLiteral("L'adresse de %1 « %2 » n'est pas de la forme hôte:port")
                         .arg(QLatin1String(name), field->text().trimmed());
    }
    if (!SettingsChecks::isDevice(Peripherique_Hamlib->text().trimmed()))
        found << QStringLiteral("Le périphérique de la radio « %1 » n'est pas un chemin comme "
                                "/dev/ttyUSB0")
                     .arg(Peripherique_Hamlib->text().trimmed());
    bool number = false;
    const int speed = Vitesse_Hamlib->currentText().trimmed().toInt(&number);
    if (!number || speed <= 0)
        found << QStringLiteral("La vitesse de la radio « %1 » n'est pas un nombre de bauds")
                     .arg(Vitesse_Hamlib->currentText().trimmed());
    return found;
}

Reglages::Values Reglages::values() const {
    Values values;
    for (int key = 0; key < ConfigKey::Count; ++key)
        values.append({QString::fromLatin1(ConfigurationKeys[key].name), fieldValues_[key]()});
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
