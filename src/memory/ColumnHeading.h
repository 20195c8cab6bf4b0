#pragma once

#include <QLabel>
#include <vector>

class QListWidget;

// A heading over the lines of a list in a fixed-pitch font. Its text keeps
// its own blanks, but each of its words is drawn at the character column
// given for it, so that it stands over its field of the lines below.
class ColumnHeading : public QLabel {
    Q_OBJECT

public:
    ColumnHeading(const QListWidget& list, std::vector<int> wordColumns, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QListWidget& list_;
    std::vector<int> wordColumns_;
};
