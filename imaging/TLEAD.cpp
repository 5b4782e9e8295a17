#include "imaging/TLEAD.h"

#include <QPainter>
#include <algorithm>

#include "imaging/QtImage.h"
#include "imaging/Status.h"

using namespace imaging;

namespace {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 6400;

}  // namespace

TLEAD::TLEAD(QWidget* parent) : QWidget(parent) {
    model_.setChangeListener([this] { pictureChanged(); });
}

TLEAD::~TLEAD() = default;

// --- Pen and outlines ---
int TLEAD::DrawRectangle(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) {
        return kInvalidArgument;
    }
    const QRect r(left, top, width, height);
    if (drawMode_ == kDrawModeXorPen) {
        const auto found = std::find(overlay_.begin(), overlay_.end(), r);
        if (found != overlay_.end()) {
            overlay_.erase(found);
        } else {
            overlay_.push_back(r);
        }
        viewChanged();
        return kOk;
    }
    return model_.drawOutline(r, penWidth_, penColour_);
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
    if (autoRepaint_) {
        update();
    }
}

void TLEAD::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasBitmap()) {
        const QRect target(dstLeft_, dstTop_, DstWidth(), DstHeight());
        painter.save();
        painter.setClipRect(QRect(clipLeft_, clipTop_, target.width(), target.height()) & rect());
        painter.drawImage(target, displayImage());
        painter.restore();
    }
    if (!overlay_.empty()) {
        QPen pen(toQRgb(penColour_));
        pen.setWidth(penWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const QRect& r : overlay_) {
            painter.drawRect(r);
        }
    }
}
