#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The insert-position dialog: asks whether frames about to enter a store that already holds
// frames go before or after the current frame. "After" is preselected. The answer is 1 for
// before, 2 for after, 0 when the dialog was closed without OK.
class TdlgIns : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kNoAnswer = 0;
    static constexpr int kBefore = 1;
    static constexpr int kAfter = 2;

    // `frameCount` is shown as "<count>Frames".
    TdlgIns(QWidget* owner, int frameCount);

    // Index 0 sets the caption, 1 the group's caption, 2 and 3 the two choices'.
    void SetText(int index, const QString& text);
    int answer() const { return answer_; }

    QLabel* Label2;
    QGroupBox* RadioGroup1;
    QRadioButton* rbPos1;
    QRadioButton* rbPos2;
    QPushButton* Button1;
    QPushButton* Button2;

    void btnOKClick();
    void btnCanClick();

  private:
    void placeControls();

    int answer_ = kNoAnswer;
};
