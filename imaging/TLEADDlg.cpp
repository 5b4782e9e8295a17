#include "imaging/TLEADDlg.h"

#include <QFileDialog>

#include "platform/DialogSeam.h"
#include "platform/TFileDialog.h"

namespace {

const std::map<int, int> kQtLabels{
    {TLEADDlg::kLabelFolder, QFileDialog::LookIn},
    {TLEADDlg::kLabelFileName, QFileDialog::FileName},
    {TLEADDlg::kLabelFileKind, QFileDialog::FileType},
    {TLEADDlg::kLabelOpenButton, QFileDialog::Accept},
    {TLEADDlg::kLabelCancelButton, QFileDialog::Reject},
};

}  // namespace

int TLEADDlg::FileOpen(QWidget* owner) {
    platform::FileDialogRequest request;
    request.title = DialogTitle;
    request.initialDir = InitialDir;
    request.filter = TFileDialog::qtFilter(Filter);
    for (const auto& [id, qtLabel] : kQtLabels) {
        request.labels[qtLabel] = dlgString(id);
    }
    const QString chosen = platform::dialogSeam().openFileName(owner, request);
    if (chosen.isEmpty()) {
        return kCancelled;
    }
    FileName = chosen;
    return 0;
}

int TLEADDlg::SetDlgString(int id, const QString& text) {
    labels_[id] = text;
    return 0;
}

QString TLEADDlg::dlgString(int id) const {
    const auto found = labels_.find(id);
    return found == labels_.end() ? QString() : found->second;
}
