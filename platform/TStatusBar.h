#pragma once

#include <QStatusBar>
#include <vector>

class QLabel;

// A status bar of fixed panels, each showing one text.
class TStatusBar : public QStatusBar {
    Q_OBJECT

  public:
    explicit TStatusBar(int panelCount, QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(panels_.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

  private:
    std::vector<QLabel*> panels_;
};
