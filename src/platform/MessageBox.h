#pragma once

#include <QString>

// The program's modal message: title "Pelk_Dedirad", an OK button only, no
// icon. Returns when the user has closed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const QString& text) = 0;
};
