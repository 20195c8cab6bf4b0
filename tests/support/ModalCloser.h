#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Closes every application-modal box as soon as it opens and records its
// text, so that a test can run a handler that shows a message.
class ModalCloser {
public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_.append(box->text());
                box->accept();
            }
        });
        timer_.start(10);
    }

    const QStringList& texts() const { return texts_; }

private:
    QTimer timer_;
    QStringList texts_;
};
