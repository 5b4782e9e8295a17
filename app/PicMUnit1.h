#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "app/Availability.h"
#include "app/CropEditing.h"
#include "app/FramePlayer.h"
#include "app/PanelDescription.h"
#include "imaging/LeadModel.h"
#include "imaging/TLEADDlg.h"
#include "platform/TABitBtn.h"
#include "platform/TFileDialog.h"
#include "produce/CropFrame.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"
#include "produce/PicMCutGenerate.h"
#include "text/TextImage.h"

class CustumFileControl;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;
class QTimer;
class QWidget;
class TLEAD;
class TPanel;
class TStatusBar;
class TTrackBar;
class TUpDown;

namespace store {
class TFrameControl;
class TUndoControl;
}  // namespace store

// The main window. Its controls keep the names the rest of the system uses for them, as
// members and as object names. The implementation is split by subject: construction and
// start-up (PicMUnit1.cpp), layout of each area (PicMUnit1Layout*.cpp), availability and page
// changes (PicMUnit1Availability.cpp), settings (PicMUnit1Settings.cpp), closing
// (PicMUnit1Close.cpp).
class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    // `basePath` is the executable's path without extension: the settings file and the message
    // catalogue are found from it.
    explicit TForm1(const QString& basePath, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Tool bar ---
    TABitBtn* abbInPic;
    TABitBtn* abbDelPic;
    TABitBtn* abbInClr;
    TABitBtn* abbFLoad;
    TABitBtn* abbFSave;
    TABitBtn* abbHelp;
    TABitBtn* abbHPAccess;
    TABitBtn* abbEnd;

    // --- Pages ---
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TabSheet4;

    // Input page: viewer and scale
    TPanel* PanelIn;
    TPanel* Panel10;
    TLEAD* LeadIn;
    QLabel* Label3;
    QComboBox* cbScale;
    // Input page: input player
    TTrackBar* tbInFrame;
    QLabel* Label2;
    QLineEdit* FrmNo;
    TABitBtn* abbInFrameStop;
    TABitBtn* abbInFramePlay;
    TABitBtn* abbInFramePause;
    TABitBtn* abbInFrameTop;
    TABitBtn* abbInFrameBack;
    TABitBtn* abbInFrameNext;
    TABitBtn* abbInFrameEnd;
    // Input page: crop frames and generation
    TPanel* Panel6;
    TABitBtn* abbCutS;
    TABitBtn* abbCutE;
    TABitBtn* abbAreaResize;
    QCheckBox* ckLink;
    QCheckBox* ckFix;
    QLabel* Label4;
    QComboBox* cbCutK;
    QLabel* Label5;
    QLineEdit* MkFrm;
    TUpDown* udGetFrm;
    TABitBtn* abbExecute;

    // Effect page
    TPanel* Panel19;
    QComboBox* cbEffect;
    TTrackBar* tbEffect;
    TPanel* Panel18;
    QComboBox* cbDither;
    TPanel* Panel33;
    QLabel* Label8;
    TLEAD* LeadEfColor;
    QLabel* Label9;
    TLEAD* LeadEfMono;
    TABitBtn* abbDesideEfA;
    TABitBtn* sbDesideEf;
    TABitBtn* abbUndo;

    // Text page
    TPanel* Panel14;
    TPanel* Panel24;
    TLEAD* LeadFont;
    TPanel* Panel16;
    QPlainTextEdit* Memo1;
    TPanel* Panel15;
    QListWidget* FontList;
    QLabel* Label11;
    QLineEdit* FontSize;
    TUpDown* udFont;
    TPanel* Panel17;
    QLabel* Label19;
    QCheckBox* cboxBold;
    QCheckBox* cboxItalic;
    QCheckBox* cboxUnderL;
    QCheckBox* cboxStrikeOut;
    QLabel* Label16;
    QComboBox* cbFEffect;
    QLabel* Label17;
    QComboBox* cbFColor;
    QLabel* Label18;
    QComboBox* cbFontB;
    QLabel* Label12;
    TTrackBar* tbFontAngle;
    TABitBtn* abbInsFont;
    TABitBtn* abbInsFontA;
    TABitBtn* abbUndo2;

    // Panel page
    TPanel* Panel9;
    QLabel* imgPanel;
    TLEAD* LeadInfo;
    TLEAD* LeadImage;
    QLabel* Image6;
    TTrackBar* tbPanel;
    TABitBtn* abbPStop;
    TABitBtn* abbPPlay;
    TABitBtn* abbPPause;
    TABitBtn* abbPRep;
    TPanel* Panel32;
    TABitBtn* abbSelPanel;
    TABitBtn* abbGetPImage;

    // --- Frame editing box (beside the pages) ---
    TPanel* Panel3;
    TPanel* Panel28;
    TPanel* Panel29;
    TPanel* Panel12;
    TLEAD* LeadColor;
    TPanel* Panel30;
    TLEAD* LeadMono;
    TTrackBar* tbOutPre;
    QLabel* Label1;
    QLineEdit* OutPreFrm;
    QLabel* Label10;
    TABitBtn* abbOutPreStop;
    TABitBtn* abbOutPrePlay;
    TABitBtn* abbOutPrePause;
    TABitBtn* abbOutPreRep;
    TABitBtn* abbOutPreBack;
    TABitBtn* abbOutPreNext;
    TABitBtn* abbOutPreDel;
    TABitBtn* abbOutPreClr;
    // Background colour
    TPanel* Panel25;
    TPanel* Panel21;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    TTrackBar* tbRed;
    TTrackBar* tbGreen;
    TTrackBar* tbBlue;

    TStatusBar* StatusBar1;

    // --- Components without a place on screen ---
    QTimer* TimerIn;
    QTimer* TimerOutPre;
    QTimer* TimerP;
    QObject* ActionList1;
    QAction* ActStart;
    QAction* ActStop;
    QAction* ActPause;
    QAction* ActRepeat;
    QAction* ActNext;
    QAction* ActBack;
    TLEADDlg LEADDlg1;
    TFileDialog OpenDialog1{TFileDialog::kOpen};
    TFileDialog SaveDialog1{TFileDialog::kSave};

    // Reads and writes the panel files.
    std::unique_ptr<CustumFileControl> FileControl;
    // The loaded input files and their frames.
    std::unique_ptr<store::TFrameControl> InputFrames;
    // The undo history of edits to the output frames.
    std::unique_ptr<store::TUndoControl> UndoControl;

    // Work pictures: picture models that are never shown. The output frames live in LeadCLF
    // (colour) and LeadMNF (panel).
    std::unique_ptr<imaging::LeadModel> LeadCLF;
    std::unique_ptr<imaging::LeadModel> LeadMNF;
    std::unique_ptr<imaging::LeadModel> LeadSource;
    std::unique_ptr<imaging::LeadModel> LeadLoad;
    std::unique_ptr<imaging::LeadModel> LeadWk1;
    std::unique_ptr<imaging::LeadModel> LeadWkCom;
    std::unique_ptr<imaging::LeadModel> LeadWk2;
    std::unique_ptr<imaging::LeadModel> LeadGrWk;
    std::unique_ptr<imaging::LeadModel> LeadImgWk;

    // --- State ---
    CropFrame StartRect;
    CropFrame EndRect;
    CropFrame FontRect;
    QString PanelFile;
    app::EdgeRect InfoRect;
    app::EdgeRect ViewRect;
    int PanelWidth = 0;
    int PanelHeight = 0;
    int PixelWidth = 0;
    int PixelHeight = 0;
    int PixelSpace = 0;
    int ViewWidth = 0;
    int ViewHeight = 0;
    QString DefaultFont;
    QString DirPicIn;
    QString DirImg;
    QString DirPanelIn;
    std::array<QString, 10> ErrorTexts;
    std::array<QString, 4> MessageTexts;
    std::array<QString, 4> FileTexts;
    QString EndConfirmCaption;
    QString EndConfirmText;
    QString PanelURL;
    QString AnimeURL;
    Availability DisableFlags;
    std::uint8_t BackColorCode = 0;
    bool UpdatingColors = false;
    std::array<int, 4> DefaultLevels{};
    int RedLevelCount = 0;
    std::array<int, 4> RedLevels{};
    int GreenLevelCount = 0;
    std::array<int, 4> GreenLevels{};
    int BlueLevelCount = 0;
    std::array<int, 4> BlueLevels{};
    bool Dragging = false;
    int DragMode = 0;
    float AspectRatio = 0;
    int DragX = 0;
    int DragY = 0;
    std::int16_t CurrentCursor = 0;

    // The settings file this window reads at construction and writes when it closes.
    QString settingsFileName() const { return settingsFile_; }

    // --- Operations used across the window ---
    // Re-evaluates the command groups for one reason (1, 2, 4, 8, 16, 32, 64) or the effect
    // strength bar (255).
    void UpdateAvailability(int reason);
    // Writes a crop or text frame's place into its status bar panel.
    void ShowFrameStatus(const CropFrame& f);

    // Panel colour model: reduces LeadGrWk's picture with the chosen dithering; tints a shown
    // panel picture; shows a picture fitted into a display; cuts a crop to panel size; shows a
    // crop in colour (LeadColor) and in panel colours (LeadMono); moves the colour bars.
    int ReduceToPanel();
    void TintPanelPalette(imaging::LeadModel& picture, int code);
    void ShowFitted(TLEAD* display, const imaging::LeadModel& source);
    void CropToPanel(const CropFrame& rect, TLEAD* source, imaging::LeadModel& target);
    void PreviewCrop(const CropFrame& rect);
    void SetColorSliders(int code);

    // Output frames: adds a produced frame to both lists at a position and makes it current;
    // copies a frame within both lists; the number of frames held.
    int AddOutputFrame(const imaging::Picture& picture, int position);
    int CopyOutputFrame(int from, int to);
    int outputFrameCount() const;

    // Input frames: prepares the frame bar for n frames; moves to input frame n (1-based).
    void SetupFrameBar(int n);
    void GoToInputFrame(int n);

    // The input viewer and the crop frames: shows input frame FrmNo; toggles a frame's outline;
    // moves a frame inside the picture; binds a frame to the shown input frame and centres the
    // view on it; the zone under the mouse; one drag step of the shown frame.
    void ShowInputFrame();
    void DrawCropFrame(const CropFrame& f);
    void FitFrameToImage(CropFrame& f);
    void CenterOnFrame(CropFrame& f);
    int HitTestFrame(const CropFrame& f, int x, int y) const;
    void DragFrame(CropFrame& f, int dx, int dy);

    // Shows the current output frame in the crop previews, ending any crop frame editing.
    void tbOutPreOnChange();
    // The text's top-left corner on the frame: the text frame's place on the preview, scaled.
    QPoint textPlace() const;
    // Sets both output track bars to the number of output frames, with their ticks.
    void RefreshFrameRange();
    // Shows panel frame tbPanel on the device picture.
    void tbPanelChange();
    // Lays out the panel page from the panel members: the device picture, its information area
    // and the display area, or the message that the picture is missing.
    void BuildPanelPreview();
    // The effect preview and the text image, which follow the current output frame.
    void EffectChange();
    void DrawFont();

    // Texts: applies the message catalogue; hands a label to the open-picture dialog; shows
    // the error box for a status.
    void LoadMessages();
    void SetFileDialogText(int id, const QString& text);
    void ShowError(int status);

    // --- Event handlers ---
    void abbHelpClick();
    void abbGetPImageClick();
    void abbHPAccessClick();
    void cbDitherOnChange();
    void abbInFramePlayClick();
    void abbInFramePauseClick();
    void abbInFrameStopClick();
    void timerInOnTimer();
    void abbInFrameTopClick();
    void abbInFrameBackClick();
    void abbInFrameNextClick();
    void abbInFrameEndClick();
    void abbIPClick();
    void abbDelPicClick();
    void abbInClrClick();
    void tbInFrameOnChange();
    void frmNoOnChange();
    void frmNoExit();
    void cbScaleOnChange();
    void abbCutSClick();
    void abbCutEClick();
    void LeadInOnMDown(int x, int y);
    void LeadInOnMMove(int x, int y);
    void LeadInOnMUp(int x, int y);
    void ckLinkClick();
    void abbAreaResizeClick();
    void tbColorOnChange();
    void abbOutPrePlayClick();
    void abbOutPrePauseClick();
    void abbOutPreStopClick();
    void OutPreOnTimer();
    void abbOutPreBackClick();
    void abbOutPreNextClick();
    void OutPreFrmOnChange();
    void OutPreFrmExit();
    void abbOutPreDelClick();
    void abbOutPreClrClick();
    void abbSelPanelClick();
    void abbPPlayClick();
    void abbPPauseClick();
    void abbPStopClick();
    void PanelOnTimer();
    void exeActStart();
    void exeActPause();
    void exeActRep();
    void exeActNext();
    void exeActBack();
    void abbExecuteClick();
    void abbFLoadClick();
    void abbFSaveClick();
    void abbInsFClick();
    void abbInsFAClick();
    void LFontMDown(int x, int y);
    void LFontMMove(int x, int y);
    void LFontMUp(int x, int y);
    void FontSizeChange();
    void FontSizeExit();
    void cbFEffectChange();
    // Effect page: a new effect chosen; the effect applied to every output frame; the last
    // applied edit undone (also the text page's undo).
    void cbEffectChange();
    void abbDesideEfAClick();
    void ExeUndo();
    void MkFrmChange();
    void MkFrmExit();
    void frmMainOnCreate();
    void pcChange(int index);
    void abbEndClick();
    // Asks for confirmation; true when the window may close.
    bool Form1CloseQuery();
    void Form1Close();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout, one area each.
    void setupToolBar();
    void setupPages();
    void setupInputPage();
    void setupEffectPage();
    void setupTextPage();
    void setupPanelPage();
    void setupFrameEditBox();
    void setupStatusBar();
    void setupComponents();
    void setupWorkControls();
    void connectHandlers();
    void connectTextPage();
    void setupPlayers();
    void connectPanelActions();
    // One player's controls: the shared logic, its play and pause buttons and the availability
    // reason it sets.
    struct PlayerControls {
        app::FramePlayer* player = nullptr;
        TABitBtn* play = nullptr;
        TABitBtn* pause = nullptr;
        int reason = 0;
    };
    // Play pressed: true when the player starts from its first frame (not resuming).
    bool playPressed(const PlayerControls& c);
    // Pause pressed: true when it paused a playing player.
    bool pausePressed(const PlayerControls& c);
    void stopPressed(const PlayerControls& c);
    // One tick of a playing bar: the next frame, or frame 1 with `repeat`; false when the
    // player has run out of frames.
    static bool advanceBar(TTrackBar* bar, bool repeat);
    // True while the panel page is shown and the panel player's buttons are available.
    bool panelKeysActive() const;
    // Shows the current crop frame again in the previews after the output frames went.
    void previewEditedCrop();
    // The generation the window's controls describe.
    produce::GenerationRequest generationRequest() const;
    // Text page: the text the controls describe; the scale from the text preview to a frame;
    // stamping the text into one panel frame.
    text::TextSettings textSettings() const;
    struct FontScale {
        float x;
        float y;
    };
    FontScale fontScale() const;
    void insertTextInto(int index);
    // Panel files: the load command's steps up to the insertion (its status, the frames
    // inserted and where); inserting the frames a load read.
    int loadPanelFile(int* inserted, int* position);
    void insertLoadedFrames(int count, int position);

    // Construction and start-up steps.
    void readSettingsFile();
    void writeSettingsFile();
    void applyWindowPlacement(const app::WindowPlacement& placement);
    // The panel members as one description, and setting them from one.
    app::PanelDescription panelDescription() const;
    void applyPanelGeometry(const app::PanelGeometry& panel);
    void applyColourLevels(const app::ColourLevels& red, const app::ColourLevels& green,
                           const app::ColourLevels& blue);
    // Panel page: the information area cut from the device picture; the picture and both areas
    // placed in Panel9.
    void showInformationArea(const imaging::Picture& device);
    void placePanelPicture();
    // Shows or hides the device picture with both areas.
    void showDevice(bool shown);
    void applyPanelColours();
    void sizePreviews();
    // Gives a preview a picture of the display's size in the button face colour, which it also
    // shows whenever it holds no picture.
    void showBlankFace(TLEAD* lead);
    void writeFrameStatus();
    QString frameStatusText(const CropFrame& f) const;
    Availability::State availabilityState() const;
    void applyAvailability();
    void showEffectStrengthBar();

    // Input loading: the steps of abbIPClick up to the insertion; returns its status.
    int loadInputFile();
    QString inputFileFilter() const;
    // Asks where a file of `frameCount` frames goes; true for after the current file.
    bool askInsertAfter(int frameCount);
    // Lowers the crop frames' input frame numbers to n.
    void clampCropFrameNumbers(int n);
    // After the last input file went: ends crop editing, resets the frame bar and the crop
    // frames' input frame numbers to 1 and blanks the viewer.
    void forgetAllInput();

    // Sizes the viewer to its picture and centres it in its panel.
    void placeViewer();
    // The viewer's geometry for the crop arithmetic, and writing a changed one back.
    app::ViewerGeometry viewerGeometry() const;
    void applyViewerGeometry(const app::ViewerGeometry& view);
    // The crop frame being edited: StartRect if shown, else EndRect if shown, else none.
    CropFrame* shownCropFrame();
    // Shows a frame's outline and previews after it was bound to the shown input frame.
    void showCropFrameOnViewer(CropFrame& f);
    // abbCutSClick and abbCutEClick: `f` is the frame of `button`, `other` the other pair.
    void cropButtonClicked(TABitBtn* button, CropFrame& f, TABitBtn* otherButton, CropFrame& other);
    void endCropEditing(TABitBtn* button, CropFrame& f);
    // Releases whichever crop button is down, ending its frame's editing as its click does.
    void releaseCropButton();

    QWidget* control(const char* name) const;
    // The executable's folder: where the help document and the pages lie.
    QString programFolder() const;
    produce::ChannelLevels channelLevels() const;
    // The zoom of the display scale in percent (100 when the scale shows no number).
    int scalePercent() const;
    int sliderColorCode() const;
    produce::OutputLists outputLists();

    PlayerControls inputPlayer_;
    PlayerControls outputPlayer_;
    PlayerControls panelPlayer_;
    QString basePath_;
    QString settingsFile_;
};
