#pragma once

#include <QObject>
#include <functional>

class QListWidget;

// Runs a list's click handler whenever its selected line changes (mouse or
// arrow keys) and also when the line already selected is clicked again, so
// that choosing the same spot twice acts twice. Owned by the list.
class ListClickWatcher : public QObject {
    Q_OBJECT

public:
    ListClickWatcher(QListWidget* list, std::function<void()> onClick);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onClick_;
    unsigned changes_ = 0;
    unsigned changesAtPress_ = 0;
};
