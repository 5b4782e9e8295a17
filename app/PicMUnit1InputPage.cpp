// Layout of the input page: the viewer, the input player, crop frames and generation.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/FormParts.h"
#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "store/OutputStore.h"

using namespace formparts;

namespace {

constexpr int kSideColumnWidth = 230;

}  // namespace

void TForm1::setupInputPage() {
    auto* page = new QHBoxLayout(TabSheet1);
    auto* viewerColumn = new QVBoxLayout;

    // The viewer: the picture sits in Panel10, which the viewer code places inside PanelIn.
    PanelIn = box(TabSheet1, "PanelIn", kViewerColour);
    PanelIn->setFrameShape(QFrame::StyledPanel);
    PanelIn->setFrameShadow(QFrame::Sunken);
    PanelIn->setMinimumSize(360, 240);
    PanelIn->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    Panel10 = box(PanelIn, "Panel10", kViewerColour);
    Panel10->setGeometry(1, 1, 0, 0);
    LeadIn = named<TLEAD>(Panel10, "LeadIn");
    viewerColumn->addWidget(PanelIn, 1);

    // The input player under the viewer: the frame bar, then the buttons and the number.
    tbInFrame = trackBar(TabSheet1, "tbInFrame", 1, 1, 1);
    viewerColumn->addWidget(tbInFrame);
    auto* player = new QHBoxLayout;
    player->setSpacing(2);
    abbInFrameTop =
        button(TabSheet1, "abbInFrameTop", "media-skip-backward", QStyle::SP_MediaSkipBackward);
    abbInFrameBack =
        button(TabSheet1, "abbInFrameBack", "media-seek-backward", QStyle::SP_MediaSeekBackward);
    abbInFramePlay = button(TabSheet1, "abbInFramePlay", "media-playback-start",
                            QStyle::SP_MediaPlay, TABitBtn::abbmExt);
    abbInFramePause = button(TabSheet1, "abbInFramePause", "media-playback-pause",
                             QStyle::SP_MediaPause, TABitBtn::abbmExt);
    abbInFrameStop =
        button(TabSheet1, "abbInFrameStop", "media-playback-stop", QStyle::SP_MediaStop);
    abbInFrameNext =
        button(TabSheet1, "abbInFrameNext", "media-seek-forward", QStyle::SP_MediaSeekForward);
    abbInFrameEnd =
        button(TabSheet1, "abbInFrameEnd", "media-skip-forward", QStyle::SP_MediaSkipForward);
    for (TABitBtn* b : {abbInFrameTop, abbInFrameBack, abbInFramePlay, abbInFramePause,
                        abbInFrameStop, abbInFrameNext, abbInFrameEnd}) {
        player->addWidget(b);
    }
    Label2 = named<QLabel>(TabSheet1, "Label2");
    FrmNo = named<QLineEdit>(TabSheet1, "FrmNo");
    FrmNo->setText(QStringLiteral("1"));
    FrmNo->setFixedWidth(56);
    FrmNo->setAlignment(Qt::AlignRight);
    player->addStretch();
    player->addWidget(Label2);
    player->addWidget(FrmNo);
    viewerColumn->addLayout(player);
    page->addLayout(viewerColumn, 1);

    // Scale, crop frames and generation beside the viewer.
    auto* side = new QWidget(TabSheet1);
    side->setFixedWidth(kSideColumnWidth);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    Label3 = named<QLabel>(side, "Label3");
    cbScale = named<QComboBox>(side, "cbScale");
    column->addWidget(Label3);
    column->addWidget(cbScale);
    column->addSpacing(8);

    Panel6 = heading(side, "Panel6");
    column->addWidget(Panel6);
    auto* cropButtons = new QHBoxLayout;
    abbCutS = letterButton(side, "abbCutS", QStringLiteral("S"), TABitBtn::abbmExt);
    abbCutE = letterButton(side, "abbCutE", QStringLiteral("E"), TABitBtn::abbmExt);
    abbAreaResize = letterButton(side, "abbAreaResize", QStringLiteral("↺"));
    for (TABitBtn* b : {abbCutS, abbCutE, abbAreaResize}) {
        b->setIconSize(QSize(32, 32));
        cropButtons->addWidget(b);
    }
    cropButtons->addStretch();
    column->addLayout(cropButtons);
    ckLink = named<QCheckBox>(side, "ckLink");
    ckFix = named<QCheckBox>(side, "ckFix");
    column->addWidget(ckLink);
    column->addWidget(ckFix);
    column->addSpacing(8);

    Label4 = named<QLabel>(side, "Label4");
    cbCutK = named<QComboBox>(side, "cbCutK");
    column->addWidget(Label4);
    column->addWidget(cbCutK);
    Label5 = named<QLabel>(side, "Label5");
    column->addWidget(Label5);
    auto* count = new QHBoxLayout;
    count->setSpacing(0);
    MkFrm = named<QLineEdit>(side, "MkFrm");
    MkFrm->setFixedWidth(56);
    MkFrm->setAlignment(Qt::AlignRight);
    udGetFrm = named<TUpDown>(side, "udGetFrm");
    udGetFrm->setMin(1);
    udGetFrm->setMax(store::kMaxOutputFrames);
    udGetFrm->setAssociate(MkFrm);
    udGetFrm->setPosition(1);
    count->addWidget(MkFrm);
    count->addWidget(udGetFrm);
    count->addStretch();
    column->addLayout(count);
    column->addSpacing(12);
    abbExecute = button(side, "abbExecute", "system-run", QStyle::SP_DialogApplyButton);
    abbExecute->setIconSize(QSize(40, 40));
    column->addWidget(abbExecute, 0, Qt::AlignHCenter);
    column->addStretch();
    page->addWidget(side);
}
