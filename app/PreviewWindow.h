#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QSlider;
class TLEAD;

// Shows the pictures and clips named on the command line through imaging controls, one
// column each, with a slider to step through a clip's pages.
class PreviewWindow : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewWindow(const QStringList& files, QWidget* parent = nullptr);

  private:
    void addFile(const QString& file);
};
