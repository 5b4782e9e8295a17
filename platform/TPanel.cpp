#include "platform/TPanel.h"

#include <QPainter>

TPanel::TPanel(QWidget* parent) : QFrame(parent) {}

void TPanel::setCaption(const QString& caption) {
    caption_ = caption;
    updateGeometry();
    update();
}

void TPanel::setColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

void TPanel::setFontColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor TPanel::Color() const {
    return palette().color(QPalette::Window);
}

QSize TPanel::sizeHint() const {
    if (caption_.isEmpty()) {
        return QFrame::sizeHint();
    }
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(caption_) + 16, metrics.height() + 8};
}

void TPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, caption_);
}
