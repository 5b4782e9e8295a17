// Layout of the panel page: the device picture with the display area, its player and the
// panel picture import.
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/FormParts.h"
#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"

using namespace formparts;

namespace {

// The decorative picture behind the panel player: a dark bar with a faint dot grid, like an
// unlit panel.
QPixmap playerBackdrop() {
    QPixmap pixmap(480, 72);
    QPainter painter(&pixmap);
    QLinearGradient shade(0, 0, 0, pixmap.height());
    shade.setColorAt(0, QColor(0x5a, 0x5c, 0x62));
    shade.setColorAt(1, QColor(0x2e, 0x30, 0x34));
    painter.fillRect(pixmap.rect(), shade);
    painter.setPen(QColor(255, 255, 255, 28));
    for (int y = 4; y < pixmap.height(); y += 6) {
        for (int x = 4; x < pixmap.width(); x += 6) {
            painter.drawPoint(x, y);
        }
    }
    return pixmap;
}

}  // namespace

void TForm1::setupPanelPage() {
    auto* page = new QVBoxLayout(TabSheet4);
    Panel9 = box(TabSheet4, "Panel9", kPictureAreaColour);
    Panel9->setFontColor(Qt::yellow);
    Panel9->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Panel9->setMinimumSize(320, 200);
    // Room around the message shown when the device picture is missing.
    Panel9->setContentsMargins(48, 24, 48, 24);
    // The device picture and the two lit areas over it are placed by the panel preview.
    imgPanel = named<QLabel>(Panel9, "imgPanel");
    LeadInfo = named<TLEAD>(Panel9, "LeadInfo");
    LeadImage = named<TLEAD>(Panel9, "LeadImage");
    page->addWidget(Panel9, 1);

    auto* bottom = new QHBoxLayout;
    Image6 = named<QLabel>(TabSheet4, "Image6");
    Image6->setPixmap(playerBackdrop());
    Image6->setScaledContents(true);
    Image6->setMinimumWidth(300);
    auto* player = new QHBoxLayout(Image6);
    player->setContentsMargins(10, 8, 10, 8);
    abbPStop = button(Image6, "abbPStop", "media-playback-stop", QStyle::SP_MediaStop);
    abbPPlay =
        button(Image6, "abbPPlay", "media-playback-start", QStyle::SP_MediaPlay, TABitBtn::abbmExt);
    abbPPause = button(Image6, "abbPPause", "media-playback-pause", QStyle::SP_MediaPause,
                       TABitBtn::abbmExt);
    abbPRep = button(Image6, "abbPRep", "media-playlist-repeat", QStyle::SP_BrowserReload,
                     TABitBtn::abbmExt);
    for (TABitBtn* b : {abbPPlay, abbPPause, abbPStop, abbPRep}) {
        player->addWidget(b);
    }
    tbPanel = trackBar(Image6, "tbPanel", 1, 1, 1);
    player->addWidget(tbPanel, 1);
    bottom->addWidget(Image6, 1);

    TPanel* importBox = box(TabSheet4, "PanelImportBox", kBoxColour);
    importBox->setFrameShape(QFrame::StyledPanel);
    auto* import = new QVBoxLayout(importBox);
    import->setContentsMargins(0, 0, 0, 6);
    Panel32 = heading(importBox, "Panel32");
    import->addWidget(Panel32);
    auto* importButtons = new QHBoxLayout;
    abbSelPanel = button(importBox, "abbSelPanel", "document-open", QStyle::SP_DialogOpenButton);
    abbGetPImage = button(importBox, "abbGetPImage", "folder-download", QStyle::SP_ArrowDown);
    importButtons->addStretch();
    for (TABitBtn* b : {abbSelPanel, abbGetPImage}) {
        b->setIconSize(QSize(32, 32));
        importButtons->addWidget(b);
    }
    importButtons->addStretch();
    import->addLayout(importButtons);
    importBox->setFixedWidth(200);
    bottom->addWidget(importBox);
    page->addLayout(bottom);
}
