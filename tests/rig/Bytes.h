#pragma once

#include <QByteArray>
#include <initializer_list>

// A byte string from its values.
inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int value : values)
        out.append(static_cast<char>(value));
    return out;
}
