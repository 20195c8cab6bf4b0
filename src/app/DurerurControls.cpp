// The main window's controls, placed as designed, and its menus.
#include "Durerur.h"

#include "ControlColours.h"
#include "NamedWidgets.h"
#include "SerialPortChoices.h"
#include "SpotLineColumns.h"
#include "WindowGeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Client area of the window: 10560 x 9855 twips.
constexpr int ClientWidth = 704;
constexpr int ClientHeight = 657;
// The spot list at that size, its headings just above it. Above and below
// lie fixed panels; the list takes whatever the window gains or loses, and
// keeps at least a few lines, so that the window still fits a 1024 x 600
// screen and even 800 x 480.
constexpr QRect ListDesign{8, 200, 688, 296};
constexpr int HeadingHeight = 24;
constexpr int TopPanelHeight = ListDesign.top() - HeadingHeight;
constexpr int BottomPanelTop = ListDesign.bottom() + 1;
constexpr int SmallestListLines = 4;

// A control of the bottom panel, placed by its design position in the client.
QRect below(int x, int y, int width, int height) {
    return {x, y - BottomPanelTop, width, height};
}

// The window's client area, whose natural size is its design size.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {ClientWidth, ClientHeight}; }
};

QAction* makeAction(QMenu* menu, const char* name, const QString& caption, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

} // namespace

void Durerur::createControls() {
    const Panels panels = createPanels();
    createDetails(panels);
    createHeadings(panels);
    createChoices(panels);
    createListControls(panels);
    createCaptions(panels);
    layOutSpotList(panels);
}

// The fixed panels above and below the spot list, the list's band between
// them, and the status line.
Durerur::Panels Durerur::createPanels() {
    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);
    auto* top = new QWidget(client);
    top->setFixedHeight(TopPanelHeight);
    top->setMinimumWidth(ClientWidth);
    auto* band = new QWidget(client);
    auto* bottom = new QWidget(client);
    bottom->setFixedHeight(ClientHeight - BottomPanelTop);
    bottom->setMinimumWidth(ClientWidth);
    auto* rows = new QVBoxLayout(client);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(top);
    rows->addWidget(band, 1);
    rows->addWidget(bottom);
    auto* headings = new QWidget(band);
    headings->setFixedHeight(HeadingHeight);
    statusBar()->addWidget(statusLine_.create(this), 1);
    Etat_Spots = statusLine_.spots();
    Etat_Journal = statusLine_.log();
    Etat_Pays = statusLine_.countries();
    Etat_Wsjtx = statusLine_.wsjtx();
    return {client, top, band, bottom, headings};
}

// The spot's details and the buttons beside them.
void Durerur::createDetails(const Panels& panels) {
    QWidget* top = panels.top;
    QWidget* bottom = panels.bottom;
    Test_alerte = makeCaptioned<QPushButton>(top, "Test_alerte", QStringLiteral("Test alerte"),
                                             {584, 84, 112, 25});
    QRB = makeNamed<QLineEdit>(bottom, "QRB", below(456, 510, 112, 22));
    Dec = makeNamed<QLineEdit>(bottom, "Dec", below(376, 558, 64, 22));
    Azi = makeNamed<QLineEdit>(bottom, "Azi", below(584, 510, 112, 22));
    ITU = makeNamed<QLineEdit>(bottom, "ITU", below(296, 558, 64, 22));
    CQ = makeNamed<QLineEdit>(bottom, "CQ", below(216, 558, 64, 22));
    Cont = makeNamed<QLineEdit>(bottom, "Cont", below(8, 558, 192, 22));
    Pref = makeNamed<QLineEdit>(bottom, "Pref", below(8, 510, 80, 22));
    Pays = makeNamed<QLineEdit>(bottom, "Pays", below(96, 510, 344, 22));
    Journal = makeNamed<QLineEdit>(bottom, "Journal", below(456, 558, 120, 22));
    Journal->setReadOnly(true);
    Journal->setAccessibleName(QStringLiteral("Journal"));
    Label_Journal = makeCaptioned<QLabel>(bottom, "Label_Journal", QStringLiteral("Journal"),
                                          below(456, 538, 120, 18));
    QRZ = makeCaptioned<QPushButton>(bottom, "QRZ", config_.lookupSiteName(),
                                     below(584, 554, 112, 28));
}

// The headings over the spot list's columns, which sort it.
void Durerur::createHeadings(const Panels& panels) {
    QWidget* headings = panels.headings;
    const QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QColor buttonFace = palette().color(QPalette::Button);
    Text1 = makeNamed<QLineEdit>(headings, "Text1");
    Text1->setText(QStringLiteral("Spotter                        Remarques"));
    Text1->setReadOnly(true);
    Text1->setFont(fixedFont);
    setBackground(Text1, buttonFace);
    Tri_Date = makeCaptioned<QPushButton>(headings, "Tri_Date", QStringLiteral("Date QTR(TU)"));
    Tri_Date->setToolTip(QStringLiteral("Un click pour un tri par date"));
    Tri_DX = makeCaptioned<QPushButton>(headings, "Tri_DX",
                                        QStringLiteral("DX") + QString(14, QLatin1Char(' ')));
    Tri_DX->setToolTip(QStringLiteral("Un click pour un tri par DX"));
    // The caption's trailing blanks are wider than the column: show it from
    // the left so that "DX" stands over the callsigns.
    Tri_DX->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
    Tri_QRG = makeCaptioned<QPushButton>(headings, "Tri_QRG", QStringLiteral("QRG"));
    Tri_QRG->setToolTip(QStringLiteral("Un click pour un tri par QRG"));
    for (QPushButton* heading : {Tri_Date, Tri_DX, Tri_QRG}) {
        heading->setFont(fixedFont);
        setBackground(heading, buttonFace);
    }
    // The button of the current order (by date at start-up) is light green.
    setBackground(Tri_Date, CurrentOrderColour);
}

// The filter boxes, the transceiver and the memory buttons.
void Durerur::createChoices(const Panels& panels) {
    QWidget* top = panels.top;
    QWidget* bottom = panels.bottom;
    Bande_CL2 = makeNamed<QComboBox>(top, "Bande_CL2", {440, 30, 112, 24});
    Check3 =
        makeCaptioned<QCheckBox>(top, "Check3", QStringLiteral("Avec alerte"), {464, 86, 112, 22});
    Check2 = makeCaptioned<QCheckBox>(top, "Check2", QStringLiteral("Filtre préfixe ou Indicatif"),
                                      {8, 86, 200, 22});
    Check1 = makeCaptioned<QCheckBox>(top, "Check1", QStringLiteral("Filtre stations Françaises"),
                                      {8, 62, 200, 22});
    Indicatif = makeNamed<QLineEdit>(top, "Indicatif", {216, 86, 128, 22});
    Check5 = makeCaptioned<QCheckBox>(top, "Check5", QStringLiteral("Nouveaux seulement"),
                                      {216, 62, 200, 22});
    Emetteur = makeNamed<QComboBox>(bottom, "Emetteur", below(96, 614, 144, 24));
    Voir_Mem = makeCaptioned<QPushButton>(bottom, "Voir_Mem", QStringLiteral("Voir Mémoire"),
                                          below(584, 612, 112, 28));
    Memoriser = makeCaptioned<QPushButton>(bottom, "Memoriser", QStringLiteral("Mémoriser"),
                                           below(464, 612, 112, 28));
}

// The spot list, the bands, the refresh and the remark filter.
void Durerur::createListControls(const Panels& panels) {
    QWidget* top = panels.top;
    Liste_Stations = makeNamed<QListWidget>(panels.band, "Liste_Stations");
    Liste_Stations->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setBackground(Liste_Stations, SpotListColour);
    Frame1 = makeNamed<QGroupBox>(top, "Frame1", {8, 4, 296, 48});
    Label7 = makeCaptioned<QLabel>(Frame1, "Label7", QStringLiteral(" PELK DEDIRAD (DXDedirad)"),
                                   {8, 12, 280, 28});
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    Bande_CL = makeNamed<QComboBox>(top, "Bande_CL", {320, 30, 112, 24});
    Afficher =
        makeCaptioned<QPushButton>(top, "Afficher", QStringLiteral("Afficher"), {584, 26, 112, 30});
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(60000);
    Frame2 = makeNamed<QGroupBox>(top, "Frame2", {8, 112, 688, 60});
    Remarque = makeNamed<QLineEdit>(Frame2, "Remarque", {160, 8, 200, 22});
    Check4 = makeCaptioned<QCheckBox>(Frame2, "Check4", QStringLiteral("Filtre Remarques"),
                                      {8, 8, 144, 22});
    Label2 = makeCaptioned<QLabel>(
        Frame2, "Label2", QStringLiteral("Page mise a jour toutes les minutes, la dernière à "),
        {8, 34, 320, 20});
    Label2->adjustSize();
    QTR = makeCaptioned<QLabel>(Frame2, "QTR", QString(), {8 + Label2->width(), 34, 96, 20});
}

// The captions of the fields, the port's and the busy sign.
void Durerur::createCaptions(const Panels& panels) {
    QWidget* top = panels.top;
    QWidget* bottom = panels.bottom;
    Label8 =
        makeCaptioned<QLabel>(bottom, "Label8", QStringLiteral("Utc +/-"), below(376, 538, 64, 18));
    Label6 = makeCaptioned<QLabel>(bottom, "Label6", QStringLiteral("ITU zone"),
                                   below(296, 538, 64, 18));
    Label5 =
        makeCaptioned<QLabel>(bottom, "Label5", QStringLiteral("CQ zone"), below(216, 538, 64, 18));
    Label4 = makeCaptioned<QLabel>(top, "Label4", QStringLiteral("Bande N° 2"), {440, 10, 112, 18});
    Line1 = makeNamed<QFrame>(bottom, "Line1", below(8, 596, 688, 4));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Label12 = makeCaptioned<QLabel>(bottom, "Label12", QStringLiteral("Transceiver"),
                                    below(8, 617, 84, 18));
    NumPort = makeCaptioned<QLabel>(bottom, "NumPort", QString(), below(296, 617, 24, 18));
    DebitPort = makeCaptioned<QLabel>(bottom, "DebitPort", QString(), below(336, 617, 56, 18));
    Label10 =
        makeCaptioned<QLabel>(bottom, "Label10", QStringLiteral("Com "), below(256, 617, 36, 18));
    Label9 =
        makeCaptioned<QLabel>(bottom, "Label9", QStringLiteral("Bauds"), below(396, 617, 48, 18));
    Label1 = makeCaptioned<QLabel>(top, "Label1", QStringLiteral("Bande N° 1"), {320, 10, 112, 18});
    Patientez =
        makeCaptioned<QLabel>(top, "Patientez", QStringLiteral("Patientez"), {584, 60, 112, 20});
    Patientez->setAlignment(Qt::AlignCenter);
    Patientez->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    Patientez->hide();
}

// The list takes what the window gains or loses, under its headings.
void Durerur::layOutSpotList(const Panels& panels) {
    const QFontMetrics lines(Liste_Stations->font());
    Liste_Stations->setMinimumHeight(SmallestListLines * lines.lineSpacing() +
                                     2 * Liste_Stations->frameWidth());
    auto* listBand = new QVBoxLayout(panels.band);
    listBand->setContentsMargins(ListDesign.left(), 0, ClientWidth - 1 - ListDesign.right(), 0);
    listBand->setSpacing(0);
    listBand->addWidget(panels.headings);
    listBand->addWidget(Liste_Stations, 1);
    layOutHeadings(*panels.headings);
    panels.client->resize(ClientWidth, ClientHeight);
}

// The headings stand over the columns of the spot lines: Date over columns 1
// to 15, DX over 16 to 28, QRG over 29 to 37, and the text of Text1 starts
// exactly over column 38, where the spotter field starts.
void Durerur::layOutHeadings(QWidget& headings) {
    const auto columns = [this](int n) { return columnsWidth(*Liste_Stations, n); };
    // Text1's text starts after its frame, its margins and the line edit's
    // own two pixels.
    QStyleOptionFrame frame;
    frame.initFrom(Text1);
    frame.lineWidth = Text1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, Text1);
    const int textOffset =
        Text1->style()->subElementRect(QStyle::SE_LineEditContents, &frame, Text1).x() -
        Text1->rect().x() + Text1->textMargins().left() + 2;
    using namespace SpotLineColumns;
    Tri_Date->setFixedWidth(columns(DX));
    Tri_DX->setFixedWidth(columns(QRG) - columns(DX));
    Tri_QRG->setFixedWidth(columns(Spotter) - textOffset - columns(QRG));
    auto* row = new QHBoxLayout(&headings);
    // The lines' text starts after the list's frame and the item's margin.
    row->setContentsMargins(listTextLeft(*Liste_Stations), 0, 0, 0);
    row->setSpacing(0);
    for (QPushButton* heading : {Tri_Date, Tri_DX, Tri_QRG})
        row->addWidget(heading);
    row->addWidget(Text1, 1);
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
    // No room is left beside "Voir Mémoire" for these.
    Mnu_Decodages = bar->addAction(QStringLiteral("Voir Décodages"));
    Mnu_Decodages->setObjectName(QStringLiteral("Mnu_Decodages"));
    Mnu_Carte = bar->addAction(QStringLiteral("Voir Carte"));
    Mnu_Carte->setObjectName(QStringLiteral("Mnu_Carte"));

    QMenu* help = bar->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("Mnu_Hlp"));
    help->menuAction()->setObjectName(QStringLiteral("Mnu_Hlp"));
    Mnu_Historique = makeAction(help, "Mnu_Historique", QStringLiteral("Historique"), false);
    Mnu_A_Propos = makeAction(help, "Mnu_A_Propos", QStringLiteral("A Propos"), false);
    Mnu_Maj_Pays =
        makeAction(help, "Mnu_Maj_Pays", QStringLiteral("Mettre à jour les pays"), false);
}
