// The input page on a real window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QScrollBar>
#include <algorithm>

#include "tests/support/ClipMaker.h"
#include "tests/support/WindowTest.h"

namespace {

class InputPageTest : public WindowTest {
  protected:
    QString clip(const char* name, int frames, int fps = 25) {
        EXPECT_TRUE(testsupport::writeClip(path(name).toStdString(), testsupport::ClipCodec::kMjpeg,
                                           {.frames = frames, .fps = fps}));
        return path(name);
    }
    int shownFrameNumber() const { return testsupport::frameNumberOf(*form->LeadIn->picture()); }
    void typeFrameNumber(const QString& text) {
        form->FrmNo->setText(text);
        form->frmNoExit();
    }
};

// The first file is not asked about; a clip sets the player's interval and a still leaves it.
TEST_F(InputPageTest, FilesGoBeforeOrAfterTheCurrentFileAndTheirFirstFrameIsShown) {
    load(clip("ten.avi", 10, 20));
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty());
    EXPECT_EQ(std::tuple(form->InputFrames->Total, form->tbInFrame->Max(), form->FrmNo->text()),
              std::tuple(10, 10, QStringLiteral("1")));
    EXPECT_EQ(std::tuple(shownFrameNumber(), form->DirPicIn, form->abbDelPic->Hint(),
                         form->TimerIn->interval()),
              std::tuple(0, dir_.path(), path("ten.avi"), 50));

    typeFrameNumber(QStringLiteral("3"));
    QString asked;
    load(still("after.png", 40, 30), pressOk(false, &asked));
    EXPECT_EQ(std::tuple(asked, form->InputFrames->Total, form->tbInFrame->Position(),
                         form->LeadIn->BitmapWidth(), form->TimerIn->interval()),
              std::tuple(QStringLiteral("1Frames"), 11, 11, 40, 50));

    typeFrameNumber(QStringLiteral("3"));
    load(still("before.png", 50, 20), pressOk(true));
    EXPECT_EQ(std::pair(form->tbInFrame->Position(), form->LeadIn->BitmapWidth()),
              std::pair(1, 50));
    typeFrameNumber(QStringLiteral("12"));
    // Closing the question without OK puts the file in front of the current one.
    load(still("closed.png", 60, 20), [](QDialog&) { return 0; });
    EXPECT_EQ(std::pair(form->tbInFrame->Position(), form->InputFrames->Total), std::pair(12, 13));
    // A picture smaller than the viewer stays centred when the window changes size.
    form->resize(1100, 720);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Panel10->geometry(), QRect((form->PanelIn->width() - 60 - 2) / 2,
                                               (form->PanelIn->height() - 20 - 2) / 2, 60, 20));
}

// The player starts at the first frame and stops at the last; a crop being edited keeps one
// outline.
TEST_F(InputPageTest, FrameNumberFieldPlayerAndSteps) {
    load(clip("clip.avi", 25));
    typeFrameNumber(QStringLiteral("7"));
    typeFrameNumber(QStringLiteral("26"));
    EXPECT_EQ(std::tuple(form->tbInFrame->Position(), form->FrmNo->text(), shownFrameNumber()),
              std::tuple(7, QStringLiteral("7"), 6));
    // A crop frame being edited moves with the shown frame.
    form->abbCutE->click();
    typeFrameNumber(QStringLiteral("9"));
    EXPECT_EQ(std::pair(form->LeadIn->overlayRectangles().size(), form->EndRect.FrameNo),
              std::pair(std::size_t{1}, 9));
    form->abbCutE->click();
    form->tbInFrame->setPosition(20);
    EXPECT_EQ(std::pair(form->FrmNo->text(), shownFrameNumber()),
              std::pair(QStringLiteral("20"), 19));
    typeFrameNumber(QStringLiteral("1"));
    form->abbCutS->click();
    form->abbInFramePlay->click();
    EXPECT_EQ(form->LeadIn->overlayRectangles().size(), 1U);
    form->abbInFrameStopClick();
    form->abbCutS->click();

    typeFrameNumber(QStringLiteral("3"));
    form->abbInFramePlay->click();
    EXPECT_TRUE(form->TimerIn->isActive() && !form->abbInPic->isEnabled());
    EXPECT_EQ(form->tbInFrame->Position(), 1);
    for (int expected = 2; expected <= 26; ++expected) {
        form->timerInOnTimer();
        EXPECT_EQ(std::pair(form->tbInFrame->Position(), shownFrameNumber()),
                  std::pair(std::min(expected, 25), std::min(expected, 25) - 1));
    }
    EXPECT_FALSE(form->TimerIn->isActive() || form->abbInFramePlay->Down());
    EXPECT_TRUE(form->abbInPic->isEnabled());
    TABitBtn *back = form->abbInFrameBack, *next = form->abbInFrameNext;
    const std::pair<TABitBtn*, int> steps[] = {
        {back, 24}, {back, 23}, {form->abbInFrameEnd, 25}, {next, 25}, {form->abbInFrameTop, 1},
        {back, 1}};
    for (const auto& [step, at] : steps) {
        step->click();
        EXPECT_EQ(form->tbInFrame->Position(), at) << step->objectName().toStdString();
    }
}

// Deleting input lowers the crop frames and sets the commands available.
TEST_F(InputPageTest, DeletingInputAndUnreadableFiles) {
    load(clip("four.avi", 4));
    // With one frame the player has nothing to play; cropping is possible.
    load(still("one.png", 30, 20), pressOk(true));
    form->StartRect.FrameNo = 5;
    form->EndRect.FrameNo = 2;
    typeFrameNumber(QStringLiteral("1"));
    form->abbDelPic->click();
    EXPECT_EQ(std::tuple(form->InputFrames->Total, form->tbInFrame->Max(), form->StartRect.FrameNo,
                         form->EndRect.FrameNo),
              std::tuple(4, 4, 4, 2));
    EXPECT_EQ(shownFrameNumber(), 0);
    EXPECT_TRUE(form->abbInFramePlay->isEnabled());
    form->abbDelPic->click();
    EXPECT_EQ(
        std::tuple(form->LeadIn->hasBitmap(), form->tbInFrame->Max(), form->StartRect.FrameNo),
        std::tuple(false, 1, 1));
    EXPECT_FALSE(form->abbDelPic->isEnabled() || form->abbInClr->isEnabled() ||
                 form->abbInFramePlay->isEnabled() || form->abbCutS->isEnabled() ||
                 form->abbCutE->isEnabled() || form->abbExecute->isEnabled());
    load(still("single.png", 30, 20));
    EXPECT_TRUE(!form->abbInFramePlay->isEnabled() && form->abbCutS->isEnabled());
    // Clearing while a crop frame is edited ends the editing.
    form->abbCutS->click();
    ASSERT_EQ(form->LeadIn->overlayRectangles().size(), 1U);
    form->abbInClr->click();
    EXPECT_EQ(form->InputFrames->Total, 0);
    EXPECT_FALSE(form->LeadIn->hasBitmap() || form->abbCutS->Down() || form->StartRect.Shown ||
                 !form->LeadIn->overlayRectangles().empty());

    // Files that cannot be read show the error box and add nothing; a cancelled one is silent.
    load(still("good.png", 20, 20));
    QByteArray jpeg = bytesOf(still("whole.jpg", 64, 64));
    const QString bad[] = {
        write("truncated.jpg", jpeg.left(jpeg.size() / 3)),
        write("empty.avi", {}),
        write("notes.bmp", "these are words, not a picture"),
        write("huge.png", QByteArray::fromHex("89504e470d0a1a0a0000000d494844520000ffff0000ffff"
                                              "08020000000000000000")),
        path("missing.jpg"),
    };
    for (const QString& file : bad) {
        dialogs.messages.clear();
        load(file);
        EXPECT_EQ(std::pair(dialogs.messages.size(), form->InputFrames->Total),
                  std::pair(std::size_t{1}, 1))
            << file.toStdString();
    }
    dialogs.messages.clear();
    form->abbInPic->click();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(InputPageTest, CropFramesFollowTheMouseTheZoomAndTheLink) {
    load(still("wide.png", 800, 600));
    const imaging::Picture original = *form->LeadIn->picture();
    for (const char* zoom : {"50", "200"}) {
        SCOPED_TRACE(zoom);
        setScale(zoom);
        form->abbCutS->click();
        ASSERT_TRUE(form->StartRect.Shown && form->LeadIn->overlayRectangles().size() == 1U);
        const CropFrame before = form->StartRect;
        drag(form->LeadIn->DstLeft() + (before.Left + before.Right) / 2,
             form->LeadIn->DstTop() + (before.Top + before.Bottom) / 2, 12, 6);
        EXPECT_EQ(std::tuple(form->StartRect.Left, form->StartRect.Top, form->StartRect.width(),
                             form->LeadIn->cursorId(), form->LeadColor->hasBitmap()),
                  std::tuple(before.Left + 12, before.Top + 6, before.width(), -22, true));
        // The bottom-right corner pulled outwards grows the frame.
        const CropFrame moved = form->StartRect;
        drag(form->LeadIn->DstLeft() + moved.Right, form->LeadIn->DstTop() + moved.Bottom, 8, 4);
        EXPECT_EQ(std::pair(form->StartRect.Right, form->StartRect.Bottom),
                  std::pair(moved.Right + 8, moved.Bottom + 4));
        EXPECT_EQ(form->StatusBar1->panelText(0),
                  QString::asprintf("Start 1:(%d,%d)-(%d,%d)", form->StartRect.Left,
                                    form->StartRect.Top, moved.Right + 8, moved.Bottom + 4));
        // Scrolled by its bar, the outline moves with the picture and is still erased.
        QScrollBar* bar = form->LeadIn->horizontalScrollBar();
        bar->setValue(bar->value() + 7);
        form->abbCutS->click();
        EXPECT_TRUE(form->LeadIn->overlayRectangles().empty());
    }
    EXPECT_EQ(*form->LeadIn->picture(), original);

    // A zoom change keeps the frames on the picture; linked frames share size and moves.
    load(still("picture.png", 200, 100));
    setScale("100");
    form->StartRect = {30, 10, 180, 40};
    form->abbCutS->click();
    setScale("50");
    EXPECT_EQ(std::tuple(form->StartRect.Left, form->StartRect.Top, form->StartRect.Right),
              std::tuple(0, 10, 100));
    ASSERT_EQ(form->LeadIn->overlayRectangles().size(), 1U);

    form->ckLink->click();
    EXPECT_EQ(form->EndRect.Right, 100);
    form->EndRect.FrameNo = 1;
    form->abbAreaResize->click();
    // Displayed 100 x 50: the view's 203 x 55 proportions at the picture's width.
    EXPECT_NEAR(form->StartRect.width(), 99, 1);
    EXPECT_NEAR(form->StartRect.height(), 26, 1);
    EXPECT_EQ(form->EndRect.width(), form->StartRect.width());
    drag(form->LeadIn->DstLeft() + 50, form->LeadIn->DstTop() + 20, 0, 5);
    EXPECT_EQ(std::tuple(form->StartRect.Top, form->EndRect.Top, form->EndRect.Bottom),
              std::tuple(15, 15, form->StartRect.Bottom));
}

}  // namespace
