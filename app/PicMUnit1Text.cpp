// The text page: the text preview over the current output frame, moving the text with the
// mouse, stamping it into one frame or all, and the page's own inputs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "app/InputFrameBar.h"
#include "app/PicMUnit1.h"
#include "imaging/Status.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "store/Undoctl.h"
#include "text/TextImage.h"

namespace {

// The memo's lines as it shows them: a long line wrapped at the memo's width gives several,
// and an empty last line (the text ends with a line break) gives none.
QStringList displayedLines(const QPlainTextEdit& memo) {
    QStringList lines;
    const QTextDocument* document = memo.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout* layout = block.layout();
        if (layout == nullptr || layout->lineCount() == 0) {
            lines.append(text);
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.append(text.mid(line.textStart(), line.textLength()));
        }
    }
    if (!lines.isEmpty() && lines.last().isEmpty() &&
        (document->blockCount() > 1 || document->isEmpty())) {
        lines.removeLast();
    }
    return lines;
}

}  // namespace

text::TextSettings TForm1::textSettings() const {
    text::TextSettings s;
    s.lines = displayedLines(*Memo1);
    s.fontName = FontList->currentItem() != nullptr ? FontList->currentItem()->text() : QString();
    s.pointSize = udFont->Position();
    s.bold = cboxBold->isChecked();
    s.italic = cboxItalic->isChecked();
    s.underline = cboxUnderL->isChecked();
    s.strikeOut = cboxStrikeOut->isChecked();
    s.decoration = cbFEffect->currentIndex();
    s.textColour = cbFColor->currentIndex();
    s.outlineColour = cbFontB->currentIndex();
    s.angle = tbFontAngle->Position();
    return s;
}

TForm1::FontScale TForm1::fontScale() const {
    return {static_cast<float>(PanelWidth) / static_cast<float>(std::max(1, LeadFont->width())),
            static_cast<float>(PanelHeight) / static_cast<float>(std::max(1, LeadFont->height()))};
}

// Truncated: the whole pixel is the one the preview shows, also when the text is stamped.
QPoint TForm1::textPlace() const {
    const FontScale s = fontScale();
    return {static_cast<int>(static_cast<float>(FontRect.Left) * s.x),
            static_cast<int>(static_cast<float>(FontRect.Top) * s.y)};
}

// Without an output frame shown there is nothing to lay the text over.
void TForm1::DrawFont() {
    if (!LeadMono->hasBitmap()) {
        if (LeadFont->hasBitmap()) {
            LeadFont->releaseBitmap();
        }
        return;
    }
    if (text::buildTextImage(textSettings(), *LeadWk1, *LeadWk2) != imaging::kOk) {
        // A text too large to draw shows the frame without it and cannot be stamped.
        LeadWk1->releaseBitmap();
        LeadWk2->releaseBitmap();
    }
    LeadGrWk->setBitmapFrom(*LeadMNF);
    if (LeadGrWk->hasBitmap() && LeadWk1->hasBitmap()) {
        const QPoint at = textPlace();
        text::layOver(*LeadGrWk, at.x(), at.y(), *LeadWk1->picture(), *LeadWk2->picture());
    }
    TintPanelPalette(*LeadGrWk, BackColorCode);
    ShowFitted(LeadFont, *LeadGrWk);
    const FontScale s = fontScale();
    FontRect.Right =
        static_cast<int>(static_cast<float>(LeadWk1->BitmapWidth()) / s.x) + FontRect.Left;
    FontRect.Bottom =
        static_cast<int>(static_cast<float>(LeadWk1->BitmapHeight()) / s.y) + FontRect.Top;
    ShowFrameStatus(FontRect);
}

void TForm1::insertTextInto(int index) {
    if (!LeadWk1->hasBitmap() || !LeadWk2->hasBitmap()) {
        return;
    }
    LeadMNF->setBitmapListIndex(index);
    LeadGrWk->setBitmapFrom(*LeadMNF);
    const QPoint at = textPlace();
    text::layOver(*LeadGrWk, at.x(), at.y(), *LeadWk1->picture(), *LeadWk2->picture());
    LeadMNF->setBitmap(*LeadGrWk->picture());
}

void TForm1::abbInsFClick() {
    if (!LeadMNF->hasBitmap()) {
        return;
    }
    UndoControl->Push(LeadMNF->BitmapListIndex(), 1, nullptr, LeadMNF.get());
    DrawFont();
    insertTextInto(LeadMNF->BitmapListIndex());
    TintPanelPalette(*LeadGrWk, BackColorCode);
    ShowFitted(LeadMono, *LeadGrWk);
    DrawFont();
}

void TForm1::abbInsFAClick() {
    const int count = LeadMNF->BitmapListCount();
    if (count == 0) {
        return;
    }
    UndoControl->Push(0, count, nullptr, LeadMNF.get());
    DrawFont();
    const int current = LeadMNF->BitmapListIndex();
    for (int i = 0; i < count; ++i) {
        insertTextInto(i);
    }
    LeadMNF->setBitmapListIndex(current);
    tbOutPreOnChange();
}

void TForm1::LFontMDown(int x, int y) {
    Dragging = true;
    DragX = x;
    DragY = y;
}

void TForm1::LFontMUp(int, int) {
    Dragging = false;
}

// While the text is held, a move refused in one direction (it would leave the preview) still
// advances that direction's reference point.
void TForm1::LFontMMove(int x, int y) {
    if (Dragging && CurrentCursor == app::kCursorMove) {
        const int dx = x - DragX;
        const int dy = y - DragY;
        if (app::moveTextFrame(FontRect, dx, dy, LeadFont->width(), LeadFont->height())) {
            DrawFont();
            DragX = dx != 0 ? x : DragX;
            DragY = dy != 0 ? y : DragY;
        }
        return;
    }
    app::ViewerGeometry view;
    view.dstLeft = LeadFont->DstLeft();
    view.dstTop = LeadFont->DstTop();
    const bool over = app::hitTestFrame(FontRect, view, x, y) != app::kZoneOutside;
    const std::int16_t cursor = over ? app::kCursorMove : 0;
    if (cursor != CurrentCursor) {
        CurrentCursor = cursor;
        LeadFont->setCursorId(cursor);
    }
}

// A size is taken as soon as the typed number is one (typing 1 then 2 draws once, at 12).
void TForm1::FontSizeChange() {
    const auto size = app::parseFrameNumber(FontSize->text(), udFont->Min(), udFont->Max());
    if (size) {
        udFont->setPosition(*size);
        DrawFont();
    }
}

void TForm1::FontSizeExit() {
    if (!app::parseFrameNumber(FontSize->text(), udFont->Min(), udFont->Max())) {
        FontSize->setText(QString::number(udFont->Position()));
    }
}

void TForm1::cbFEffectChange() {
    const int decoration = cbFEffect->currentIndex();
    const bool withOutline = decoration == text::kOutline || decoration == text::kShadow;
    cbFontB->setVisible(withOutline);
    Label18->setVisible(withOutline);
    DrawFont();
}
