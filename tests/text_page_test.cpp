// The text page on a real window.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "tests/support/WindowTest.h"

namespace {

class TextPageTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        addFrames(3);
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        form->Memo1->setPlainText(QStringLiteral("AB"));
    }
    void fontMouse(QEvent::Type type, int x, int y) { mouse(type, x, y, form->LeadFont); }
    auto panelFrames() const { return framesOf(*form->LeadMNF); }
};

// Lines and the size field size the text. A drag stops at the left edge; the pointer going back
// moves it at once. A preview twice the frame's width halves every place: column 15 is 7.
TEST_F(TextPageTest, SizeDecorationDraggingAndPlace) {
    const QSize oneLine(form->LeadWk1->BitmapWidth(), form->LeadWk1->BitmapHeight());
    form->Memo1->setPlainText(QStringLiteral("AB\n\nAB\n"));
    // An empty line adds no width, the last line break no height.
    EXPECT_EQ(QSize(form->LeadWk1->BitmapWidth(), form->LeadWk1->BitmapHeight()),
              QSize(oneLine.width(), 3 * (oneLine.height() - 2) + 2));
    form->Memo1->setPlainText(QStringLiteral("AB"));
    const int narrow = form->LeadWk1->BitmapWidth();
    form->FontSize->setText(QStringLiteral("9"));
    EXPECT_EQ(std::pair(form->udFont->Position(), form->LeadWk1->BitmapWidth()),
              std::pair(10, narrow));
    form->FontSizeExit();
    EXPECT_EQ(form->FontSize->text(), QStringLiteral("10"));
    form->FontSize->setText(QStringLiteral("1"));
    form->FontSize->setText(QStringLiteral("12"));
    EXPECT_EQ(form->udFont->Position(), 12);
    EXPECT_GT(form->LeadWk1->BitmapWidth(), narrow);

    for (int decoration : {1, 2, 3, 4, 0}) {
        form->cbFEffect->setCurrentIndex(decoration);
        EXPECT_EQ(form->cbFontB->isVisibleTo(form->TabSheet3), decoration == 1 || decoration == 2)
            << decoration;
    }

    form->FontRect.Left = 10;
    form->FontRect.Top = 10;
    form->DrawFont();
    const int x = form->LeadFont->DstLeft() + 12;
    const int y = form->LeadFont->DstTop() + 12;
    fontMouse(QEvent::MouseMove, x, y);
    ASSERT_EQ(form->CurrentCursor, -22);
    fontMouse(QEvent::MouseButtonPress, x, y);
    fontMouse(QEvent::MouseMove, x - 6, y + 3);
    EXPECT_EQ(std::pair(form->FontRect.Left, form->FontRect.Top), std::pair(4, 13));
    fontMouse(QEvent::MouseMove, x - 20, y + 3);
    EXPECT_EQ(form->FontRect.Left, 4) << "refused: it would leave the preview";
    fontMouse(QEvent::MouseMove, x - 18, y + 3);
    EXPECT_EQ(form->FontRect.Left, 6) << "the refused move still moved the reference";
    fontMouse(QEvent::MouseButtonRelease, x - 18, y + 3);
    EXPECT_FALSE(form->Dragging);

    form->LeadFont->resize(2 * form->PanelWidth, 2 * form->PanelHeight);
    form->FontRect.Left = 15;
    form->FontRect.Top = 5;
    form->DrawFont();
    EXPECT_EQ(form->textPlace(), QPoint(7, 2));
    EXPECT_EQ(form->FontRect.Right, 15 + 2 * form->LeadWk1->BitmapWidth());
    EXPECT_EQ(form->StatusBar1->panelText(2), QStringLiteral("Font :(7,2)-(%1,%2)")
                                                  .arg(7 + form->LeadWk1->BitmapWidth())
                                                  .arg(2 + form->LeadWk1->BitmapHeight()));
}

// Stamping twice is stamping once; all frames take the text and one undo takes it back; the
// colour frames never change.
TEST_F(TextPageTest, StampingIntoOneOrAllFramesIsUndone) {
    const auto before = panelFrames();
    const imaging::Picture colour = form->LeadCLF->frame(1);
    form->tbOutPre->setPosition(2);
    form->abbInsFont->click();
    const auto once = panelFrames();
    EXPECT_TRUE(once[1] != before[1] && once[0] == before[0]);
    form->abbInsFont->click();
    EXPECT_EQ(panelFrames()[1], once[1]) << "stamping again changes nothing";
    form->abbUndo2->click();
    form->abbUndo2->click();
    EXPECT_EQ(panelFrames(), before);

    form->abbInsFontA->click();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_NE(panelFrames()[i], before[i]) << i;
    }
    EXPECT_EQ(form->tbOutPre->Position(), 2);
    form->abbUndo2->click();
    EXPECT_EQ(panelFrames(), before);
    EXPECT_EQ(form->LeadCLF->frame(1), colour);

    // A text too large to draw shows the frame alone and stamps nothing.
    form->PreviewCrop(form->StartRect);  // leaves the text image's work picture empty
    form->udFont->setPosition(36);
    form->Memo1->setPlainText(QString(30000, QLatin1Char('W')));
    form->abbInsFontA->click();
    EXPECT_FALSE(form->LeadWk1->hasBitmap()) << "refused as too large";
    EXPECT_EQ(panelFrames(), before);
    EXPECT_TRUE(form->LeadFont->hasBitmap());
}

}  // namespace
