#pragma once

#include <QFrame>
#include <QString>

// A panel: a frame that may hold other controls and shows its caption centred, in its own
// colours. Heading panels are panels with a caption and nothing inside.
class TPanel : public QFrame {
    Q_OBJECT

  public:
    explicit TPanel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Background and caption colours as Qt colours; unset keeps the window's palette.
    void setColor(const QColor& colour);
    void setFontColor(const QColor& colour);
    QColor Color() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
};
