#include "ListClickWatcher.h"

#include <QEvent>
#include <QListWidget>

ListClickWatcher::ListClickWatcher(QListWidget* list, std::function<void()> onClick)
    : QObject(list), onClick_(std::move(onClick)) {
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
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
    // A list without a current line (new, or just filled again) makes its
    // first line current when it gets the focus from the keyboard, which
    // would choose a spot, and tune the radio, on a mere Tab. Setting "no
    // line" first tells the view that the choice is already made.
    if (event->type() == QEvent::FocusIn) {
        auto* list = static_cast<QListWidget*>(parent());
        if (watched == list && !list->currentIndex().isValid())
            list->setCurrentIndex(QModelIndex());
    }
    return QObject::eventFilter(watched, event);
}
