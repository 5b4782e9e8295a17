// Input loading: adding and removing input files, the frame bar and the frame number field.
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <utility>

#include "app/InputFrameBar.h"
#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/DialogSeam.h"
#include "platform/TTrackBar.h"
#include "store/Framectl.h"
#include "store/TdlgIns.h"

namespace {

// The file loads but gives no pictures.
constexpr int kNoPictures = 7;
// What the open dialog offers and how it behaves.
constexpr int kOpenDialogFlags = 320;

}  // namespace

QString TForm1::inputFileFilter() const {
    return FileTexts[0] + QStringLiteral("(*.jpg,*.png,*.bmp,*.avi)|*.jpg;*.png;*.bmp;*.avi|") +
           FileTexts[1] + QStringLiteral("(*.jpg,*.png,*.bmp)|*.jpg;*.png;*.bmp|") + FileTexts[2] +
           QStringLiteral("(*.avi)|*.avi");
}

void TForm1::abbIPClick() {
    const int status = loadInputFile();
    if (status != 0 && status != TLEADDlg::kCancelled) {
        ShowError(status);
    }
}

// Nothing is added and DirPicIn stays when any step fails.
int TForm1::loadInputFile() {
    LEADDlg1.Filter = inputFileFilter();
    LEADDlg1.UIFlags = kOpenDialogFlags;
    LEADDlg1.InitialDir = DirPicIn;
    int status = LEADDlg1.FileOpen(this);
    if (status != 0) {
        return status;
    }
    const QString fileName = LEADDlg1.FileName;
    status = LeadWk1->GetFileInfo(fileName, 0xFFFF, 1);
    if (status != 0) {
        return status;
    }
    status = LeadWk1->Load(fileName, 24, 0, 1);
    if (status != 0) {
        return status;
    }
    if (!LeadWk1->hasBitmapList()) {
        return kNoPictures;
    }
    DirPicIn = QFileInfo(fileName).absolutePath();
    const bool after = InputFrames->Total > 0 && askInsertAfter(LeadWk1->InfoTotalPages());
    // The loaded work pictures become the new entry's: the file is not decoded again.
    auto opened = std::exchange(LeadWk1, std::make_unique<imaging::LeadModel>());
    if (after) {
        InputFrames->InsertAfter(fileName, std::move(opened));
    } else {
        InputFrames->InsertBefore(fileName, std::move(opened));
    }
    const imaging::LeadModel& control = *InputFrames->Current->Control;
    if (control.BitmapListCount() > 1) {
        TimerIn->setInterval(control.BitmapDelay());
    }
    SetupFrameBar(InputFrames->Total);
    const int shown = InputFrames->CurrentFrame + 1;
    if (tbInFrame->Position() == shown) {
        frmNoOnChange();
    } else {
        GoToInputFrame(shown);
    }
    UpdateAvailability(Availability::kNoInput);
    return 0;
}

bool TForm1::askInsertAfter(int frameCount) {
    TdlgIns dialog(this, frameCount);
    for (int i = 0; i < static_cast<int>(MessageTexts.size()); ++i) {
        dialog.SetText(i, MessageTexts[i]);
    }
    platform::dialogSeam().execDialog(dialog);
    return dialog.answer() == TdlgIns::kAfter;
}

void TForm1::SetupFrameBar(int n) {
    tbInFrame->clearTicks();
    tbInFrame->setMax(n);
    tbInFrame->setTicks(app::frameBarTicks(tbInFrame->Min(), n));
    bool ok = false;
    if (FrmNo->text().toLongLong(&ok) > n && ok) {
        FrmNo->setText(QString::number(n));
    }
}

void TForm1::GoToInputFrame(int n) {
    if (EndRect.Shown) {
        DrawCropFrame(EndRect);
        EndRect.Shown = abbCutE->Down();
    }
    if (StartRect.Shown) {
        DrawCropFrame(StartRect);
        StartRect.Shown = abbCutS->Down();
    }
    // The frame is shown again even when the bar is there already, so an erased crop frame is
    // drawn back.
    if (tbInFrame->Position() == n) {
        tbInFrameOnChange();
    } else {
        tbInFrame->setPosition(n);
    }
}

void TForm1::tbInFrameOnChange() {
    const QString number = QString::number(tbInFrame->Position());
    tbInFrame->setToolTip(number);
    if (FrmNo->text() == number) {
        frmNoOnChange();
    } else {
        FrmNo->setText(number);
    }
}

void TForm1::frmNoOnChange() {
    if (InputFrames->Total == 0) {
        LeadIn->releaseBitmap();
        return;
    }
    const auto n = app::parseFrameNumber(FrmNo->text(), tbInFrame->Min(), tbInFrame->Max());
    if (!n) {
        return;
    }
    if (tbInFrame->Position() != *n) {
        tbInFrame->setPosition(*n);
        return;
    }
    CropFrame* redrawn = EndRect.Shown ? &EndRect : (StartRect.Shown ? &StartRect : nullptr);
    ShowInputFrame();
    abbDelPic->setHint(InputFrames->Current->FileName);
    if (redrawn != nullptr) {
        showCropFrameOnViewer(*redrawn);
    }
}

void TForm1::frmNoExit() {
    if (!app::parseFrameNumber(FrmNo->text(), tbInFrame->Min(), tbInFrame->Max())) {
        FrmNo->setText(QString::number(tbInFrame->Position()));
    }
}

void TForm1::clampCropFrameNumbers(int n) {
    StartRect.FrameNo = std::min(StartRect.FrameNo, n);
    EndRect.FrameNo = std::min(EndRect.FrameNo, n);
}

void TForm1::abbDelPicClick() {
    InputFrames->DeleteCurrent();
    const int n = InputFrames->Total;
    if (n > 0) {
        SetupFrameBar(n);
        clampCropFrameNumbers(n);
        frmNoOnChange();
    } else {
        forgetAllInput();
    }
    UpdateAvailability(Availability::kNoInput);
}

void TForm1::abbInClrClick() {
    InputFrames->Clear();
    forgetAllInput();
    UpdateAvailability(Availability::kNoInput);
}

// With no input left a crop frame being edited has nothing to stand on: its editing ends, so
// no outline stays on the empty viewer and no button stays down while it is disabled.
void TForm1::forgetAllInput() {
    releaseCropButton();
    SetupFrameBar(1);
    StartRect.FrameNo = 1;
    EndRect.FrameNo = 1;
    frmNoOnChange();
}
