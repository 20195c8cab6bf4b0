#include "ListClickWatcher.h"

#include <QEvent>
#include <QListWidget>

ListClickWatcher::ListClickWatcher(QListWidget* list, std::function<void()> onClick)
    : QObject(list), onClick_(std::move(onClick)) {
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::currentRowChanged, this, [this] {
        ++changes_;
        onClick_();
    });
    // A press that did not change the selection is a click on the same line.
    connect(list, &QListWidget::itemPressed, this, [this] {
        if (changes_ == changesAtPress_)
            onClick_();
    });
}

bool ListClickWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        changesAtPress_ = changes_;
    return QObject::eventFilter(watched, event);
}
