#pragma once

#include <QString>
#include <array>

class QWidget;

// The message boxes and documents the window shows, all through the dialog seam.
namespace texts {

// The error box for a status: a negative status shows entry 0, 1..7 entry n, anything above
// "Error:" and the number. Title "Error", warning icon, OK.
void ShowError(QWidget* owner, int status, const std::array<QString, 10>& errorTexts);
// The text ShowError shows for a status.
QString errorText(int status, const std::array<QString, 10>& errorTexts);

// The warning that a generation would hold more than 90 frames (entry 9 of the errors).
void showFrameLimit(QWidget* owner, const std::array<QString, 10>& errorTexts);

// The help document's name, relative to the executable's folder.
QString helpDocument();

// Opens `document` (relative to `folder`, or a web address) with the desktop; returns the
// shell's number (above 32 on success).
int openDocument(const QString& document, const QString& folder);

// Opens the help document; when that fails, a box titled "Error" with "Error:" and the number.
void openHelp(QWidget* owner, const QString& folder);

}  // namespace texts
