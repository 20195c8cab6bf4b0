#include "Durerur.h"

#include "ControlColours.h"
#include "ListClickWatcher.h"
#include "NamedWidget.h"
#include "SerialPortChoices.h"
#include "SettingsStore.h"
#include "SpotLineColumns.h"
#include "Station.h"
#include "WindowGeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

namespace {

// Client area of the window: 10560 x 9855 twips.
constexpr int ClientWidth = 704;
constexpr int ClientHeight = 657;
// The spot list at that size; on a smaller screen it keeps at least a few
// lines, so that the window still fits a 1024 x 600 screen and even 800 x 480.
constexpr QRect ListDesign{8, 200, 688, 296};
constexpr int SmallestListLines = 4;

// The window's client area, whose natural size is its design size.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {ClientWidth, ClientHeight}; }
};

template <class Widget> Widget* make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = makeNamed<Widget>(parent, name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption,
                  const QRect& geometry) {
    auto* label = make<QLabel>(parent, name, geometry);
    label->setText(caption);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* button = make<QPushButton>(parent, name, geometry);
    button->setText(caption);
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* box = make<QCheckBox>(parent, name, geometry);
    box->setText(caption);
    return box;
}

QAction* makeAction(QMenu* menu, const char* name, const QString& caption, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

} // namespace

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

void Durerur::createControls() {
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);
    Etat_Spots = new QLabel(this);
    Etat_Spots->setObjectName(QStringLiteral("Etat_Spots"));
    statusBar()->addWidget(Etat_Spots, 1);

    const QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QColor buttonFace = palette().color(QPalette::Button);

    Test_alerte =
        makeButton(client, "Test_alerte", QStringLiteral("Test alerte"), {584, 84, 112, 25});
    QRB = make<QLineEdit>(client, "QRB", {456, 510, 112, 22});
    Dec = make<QLineEdit>(client, "Dec", {376, 558, 64, 22});
    Azi = make<QLineEdit>(client, "Azi", {584, 510, 112, 22});
    ITU = make<QLineEdit>(client, "ITU", {296, 558, 64, 22});
    CQ = make<QLineEdit>(client, "CQ", {216, 558, 64, 22});
    Cont = make<QLineEdit>(client, "Cont", {8, 558, 192, 22});
    Pref = make<QLineEdit>(client, "Pref", {8, 510, 80, 22});
    Pays = make<QLineEdit>(client, "Pays", {96, 510, 344, 22});
    QRZ = makeButton(client, "QRZ", config_.lookupSiteName(), {584, 554, 112, 28});
    Text1 = make<QLineEdit>(client, "Text1", {0, 176, 0, 24});
    Text1->setText(QStringLiteral("Spotter                        Remarques"));
    Text1->setReadOnly(true);
    Text1->setFont(fixedFont);
    setBackground(Text1, buttonFace);
    Tri_Date = makeButton(client, "Tri_Date", QStringLiteral("Date QTR(TU)"), {});
    Tri_Date->setToolTip(QStringLiteral("Un click pour un tri par date"));
    Tri_DX = makeButton(client, "Tri_DX", QStringLiteral("DX") + QString(14, QLatin1Char(' ')), {});
    Tri_DX->setToolTip(QStringLiteral("Un click pour un tri par DX"));
    // The caption's trailing blanks are wider than the column: show it from
    // the left so that "DX" stands over the callsigns.
    Tri_DX->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
    Tri_QRG = makeButton(client, "Tri_QRG", QStringLiteral("QRG"), {});
    Tri_QRG->setToolTip(QStringLiteral("Un click pour un tri par QRG"));
    for (QPushButton* heading : {Tri_Date, Tri_DX, Tri_QRG}) {
        heading->setFont(fixedFont);
        setBackground(heading, buttonFace);
    }
    // The button of the current order (by date at start-up) is light green.
    setBackground(Tri_Date, CurrentOrderColour);
    Bande_CL2 = make<QComboBox>(client, "Bande_CL2", {440, 30, 112, 24});
    Check3 = makeCheckBox(client, "Check3", QStringLiteral("Avec alerte"), {464, 86, 112, 22});
    Check2 = makeCheckBox(client, "Check2", QStringLiteral("Filtre préfixe ou Indicatif"),
                          {8, 86, 200, 22});
    Check1 = makeCheckBox(client, "Check1", QStringLiteral("Filtre stations Françaises"),
                          {8, 62, 200, 22});
    Indicatif = make<QLineEdit>(client, "Indicatif", {216, 86, 128, 22});
    Emetteur = make<QComboBox>(client, "Emetteur", {96, 614, 144, 24});
    Voir_Mem = makeButton(client, "Voir_Mem", QStringLiteral("Voir Mémoire"), {584, 612, 112, 28});
    Memoriser = makeButton(client, "Memoriser", QStringLiteral("Mémoriser"), {464, 612, 112, 28});
    Liste_Stations = make<QListWidget>(client, "Liste_Stations", ListDesign);
    Liste_Stations->setFont(fixedFont);
    setBackground(Liste_Stations, SpotListColour);
    Frame1 = make<QGroupBox>(client, "Frame1", {8, 4, 296, 48});
    Label7 =
        makeLabel(Frame1, "Label7", QStringLiteral(" PELK DEDIRAD (DXDedirad)"), {8, 12, 280, 28});
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    Bande_CL = make<QComboBox>(client, "Bande_CL", {320, 30, 112, 24});
    Afficher = makeButton(client, "Afficher", QStringLiteral("Afficher"), {584, 26, 112, 30});
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(60000);
    Frame2 = make<QGroupBox>(client, "Frame2", {8, 112, 688, 60});
    Remarque = make<QLineEdit>(Frame2, "Remarque", {160, 8, 200, 22});
    Check4 = makeCheckBox(Frame2, "Check4", QStringLiteral("Filtre Remarques"), {8, 8, 144, 22});
    Label2 = makeLabel(Frame2, "Label2",
                       QStringLiteral("Page mise a jour toutes les minutes, la dernière à "),
                       {8, 34, 320, 20});
    Label2->adjustSize();
    QTR = makeLabel(Frame2, "QTR", QString(), {8 + Label2->width(), 34, 96, 20});
    Label8 = makeLabel(client, "Label8", QStringLiteral("Utc +/-"), {376, 538, 64, 18});
    Label6 = makeLabel(client, "Label6", QStringLiteral("ITU zone"), {296, 538, 64, 18});
    Label5 = makeLabel(client, "Label5", QStringLiteral("CQ zone"), {216, 538, 64, 18});
    Label4 = makeLabel(client, "Label4", QStringLiteral("Bande N° 2"), {440, 10, 112, 18});
    Line1 = make<QFrame>(client, "Line1", {8, 596, 688, 4});
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Label12 = makeLabel(client, "Label12", QStringLiteral("Transceiver"), {8, 617, 84, 18});
    NumPort = makeLabel(client, "NumPort", QString(), {296, 617, 24, 18});
    DebitPort = makeLabel(client, "DebitPort", QString(), {336, 617, 56, 18});
    Label10 = makeLabel(client, "Label10", QStringLiteral("Com "), {256, 617, 36, 18});
    Label9 = makeLabel(client, "Label9", QStringLiteral("Bauds"), {396, 617, 48, 18});
    Label1 = makeLabel(client, "Label1", QStringLiteral("Bande N° 1"), {320, 10, 112, 18});
    Patientez = makeLabel(client, "Patientez", QStringLiteral("Patientez"), {584, 60, 112, 20});
    Patientez->setAlignment(Qt::AlignCenter);
    Patientez->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    Patientez->hide();

    for (QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->y() > ListDesign.bottom())
            belowList_.emplace_back(control, control->y());
    }
    const QFontMetrics lines(Liste_Stations->font());
    const int smallestList =
        SmallestListLines * lines.lineSpacing() + 2 * Liste_Stations->frameWidth();
    client->setMinimumSize(ClientWidth, ClientHeight - ListDesign.height() + smallestList);
    client->resize(ClientWidth, ClientHeight);
    client->installEventFilter(this);
    fitToClient();
}

void Durerur::fitToClient() {
    const QSize gained = centralWidget()->size() - QSize(ClientWidth, ClientHeight);
    Liste_Stations->setGeometry(ListDesign.adjusted(0, 0, gained.width(), gained.height()));
    for (const auto& [control, designTop] : belowList_)
        control->move(control->x(), designTop + gained.height());
    layOutHeadings();
}

// The headings stand over the columns of the spot lines: Date over columns 1
// to 15, DX over 16 to 28, QRG over 29 to 37, and the text of Text1 starts
// exactly over column 38, where the spotter field starts.
void Durerur::layOutHeadings() {
    const auto columns = [this](int n) { return columnsWidth(*Liste_Stations, n); };
    const int lineLeft = Liste_Stations->x() + listTextLeft(*Liste_Stations);
    // Text1's text starts after its frame, its margins and the line edit's
    // own two pixels.
    QStyleOptionFrame frame;
    frame.initFrom(Text1);
    frame.lineWidth = Text1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, Text1);
    const int textOffset =
        Text1->style()->subElementRect(QStyle::SE_LineEditContents, &frame, Text1).x() -
        Text1->rect().x() + Text1->textMargins().left() + 2;
    const int top = Liste_Stations->y() - 24;
    const int right = Liste_Stations->geometry().right();
    using namespace SpotLineColumns;
    Tri_Date->setGeometry(lineLeft, top, columns(DX), 24);
    Tri_DX->setGeometry(lineLeft + columns(DX), top, columns(QRG) - columns(DX), 24);
    const int textLeft = lineLeft + columns(Spotter) - textOffset;
    const int qrgLeft = Tri_DX->geometry().right() + 1;
    Tri_QRG->setGeometry(qrgLeft, top, textLeft - qrgLeft, 24);
    Text1->setGeometry(textLeft, top, right - textLeft + 1, 24);
}

void Durerur::createMenus() {
    QMenuBar* bar = menuBar();

    QMenu* ports = bar->addMenu(QStringLiteral("Port Com"));
    ports->setObjectName(QStringLiteral("Mnu_Port_Com"));
    ports->menuAction()->setObjectName(QStringLiteral("Mnu_Port_Com"));
    Mnu_SansCom = makeAction(ports, "Mnu_SansCom", QStringLiteral("Sans"), true);
    Mnu_SansCom->setChecked(true);
    for (std::size_t i = 0; i < PortChoices.size(); ++i) {
        Mnu_Com[i] = makeAction(ports, PortChoices[i].objectName,
                                QString::fromLatin1(PortChoices[i].caption), true);
    }

    QMenu* speeds = bar->addMenu(QStringLiteral("Baud"));
    speeds->setObjectName(QStringLiteral("Mnu_Vitesse"));
    speeds->menuAction()->setObjectName(QStringLiteral("Mnu_Vitesse"));
    for (std::size_t i = 0; i < SpeedChoices.size(); ++i) {
        Mnu_Speed[i] = makeAction(speeds, SpeedChoices[i].objectName,
                                  QString::fromLatin1(SpeedChoices[i].caption), true);
    }

    Mnu_Coordonnees = bar->addAction(QStringLiteral("Coordonnés"));
    Mnu_Coordonnees->setObjectName(QStringLiteral("Mnu_Coordonnees"));
    Mnu_Reglages = bar->addAction(QStringLiteral("Réglages"));
    Mnu_Reglages->setObjectName(QStringLiteral("Mnu_Reglages"));

    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("Mnu_Hlp"));
    help->menuAction()->setObjectName(QStringLiteral("Mnu_Hlp"));
    Mnu_Historique = makeAction(help, "Mnu_Historique", QStringLiteral("Historique"), false);
    Mnu_A_Propos = makeAction(help, "Mnu_A_Propos", QStringLiteral("A Propos"), false);
}

void Durerur::connectHandlers() {
    connect(Emetteur, &QComboBox::currentIndexChanged, this, [this] { Emetteur_Click(); });
    connect(Mnu_SansCom, &QAction::triggered, this, [this] { Mnu_SansCom_Click(); });
    for (std::size_t i = 0; i < Mnu_Com.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        connect(Mnu_Com[i], &QAction::triggered, this, [this, n] { Mnu_Com_Click(n); });
    }
    for (std::size_t i = 0; i < Mnu_Speed.size(); ++i) {
        const int index = static_cast<int>(i);
        connect(Mnu_Speed[i], &QAction::triggered, this, [this, index] { Mnu_Speed_Click(index); });
    }
    connect(Mnu_Coordonnees, &QAction::triggered, this, [this] { Mnu_Coordonnees_Click(); });
    connect(Mnu_Reglages, &QAction::triggered, this, [this] { Mnu_Reglages_Click(); });
    connect(Mnu_Historique, &QAction::triggered, this, [this] { Mnu_Historique_Click(); });
    connect(Mnu_A_Propos, &QAction::triggered, this, [this] { Mnu_A_Propos_Click(); });
    new ListClickWatcher(Liste_Stations, [this] { Liste_Stations_Click(); });
    connect(Memoriser, &QPushButton::clicked, this, [this] { Memoriser_Click(); });
    connect(Voir_Mem, &QPushButton::clicked, this, [this] { Voir_Mem_Click(); });
    connect(QRZ, &QPushButton::clicked, this, [this] { QRZ_Click(); });
    connect(Afficher, &QPushButton::clicked, this, [this] { Afficher_Click(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    connect(Tri_Date, &QPushButton::clicked, this, [this] { Tri_Date_Click(); });
    connect(Tri_DX, &QPushButton::clicked, this, [this] { Tri_DX_Click(); });
    connect(Tri_QRG, &QPushButton::clicked, this, [this] { Tri_QRG_Click(); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
    connect(Check4, &QCheckBox::clicked, this, [this] { Check4_Click(); });
    connect(Test_alerte, &QPushButton::clicked, this, [this] { Test_alerte_Click(); });
    Indicatif->installEventFilter(this);
    Remarque->installEventFilter(this);
}

bool Durerur::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        fitToClient();
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
