#pragma once

#include <QString>

class QWidget;

// The panel file dialogs: a filter of label and pattern pairs, a default extension added to a
// name typed without one, and the starting folder. Shown through the dialog seam.
class TFileDialog {
  public:
    enum Kind { kOpen, kSave };

    explicit TFileDialog(Kind kind) : kind_(kind) {}

    // Pairs of label and patterns: "Panel files(*.zml)|*.zml|Animations(*.zma)|*.zma".
    QString Filter;
    QString DefaultExt;  // without the dot
    QString InitialDir;
    QString FileName;
    // Save: ask before an existing file is replaced.
    bool OverwritePrompt = true;

    // Shows the dialog; true with FileName set to the chosen name, false when cancelled.
    bool Execute(QWidget* owner);

    // The filter in Qt's form: "Panel files (*.zml);;Animations (*.zma)".
    static QString qtFilter(const QString& filter);

  private:
    Kind kind_;
};
