#include "platform/DialogSeam.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace platform {

namespace {

DialogSeam* installedSeam = nullptr;

QUrl urlFor(const QString& target, const QString& workingDir) {
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1) {
        return url;
    }
    return QUrl::fromLocalFile(QDir(workingDir).absoluteFilePath(target));
}

// Desktop-native dialogs ignore label texts, so Qt's own dialog is used when labels are given.
QString runFileDialog(QWidget* owner, const FileDialogRequest& request,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.title, request.initialDir, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    for (const auto& [label, text] : request.labels) {
        if (!text.isEmpty()) {
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setLabelText(static_cast<QFileDialog::DialogLabel>(label), text);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

}  // namespace

QString QtDialogSeam::openFileName(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

QString QtDialogSeam::saveFileName(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

int QtDialogSeam::messageBox(QWidget* owner, const QString& text, const QString& title,
                             unsigned flags) {
    const QMessageBox::Icon icon =
        (flags & 0xF0) == kMbIconWarning ? QMessageBox::Warning : QMessageBox::NoIcon;
    const bool withCancel = (flags & 0x0F) == kMbOkCancel;
    QMessageBox box(icon, title, text,
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
    // Texts come from files; one that looks like markup is still shown as it is written.
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Ok ? kIdOk : kIdCancel;
}

int QtDialogSeam::openDocument(const QString& target, const QString& workingDir) {
    const QUrl url = urlFor(target, workingDir);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        return kOpenFileNotFound;
    }
    return QDesktopServices::openUrl(url) ? kOpenDone : kOpenNoAssociation;
}

int QtDialogSeam::execDialog(QDialog& dialog) {
    return dialog.exec();
}

DialogSeam& dialogSeam() {
    static QtDialogSeam qtSeam;
    return installedSeam != nullptr ? *installedSeam : qtSeam;
}

void setDialogSeam(DialogSeam* seam) {
    installedSeam = seam;
}

}  // namespace platform
