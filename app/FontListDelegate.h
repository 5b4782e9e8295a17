#pragma once

#include <QStyledItemDelegate>

// Draws each entry of the font list in its own font, so the user sees each face; the selected
// entry in white on navy.
class FontListDelegate : public QStyledItemDelegate {
  public:
    static constexpr int kItemHeight = 24;

    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// One entry: its name at 12 points in the font of that name, from the rectangle's top-left.
void lbFontOnDrawItem(QPainter& painter, const QRect& rect, const QString& name, bool selected);
