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

void TForm1::ReduceToPanel() {
    produce::reduceToPanel(*LeadGrWk, produce::ditherForChoice(cbDither->currentIndex()));
}

void TForm1::TintPanelPalette(TLEAD* control, int code) {
    produce::tintPanelPalette(*control, code, channelLevels());
}

void TForm1::ShowFitted(TLEAD* display, const TLEAD* source) {
    produce::showFitted(*display, *source);
}

void TForm1::CropToPanel(const CropFrame& rect, TLEAD* source, TLEAD* target) {
    produce::cropToPanel(rect, scalePercent(), *source, *target, PanelWidth, PanelHeight);
}

void TForm1::PreviewCrop(const CropFrame& rect) {
    CropToPanel(rect, LeadIn, LeadWk1);
    ShowFitted(LeadColor, LeadWk1);
    LeadGrWk->setBitmapFrom(*LeadWk1);
    ReduceToPanel();
    TintPanelPalette(LeadGrWk, BackColorCode);
    ShowFitted(LeadMono, LeadGrWk);
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
    LeadGrWk->setBitmapFrom(*LeadEfColor);
    ReduceToPanel();
    TintPanelPalette(LeadGrWk, sliderColorCode());
    LeadEfMono->setBitmapFrom(*LeadGrWk);
}

void TForm1::tbColorOnChange() {
    if (UpdatingColors) {
        return;
    }
    BackColorCode = static_cast<std::uint8_t>(sliderColorCode());
    for (TLEAD* shown : {LeadMono, LeadFont, LeadEfMono}) {
        TintPanelPalette(shown, BackColorCode);
    }
}
