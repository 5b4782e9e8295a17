// The input viewer: showing an input frame at the chosen zoom, and editing the crop frames on it
// with the mouse. The arithmetic lives in app/CropEditing; these handlers read the viewer,
// call it and show the result.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"
#include "store/Framectl.h"

app::ViewerGeometry TForm1::viewerGeometry() const {
    app::ViewerGeometry view;
    view.dstLeft = LeadIn->DstLeft();
    view.dstTop = LeadIn->DstTop();
    view.clipLeft = LeadIn->DstClipLeft();
    view.clipTop = LeadIn->DstClipTop();
    view.pictureWidth = LeadIn->DstWidth();
    view.pictureHeight = LeadIn->DstHeight();
    view.controlWidth = LeadIn->width();
    view.controlHeight = LeadIn->height();
    return view;
}

void TForm1::applyViewerGeometry(const app::ViewerGeometry& view) {
    LeadIn->setDstClipLeft(view.clipLeft);
    LeadIn->setDstClipTop(view.clipTop);
    LeadIn->setDstLeft(view.dstLeft);
    LeadIn->setDstTop(view.dstTop);
}

CropFrame* TForm1::shownCropFrame() {
    if (StartRect.Shown) {
        return &StartRect;
    }
    return EndRect.Shown ? &EndRect : nullptr;
}

void TForm1::ShowInputFrame() {
    LeadIn->setPaintZoomFactor(scalePercent());
    const imaging::LeadModel* frame = InputFrames->SelectFrame(FrmNo->text().toInt() - 1);
    LeadIn->setAutoRepaint(false);
    LeadIn->clearOverlay();
    LeadIn->releaseBitmap();
    if (frame != nullptr) {
        LeadIn->setBitmapFrom(*frame);
    }
    LeadIn->setAutoRepaint(true);
    placeViewer();
}

void TForm1::placeViewer() {
    const app::ViewerPlacement place = app::placeViewer(LeadIn->DstWidth(), LeadIn->DstHeight(),
                                                        PanelIn->width(), PanelIn->height());
    LeadIn->resize(place.width, place.height);
    Panel10->setGeometry(place.left, place.top, place.width, place.height);
    LeadIn->scrollIntoRange();
}

// The viewer keeps its place when the window is resized.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PanelIn && event->type() == QEvent::Resize && LeadIn->hasBitmap()) {
        placeViewer();
    } else if (watched == Panel9 && event->type() == QEvent::Resize) {
        placePanelPicture();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::cbScaleOnChange() {
    if (!LeadIn->hasBitmap()) {
        return;
    }
    CropFrame* shown = shownCropFrame();
    if (shown != nullptr) {
        DrawCropFrame(*shown);
    }
    LeadIn->setPaintZoomFactor(scalePercent());
    ShowInputFrame();
    if (shown != nullptr) {
        FitFrameToImage(*shown);
        PreviewCrop(*shown);
        DrawCropFrame(*shown);
        ShowFrameStatus(*shown);
    }
}

void TForm1::DrawCropFrame(const CropFrame& f) {
    LeadIn->DrawRectangle(LeadIn->DstLeft() + f.Left, LeadIn->DstTop() + f.Top, f.width(),
                          f.height());
}

void TForm1::FitFrameToImage(CropFrame& f) {
    app::fitFrameToImage(f, LeadIn->DstWidth(), LeadIn->DstHeight());
}

void TForm1::CenterOnFrame(CropFrame& f) {
    app::ViewerGeometry view = viewerGeometry();
    app::centerOnFrame(f, view, tbInFrame->Position());
    applyViewerGeometry(view);
}

int TForm1::HitTestFrame(const CropFrame& f, int x, int y) const {
    return app::hitTestFrame(f, viewerGeometry(), x, y);
}

// Every change of a shown frame: erase the outline at the old place, change, draw it at the
// new place, with the previews and the status line following.
void TForm1::DragFrame(CropFrame& f, int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    DrawCropFrame(f);
    app::ViewerGeometry view = viewerGeometry();
    app::dragFrame(f, view, DragMode, AspectRatio, dx, dy);
    applyViewerGeometry(view);
    PreviewCrop(f);
    DrawCropFrame(f);
    ShowFrameStatus(f);
}

void TForm1::showCropFrameOnViewer(CropFrame& f) {
    FitFrameToImage(f);
    CenterOnFrame(f);
    PreviewCrop(f);
    DrawCropFrame(f);
    ShowFrameStatus(f);
}

void TForm1::endCropEditing(TABitBtn* button, CropFrame& f) {
    button->setDown(false);
    f.FrameNo = tbInFrame->Position();
    if (f.Shown) {
        DrawCropFrame(f);
        f.Shown = false;
    }
    ShowFrameStatus(f);
}

void TForm1::cropButtonClicked(TABitBtn* button, CropFrame& f, TABitBtn* otherButton,
                               CropFrame& other) {
    if (!button->Down()) {
        endCropEditing(button, f);
        tbOutPreOnChange();
        return;
    }
    if (otherButton->Down()) {
        endCropEditing(otherButton, other);
    }
    f.Shown = true;
    // Moving the frame bar shows the frame's input frame and draws the frame; when it cannot
    // move, the frame is drawn on the frame shown.
    const int shownBefore = tbInFrame->Position();
    if (shownBefore != f.FrameNo) {
        tbInFrame->setPosition(f.FrameNo);
    }
    if (tbInFrame->Position() == shownBefore) {
        showCropFrameOnViewer(f);
    }
}

void TForm1::releaseCropButton() {
    if (abbCutS->Down()) {
        abbCutS->setDown(false);
        abbCutSClick();
    } else if (abbCutE->Down()) {
        abbCutE->setDown(false);
        abbCutEClick();
    }
}

void TForm1::abbCutSClick() {
    cropButtonClicked(abbCutS, StartRect, abbCutE, EndRect);
}

void TForm1::abbCutEClick() {
    cropButtonClicked(abbCutE, EndRect, abbCutS, StartRect);
}

void TForm1::LeadInOnMDown(int x, int y) {
    DragX = x;
    DragY = y;
    Dragging = true;
    const CropFrame* shown = EndRect.Shown ? &EndRect : (StartRect.Shown ? &StartRect : nullptr);
    AspectRatio = ckFix->isChecked() && shown != nullptr ? app::aspectRatioOf(*shown) : 0.0F;
}

void TForm1::LeadInOnMMove(int x, int y) {
    CropFrame* shown = shownCropFrame();
    if (!Dragging) {
        const int zone = shown != nullptr ? HitTestFrame(*shown, x, y) : app::kZoneOutside;
        const std::int16_t cursor = app::cursorIdOfZone(zone);
        if (cursor != CurrentCursor) {
            LeadIn->setCursorId(cursor);
            CurrentCursor = cursor;
        }
        DragMode = zone;
        return;
    }
    if (CurrentCursor == 0 || shown == nullptr) {
        return;
    }
    DragFrame(*shown, x - DragX, y - DragY);
    DragX = x;
    DragY = y;
}

void TForm1::LeadInOnMUp(int, int) {
    Dragging = false;
    if (!ckLink->isChecked()) {
        return;
    }
    if (StartRect.Shown) {
        app::copyEdges(StartRect, EndRect);
    } else if (EndRect.Shown) {
        app::copyEdges(EndRect, StartRect);
    }
}

void TForm1::ckLinkClick() {
    if (!ckLink->isChecked()) {
        return;
    }
    if (EndRect.Shown) {
        app::copyEdges(EndRect, StartRect);
    } else {
        app::copyEdges(StartRect, EndRect);
    }
}

void TForm1::abbAreaResizeClick() {
    const app::FrameSize size =
        app::defaultFrameSize(LeadIn->DstWidth(), LeadIn->DstHeight(), ViewWidth, ViewHeight);
    CropFrame* shown = shownCropFrame();
    if (shown != nullptr) {
        CropFrame& other = shown == &StartRect ? EndRect : StartRect;
        DrawCropFrame(*shown);
        shown->Right = shown->Left + size.width;
        shown->Bottom = shown->Top + size.height;
        PreviewCrop(*shown);
        DrawCropFrame(*shown);
        if (ckLink->isChecked()) {
            other.Right = other.Left + size.width;
            other.Bottom = other.Top + size.height;
        }
    }
    ShowFrameStatus(StartRect);
    ShowFrameStatus(EndRect);
}
