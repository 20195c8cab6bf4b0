#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

// The one factory of the windows' controls: each carries its name in the
// text as its objectName, by which tests and anyone driving the program find
// it, and, where the window places it by hand, its design geometry.

template <class Widget> Widget* makeNamed(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

template <class Widget>
Widget* makeNamed(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = makeNamed<Widget>(parent, name);
    widget->setGeometry(geometry);
    return widget;
}

// A label, button or check box with its caption.
template <class Widget>
Widget* makeCaptioned(QWidget* parent, const char* name, const QString& caption,
                      const QRect& geometry = {}) {
    auto* widget = geometry.isNull() ? makeNamed<Widget>(parent, name)
                                     : makeNamed<Widget>(parent, name, geometry);
    widget->setText(caption);
    return widget;
}
