#pragma once

#include <QSlider>
#include <vector>

class QStyleOptionSlider;

// A horizontal track bar with tick marks at given positions (not evenly spaced), drawn below
// the groove and lined up with the handle. valueChanged fires on every change of the
// position, also when code sets it, and not when the position is set to what it already is.
class TTrackBar : public QSlider {
    Q_OBJECT

  public:
    explicit TTrackBar(QWidget* parent = nullptr);

    int Position() const { return value(); }
    void setPosition(int position) { setValue(position); }
    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    void setMin(int min) { setMinimum(min); }
    void setMax(int max) { setMaximum(max); }

    // Positions outside Min..Max are kept but not drawn.
    void setTicks(std::vector<int> positions);
    const std::vector<int>& ticks() const { return ticks_; }
    void clearTicks();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The horizontal centre of the handle when the position is `position`.
    int tickX(const QStyleOptionSlider& option, int position) const;

    std::vector<int> ticks_;
};
