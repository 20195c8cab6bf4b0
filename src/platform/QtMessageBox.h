#pragma once

#include "MessageBox.h"

class QWidget;

// MessageBox over QMessageBox, modal to the whole application.
class QtMessageBox : public MessageBox {
public:
    static const QString Title;

    void show(const QString& text) override;
};
