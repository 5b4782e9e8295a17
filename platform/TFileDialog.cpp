#include "platform/TFileDialog.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "platform/DialogSeam.h"

bool TFileDialog::Execute(QWidget* owner) {
    platform::FileDialogRequest request;
    request.initialDir = InitialDir;
    request.filter = qtFilter(Filter);
    request.defaultSuffix = DefaultExt;
    request.confirmOverwrite = OverwritePrompt;
    platform::DialogSeam& seam = platform::dialogSeam();
    QString chosen =
        kind_ == kOpen ? seam.openFileName(owner, request) : seam.saveFileName(owner, request);
    if (chosen.isEmpty()) {
        return false;
    }
    if (!DefaultExt.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) {
        chosen += QLatin1Char('.') + DefaultExt;
    }
    FileName = chosen;
    return true;
}

// A label may show its patterns itself, as "Pictures (*.jpg,*.png)": Qt shows them from the
// filter, so that part of the label goes.
QString TFileDialog::qtFilter(const QString& filter) {
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        QString label = parts[i];
        label.remove(shownPatterns);
        choices.append(label.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return choices.join(QStringLiteral(";;"));
}
