#pragma once

#include <QtWidgets>

// Closes every application-modal box as soon as it opens and records its
// text, so that a test can run a handler that shows a message.
class ModalCloser {
public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_.append(box->text());
                plainOnly_ = plainOnly_ && box->textFormat() == Qt::PlainText;
                box->accept();
            }
        });
        timer_.start(10);
    }

    const QStringList& texts() const { return texts_; }
    // Every box showed its text as it is, never as markup.
    bool plainOnly() const { return plainOnly_; }

private:
    QTimer timer_;
    QStringList texts_;
    bool plainOnly_ = true;
};
