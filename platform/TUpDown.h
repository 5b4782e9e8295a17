#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows that step a whole number between Min and Max and show it in an
// associated edit field (the field is a separate control the user may also type into).
class TUpDown : public QWidget {
    Q_OBJECT

  public:
    explicit TUpDown(QWidget* parent = nullptr);

    void setAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return associate_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void setMin(int min);
    void setMax(int max);
    // Clamped to Min..Max; writes the associate's text.
    void setPosition(int position);

  signals:
    void positionChanged(int position);

  private:
    // A click starts from the number the associate shows, when it holds one.
    void step(int delta);

    QLineEdit* associate_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};
