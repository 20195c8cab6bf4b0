#include "SelectedLine.h"

#include <QListWidget>

QListWidgetItem* selectedLine(const QListWidget& list) {
    QListWidgetItem* current = list.currentItem();
    return current != nullptr && current->isSelected() ? current : nullptr;
}
