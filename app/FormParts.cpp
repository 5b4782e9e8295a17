#include "app/FormParts.h"

#include <QPainter>
#include <QPixmap>

#include "platform/Icons.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"

namespace formparts {

QColor qtColour(imaging::Colour colour) {
    return QColor(imaging::redOf(colour), imaging::greenOf(colour), imaging::blueOf(colour));
}

namespace {

constexpr int kGlyphSize = 24;

QIcon letterGlyph(const QString& letter, const QColor& ink) {
    QPixmap pixmap(kGlyphSize * 2, kGlyphSize * 2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen frame(ink, 3, Qt::DashLine);
    painter.setPen(frame);
    painter.drawRect(QRectF(4, 6, pixmap.width() - 8, pixmap.height() - 12));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(pixmap.height() / 2);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
    return QIcon(pixmap);
}

TABitBtn* flatButton(QWidget* parent, const char* name, TABitBtn::TBtnMode mode) {
    auto* b = named<TABitBtn>(parent, name);
    b->setBtnMode(mode);
    b->setIconSize(QSize(kGlyphSize, kGlyphSize));
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

TABitBtn* button(QWidget* parent, const char* name, const char* themeName,
                 QStyle::StandardPixmap fallback, TABitBtn::TBtnMode mode) {
    TABitBtn* b = flatButton(parent, name, mode);
    b->setGlyph(platform::themedIcon(themeName, fallback));
    return b;
}

TABitBtn* letterButton(QWidget* parent, const char* name, const QString& letter,
                       TABitBtn::TBtnMode mode) {
    TABitBtn* b = flatButton(parent, name, mode);
    b->setGlyph(letterGlyph(letter, parent->palette().color(QPalette::ButtonText)));
    return b;
}

TPanel* heading(QWidget* parent, const char* name) {
    TPanel* p = box(parent, name, kHeadingColour);
    p->setFontColor(Qt::white);
    QFont font = p->font();
    font.setBold(true);
    p->setFont(font);
    p->setFixedHeight(p->fontMetrics().height() + 8);
    return p;
}

TPanel* box(QWidget* parent, const char* name, imaging::Colour colour) {
    auto* p = named<TPanel>(parent, name);
    p->setColor(qtColour(colour));
    return p;
}

TPanel* previewHolder(QWidget* parent, const char* name) {
    TPanel* holder = box(parent, name, kBoxColour);
    holder->setFixedSize(kPreviewHolderWidth, kPreviewHolderHeight);
    return holder;
}

TTrackBar* trackBar(QWidget* parent, const char* name, int min, int max, int position) {
    auto* t = named<TTrackBar>(parent, name);
    t->setMin(min);
    t->setMax(max);
    t->setPosition(position);
    return t;
}

}  // namespace formparts
