#pragma once

#include <QIcon>
#include <QToolButton>

// A flat command button with a glyph and a hint. In abbmExt mode it is a toggle: a click flips
// its down state before the clicked handlers run, so a handler reads the new state.
class TABitBtn : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(TBtnMode BtnMode READ BtnMode WRITE setBtnMode)
    Q_PROPERTY(QString Hint READ Hint WRITE setHint)

  public:
    enum TBtnMode { abbmNormal, abbmExt };
    Q_ENUM(TBtnMode)

    explicit TABitBtn(QWidget* parent = nullptr);

    TBtnMode BtnMode() const { return mode_; }
    // Leaving abbmExt releases a button that is down (without running the click handlers).
    void setBtnMode(TBtnMode mode);

    // The toggled state; always false in abbmNormal.
    bool Down() const { return isChecked(); }
    // Presses or releases an abbmExt button from code, e.g. when playback stops by itself.
    // Emits toggled but never clicked, so the click handlers do not run. Ignored in abbmNormal.
    // Hides QAbstractButton::setDown, which only sets the momentary pressed look.
    void setDown(bool down);

    QString Hint() const { return toolTip(); }
    void setHint(const QString& hint) { setToolTip(hint); }

    void setGlyph(const QIcon& glyph) { setIcon(glyph); }

  private:
    TBtnMode mode_ = abbmNormal;
};
