// The panel preview: registering a panel description, and the device picture on the panel page
// with its information area and the display area where the panel frames appear.
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <cmath>
#include <initializer_list>

#include "app/PanelDescription.h"
#include "app/PicMUnit1.h"
#include "imaging/Combine.h"
#include "imaging/QtImage.h"
#include "imaging/Status.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"

namespace {

// The dithering value of "none": the information area is always reduced without dithering.
constexpr int kNoDither = 0;

int halfRoundedDown(int length) {
    return static_cast<int>(std::floor(length / 2.0));
}

}  // namespace

void TForm1::abbSelPanelClick() {
    OpenDialog1.Filter = FileTexts[3] + QStringLiteral("(*.pnl)|*.pnl");
    OpenDialog1.DefaultExt = QStringLiteral("pnl");
    OpenDialog1.InitialDir = DirPanelIn;
    OpenDialog1.FileName.clear();
    if (!OpenDialog1.Execute(this)) {
        return;
    }
    DirPanelIn = QFileInfo(OpenDialog1.FileName).absolutePath();
    app::PanelDescription description = panelDescription();
    const int status = app::readPanelDescription(OpenDialog1.FileName, description);
    if (status != app::kDescriptionRead) {
        ShowError(status);
        return;
    }
    applyPanelGeometry(description.panel);
    applyColourLevels(description.red, description.green, description.blue);
    ViewWidth = ViewRect.width();
    ViewHeight = ViewRect.height();
    BuildPanelPreview();
}

// A device picture that is missing or cannot be read leaves the message in place of the
// picture; the panel player's frames then go to the hidden display area.
void TForm1::BuildPanelPreview() {
    const QString path = app::devicePicturePath(DirPanelIn, PanelFile);
    LeadWk1->clearBitmapList();
    if (path.isEmpty() || LeadWk1->Load(path, 24, 0, 1) != imaging::kOk) {
        Panel9->setCaption(ErrorTexts[8]);
        showDevice(false);
        return;
    }
    Panel9->setCaption(QString());
    showInformationArea(*LeadWk1->picture());
    imgPanel->setPixmap(QPixmap::fromImage(imaging::toQImage(*LeadWk1->picture())));
    imgPanel->resize(LeadWk1->BitmapWidth(), LeadWk1->BitmapHeight());
    LeadWk1->releaseBitmap();
    LeadImage->clearBitmapList();
    showBlankFace(LeadImage);
    placePanelPicture();
    showDevice(true);
}

void TForm1::showDevice(bool shown) {
    for (QWidget* part : std::initializer_list<QWidget*>{imgPanel, LeadInfo, LeadImage}) {
        part->setVisible(shown);
    }
}

// The information area cut from the device picture, in the four panel greys, untinted until a
// panel frame is shown.
void TForm1::showInformationArea(const imaging::Picture& device) {
    LeadGrWk->clearBitmapList();
    LeadGrWk->CreateBitmap(InfoRect.width(), InfoRect.height(), 24);
    LeadGrWk->Combine(0, 0, InfoRect.width(), InfoRect.height(), device, InfoRect.left,
                      InfoRect.top, imaging::kCombineCopy);
    produce::reduceToPanel(*LeadGrWk, kNoDither);
    LeadInfo->clearBitmapList();
    LeadInfo->setBitmapFrom(*LeadGrWk);
    LeadGrWk->releaseBitmap();
}

// The device picture centred in its area (a larger one is cut off on every side), the two lit
// areas over their places on it. Done again whenever the area changes size.
void TForm1::placePanelPicture() {
    const QPoint origin(halfRoundedDown(Panel9->width() - imgPanel->width()),
                        halfRoundedDown(Panel9->height() - imgPanel->height()));
    imgPanel->move(origin);
    LeadInfo->setGeometry(origin.x() + InfoRect.left, origin.y() + InfoRect.top, InfoRect.width(),
                          InfoRect.height());
    LeadImage->setGeometry(origin.x() + ViewRect.left, origin.y() + ViewRect.top, ViewWidth,
                           ViewHeight);
}
