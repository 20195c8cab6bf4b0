#include "Durerur.h"

#include "ListClickWatcher.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

Durerur::Durerur(SharedState& state, SettingsStore& settings, Configuration& config,
                 ProgramDirectory directory, Platform platform, QWidget* parent)
    : QMainWindow(parent), state_(state), settings_(settings), config_(config),
      directory_(std::move(directory)), platform_(platform) {
    setObjectName(QStringLiteral("Durerur"));
    setWindowTitle(QStringLiteral("Pelk_Dedirad"));
    createControls();
    createMenus();
    connectHandlers();
    Form_Load();
}

Durerur::~Durerur() = default;

void Durerur::connectHandlers() {
    connect(Emetteur, &QComboBox::currentIndexChanged, this, &Durerur::Emetteur_Click);
    connect(Mnu_SansCom, &QAction::triggered, this, &Durerur::Mnu_SansCom_Click);
    for (std::size_t i = 0; i < Mnu_Com.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        connect(Mnu_Com[i], &QAction::triggered, this, [this, n] { Mnu_Com_Click(n); });
    }
    for (std::size_t i = 0; i < Mnu_Speed.size(); ++i) {
        const int index = static_cast<int>(i);
        connect(Mnu_Speed[i], &QAction::triggered, this, [this, index] { Mnu_Speed_Click(index); });
    }
    connect(Mnu_Coordonnees, &QAction::triggered, this, &Durerur::Mnu_Coordonnees_Click);
    connect(Mnu_Reglages, &QAction::triggered, this, &Durerur::Mnu_Reglages_Click);
    connect(Mnu_Decodages, &QAction::triggered, this, &Durerur::Mnu_Decodages_Click);
    connect(Mnu_Carte, &QAction::triggered, this, &Durerur::Mnu_Carte_Click);
    connect(Mnu_Historique, &QAction::triggered, this, &Durerur::Mnu_Historique_Click);
    connect(Mnu_A_Propos, &QAction::triggered, this, &Durerur::Mnu_A_Propos_Click);
    new ListClickWatcher(Liste_Stations, [this] { Liste_Stations_Click(); });
    connect(Memoriser, &QPushButton::clicked, this, &Durerur::Memoriser_Click);
    connect(Voir_Mem, &QPushButton::clicked, this, &Durerur::Voir_Mem_Click);
    connect(QRZ, &QPushButton::clicked, this, &Durerur::QRZ_Click);
    connect(Afficher, &QPushButton::clicked, this, &Durerur::Afficher_Click);
    connect(Timer2, &QTimer::timeout, this, &Durerur::Timer2_Timer);
    connect(Tri_Date, &QPushButton::clicked, this, &Durerur::Tri_Date_Click);
    connect(Tri_DX, &QPushButton::clicked, this, &Durerur::Tri_DX_Click);
    connect(Tri_QRG, &QPushButton::clicked, this, &Durerur::Tri_QRG_Click);
    connect(Check1, &QCheckBox::clicked, this, &Durerur::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &Durerur::Check2_Click);
    connect(Check4, &QCheckBox::clicked, this, &Durerur::Check4_Click);
    connect(Check5, &QCheckBox::clicked, this, &Durerur::Check5_Click);
    connect(&log_, &LogBook::changed, this, &Durerur::logChanged);
    connect(Mnu_Maj_Pays, &QAction::triggered, this, &Durerur::Mnu_Maj_Pays_Click);
    connect(&countries_, &CountryData::inUseChanged, this, &Durerur::countryDataChanged);
    connect(&countries_, &CountryData::siteAttempted, this, &Durerur::countrySiteAttempted);
    connect(&countries_, &CountryData::idle, Mnu_Maj_Pays,
            [this] { Mnu_Maj_Pays->setEnabled(true); });
    connect(Test_alerte, &QPushButton::clicked, this, &Durerur::Test_alerte_Click);
    Indicatif->installEventFilter(this);
    Remarque->installEventFilter(this);
}

bool Durerur::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (watched == Indicatif)
            return Indicatif_KeyPress(static_cast<QKeyEvent*>(event));
        if (watched == Remarque)
            return Remarque_KeyPress(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void Durerur::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}
