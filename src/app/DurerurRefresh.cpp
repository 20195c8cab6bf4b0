// The spot list of the main window: its refreshes, sort buttons, filter boxes
// and texts, and the alert test.
#include "Durerur.h"

#include "LocalSpotServer.h"
#include "SpotCollection.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "ControlColours.h"
#include "MessageBox.h"
#include "SettingsStore.h"
#include "SpotTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

void Durerur::Affiche_Dedirad(std::int16_t Bande) {
    refresh_.Affiche_Dedirad(Bande);
    colours_.alertNewEntities(*Liste_Stations);
}

void Durerur::Affiche_Bandes() {
    refresh_.Affiche_Bandes(static_cast<std::int16_t>(Bande_CL->currentIndex()),
                            static_cast<std::int16_t>(Bande_CL2->currentIndex()));
    colours_.alertNewEntities(*Liste_Stations);
}

void Durerur::Afficher_Click() {
    Liste_Stations_Bis.clear();
    Liste_Stations->clear();
    settings_.save(SettingsKeys::BandeDurerur, QString::number(Bande_CL->currentIndex()));
    settings_.save(SettingsKeys::BandeDurerur1, QString::number(Bande_CL2->currentIndex()));
    Affiche_Bandes();
}

void Durerur::Timer2_Timer() {
    for (QLineEdit* field : {Pref, Pays, CQ, Cont, Dec, ITU, QRB, Azi, Journal})
        field->clear();
    Liste_Stations_Bis.clear();
    Liste_Stations->clear();
    Affiche_Bandes();
}

void Durerur::Tri_Date_Click() {
    sortBy(1, Tri_Date);
}

void Durerur::Tri_DX_Click() {
    sortBy(2, Tri_DX);
}

void Durerur::Tri_QRG_Click() {
    sortBy(3, Tri_QRG);
}

void Durerur::sortBy(std::int16_t mode, QPushButton* button) {
    state_.Mode_Tri = mode;
    const QColor buttonFace = QApplication::palette(button).color(QPalette::Button);
    for (QPushButton* heading : {Tri_Date, Tri_DX, Tri_QRG})
        setBackground(heading, heading == button ? CurrentOrderColour : buttonFace);
    // The sort lines are built while decoding: a new order needs the pages
    // again.
    if (!state_.Page_Prete)
        return;
    state_.Page_Prete = false;
    Liste_Stations->clear();
    Liste_Stations_Bis.clear();
    Affiche_Bandes();
}

bool Durerur::filterBoxClicked() {
    if (!state_.Page_Prete)
        return false;
    state_.Page_Prete = false;
    settings_.save(SettingsKeys::BandeDurerur, QString::number(Bande_CL->currentIndex()));
    settings_.save(SettingsKeys::BandeDurerur1, QString::number(Bande_CL2->currentIndex()));
    clearMemory();
    Liste_Stations->clear();
    Liste_Stations_Bis.clear();
    Affiche_Bandes();
    return true;
}

void Durerur::Check1_Click() {
    filterBoxClicked();
}

void Durerur::Check2_Click() {
    if (filterBoxClicked())
        settings_.save(SettingsKeys::TriCall, Indicatif->text());
}

void Durerur::Check4_Click() {
    if (filterBoxClicked())
        settings_.save(SettingsKeys::TriRem, Remarque->text());
}

bool Durerur::Indicatif_KeyPress(QKeyEvent* event) {
    return filterTextKeyPress(*Indicatif, SpotTexts::EnterCallsign, event);
}

bool Durerur::Remarque_KeyPress(QKeyEvent* event) {
    return filterTextKeyPress(*Remarque, SpotTexts::EnterText, event);
}

bool Durerur::filterTextKeyPress(QLineEdit& box, const QString& emptyMessage, QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (box.text().isEmpty()) {
            platform_.messages.show(emptyMessage);
            return true;
        }
        Liste_Stations->clear();
        Liste_Stations_Bis.clear();
        Affiche_Bandes();
        return true;
    }
    // Typed letters a to z go in as capitals; shortcuts are left alone.
    const QString typed = event->text();
    const bool plainKey =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    if (plainKey && typed.size() == 1 && typed[0] >= u'a' && typed[0] <= u'z') {
        box.insert(typed.toUpper());
        return true;
    }
    return false;
}

void Durerur::setSpotSourceReviver(std::function<bool()> revive) {
    refresh_.setSourceReviver(std::move(revive));
}

void Durerur::Test_alerte_Click() {
    refresh_.playAlert();
}

void Durerur::showBusy(bool busy) {
    if (busy) {
        QWidget* focused = QApplication::focusWidget();
        focusBeforeBusy_ = focused != nullptr && isAncestorOf(focused) ? focused : nullptr;
    }
    // Disabling the focused Afficher hands the focus on to the next control,
    // the remark filter, its text selected: the next key typed would replace
    // it. The focus goes back where it was.
    Afficher->setEnabled(!busy);
    Patientez->setVisible(busy);
    if (!busy) {
        QWidget* back = focusBeforeBusy_ != nullptr && focusBeforeBusy_->isEnabled()
                            ? focusBeforeBusy_.data()
                            : Afficher;
        back->setFocus(Qt::OtherFocusReason);
    }
    // The busy state is seen at once.
    if (busy && isVisible())
        repaint();
}

void Durerur::stopRefreshTimer() {
    Timer2->stop();
}

void Durerur::startRefreshTimer() {
    Timer2->start();
}

void Durerur::showUpdateTime(const QString& caption) {
    QTR->setText(caption);
}

void Durerur::showSourceStatus(const QString& text) {
    statusLine_.showSourceStatus(text);
}

void Durerur::clearSpotLines() {
    Liste_Stations->clear();
}

void Durerur::appendSpotLines(const QStringList& lines) {
    Liste_Stations->addItems(lines);
    colours_.colour(*Liste_Stations);
    // Once a page is shown, the local spot server's changes update the list.
    live_.watch(LocalSpotServer::localPort(config_.spotSite()).value_or(0));
    // A site of the web has no spots but its pages' for the band map.
    std::vector<Spot> spots;
    for (const QString& line : lines)
        spots.push_back(spotOfLine(line));
    bandMap_.addPageSpots(spots);
}

void Durerur::updateSpotLines(const QStringList& lines) {
    const QListWidgetItem* selected = Liste_Stations->currentItem();
    const QString selectedLine = selected != nullptr ? selected->text() : QString();
    const QListWidgetItem* top = Liste_Stations->itemAt(0, 0);
    const QString topLine = top != nullptr ? top->text() : QString();
    const int scrolled = Liste_Stations->verticalScrollBar()->value();
    // Not a click: the selected spot stays selected without tuning again.
    const QSignalBlocker quiet(Liste_Stations);
    Liste_Stations->clear();
    Liste_Stations->addItems(lines);
    colours_.colour(*Liste_Stations);
    if (!selectedLine.isEmpty()) {
        const QList<QListWidgetItem*> same =
            Liste_Stations->findItems(selectedLine, Qt::MatchExactly);
        if (!same.isEmpty())
            Liste_Stations->setCurrentItem(same.first());
    }
    // Lines do not move under the pointer: the first one shown stays first.
    const QList<QListWidgetItem*> first = Liste_Stations->findItems(topLine, Qt::MatchExactly);
    if (!topLine.isEmpty() && !first.isEmpty())
        Liste_Stations->scrollToItem(first.first(), QAbstractItemView::PositionAtTop);
    else
        Liste_Stations->verticalScrollBar()->setValue(scrolled);
}

bool Durerur::firstPageShown() const {
    return !QTR->text().isEmpty();
}

std::pair<int, int> Durerur::shownBands() const {
    return {Bande_CL->currentIndex(), Bande_CL2->currentIndex()};
}

void Durerur::updateSpots() {
    QSet<QString> listed;
    for (int row = 0; row < Liste_Stations->count(); ++row)
        listed.insert(listedKey(spotOfLine(Liste_Stations->item(row)->text())));
    if (refresh_.updateBands(static_cast<std::int16_t>(Bande_CL->currentIndex()),
                             static_cast<std::int16_t>(Bande_CL2->currentIndex()), listed))
        colours_.alertNewEntities(*Liste_Stations);
}

FilterChoices Durerur::filterChoices() const {
    FilterChoices choices;
    choices.Check1 = Check1->isChecked();
    choices.Check2 = Check2->isChecked();
    choices.Check3 = Check3->isChecked();
    choices.Check4 = Check4->isChecked();
    choices.Indicatif = Indicatif->text();
    choices.Remarque = Remarque->text();
    const std::shared_ptr<const LogSnapshot> log = log_.snapshot();
    choices.neededOnly = Check5->isChecked() && log->hasLog;
    choices.isNeeded = [log](const Spot& spot) { return isNeeded(log->statusOfSpot(spot)); };
    return choices;
}
