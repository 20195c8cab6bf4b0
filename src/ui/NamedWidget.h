#pragma once

#include <QString>
#include <QWidget>

// A control of a window, carrying its name in the text as its objectName, by
// which tests and anyone driving the program find it.
template <class Widget> Widget* makeNamed(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
