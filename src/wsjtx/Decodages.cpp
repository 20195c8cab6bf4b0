#include "Decodages.h"

#include "NamedWidgets.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int ListColumns = 110;
constexpr int ListLines = 20;

} // namespace

const QString Decodages::ColumnHeader =
    QStringLiteral("Heure   dB   Hz Mode Indicatif    Pays                 Journal             "
                   "Message");

Decodages::Decodages(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Decodages"));
    setWindowTitle(QStringLiteral("Décodages WSJT-X"));
    // The columns line up only in a fixed-pitch font.
    const QFont fixedFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Entete = makeNamed<QLabel>(this, "Entete");
    Entete->setFont(fixedFont);
    Entete->setText(ColumnHeader);
    Liste_Decodages = makeNamed<QListWidget>(this, "Liste_Decodages");
    Liste_Decodages->setFont(fixedFont);
    const QFontMetrics metrics(fixedFont);
    Liste_Decodages->setMinimumSize(ListColumns * metrics.horizontalAdvance(QLatin1Char('0')),
                                    ListLines * metrics.lineSpacing());
    // The header starts where the lines' text does.
    Entete->setIndent(Liste_Decodages->frameWidth() + 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Entete);
    layout->addWidget(Liste_Decodages, 1);

    connect(Liste_Decodages, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit stationChosen(Liste_Decodages->row(item)); });
    Liste_Decodages->installEventFilter(this);
}

void Decodages::showLines(const QStringList& lines, const QVariantList& colours,
                          const QStringList& calls) {
    const int current = Liste_Decodages->currentRow();
    const QString chosen = current >= 0 && current < calls_.size() ? calls_[current] : QString();
    calls_ = calls;
    Liste_Decodages->clear();
    Liste_Decodages->addItems(lines);
    for (int row = 0; row < lines.size() && row < colours.size(); ++row)
        Liste_Decodages->item(row)->setData(Qt::ForegroundRole, colours[row]);
    if (!chosen.isEmpty())
        Liste_Decodages->setCurrentRow(int(calls_.indexOf(chosen)));
}

bool Decodages::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Liste_Decodages && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Liste_Decodages->currentRow() >= 0) {
            emit stationChosen(Liste_Decodages->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
