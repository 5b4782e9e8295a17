// Every signal of the window's controls connected to its handler, in one place.
#include <QComboBox>
#include <QTabWidget>

#include "app/PicMUnit1.h"
#include "platform/TTrackBar.h"

void TForm1::connectHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::pcChange);
    connect(abbEnd, &TABitBtn::clicked, this, &TForm1::abbEndClick);
    connect(abbHelp, &TABitBtn::clicked, this, &TForm1::abbHelpClick);
    connect(abbGetPImage, &TABitBtn::clicked, this, &TForm1::abbGetPImageClick);
    connect(abbHPAccess, &TABitBtn::clicked, this, &TForm1::abbHPAccessClick);
    connect(cbDither, &QComboBox::activated, this, &TForm1::cbDitherOnChange);
    for (TTrackBar* bar : {tbRed, tbGreen, tbBlue}) {
        connect(bar, &TTrackBar::valueChanged, this, &TForm1::tbColorOnChange);
    }
}
