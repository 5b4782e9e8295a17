#pragma once

#include <QString>
#include <map>

class QDialog;
class QWidget;

namespace platform {

// Message box buttons and icon, combined as the desktop's message box takes them.
enum MessageFlags : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbIconWarning = 0x30,
};

// Button a message box was closed with.
enum MessageAnswer : int {
    kIdOk = 1,
    kIdCancel = 2,
};

// Results of opening a document through the desktop, as the desktop shell numbers them.
enum OpenResult : int {
    kOpenFileNotFound = 2,
    kOpenNoAssociation = 31,
    kOpenDone = 42,
};

struct FileDialogRequest {
    QString title;
    QString initialDir;
    QString filter;  // "Label (*.a *.b);;Other (*.c)"
    // Texts for the dialog's own labels, keyed by QFileDialog::DialogLabel; empty keeps Qt's.
    std::map<int, QString> labels;
    // Added by the dialog to a name typed without an extension (without the dot).
    QString defaultSuffix;
    // Save: ask before an existing file is replaced.
    bool confirmOverwrite = true;
};

// Everything modal or external passes through here, so tests can answer with a script
// instead of waiting on a real dialog.
class DialogSeam {
  public:
    virtual ~DialogSeam() = default;
    // The chosen file's full name, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    // A modal message box; returns the MessageAnswer of the button pressed.
    virtual int messageBox(QWidget* owner, const QString& text, const QString& title,
                           unsigned flags) = 0;
    // Opens a file or web address with the desktop's handler; returns an OpenResult.
    virtual int openDocument(const QString& target, const QString& workingDir) = 0;
    // Shows a dialog of the program modally; returns its result code (0 when it was closed
    // without an answer).
    virtual int execDialog(QDialog& dialog) = 0;
};

// Qt's own dialogs and QDesktopServices.
class QtDialogSeam : public DialogSeam {
  public:
    QString openFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* owner, const FileDialogRequest& request) override;
    int messageBox(QWidget* owner, const QString& text, const QString& title,
                   unsigned flags) override;
    int openDocument(const QString& target, const QString& workingDir) override;
    int execDialog(QDialog& dialog) override;
};

// The seam in use: Qt's dialogs unless a test installed its own.
DialogSeam& dialogSeam();
// Installs a seam (not owned); nullptr restores Qt's dialogs.
void setDialogSeam(DialogSeam* seam);

}  // namespace platform
