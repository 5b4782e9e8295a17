#include "texts/MessageBoxes.h"

#include "platform/DialogSeam.h"

namespace texts {

namespace {

constexpr int kLastListedStatus = 7;
constexpr int kFrameLimitEntry = 9;
// The shell's results up to this number are failures.
constexpr int kLastShellFailure = 32;

QString errorTitle() {
    return QStringLiteral("Error");
}

QString errorNumber(int n) {
    return QStringLiteral("Error:") + QString::number(n);
}

}  // namespace

QString errorText(int status, const std::array<QString, 10>& errorTexts) {
    if (status < 0) {
        // A failure of the imaging layer: the general entry, with the status to tell them apart.
        return errorTexts[0] + QStringLiteral(" (") + errorNumber(status) + QStringLiteral(")");
    }
    if (status <= kLastListedStatus) {
        return errorTexts[status];
    }
    return errorNumber(status);
}

void ShowError(QWidget* owner, int status, const std::array<QString, 10>& errorTexts) {
    platform::dialogSeam().messageBox(owner, errorText(status, errorTexts), errorTitle(),
                                      platform::kMbOk | platform::kMbIconWarning);
}

void showFrameLimit(QWidget* owner, const std::array<QString, 10>& errorTexts) {
    platform::dialogSeam().messageBox(owner, errorTexts[kFrameLimitEntry], errorTitle(),
                                      platform::kMbOk | platform::kMbIconWarning);
}

QString helpDocument() {
#ifdef Q_OS_WIN
    return QStringLiteral("Pixmora.CHM");
#else
    return QStringLiteral("help/index.html");
#endif
}

int openDocument(const QString& document, const QString& folder) {
    return platform::dialogSeam().openDocument(document, folder);
}

void openHelp(QWidget* owner, const QString& folder) {
    const int result = openDocument(helpDocument(), folder);
    if (result <= kLastShellFailure) {
        platform::dialogSeam().messageBox(owner, errorNumber(result), errorTitle(),
                                          platform::kMbOk);
    }
}

}  // namespace texts
