#pragma once

#include <QString>
#include <map>

#include "platform/DialogLabels.h"

class QWidget;

// The open-file dialog of the imaging control, shown through the dialog seam.
class TLEADDlg {
  public:
    // FileOpen's result when the user cancels.
    static constexpr int kCancelled = 20150;

    // String ids of the dialog's labels.
    static constexpr int kLabelOpenButton = platform::kLabelOpenButton;
    static constexpr int kLabelPreview = platform::kLabelPreview;
    static constexpr int kLabelFileKind = platform::kLabelFileKind;
    static constexpr int kLabelFolder = platform::kLabelFolder;
    static constexpr int kLabelFileName = platform::kLabelFileName;
    static constexpr int kLabelCancelButton = platform::kLabelCancelButton;

    // Filter as pairs of label and patterns: "Pictures|*.jpg;*.png|Clips|*.avi".
    QString Filter;
    QString InitialDir;
    QString DialogTitle;
    int UIFlags = 0;
    QString FileName;

    // Shows the dialog; 0 with FileName set, or kCancelled.
    int FileOpen(QWidget* owner);
    // Sets the text of one of the dialog's labels (ids above; unknown ids are kept unused).
    int SetDlgString(int id, const QString& text);
    QString dlgString(int id) const;

  private:
    std::map<int, QString> labels_;
};
