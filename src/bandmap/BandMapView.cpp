#include "BandMapView.h"

#include "BandMapLayout.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr int AxisLeft = 70;
constexpr int ButtonLeft = AxisLeft + 40;
constexpr int ColumnWidth = 130;
constexpr int Margin = 8;
// A kilohertz in the narrowest view.
constexpr double NarrowestKhz = 5;

} // namespace

BandMapView::BandMapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Vue_Carte"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(ButtonLeft + 2 * ColumnWidth, 300);
}

void BandMapView::setBand(double lowKhz, double highKhz) {
    bandLow_ = low_ = lowKhz;
    bandHigh_ = high_ = highKhz;
    follow();
    placeButtons();
    update();
}

void BandMapView::setRadioKhz(std::optional<double> khz) {
    radio_ = khz;
    follow();
    placeButtons();
    update();
}

void BandMapView::follow() {
    if (!radio_ || (*radio_ >= low_ && *radio_ <= high_))
        return;
    const double span = high_ - low_;
    low_ = std::clamp(*radio_ - span / 2, bandLow_, bandHigh_ - span);
    high_ = low_ + span;
}

void BandMapView::zoom(double factor) {
    const double span = std::clamp((high_ - low_) * factor, NarrowestKhz, bandHigh_ - bandLow_);
    const double centre =
        radio_ && *radio_ >= bandLow_ && *radio_ <= bandHigh_ ? *radio_ : (low_ + high_) / 2;
    low_ = std::clamp(centre - span / 2, bandLow_, bandHigh_ - span);
    high_ = low_ + span;
    placeButtons();
    update();
}

void BandMapView::showEntries(const std::vector<Shown>& entries) {
    shown_ = entries;
    // One button per entry, reused from one redraw to the next.
    while (buttons_.size() < shown_.size()) {
        auto* button = new QToolButton(this);
        button->setAutoRaise(true);
        // The lines to the frequencies of another column pass behind it.
        button->setAutoFillBackground(true);
        button->setFocusPolicy(Qt::StrongFocus);
        const std::size_t index = buttons_.size();
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, index] {
            if (index < shown_.size())
                emit entryChosen(shown_[index].entry.latest);
        });
        buttons_.push_back(button);
    }
    while (buttons_.size() > shown_.size()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const Shown& shown = shown_[i];
        QToolButton* button = buttons_[i];
        const QString call = shown.entry.latest.call.trimmed();
        button->setText(shown.entry.count > 1
                            ? QStringLiteral("%1 ×%2").arg(call).arg(shown.entry.count)
                            : call);
        // Each change costs an event and a repaint: only what differs is set.
        if (button->accessibleName() != shown.description)
            button->setAccessibleName(shown.description);
        if (button->toolTip() != shown.tooltip)
            button->setToolTip(shown.tooltip);
        // Fading as the text's own transparency: an effect per button would
        // paint each one aside first.
        QColor ink =
            shown.colour.isValid() ? shown.colour : QWidget::palette().color(QPalette::WindowText);
        ink.setAlphaF(float(shown.freshness));
        if (button->palette().color(QPalette::ButtonText) != ink) {
            QPalette palette = button->palette();
            palette.setColor(QPalette::ButtonText, ink);
            button->setPalette(palette);
        }
    }
    placeButtons();
    update();
}

int BandMapView::yOfKhz(double khz) const {
    const int top = Margin;
    const int bottom = height() - Margin;
    return top + int(std::lround((khz - low_) / (high_ - low_) * (bottom - top)));
}

void BandMapView::placeButtons() {
    std::vector<int> wanted;
    std::vector<std::size_t> inView;
    const int buttonHeight = fontMetrics().height() + 6;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const double khz = shown_[i].entry.kHz;
        const bool visible = khz >= low_ && khz <= high_;
        buttons_[i]->setVisible(visible);
        if (!visible)
            continue;
        inView.push_back(i);
        wanted.push_back(std::min(yOfKhz(khz) - buttonHeight / 2, height() - buttonHeight));
    }
    const std::vector<LabelPlace> places = stackedLabels(wanted, buttonHeight, height());
    int columns = 2;
    for (std::size_t n = 0; n < inView.size(); ++n) {
        buttons_[inView[n]]->setGeometry(ButtonLeft + places[n].column * ColumnWidth, places[n].top,
                                         ColumnWidth - Margin, buttonHeight);
        columns = std::max(columns, places[n].column + 1);
    }
    // A crowded band spreads to the right, where the window scrolls.
    setMinimumWidth(ButtonLeft + columns * ColumnWidth);
}

void BandMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(ink);
    painter.drawLine(AxisLeft, yOfKhz(low_), AxisLeft, yOfKhz(high_));
    // A tick with its frequency every tenth of the range, rounded.
    const double step = std::max(1.0, std::pow(10.0, std::floor(std::log10((high_ - low_) / 5))));
    for (double khz = std::ceil(low_ / step) * step; khz <= high_; khz += step) {
        const int y = yOfKhz(khz);
        painter.drawLine(AxisLeft - 5, y, AxisLeft, y);
        painter.drawText(QRect(0, y - 8, AxisLeft - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(khz, 'f', 0));
    }
    // Each entry's line from its frequency to its button.
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (!buttons_[i]->isVisible())
            continue;
        const QRect button = buttons_[i]->geometry();
        painter.drawLine(AxisLeft, yOfKhz(shown_[i].entry.kHz), button.left(), button.center().y());
    }
    if (radio_ && *radio_ >= low_ && *radio_ <= high_) {
        painter.setPen(QPen(Qt::red, 2));
        const int y = yOfKhz(*radio_);
        painter.drawLine(AxisLeft - 12, y, AxisLeft + 12, y);
    }
}

void BandMapView::resizeEvent(QResizeEvent*) {
    placeButtons();
}

void BandMapView::wheelEvent(QWheelEvent* event) {
    zoom(event->angleDelta().y() > 0 ? 0.8 : 1.25);
    event->accept();
}

void BandMapView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Plus)
        zoom(0.8);
    else if (event->key() == Qt::Key_Minus)
        zoom(1.25);
    else
        QWidget::keyPressEvent(event);
}

bool BandMapView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto at = std::find(buttons_.begin(), buttons_.end(), watched);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (at == buttons_.end())
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        (*at)->click();
        return true;
    }
    const int step = key == Qt::Key_Down ? 1 : key == Qt::Key_Up ? -1 : 0;
    if (step == 0)
        return false;
    for (auto next = at + step; next >= buttons_.begin() && next < buttons_.end(); next += step) {
        if ((*next)->isVisible()) {
            (*next)->setFocus(Qt::OtherFocusReason);
            emit entryFocused(*next);
            break;
        }
    }
    return true;
}
