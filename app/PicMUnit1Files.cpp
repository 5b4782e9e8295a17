// The panel file commands: loading frames from a ".zml" or ".zma" file into the output frames,
// and saving the output frames.
#include <QFileInfo>

#include "app/PicMUnit1.h"
#include "files/Cfilectl.h"
#include "imaging/Status.h"
#include "platform/TTrackBar.h"
#include "store/OutputStore.h"
#include "store/Undoctl.h"

namespace {

// Status of a load whose file does not exist or announces no frame.
constexpr int kNoFrames = 7;

}  // namespace

void TForm1::abbFLoadClick() {
    UndoControl->Clear();
    int inserted = 0;
    int position = 0;
    const int status = loadPanelFile(&inserted, &position);
    if (status != CustumFileControl::kOk) {
        ShowError(status);
    }
    RefreshFrameRange();
    const int last = position + inserted;
    if (inserted > 0 && tbOutPre->Position() != last) {
        tbOutPre->setPosition(last);
    } else {
        tbOutPreOnChange();
    }
    UpdateAvailability(Availability::kNoOutput);
}

// A cancelled dialog is status 0 with nothing inserted. A name that is neither ".zml" nor
// ".zma" is refused as the save command refuses it.
int TForm1::loadPanelFile(int* inserted, int* position) {
    OpenDialog1.Filter = FileTexts[0] + QStringLiteral("(*.zml,*.zma)|*.zml;*.zma|") +
                         FileTexts[1] + QStringLiteral("(*.zml)|*.zml|") + FileTexts[2] +
                         QStringLiteral("(*.zma)|*.zma");
    OpenDialog1.DefaultExt = QStringLiteral("zml");
    OpenDialog1.InitialDir = DirImg;
    OpenDialog1.FileName.clear();
    if (!OpenDialog1.Execute(this)) {
        return CustumFileControl::kOk;
    }
    const QString name = OpenDialog1.FileName;
    if (!QFileInfo(name).isFile()) {
        return kNoFrames;
    }
    DirImg = QFileInfo(name).absolutePath();
    const int kind = FileControl->SetFileName(name);
    if (kind == CustumFileControl::kOther) {
        return CustumFileControl::kCannotOpen;
    }
    const int held = outputFrameCount();
    const int announced = kind == CustumFileControl::kAnimation ? FileControl->GetFrameCount() : 1;
    if (announced < 1) {
        return kNoFrames;
    }
    const int n = store::framesThatFit(held, announced);
    const int answer = held > 0 && askInsertAfter(n) ? store::kInsertAfter : 0;
    const int p = store::insertionPosition(held, tbOutPre->Position() - 1, answer);
    const int status = FileControl->Load(*LeadWk1, *LeadWk2);
    if (status == CustumFileControl::kOk) {
        *inserted = std::min(n, LeadWk1->frameCount());
        *position = p;
        insertLoadedFrames(*inserted, p);
    }
    LeadWk1->clearBitmapList();
    return status;
}

// The panel list keeps each frame at the file's depth with its grey palette; the colour list
// holds a 24-bit copy. The background colour becomes the file's.
void TForm1::insertLoadedFrames(int count, int position) {
    for (int i = 0; i < count; ++i) {
        const imaging::Picture& frame = LeadWk1->frame(i);
        LeadCLF->InsertBitmapListItem(position + i, imaging::toTrueColour(frame));
        LeadCLF->setBitmapListIndex(position + i);
        LeadMNF->InsertBitmapListItem(position + i, frame);
        LeadMNF->setBitmapListIndex(position + i);
    }
    BackColorCode = static_cast<std::uint8_t>(FileControl->BackColorCode);
}

// Saving changes neither the output frames nor which one is current.
void TForm1::abbFSaveClick() {
    const int n = outputFrameCount();
    const bool image = n == 1;
    SaveDialog1.Filter = image ? FileTexts[1] + QStringLiteral("(*.zml)|*.zml")
                               : FileTexts[2] + QStringLiteral("(*.zma)|*.zma");
    SaveDialog1.DefaultExt = image ? QStringLiteral("zml") : QStringLiteral("zma");
    SaveDialog1.InitialDir = DirImg;
    SaveDialog1.FileName.clear();
    if (!SaveDialog1.Execute(this)) {
        return;
    }
    DirImg = QFileInfo(SaveDialog1.FileName).absolutePath();
    if (FileControl->SetFileName(SaveDialog1.FileName) == CustumFileControl::kOther) {
        ShowError(CustumFileControl::kCannotOpen);
        return;
    }
    for (int i = 0; i < n; ++i) {
        LeadGrWk->InsertBitmapListItem(i, LeadMNF->frame(i));
    }
    FileControl->BackColorCode = BackColorCode;
    const int status = FileControl->Save(*LeadGrWk);
    LeadGrWk->clearBitmapList();
    if (status != CustumFileControl::kOk) {
        ShowError(status);
    }
}
