#pragma once

#include "BandMapSpots.h"

#include <QColor>
#include <QWidget>
#include <optional>
#include <vector>

class QToolButton;

// The frequency axis of one band, low at the top, with a mark at the radio's
// frequency, and beside it one button per entry (its call, its count): at
// its frequency's height, stacked where they would overlap, with a line to
// that height. Each button is an accessible object named as a screen reader
// should read it. The wheel and + / − zoom around the radio's frequency, and
// the view keeps that frequency in sight as it moves.
class BandMapView : public QWidget {
    Q_OBJECT

public:
    // An entry as shown: its description for a screen reader, its colour
    // (invalid: the usual), how much it stands out, its tooltip.
    struct Shown {
        BandMapEntry entry;
        QString description;
        QColor colour;
        double freshness = 1.0;
        QString tooltip;
    };

    explicit BandMapView(QWidget* parent = nullptr);

    // The band's edges in kHz: the whole band shown.
    void setBand(double lowKhz, double highKhz);
    void setRadioKhz(std::optional<double> khz);
    void showEntries(const std::vector<Shown>& entries);
    // The range shown, in kHz.
    double lowKhz() const { return low_; }
    double highKhz() const { return high_; }

    // The entries' buttons, lowest frequency first.
    const std::vector<QToolButton*>& buttons() const { return buttons_; }

    // Zooms in (factor below 1) or out around the radio's frequency, else
    // the middle of the range shown, within the band.
    void zoom(double factor);

signals:
    // The keyboard moved to this entry's button, which may lie out of sight.
    void entryFocused(QWidget* entry);
    void entryChosen(const Spot& spot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Up and down move between the entries, Enter chooses one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int yOfKhz(double khz) const;
    void placeButtons();
    // Keeps the radio's frequency inside the range shown.
    void follow();

    double bandLow_ = 14000;
    double bandHigh_ = 14350;
    double low_ = 14000;
    double high_ = 14350;
    std::optional<double> radio_;
    std::vector<Shown> shown_;
    std::vector<QToolButton*> buttons_;
};
