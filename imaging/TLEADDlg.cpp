#include "imaging/TLEADDlg.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/DialogSeam.h"

namespace {

const std::map<int, int> kQtLabels{
    {TLEADDlg::kLabelFolder, QFileDialog::LookIn},
    {TLEADDlg::kLabelFileName, QFileDialog::FileName},
    {TLEADDlg::kLabelFileKind, QFileDialog::FileType},
    {TLEADDlg::kLabelOpenButton, QFileDialog::Accept},
    {TLEADDlg::kLabelCancelButton, QFileDialog::Reject},
};

}  // namespace

QString TLEADDlg::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        choices.append(parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return choices.join(QStringLiteral(";;"));
}

int TLEADDlg::FileOpen(QWidget* owner) {
    platform::FileDialogRequest request{DialogTitle, InitialDir, qtFilter(Filter), {}};
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
