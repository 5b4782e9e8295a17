#include "imaging/TLEAD.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "imaging/QtImage.h"
#include "imaging/Status.h"

using namespace imaging;

namespace {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 6400;

Qt::CursorShape cursorShapeOf(std::int16_t id) {
    switch (id) {
        case -6:
            return Qt::SizeBDiagCursor;
        case -7:
            return Qt::SizeVerCursor;
        case -8:
            return Qt::SizeFDiagCursor;
        case -9:
            return Qt::SizeHorCursor;
        case -22:
            return Qt::SizeAllCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace

TLEAD::TLEAD(QWidget* parent)
    : QWidget(parent),
      horizontalBar_(new QScrollBar(Qt::Horizontal, this)),
      verticalBar_(new QScrollBar(Qt::Vertical, this)) {
    model_.setChangeListener([this] { pictureChanged(); });
    horizontalBar_->hide();
    verticalBar_->hide();
    connect(horizontalBar_, &QScrollBar::valueChanged, this, &TLEAD::scrollHorizontally);
    connect(verticalBar_, &QScrollBar::valueChanged, this, &TLEAD::scrollVertically);
}

TLEAD::~TLEAD() = default;

// --- Pen and outlines ---
int TLEAD::DrawRectangle(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) {
        return kInvalidArgument;
    }
    const QRect r(left, top, width, height);
    if (drawMode_ == kDrawModeXorPen) {
        // Kept relative to the picture, so an outline scrolls with it.
        const QRect onPicture = r.translated(-dstLeft_, -dstTop_);
        const auto found = std::find(overlay_.begin(), overlay_.end(), onPicture);
        if (found != overlay_.end()) {
            overlay_.erase(found);
        } else {
            overlay_.push_back(onPicture);
        }
        viewChanged();
        return kOk;
    }
    return model_.drawOutline(r, penWidth_, penColour_);
}

void TLEAD::clearOverlay() {
    overlay_.clear();
    viewChanged();
}

// --- View ---

void TLEAD::setPaintSizeMode(int mode) {
    paintSizeMode_ = mode == kPaintSizeZoom ? kPaintSizeZoom : kPaintSizeFit;
    viewChanged();
}

void TLEAD::setPaintZoomFactor(int percent) {
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    viewChanged();
}

int TLEAD::DstWidth() const {
    if (paintSizeMode_ == kPaintSizeFit) {
        return width();
    }
    return static_cast<int>(static_cast<long long>(BitmapWidth()) * zoom_ / 100);
}

int TLEAD::DstHeight() const {
    if (paintSizeMode_ == kPaintSizeFit) {
        return height();
    }
    return static_cast<int>(static_cast<long long>(BitmapHeight()) * zoom_ / 100);
}

void TLEAD::setDstLeft(int left) {
    dstLeft_ = left;
    viewChanged();
}

void TLEAD::setDstTop(int top) {
    dstTop_ = top;
    viewChanged();
}

void TLEAD::setDstClipLeft(int left) {
    clipLeft_ = left;
    viewChanged();
}

void TLEAD::setDstClipTop(int top) {
    clipTop_ = top;
    viewChanged();
}

void TLEAD::setAutoRepaint(bool on) {
    autoRepaint_ = on;
    if (on) {
        update();
    }
}

const QImage& TLEAD::displayImage() const {
    if (!displayImage_) {
        displayImage_ = hasBitmap() ? viewOfPicture(*picture()) : QImage();
    }
    return *displayImage_;
}

void TLEAD::pictureChanged() {
    displayImage_.reset();
    viewChanged();
}

void TLEAD::viewChanged() {
    updateScrollBars();
    if (autoRepaint_) {
        update();
    }
}

// Each bar shows when the picture is larger than the room left beside the other bar; its
// value is how far the picture is scrolled.
void TLEAD::updateScrollBars() {
    if (updatingScrollBars_) {
        return;
    }
    updatingScrollBars_ = true;
    const bool zoomed = paintSizeMode_ == kPaintSizeZoom && hasBitmap();
    const int pictureWidth = zoomed ? DstWidth() : 0;
    const int pictureHeight = zoomed ? DstHeight() : 0;
    bool horizontal = pictureWidth > width();
    const bool vertical = pictureHeight > height() - (horizontal ? kScrollBarExtent : 0);
    horizontal = pictureWidth > width() - (vertical ? kScrollBarExtent : 0);
    const int roomWidth = width() - (vertical ? kScrollBarExtent : 0);
    const int roomHeight = height() - (horizontal ? kScrollBarExtent : 0);
    horizontalBar_->setGeometry(0, height() - kScrollBarExtent, roomWidth, kScrollBarExtent);
    verticalBar_->setGeometry(width() - kScrollBarExtent, 0, kScrollBarExtent, roomHeight);
    const int scrollWidth = std::max(0, pictureWidth - roomWidth);
    const int scrollHeight = std::max(0, pictureHeight - roomHeight);
    horizontalBar_->setRange(0, scrollWidth);
    horizontalBar_->setPageStep(std::max(1, roomWidth));
    horizontalBar_->setValue(-dstLeft_);
    verticalBar_->setRange(0, scrollHeight);
    verticalBar_->setPageStep(std::max(1, roomHeight));
    verticalBar_->setValue(-dstTop_);
    horizontalBar_->setVisible(horizontal);
    verticalBar_->setVisible(vertical);
    updatingScrollBars_ = false;
}

void TLEAD::scrollIntoRange() {
    const int left = std::clamp(dstLeft_, -horizontalBar_->maximum(), 0);
    const int top = std::clamp(dstTop_, -verticalBar_->maximum(), 0);
    dstLeft_ = clipLeft_ = left;
    dstTop_ = clipTop_ = top;
    viewChanged();
}

void TLEAD::scrollHorizontally(int value) {
    if (updatingScrollBars_) {
        return;
    }
    clipLeft_ = -value;
    dstLeft_ = -value;
    viewChanged();
}

void TLEAD::scrollVertically(int value) {
    if (updatingScrollBars_) {
        return;
    }
    clipTop_ = -value;
    dstTop_ = -value;
    viewChanged();
}

QRect TLEAD::pictureArea() const {
    return rect().adjusted(0, 0, verticalBar_->isVisible() ? -kScrollBarExtent : 0,
                           horizontalBar_->isVisible() ? -kScrollBarExtent : 0);
}

void TLEAD::resizeEvent(QResizeEvent*) {
    updateScrollBars();
}

// --- Mouse ---

void TLEAD::setCursorId(std::int16_t id) {
    cursorId_ = id;
    if (id == 0) {
        unsetCursor();
    } else {
        setCursor(cursorShapeOf(id));
    }
}

void TLEAD::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit mouseDown(event->position().toPoint().x(), event->position().toPoint().y());
    }
}

void TLEAD::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TLEAD::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit mouseUp(event->position().toPoint().x(), event->position().toPoint().y());
    }
}

void TLEAD::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasBitmap()) {
        const QRect target(dstLeft_, dstTop_, DstWidth(), DstHeight());
        painter.save();
        painter.setClipRect(QRect(clipLeft_, clipTop_, target.width(), target.height()) &
                            pictureArea());
        painter.drawImage(target, displayImage());
        painter.restore();
    }
    if (horizontalBar_->isVisible() && verticalBar_->isVisible()) {
        painter.fillRect(verticalBar_->x(), horizontalBar_->y(), kScrollBarExtent, kScrollBarExtent,
                         palette().window());
    }
    if (!overlay_.empty()) {
        QPen pen(toQRgb(penColour_));
        pen.setWidth(penWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const QRect& r : overlay_) {
            painter.drawRect(r.translated(dstLeft_, dstTop_));
        }
    }
}
