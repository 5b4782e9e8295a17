// Closing the window: confirmation, then the settings are written.
#include <QCloseEvent>

#include "app/PicMUnit1.h"
#include "platform/DialogSeam.h"

void TForm1::abbEndClick() {
    close();
}

bool TForm1::Form1CloseQuery() {
    const int answer = platform::dialogSeam().messageBox(this, EndConfirmText, EndConfirmCaption,
                                                         platform::kMbOkCancel);
    return answer == platform::kIdOk;
}

void TForm1::Form1Close() {
    writeSettingsFile();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!Form1CloseQuery()) {
        event->ignore();
        return;
    }
    Form1Close();
    event->accept();
}
