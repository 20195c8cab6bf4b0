#include "ModalCloser.h"

#include <QApplication>
#include <QMessageBox>

ModalCloser::ModalCloser() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

ModalCloser::~ModalCloser() {
    timer_.stop();
}

void ModalCloser::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr)
        return;
    texts_.append(box->text());
    titles_.append(box->windowTitle());
    box->accept();
}
