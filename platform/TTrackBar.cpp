#include "platform/TTrackBar.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>
#include <utility>

namespace {

constexpr int kTickGap = 1;     // between the handle and the top of a tick
constexpr int kTickLength = 4;  // in pixels
constexpr int kTickSpace = kTickGap + kTickLength;

}  // namespace

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);
}

void TTrackBar::setTicks(std::vector<int> positions) {
    ticks_ = std::move(positions);
    update();
}

void TTrackBar::clearTicks() {
    ticks_.clear();
    update();
}

QSize TTrackBar::sizeHint() const {
    return QSlider::sizeHint() + QSize(0, 2 * kTickSpace);
}

QSize TTrackBar::minimumSizeHint() const {
    return QSlider::minimumSizeHint() + QSize(0, 2 * kTickSpace);
}

int TTrackBar::tickX(const QStyleOptionSlider& option, int position) const {
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), position, span, option.upsideDown);
}

void TTrackBar::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (ticks_.empty()) {
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int top = handle.bottom() + 1 + kTickGap;
    const int bottom = std::min(top + kTickLength, height()) - 1;
    QPainter painter(this);
    painter.setPen(option.palette.color(QPalette::WindowText));
    for (const int position : ticks_) {
        if (position >= minimum() && position <= maximum()) {
            const int x = tickX(option, position);
            painter.drawLine(x, top, x, bottom);
        }
    }
}
