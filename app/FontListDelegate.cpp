#include "app/FontListDelegate.h"

#include <QPainter>

namespace {

constexpr int kNamePointSize = 12;

}  // namespace

void lbFontOnDrawItem(QPainter& painter, const QRect& rect, const QString& name, bool selected) {
    QFont font(name);
    font.setPointSize(kNamePointSize);
    painter.fillRect(rect, selected ? QColor(0x00, 0x00, 0x80) : QColor(Qt::white));
    painter.setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    painter.setFont(font);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
}

QSize FontListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), kItemHeight};
}

void FontListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    painter->save();
    lbFontOnDrawItem(*painter, option.rect, index.data(Qt::DisplayRole).toString(),
                     option.state.testFlag(QStyle::State_Selected));
    painter->restore();
}
