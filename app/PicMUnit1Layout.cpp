// Layout of the window's frame: tool bar, pages, frame editing box, status bar, components.
#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/FormParts.h"
#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TStatusBar.h"
#include "platform/TTrackBar.h"

using namespace formparts;

namespace {

constexpr int kFrameEditBoxWidth = 372;
constexpr int kPlayerInterval = 100;

QTimer* playerTimer(QObject* parent, const char* name) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(kPlayerInterval);
    return timer;
}

}  // namespace

void TForm1::setupToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(28, 28));
    abbInPic = button(bar, "abbInPic", "insert-image", QStyle::SP_DirOpenIcon);
    abbDelPic = button(bar, "abbDelPic", "edit-delete", QStyle::SP_TrashIcon);
    abbInClr = button(bar, "abbInClr", "edit-clear", QStyle::SP_DialogDiscardButton);
    abbFLoad = button(bar, "abbFLoad", "document-open", QStyle::SP_DialogOpenButton);
    abbFSave = button(bar, "abbFSave", "document-save", QStyle::SP_DialogSaveButton);
    abbHelp = button(bar, "abbHelp", "help-contents", QStyle::SP_DialogHelpButton);
    abbHPAccess = button(bar, "abbHPAccess", "folder-download", QStyle::SP_ArrowDown);
    abbEnd = button(bar, "abbEnd", "application-exit", QStyle::SP_DialogCloseButton);
    for (TABitBtn* b : {abbInPic, abbDelPic, abbInClr}) {
        bar->addWidget(b);
    }
    bar->addSeparator();
    bar->addWidget(abbFLoad);
    bar->addWidget(abbFSave);
    bar->addSeparator();
    bar->addWidget(abbHelp);
    bar->addWidget(abbHPAccess);
    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    bar->addWidget(abbEnd);
    for (TABitBtn* b :
         {abbInPic, abbDelPic, abbInClr, abbFLoad, abbFSave, abbHelp, abbHPAccess, abbEnd}) {
        b->setIconSize(bar->iconSize());
    }
    addToolBar(Qt::TopToolBarArea, bar);
}

void TForm1::setupPages() {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    PageControl1 = named<QTabWidget>(central, "PageControl1");
    TabSheet1 = named<QWidget>(PageControl1, "TabSheet1");
    TabSheet2 = named<QWidget>(PageControl1, "TabSheet2");
    TabSheet3 = named<QWidget>(PageControl1, "TabSheet3");
    TabSheet4 = named<QWidget>(PageControl1, "TabSheet4");
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4}) {
        PageControl1->addTab(page, QString());
    }
    // A click on a tab also lets the arrow keys move between the pages.
    PageControl1->tabBar()->setFocusPolicy(Qt::StrongFocus);
    setupInputPage();
    setupEffectPage();
    setupTextPage();
    setupPanelPage();
    layout->addWidget(PageControl1, 1);
    Panel3 = box(central, "Panel3", kBoxColour);
    Panel3->setFixedWidth(kFrameEditBoxWidth);
    layout->addWidget(Panel3);
    setupFrameEditBox();
    setCentralWidget(central);
}

void TForm1::setupFrameEditBox() {
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(8, 0, 8, 8);
    Panel28 = heading(Panel3, "Panel28");
    layout->addWidget(Panel28);

    // The crop or current output frame, in colour and in panel greys.
    Panel29 = heading(Panel3, "Panel29");
    Panel12 = previewHolder(Panel3, "Panel12");
    LeadColor = named<TLEAD>(Panel12, "LeadColor");
    Panel30 = heading(Panel3, "Panel30");
    auto* monoHolder = previewHolder(Panel3, "MonoHolder");
    LeadMono = named<TLEAD>(monoHolder, "LeadMono");
    layout->addWidget(Panel29);
    layout->addWidget(Panel12, 0, Qt::AlignHCenter);
    layout->addWidget(Panel30);
    layout->addWidget(monoHolder, 0, Qt::AlignHCenter);

    tbOutPre = trackBar(Panel3, "tbOutPre", 1, 1, 1);
    layout->addWidget(tbOutPre);
    auto* numberRow = new QHBoxLayout;
    Label1 = named<QLabel>(Panel3, "Label1");
    OutPreFrm = named<QLineEdit>(Panel3, "OutPreFrm");
    OutPreFrm->setText(QStringLiteral("1"));
    OutPreFrm->setFixedWidth(56);
    OutPreFrm->setAlignment(Qt::AlignRight);
    Label10 = named<QLabel>(Panel3, "Label10");
    numberRow->addWidget(Label1);
    numberRow->addWidget(OutPreFrm);
    numberRow->addWidget(Label10);
    numberRow->addStretch();
    layout->addLayout(numberRow);

    auto* players = new QHBoxLayout;
    players->setSpacing(2);
    abbOutPreStop = button(Panel3, "abbOutPreStop", "media-playback-stop", QStyle::SP_MediaStop);
    abbOutPrePlay = button(Panel3, "abbOutPrePlay", "media-playback-start", QStyle::SP_MediaPlay,
                           TABitBtn::abbmExt);
    abbOutPrePause = button(Panel3, "abbOutPrePause", "media-playback-pause", QStyle::SP_MediaPause,
                            TABitBtn::abbmExt);
    abbOutPreRep = button(Panel3, "abbOutPreRep", "media-playlist-repeat", QStyle::SP_BrowserReload,
                          TABitBtn::abbmExt);
    abbOutPreBack =
        button(Panel3, "abbOutPreBack", "media-seek-backward", QStyle::SP_MediaSeekBackward);
    abbOutPreNext =
        button(Panel3, "abbOutPreNext", "media-seek-forward", QStyle::SP_MediaSeekForward);
    abbOutPreDel = button(Panel3, "abbOutPreDel", "edit-delete", QStyle::SP_TrashIcon);
    abbOutPreClr = button(Panel3, "abbOutPreClr", "edit-clear", QStyle::SP_DialogDiscardButton);
    for (TABitBtn* b : {abbOutPreBack, abbOutPrePlay, abbOutPrePause, abbOutPreStop, abbOutPreNext,
                        abbOutPreRep}) {
        players->addWidget(b);
    }
    players->addStretch();
    players->addWidget(abbOutPreDel);
    players->addWidget(abbOutPreClr);
    layout->addLayout(players);

    // Background colour: one level per channel.
    Panel25 = box(Panel3, "Panel25", kBoxColour);
    Panel25->setFrameShape(QFrame::StyledPanel);
    auto* colours = new QGridLayout(Panel25);
    colours->setContentsMargins(0, 0, 8, 4);
    Panel21 = heading(Panel25, "Panel21");
    colours->addWidget(Panel21, 0, 0, 1, 2);
    Label13 = named<QLabel>(Panel25, "Label13");
    Label14 = named<QLabel>(Panel25, "Label14");
    Label15 = named<QLabel>(Panel25, "Label15");
    tbRed = trackBar(Panel25, "tbRed", 0, 3, 3);
    tbGreen = trackBar(Panel25, "tbGreen", 0, 3, 3);
    tbBlue = trackBar(Panel25, "tbBlue", 0, 3, 3);
    int row = 1;
    for (auto [label, bar] :
         {std::pair{Label13, tbRed}, std::pair{Label14, tbGreen}, std::pair{Label15, tbBlue}}) {
        label->setContentsMargins(8, 0, 0, 0);
        bar->setTicks({0, 1, 2, 3});
        bar->setPageStep(1);
        colours->addWidget(label, row, 0);
        colours->addWidget(bar, row, 1);
        ++row;
    }
    layout->addSpacing(6);
    layout->addWidget(Panel25);
    layout->addStretch();
}

void TForm1::setupStatusBar() {
    StatusBar1 = new TStatusBar(3, this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
}

void TForm1::setupComponents() {
    TimerIn = playerTimer(this, "TimerIn");
    TimerOutPre = playerTimer(this, "TimerOutPre");
    TimerP = playerTimer(this, "TimerP");
    TimerP->setProperty("Tag", 0);  // 1: the next tick starts again at frame 1

    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    auto action = [this](const char* name, const char* caption, const char* keys) {
        auto* a = new QAction(QString::fromLatin1(caption), ActionList1);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        a->setShortcutContext(Qt::WindowShortcut);
        a->setProperty("Category", QStringLiteral("Panel"));
        addAction(a);
        return a;
    };
    ActStart = action("ActStart", "Start", "Ctrl+W");
    ActStop = action("ActStop", "Stop", "Ctrl+Q");
    ActPause = action("ActPause", "Pause", "Ctrl+E");
    ActRepeat = action("ActRepeat", "Repeat", "Ctrl+R");
    ActNext = action("ActNext", "ActNext", "Ctrl+S");
    ActBack = action("ActBack", "ActBack", "Ctrl+A");
}

void TForm1::setupWorkControls() {
    for (auto* work : {&LeadCLF, &LeadMNF, &LeadSource, &LeadLoad, &LeadWk1, &LeadWkCom, &LeadWk2,
                       &LeadGrWk, &LeadImgWk}) {
        *work = std::make_unique<imaging::LeadModel>();
    }
}
