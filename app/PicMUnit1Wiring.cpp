// Every signal of the window's controls connected to its handler, in one place.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TTrackBar.h"

void TForm1::connectHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::pcChange);
    connect(abbEnd, &TABitBtn::clicked, this, &TForm1::abbEndClick);
    connect(abbHelp, &TABitBtn::clicked, this, &TForm1::abbHelpClick);
    connect(abbGetPImage, &TABitBtn::clicked, this, &TForm1::abbGetPImageClick);
    connect(abbSelPanel, &TABitBtn::clicked, this, &TForm1::abbSelPanelClick);
    connect(abbHPAccess, &TABitBtn::clicked, this, &TForm1::abbHPAccessClick);
    connect(cbDither, &QComboBox::activated, this, &TForm1::cbDitherOnChange);
    connect(abbInFramePlay, &TABitBtn::clicked, this, &TForm1::abbInFramePlayClick);
    connect(abbInFramePause, &TABitBtn::clicked, this, &TForm1::abbInFramePauseClick);
    connect(abbInFrameStop, &TABitBtn::clicked, this, &TForm1::abbInFrameStopClick);
    connect(abbInFrameTop, &TABitBtn::clicked, this, &TForm1::abbInFrameTopClick);
    connect(abbInFrameBack, &TABitBtn::clicked, this, &TForm1::abbInFrameBackClick);
    connect(abbInFrameNext, &TABitBtn::clicked, this, &TForm1::abbInFrameNextClick);
    connect(abbInFrameEnd, &TABitBtn::clicked, this, &TForm1::abbInFrameEndClick);
    connect(abbInPic, &TABitBtn::clicked, this, &TForm1::abbIPClick);
    connect(abbDelPic, &TABitBtn::clicked, this, &TForm1::abbDelPicClick);
    connect(abbInClr, &TABitBtn::clicked, this, &TForm1::abbInClrClick);
    connect(tbInFrame, &TTrackBar::valueChanged, this, &TForm1::tbInFrameOnChange);
    connect(FrmNo, &QLineEdit::textChanged, this, &TForm1::frmNoOnChange);
    connect(FrmNo, &QLineEdit::editingFinished, this, &TForm1::frmNoExit);
    connect(cbScale, &QComboBox::currentIndexChanged, this, &TForm1::cbScaleOnChange);
    connect(abbCutS, &TABitBtn::clicked, this, &TForm1::abbCutSClick);
    connect(abbCutE, &TABitBtn::clicked, this, &TForm1::abbCutEClick);
    connect(abbAreaResize, &TABitBtn::clicked, this, &TForm1::abbAreaResizeClick);
    connect(ckLink, &QCheckBox::clicked, this, &TForm1::ckLinkClick);
    connect(LeadIn, &TLEAD::mouseDown, this, &TForm1::LeadInOnMDown);
    connect(LeadIn, &TLEAD::mouseMove, this, &TForm1::LeadInOnMMove);
    connect(LeadIn, &TLEAD::mouseUp, this, &TForm1::LeadInOnMUp);
    PanelIn->installEventFilter(this);
    Panel9->installEventFilter(this);
    connect(abbExecute, &TABitBtn::clicked, this, &TForm1::abbExecuteClick);
    connect(abbFLoad, &TABitBtn::clicked, this, &TForm1::abbFLoadClick);
    connect(abbFSave, &TABitBtn::clicked, this, &TForm1::abbFSaveClick);
    connect(MkFrm, &QLineEdit::textChanged, this, &TForm1::MkFrmChange);
    connect(MkFrm, &QLineEdit::editingFinished, this, &TForm1::MkFrmExit);
    connect(abbOutPrePlay, &TABitBtn::clicked, this, &TForm1::abbOutPrePlayClick);
    connect(abbOutPrePause, &TABitBtn::clicked, this, &TForm1::abbOutPrePauseClick);
    connect(abbOutPreStop, &TABitBtn::clicked, this, &TForm1::abbOutPreStopClick);
    connect(abbOutPreBack, &TABitBtn::clicked, this, &TForm1::abbOutPreBackClick);
    connect(abbOutPreNext, &TABitBtn::clicked, this, &TForm1::abbOutPreNextClick);
    connect(abbOutPreDel, &TABitBtn::clicked, this, &TForm1::abbOutPreDelClick);
    connect(abbOutPreClr, &TABitBtn::clicked, this, &TForm1::abbOutPreClrClick);
    connect(tbOutPre, &TTrackBar::valueChanged, this, &TForm1::tbOutPreOnChange);
    connect(OutPreFrm, &QLineEdit::textChanged, this, &TForm1::OutPreFrmOnChange);
    connect(OutPreFrm, &QLineEdit::editingFinished, this, &TForm1::OutPreFrmExit);
    connect(abbPPlay, &TABitBtn::clicked, this, &TForm1::abbPPlayClick);
    connect(abbPPause, &TABitBtn::clicked, this, &TForm1::abbPPauseClick);
    connect(abbPStop, &TABitBtn::clicked, this, &TForm1::abbPStopClick);
    connect(tbPanel, &TTrackBar::valueChanged, this, &TForm1::tbPanelChange);
    connectTextPage();
    connect(cbEffect, &QComboBox::currentIndexChanged, this, &TForm1::cbEffectChange);
    connect(tbEffect, &TTrackBar::valueChanged, this, &TForm1::EffectChange);
    connect(abbDesideEfA, &TABitBtn::clicked, this, &TForm1::abbDesideEfAClick);
    connect(abbUndo, &TABitBtn::clicked, this, &TForm1::ExeUndo);
    connect(abbUndo2, &TABitBtn::clicked, this, &TForm1::ExeUndo);
    for (TTrackBar* bar : {tbRed, tbGreen, tbBlue}) {
        connect(bar, &TTrackBar::valueChanged, this, &TForm1::tbColorOnChange);
    }
}

// Every input of the text page redraws the text; the size field and the decoration first
// check what they were given.
void TForm1::connectTextPage() {
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TForm1::DrawFont);
    connect(FontList, &QListWidget::currentRowChanged, this, &TForm1::DrawFont);
    connect(tbFontAngle, &TTrackBar::valueChanged, this, &TForm1::DrawFont);
    for (QCheckBox* style : {cboxBold, cboxItalic, cboxUnderL, cboxStrikeOut}) {
        connect(style, &QCheckBox::clicked, this, &TForm1::DrawFont);
    }
    for (QComboBox* colour : {cbFColor, cbFontB}) {
        connect(colour, &QComboBox::currentIndexChanged, this, &TForm1::DrawFont);
    }
    connect(cbFEffect, &QComboBox::currentIndexChanged, this, &TForm1::cbFEffectChange);
    connect(FontSize, &QLineEdit::textChanged, this, &TForm1::FontSizeChange);
    connect(FontSize, &QLineEdit::editingFinished, this, &TForm1::FontSizeExit);
    connect(LeadFont, &TLEAD::mouseDown, this, &TForm1::LFontMDown);
    connect(LeadFont, &TLEAD::mouseMove, this, &TForm1::LFontMMove);
    connect(LeadFont, &TLEAD::mouseUp, this, &TForm1::LFontMUp);
    connect(abbInsFont, &TABitBtn::clicked, this, &TForm1::abbInsFClick);
    connect(abbInsFontA, &TABitBtn::clicked, this, &TForm1::abbInsFAClick);
}
