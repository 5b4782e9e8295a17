#include "platform/TABitBtn.h"

TABitBtn::TABitBtn(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TABitBtn::setBtnMode(TBtnMode mode) {
    mode_ = mode;
    // setCheckable(false) would clear the state silently; release first so toggled reports it.
    if (mode == abbmNormal && isChecked()) {
        setChecked(false);
    }
    setCheckable(mode == abbmExt);
}

void TABitBtn::setDown(bool down) {
    // A button that is not checkable (abbmNormal) ignores setChecked.
    setChecked(down);
}
