// The panel colour model on the window: reduction, tint, fitted display, crop previews and the
// dithering and background colour controls.
#include <QComboBox>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"

produce::ChannelLevels TForm1::channelLevels() const {
    return {RedLevels, GreenLevels, BlueLevels};
}

int TForm1::scalePercent() const {
    bool ok = false;
    const int percent = cbScale->currentText().trimmed().toInt(&ok);
    return ok && percent > 0 ? percent : 100;
}

int TForm1::ReduceToPanel() {
    return produce::reduceToPanel(*LeadGrWk, produce::ditherForChoice(cbDither->currentIndex()));
}

void TForm1::TintPanelPalette(imaging::LeadModel& picture, int code) {
    produce::tintPanelPalette(picture, code, channelLevels());
}

void TForm1::ShowFitted(TLEAD* display, const imaging::LeadModel& source) {
    display->setAutoRepaint(false);
    produce::showFitted(display->model(), display->width(), display->height(), source);
    display->setAutoRepaint(true);
}

void TForm1::CropToPanel(const CropFrame& rect, TLEAD* source, imaging::LeadModel& target) {
    source->setPaintZoomFactor(scalePercent());
    produce::cropToPanel(rect, source->PaintZoomFactor(), source->model(), target, PanelWidth,
                         PanelHeight);
}

// A crop that cannot be made (an empty rectangle) leaves both previews blank rather than
// showing an earlier crop.
void TForm1::PreviewCrop(const CropFrame& rect) {
    CropToPanel(rect, LeadIn, *LeadWk1);
    ShowFitted(LeadColor, *LeadWk1);
    LeadGrWk->setBitmapFrom(*LeadWk1);
    ReduceToPanel();
    TintPanelPalette(*LeadGrWk, BackColorCode);
    ShowFitted(LeadMono, *LeadGrWk);
    LeadWk1->releaseBitmap();
}

void TForm1::SetColorSliders(int code) {
    UpdatingColors = true;
    tbBlue->setPosition(code & 3);
    tbGreen->setPosition((code >> 2) & 3);
    tbRed->setPosition((code >> 4) & 3);
    UpdatingColors = false;
}

int TForm1::sliderColorCode() const {
    return produce::backColorCode(tbRed->Position(), tbGreen->Position(), tbBlue->Position());
}

void TForm1::cbDitherOnChange() {
    if (!LeadEfColor->hasBitmap()) {
        return;
    }
    LeadGrWk->setBitmapFrom(LeadEfColor->model());
    ReduceToPanel();
    TintPanelPalette(*LeadGrWk, sliderColorCode());
    LeadEfMono->setBitmapFrom(*LeadGrWk);
}

void TForm1::tbColorOnChange() {
    if (UpdatingColors) {
        return;
    }
    BackColorCode = static_cast<std::uint8_t>(sliderColorCode());
    for (TLEAD* shown : {LeadMono, LeadFont, LeadEfMono}) {
        TintPanelPalette(shown->model(), BackColorCode);
    }
}
