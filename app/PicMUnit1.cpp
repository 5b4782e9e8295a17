// The main window: construction, start-up and destruction.
#include "app/PicMUnit1.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "app/FormParts.h"
#include "files/Cfilectl.h"
#include "imaging/Picture.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TStatusBar.h"
#include "platform/TUpDown.h"
#include "store/Framectl.h"
#include "store/OutputStore.h"
#include "store/Undoctl.h"

namespace {

constexpr QSize kMinimumSize(1024, 700);
constexpr QSize kStartSize(1280, 800);
constexpr int kStartFramesToMake = 30;

// The last item whose text is exactly `text`, else the first.
int lastExactMatch(const QListWidget* list, const QString& text) {
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->text() == text) {
            return i;
        }
    }
    return 0;
}

CropFrame initialFrame(int right, int bottom, std::int32_t kind) {
    CropFrame f;
    f.Right = right;
    f.Bottom = bottom;
    f.Kind = kind;
    return f;
}

}  // namespace

TForm1::TForm1(const QString& basePath, QWidget* parent)
    : QMainWindow(parent),
      FileControl(std::make_unique<CustumFileControl>()),
      InputFrames(std::make_unique<store::TFrameControl>()),
      UndoControl(std::make_unique<store::TUndoControl>(store::kUndoDepth)),
      basePath_(basePath) {
    setObjectName(QStringLiteral("Form1"));
    // The form layout: every control with its design properties.
    setupToolBar();
    setupPages();
    setupStatusBar();
    setupComponents();
    setupWorkControls();
    setMinimumSize(kMinimumSize);
    resize(kStartSize);

    DefaultLevels = produce::kDefaultLevels;
    readSettingsFile();
    ViewWidth = ViewRect.width();
    ViewHeight = ViewRect.height();
    StartRect = initialFrame(ViewWidth - 1, ViewHeight - 1, CropFrame::kStart);
    EndRect = initialFrame(ViewWidth - 1, ViewHeight - 1, CropFrame::kEnd);
    FontRect = initialFrame(ViewWidth - 1, ViewHeight - 1, CropFrame::kText);
    Dragging = false;
    CurrentCursor = 0;
    DragMode = 0;
    for (TLEAD* lead : findChildren<TLEAD*>()) {
        lead->setFocusPolicy(Qt::NoFocus);
    }
    setupPlayers();
    connectHandlers();
    frmMainOnCreate();
}

TForm1::~TForm1() = default;

void TForm1::frmMainOnCreate() {
    LoadMessages();
    FontList->addItems(QFontDatabase::families());
    FontList->setCurrentRow(lastExactMatch(FontList, DefaultFont));
    cbFColor->setCurrentIndex(0);
    cbFontB->setCurrentIndex(3);
    cbFEffect->setCurrentIndex(0);
    FontRect = initialFrame(15, 15, CropFrame::kText);
    BackColorCode = 63;
    PageControl1->setCurrentWidget(TabSheet1);

    LeadIn->setPaintSizeMode(TLEAD::kPaintSizeZoom);
    LeadIn->setDrawMode(TLEAD::kDrawModeXorPen);
    LeadIn->setDrawPenColor(0xFFFFFF);
    LeadIn->setPaintZoomFactor(100);
    LeadIn->setDrawPenWidth(2);
    LeadIn->setMouseTracking(true);
    cbScale->setCurrentIndex(2);
    cbCutK->setCurrentIndex(0);
    cbEffect->setCurrentIndex(0);
    cbDither->setCurrentIndex(0);
    udGetFrm->setMax(store::kMaxOutputFrames);
    udGetFrm->setPosition(kStartFramesToMake);
    BuildPanelPreview();

    UpdatingColors = false;
    applyPanelColours();
    sizePreviews();
    writeFrameStatus();
    cbFontB->hide();
    Label18->hide();
    DisableFlags.clear();
    for (int reason :
         {Availability::kNoInput, Availability::kInputPlaying, Availability::kSingleFrame,
          Availability::kNoOutput, Availability::kOutputPlaying, Availability::kPanelPlaying,
          Availability::kEffectStrength}) {
        UpdateAvailability(reason);
    }
}

void TForm1::applyPanelColours() {
    LeadIn->setAutoFillBackground(true);
    QPalette viewer = LeadIn->palette();
    viewer.setColor(QPalette::Window, formparts::qtColour(formparts::kViewerColour));
    LeadIn->setPalette(viewer);
    PanelIn->setColor(formparts::qtColour(formparts::kViewerColour));
    Panel3->setColor(formparts::qtColour(formparts::kBoxColour));
    Panel25->setColor(formparts::qtColour(formparts::kBoxColour));
    Panel9->setColor(formparts::qtColour(formparts::kPictureAreaColour));
    for (TPanel* p : {Panel6, Panel14, Panel15, Panel16, Panel17, Panel18, Panel19, Panel21,
                      Panel28, Panel29, Panel30, Panel32, Panel33}) {
        p->setColor(formparts::qtColour(formparts::kHeadingColour));
    }
}

// The previews take the proportions of the device's display area, as large as their holder
// allows, centred in it.
void TForm1::sizePreviews() {
    auto fit = [&](TLEAD* lead, const QWidget* holder) {
        const float s = std::min(static_cast<float>(holder->width() - 2) / ViewWidth,
                                 static_cast<float>(holder->height() - 2) / ViewHeight);
        showBlankFace(lead);
        const int w = static_cast<int>(ViewWidth * s);
        const int h = static_cast<int>(ViewHeight * s);
        lead->setGeometry((holder->width() - w) / 2, (holder->height() - h) / 2, w, h);
    };
    for (TLEAD* lead : {LeadMono, LeadColor, LeadEfColor, LeadEfMono}) {
        fit(lead, Panel12);
    }
    fit(LeadFont, Panel24);
}

void TForm1::showBlankFace(TLEAD* lead) {
    const QColor face = palette().color(QPalette::Button);
    lead->CreateBitmap(ViewWidth, ViewHeight, 24);
    lead->Fill(imaging::makeColour(face.red(), face.green(), face.blue()));
    QPalette empty = lead->palette();
    empty.setColor(QPalette::Window, face);
    lead->setPalette(empty);
    lead->setAutoFillBackground(true);
}

QString TForm1::frameStatusText(const CropFrame& f) const {
    if (f.Kind == CropFrame::kText) {
        const float sx = static_cast<float>(PanelWidth) / std::max(1, LeadFont->width());
        const float sy = static_cast<float>(PanelHeight) / std::max(1, LeadFont->height());
        return QStringLiteral("Font :(%1,%2)-(%3,%4)")
            .arg(static_cast<int>(f.Left * sx))
            .arg(static_cast<int>(f.Top * sy))
            .arg(static_cast<int>(f.Right * sx))
            .arg(static_cast<int>(f.Bottom * sy));
    }
    const QString name =
        f.Kind == CropFrame::kStart ? QStringLiteral("Start ") : QStringLiteral("End ");
    return name + QStringLiteral("%1:(%2,%3)-(%4,%5)")
                      .arg(f.FrameNo)
                      .arg(f.Left)
                      .arg(f.Top)
                      .arg(f.Right)
                      .arg(f.Bottom);
}

void TForm1::ShowFrameStatus(const CropFrame& f) {
    StatusBar1->setPanelText(f.Kind, frameStatusText(f));
}

void TForm1::writeFrameStatus() {
    ShowFrameStatus(StartRect);
    ShowFrameStatus(EndRect);
    ShowFrameStatus(FontRect);
}
