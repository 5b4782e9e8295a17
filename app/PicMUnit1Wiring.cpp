// Every signal of the window's controls connected to its handler, in one place.
#include <QTabWidget>

#include "app/PicMUnit1.h"

void TForm1::connectHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::pcChange);
    connect(abbEnd, &TABitBtn::clicked, this, &TForm1::abbEndClick);
}
