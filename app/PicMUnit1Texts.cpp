// The window's texts from the message catalogue, its message boxes, help and web pages.
#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QTextDocument>

#include "app/PicMUnit1.h"
#include "platform/TPanel.h"
#include "texts/GetMes.h"
#include "texts/MessageBoxes.h"

namespace {

void setCaption(QWidget* control, const QString& text) {
    if (auto* panel = qobject_cast<TPanel*>(control)) {
        panel->setCaption(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(control->parentWidget()->parentWidget())) {
        tabs->setTabText(tabs->indexOf(control), text);
    }
}

// Tool tips show text that looks like markup as rich text; such a hint is given as rich text
// that shows it literally.
QString literalToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}

}  // namespace

QWidget* TForm1::control(const char* name) const {
    return findChild<QWidget*>(QString::fromLatin1(name));
}

void TForm1::LoadMessages() {
    const texts::Catalogue c = texts::readCatalogue(texts::catalogueFilePath(basePath_));
    DefaultFont = c.defaultFont;
    ErrorTexts = c.errorTexts;
    MessageTexts = c.messageTexts;
    FileTexts = c.fileTexts;
    for (std::size_t i = 0; i < texts::kListSections.size(); ++i) {
        qobject_cast<QComboBox*>(control(texts::kListSections[i].control))->addItems(c.lists[i]);
    }
    for (std::size_t i = 0; i < texts::kCaptionControls.size(); ++i) {
        setCaption(control(texts::kCaptionControls[i]), c.captions[i]);
    }
    LEADDlg1.DialogTitle = c.dialogTitle;
    for (std::size_t i = 0; i < texts::kDialogLabels.size(); ++i) {
        SetFileDialogText(texts::kDialogLabels[i].id, c.dialogLabels[i]);
    }
    EndConfirmCaption = c.endConfirmCaption;
    EndConfirmText = c.endConfirmText;
    for (std::size_t i = 0; i < texts::kHintControls.size(); ++i) {
        control(texts::kHintControls[i])->setToolTip(literalToolTip(c.hints[i]));
    }
}

void TForm1::SetFileDialogText(int id, const QString& text) {
    LEADDlg1.SetDlgString(id, texts::dialogLabelText(text));
}

void TForm1::ShowError(int status) {
    texts::ShowError(this, status, ErrorTexts);
}

QString TForm1::programFolder() const {
    return QFileInfo(basePath_).absolutePath();
}

void TForm1::abbHelpClick() {
    texts::openHelp(this, programFolder());
}

void TForm1::abbGetPImageClick() {
    texts::openDocument(PanelURL, programFolder());
}

void TForm1::abbHPAccessClick() {
    texts::openDocument(AnimeURL, programFolder());
}
