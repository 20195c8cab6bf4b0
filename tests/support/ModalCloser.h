#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

// Closes every application-modal box as soon as it opens and records its
// title and text, so that a test can run a handler that shows a message.
class ModalCloser {
public:
    ModalCloser();
    ~ModalCloser();

    const QStringList& texts() const { return texts_; }
    const QStringList& titles() const { return titles_; }

private:
    void poll();

    QTimer timer_;
    QStringList texts_;
    QStringList titles_;
};
