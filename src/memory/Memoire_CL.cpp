#include "Memoire_CL.h"

#include "ColumnHeading.h"
#include "ListClickWatcher.h"
#include "MessageBox.h"
#include "NamedWidgets.h"
#include "SelectedLine.h"
#include "SharedState.h"
#include "SpotLineColumns.h"
#include "WindowGeometry.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Room for the header and a long remark, in characters.
constexpr int ListColumns = 100;
constexpr int ListLines = 16;

} // namespace

const QString Memoire_CL::ColumnHeader =
    QStringLiteral("   Date                DX                QRG   Spotter                       "
                   "Remarques        ");

Memoire_CL::Memoire_CL(SharedState& state, MessageBox& messages, MainWindowLink mainWindow,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), messages_(messages),
      mainWindow_(std::move(mainWindow)) {
    setObjectName(QStringLiteral("Memoire_CL"));
    setWindowTitle(QStringLiteral("Memoire Durerur"));
    // Closed from its title bar, the window is destroyed with its lines.
    setAttribute(Qt::WA_DeleteOnClose);

    // The spot columns line up only in a fixed-pitch font.
    const QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    Memoire = makeNamed<QGroupBox>(this, "Memoire");
    Label2 = makeNamed<QLabel>(Memoire, "Label2");
    Label2->setText(QStringLiteral("Memoire Durerur"));
    QFont title = Label2->font();
    title.setBold(true);
    Label2->setFont(title);
    Label2->setAlignment(Qt::AlignCenter);
    Mem_Dedirad = makeNamed<QListWidget>(Memoire, "Mem_Dedirad");
    Mem_Dedirad->setFont(fixedFont);
    // The header's own blanks do not match the lines' fields: each of its
    // words is drawn over its field.
    Label3 = new ColumnHeading(*Mem_Dedirad,
                               {SpotLineColumns::Date, SpotLineColumns::DX, SpotLineColumns::QRG,
                                SpotLineColumns::Spotter, SpotLineColumns::Remarques},
                               Memoire);
    Label3->setObjectName(QStringLiteral("Label3"));
    const QFontMetrics metrics(fixedFont);
    Mem_Dedirad->setMinimumSize(ListColumns * metrics.horizontalAdvance(QLatin1Char('0')),
                                ListLines * metrics.lineSpacing());

    auto* frameLayout = new QVBoxLayout(Memoire);
    frameLayout->addWidget(Label2);
    frameLayout->addWidget(Label3);
    frameLayout->addWidget(Mem_Dedirad);

    Efface_CL = makeCaptioned<QPushButton>(this, "Efface_CL", QStringLiteral("Effacer"));
    Retour_CL = makeCaptioned<QPushButton>(this, "Retour_CL", QStringLiteral("Retour Durerur"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Efface_CL);
    buttons->addWidget(Retour_CL);
    buttons->addStretch();

    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(Memoire);
    windowLayout->addLayout(buttons);

    new ListClickWatcher(Mem_Dedirad, [this] { Mem_Dedirad_Click(); });
    connect(Efface_CL, &QPushButton::clicked, this, &Memoire_CL::Efface_CL_Click);
    connect(Retour_CL, &QPushButton::clicked, this, &Memoire_CL::Retour_CL_Click);

    Form_Load();
}

void Memoire_CL::Form_Load() {
    adjustSize();
    placeBelowCentre(*this, WindowOffsets::Memoire_CL);
}

void Memoire_CL::Mem_Dedirad_Click() {
    const int row = Mem_Dedirad->currentRow();
    if (row < 0)
        return;
    state_.Ligne_Selection = Mem_Dedirad->item(row)->text();
    if (mainWindow_.tuningPossible())
        mainWindow_.Dedirad_Liste();
}

void Memoire_CL::Efface_CL_Click() {
    QListWidgetItem* line = selectedLine(*Mem_Dedirad);
    if (line == nullptr) {
        messages_.show(QStringLiteral("Selectionnez une ligne a effacer"));
        return;
    }
    // Deleting is not choosing a line: the neighbour that Qt makes current
    // must neither tune the transceiver nor stay selected.
    const QSignalBlocker quiet(Mem_Dedirad);
    delete line;
    Mem_Dedirad->setCurrentRow(-1);
}

void Memoire_CL::Retour_CL_Click() {
    hide();
}
