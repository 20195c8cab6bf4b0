// The spot memory and callsign lookup buttons of the main window.
#include "Durerur.h"

#include "LookupAddress.h"
#include "SelectedLine.h"
#include "TuningDispatch.h"

#include <QLabel>
#include <QListWidget>

Memoire_CL& Durerur::ensureMemoryWindow() {
    if (memoire_ == nullptr) {
        memoire_ = new Memoire_CL(
            state_, platform_.messages,
            {[this] { return tuningPossible(NumPort->text(), state_.Emetteur_Choisi); },
             [this] { Dedirad_Liste(); }});
    }
    return *memoire_;
}

void Durerur::Memoriser_Click() {
    // With no spot selected there is nothing to put aside.
    const QListWidgetItem* line = selectedLine(*Liste_Stations);
    if (line == nullptr)
        return;
    state_.Ligne_Selection = line->text();
    ensureMemoryWindow().Mem_Dedirad->addItem(state_.Ligne_Selection);
}

void Durerur::Voir_Mem_Click() {
    Memoire_CL& memory = ensureMemoryWindow();
    memory.show();
    memory.raise();
    memory.activateWindow();
    memory.Label3->setText(Memoire_CL::ColumnHeader);
}

void Durerur::QRZ_Click() {
    const QString dx = spotOfLine(state_.Ligne_Selection).call;
    const QUrl address = lookupAddress(config_.lookupSite(), dx);
    // The site's name, and the call looked up.
    const QString caption = config_.lookupSiteName() + QStringLiteral(" — ") + dx.trimmed();
    if (qrzWeb_ == nullptr && browser_.show(caption, address))
        return;
    if (qrzWeb_ == nullptr) {
        qrzWeb_ = new QRZ_Web(caption, address);
        qrzWeb_->show();
    }
    qrzWeb_->raise();
    qrzWeb_->activateWindow();
}

void Durerur::clearMemory() {
    ensureMemoryWindow().Mem_Dedirad->clear();
}
