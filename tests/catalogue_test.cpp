#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <memory>

#include "app/PicMUnit1.h"
#include "platform/TPanel.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"
#include "texts/GetMes.h"
#include "texts/MessageBoxes.h"

namespace {

class CatalogueTest : public TempFolderTest {
  protected:
    TForm1& openWindow(const QByteArray& catalogue) {
        write("pixmora.MSG", catalogue);
        form = std::make_unique<TForm1>(path("pixmora"));
        return *form;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

// What a tool tip shows: rich text rendered, anything else as it is.
QString shownToolTip(const QString& tip) {
    QTextDocument document;
    document.setHtml(tip);
    return Qt::mightBeRichText(tip) ? document.toPlainText() : tip;
}

// Lists are read by plain index, bounded; texts are cut so that laying them out stays quick.
TEST_F(CatalogueTest, ShiftJisCatalogueIsReadWithBoundedListsAndTexts) {
    const texts::Catalogue c = texts::readCatalogue(write(
        "pixmora.MSG",
        QStringEncoder("Shift_JIS")(
            "[errors]\nItems=2\n0=Negative\n1=開けません\n[Messages]\nItems=9\n3=After\n8=Surplus\n"
            "[Effect]\nItems=3\n0=None\n2=Contrast\n00=Not entry 0\n[Scale]\nItems=2000000000\n"
            "[Caption]\nTabSheet1=入力画像\nFileOpen=" +
            QString(300, 'x') + "\nLabel2=" + QString(100000, 'x') + "\n")));
    EXPECT_EQ(c.errorTexts[1], QStringLiteral("開けません"));
    EXPECT_EQ(c.messageTexts[3], QStringLiteral("After"));
    EXPECT_EQ(c.lists[0], (QStringList{"None", "", "Contrast"}));
    EXPECT_EQ(c.lists[6].size(), texts::kMaxListItems);
    EXPECT_EQ(c.captions[0], QStringLiteral("入力画像"));
    EXPECT_EQ(c.dialogLabels[4].size(), texts::kMaxDialogLabel);
    EXPECT_EQ(c.captions[4].size(), texts::kMaxText);
    EXPECT_EQ(texts::dialogLabelText(QString(254, 'a') + QStringLiteral("😀")), QString(254, 'a'));
}

// Every text is shown as written, also one that looks like markup. Statuses 1 to 7 show their
// error entry, negative ones the general entry 0 with their number, others "Error:" and the
// number; so does a help document that cannot be opened, without an icon.
TEST_F(CatalogueTest, WindowShowsTheCatalogueTextsAsWrittenAndErrorsByStatus) {
    TForm1& f = openWindow(
        "[Application]\nDefaultFont=No Such Font "
        "123\n[Scale]\nItems=3\n0=50\n1=75\n2=100\n[Caption]\nTabSheet2=<i>Effects</i>\n"
        "Panel28=Frame editing\nckLink=<b>Link</b>\nLabel13=<b>Max</b>\nLEADDlg1=Open picture\n"
        "FileOpen=Load\nEndConfirm=Quit\n[DialogMessage]\nEndConfirm=Really quit?\n"
        "[Hint]\nabbCutS=<b>Max</b>\nabbCutE=1 < 2 & 3\n"
        "[Errors]\nItems=10\n0=e0\n1=e1\n2=e2\n3=e3\n4=e4\n5=e5\n6=e6\n7=e7\n8=e8\n9=e9\n");
    EXPECT_EQ(f.PageControl1->tabText(1), QStringLiteral("<i>Effects</i>"));
    EXPECT_EQ(f.Panel28->Caption(), QStringLiteral("Frame editing"));
    EXPECT_EQ(f.ckLink->text(), QStringLiteral("<b>Link</b>"));
    for (const char* name : texts::kCaptionControls) {
        if (const auto* label = f.findChild<QLabel*>(QString::fromLatin1(name))) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        }
    }
    EXPECT_EQ(f.Label13->text(), QStringLiteral("<b>Max</b>"));
    EXPECT_EQ(shownToolTip(f.abbCutS->toolTip()), QStringLiteral("<b>Max</b>"));
    EXPECT_EQ(shownToolTip(f.abbCutE->toolTip()), QStringLiteral("1 < 2 & 3"));
    EXPECT_EQ(f.cbScale->currentText(), QStringLiteral("100"));  // item 2 selected at start
    EXPECT_EQ(f.LEADDlg1.DialogTitle, QStringLiteral("Open picture"));
    EXPECT_EQ(f.LEADDlg1.dlgString(TLEADDlg::kLabelOpenButton), QStringLiteral("Load"));
    EXPECT_EQ(f.FontList->currentRow(), 0);  // not on the screen: the first font
    f.abbEnd->click();                       // answered Cancel
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("Really quit?"));
    EXPECT_EQ(dialogs.messages.back().title, QStringLiteral("Quit"));

    for (const auto& [status, text] : std::initializer_list<std::pair<int, const char*>>{
             {-1, "e0 (Error:-1)"}, {1, "e1"}, {7, "e7"}, {8, "Error:8"}}) {
        f.ShowError(status);
        EXPECT_EQ(dialogs.messages.back().text, QString::fromLatin1(text)) << status;
        EXPECT_EQ(dialogs.messages.back().flags, platform::kMbOk | platform::kMbIconWarning);
    }
    texts::showFrameLimit(&f, f.ErrorTexts);
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("e9"));
    EXPECT_EQ(dialogs.messages.back().title, QStringLiteral("Error"));
    dialogs.openResult = platform::kOpenFileNotFound;
    f.abbHelp->click();
    EXPECT_EQ(dialogs.messages.back().text, QStringLiteral("Error:2"));
    EXPECT_EQ(dialogs.messages.back().flags, 0u);
    f.abbGetPImage->click();
    f.abbHPAccess->click();
    EXPECT_EQ(dialogs.opened, (QStringList{texts::helpDocument(), f.PanelURL, f.AnimeURL}));
}

// The message box the program really shows; it is closed as soon as it is up.
TEST(QtMessageBox, ShowsTextThatLooksLikeMarkupAsWritten) {
    QString shown;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                shown = box->textFormat() == Qt::PlainText ? box->text() : QString();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    platform::QtDialogSeam seam;
    EXPECT_EQ(seam.messageBox(nullptr, "<b>Max</b>", "Pixmora", platform::kMbOk), platform::kIdOk);
    EXPECT_EQ(shown, QStringLiteral("<b>Max</b>"));
}

}  // namespace
