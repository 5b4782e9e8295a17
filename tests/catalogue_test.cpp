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
    QString writeCatalogue(const QByteArray& text) { return write("pixmora.MSG", text); }
    TForm1& openWindow() {
        form = std::make_unique<TForm1>(path("pixmora"));
        return *form;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

// What a tool tip shows: rich text rendered, anything else as it is.
QString shownToolTip(const QString& tip) {
    if (!Qt::mightBeRichText(tip)) {
        return tip;
    }
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

}  // namespace

TEST_F(CatalogueTest, ListsAreReadByPlainIndexAndSurplusIsDropped) {
    const QString file = writeCatalogue(
        "[errors]\nItems=2\n0=Negative\n1=Cannot open\n"
        "[Messages]\nItems=9\n0=Where\n1=Group\n2=Before\n3=After\n4=Surplus\n"
        "[Effect]\nItems=3\n0=None\n2=Contrast\n00=Not entry 0\n"
        "[Scale]\nItems=2000000000\n0=100\n");
    const texts::Catalogue c = texts::readCatalogue(file);
    EXPECT_EQ(c.errorTexts[1], QStringLiteral("Cannot open"));  // section names in any case
    EXPECT_TRUE(c.errorTexts[2].isEmpty());
    EXPECT_EQ(c.messageTexts[3], QStringLiteral("After"));
    EXPECT_EQ(c.lists[0], (QStringList{"None", "", "Contrast"}));
    EXPECT_EQ(c.lists[6].size(), texts::kMaxListItems);  // a huge count is bounded
    EXPECT_EQ(c.defaultFont, QStringLiteral("FixedSys"));

    const texts::Catalogue none = texts::readCatalogue(path("missing.MSG"));
    EXPECT_EQ(none.defaultFont, QStringLiteral("FixedSys"));
    EXPECT_TRUE(none.lists[2].isEmpty());
}

// Texts far beyond any window text are cut, so that laying them out cannot take seconds.
TEST_F(CatalogueTest, ShiftJisCataloguesAndLongTexts) {
    QStringEncoder toShiftJis("Shift_JIS");
    ASSERT_TRUE(toShiftJis.isValid());
    const QByteArray sjis =
        toShiftJis(QStringLiteral("[Caption]\nTabSheet1=入力画像\nFileOpen=") + QString(300, 'x') +
                   QStringLiteral("\nLabel2=") + QString(100000, 'x') + QStringLiteral("\n"));
    const texts::Catalogue c = texts::readCatalogue(writeCatalogue(sjis));
    EXPECT_EQ(c.captions[0], QStringLiteral("入力画像"));
    EXPECT_EQ(c.dialogLabels[4].size(), texts::kMaxDialogLabel);
    EXPECT_EQ(c.captions[4].size(), texts::kMaxText);
    // A label is never cut between the halves of a surrogate pair.
    const QString emoji = QString(254, 'a') + QStringLiteral("😀b");
    EXPECT_EQ(texts::dialogLabelText(emoji), QString(254, 'a'));
}

// Every text is shown as written, also one that looks like markup.
TEST_F(CatalogueTest, WindowShowsTheCatalogueTextsAsPlainText) {
    writeCatalogue(
        "[Application]\nDefaultFont=No Such Font 123\n"
        "[Dithering]\nItems=4\n0=Burkes\n1=JJN\n2=None\n3=Ordered\n"
        "[Scale]\nItems=3\n0=50\n1=75\n2=100\n"
        "[Caption]\nTabSheet2=<i>Effects</i>\nPanel28=Frame editing\nckLink=<b>Link</b>\n"
        "Label13=<b>Max</b>\nLabel2=a &amp; b\nLEADDlg1=Open picture\nFileOpen=Load\n"
        "EndConfirm=Quit\n"
        "[DialogMessage]\nEndConfirm=Really quit?\n"
        "[Hint]\nabbExecute=Make the frames\nabbCutS=<b>Max</b>\nabbCutE=1 < 2 & 3\n");
    TForm1& f = openWindow();
    EXPECT_EQ(f.PageControl1->tabText(1), QStringLiteral("<i>Effects</i>"));
    EXPECT_EQ(f.Panel28->Caption(), QStringLiteral("Frame editing"));
    EXPECT_EQ(f.ckLink->text(), QStringLiteral("<b>Link</b>"));
    for (const char* name : texts::kCaptionControls) {
        if (const auto* label = f.findChild<QLabel*>(QString::fromLatin1(name))) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        }
    }
    EXPECT_EQ(f.Label13->text(), QStringLiteral("<b>Max</b>"));
    EXPECT_EQ(f.Label2->text(), QStringLiteral("a &amp; b"));
    EXPECT_TRUE(f.Label10->text().isEmpty());  // listed but missing: empty
    EXPECT_EQ(f.abbExecute->toolTip(), QStringLiteral("Make the frames"));
    EXPECT_EQ(shownToolTip(f.abbCutS->toolTip()), QStringLiteral("<b>Max</b>"));
    EXPECT_EQ(shownToolTip(f.abbCutE->toolTip()), QStringLiteral("1 < 2 & 3"));
    EXPECT_EQ(f.cbDither->count(), 4);
    EXPECT_EQ(f.cbScale->currentText(), QStringLiteral("100"));  // item 2 selected at start
    EXPECT_EQ(f.cbEffect->count(), 0);
    EXPECT_EQ(f.LEADDlg1.DialogTitle, QStringLiteral("Open picture"));
    EXPECT_EQ(f.LEADDlg1.dlgString(TLEADDlg::kLabelOpenButton), QStringLiteral("Load"));
    EXPECT_EQ(f.EndConfirmText, QStringLiteral("Really quit?"));
    EXPECT_EQ(f.DefaultFont, QStringLiteral("No Such Font 123"));
    EXPECT_EQ(f.FontList->currentRow(), 0);  // not on the screen: the first font
}

TEST_F(CatalogueTest, ErrorBoxesAndHelp) {
    std::array<QString, 10> errors;
    for (int i = 0; i < 10; ++i) {
        errors[i] = QStringLiteral("entry %1").arg(i);
    }
    EXPECT_EQ(texts::errorText(-5, errors), QStringLiteral("entry 0"));
    EXPECT_EQ(texts::errorText(7, errors), QStringLiteral("entry 7"));
    EXPECT_EQ(texts::errorText(8, errors), QStringLiteral("Error:8"));

    TForm1& f = openWindow();
    f.ErrorTexts = errors;
    f.ShowError(3);
    texts::showFrameLimit(&f, f.ErrorTexts);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("entry 3"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.messages[0].flags, 0x30u);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("entry 9"));

    // A help document that cannot be opened: "Error:" and the shell's number, no icon.
    dialogs.openResult = platform::kOpenFileNotFound;
    f.abbHelp->click();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].text, QStringLiteral("Error:2"));
    EXPECT_EQ(dialogs.messages[2].flags, 0u);
    EXPECT_EQ(dialogs.opened.last(), texts::helpDocument());

    // The web pages go to the desktop as they are, even empty.
    dialogs.openResult = platform::kOpenDone;
    f.PanelURL.clear();
    f.abbGetPImage->click();
    EXPECT_EQ(dialogs.opened.last(), QString());
    f.AnimeURL = QStringLiteral("https://example.invalid/anime");
    f.abbHPAccess->click();
    EXPECT_EQ(dialogs.opened.last(), QStringLiteral("https://example.invalid/anime"));
    EXPECT_EQ(dialogs.messages.size(), 3u);
}

// The message box the program really shows; it is closed as soon as it is up.
TEST(QtMessageBox, ShowsTextThatLooksLikeMarkupAsWritten) {
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                format = box->textFormat();
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    platform::QtDialogSeam seam;
    EXPECT_EQ(seam.messageBox(nullptr, "<b>Max</b>", "Pixmora", platform::kMbOk), platform::kIdOk);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(text, QStringLiteral("<b>Max</b>"));
}

TEST_F(CatalogueTest, OnlyErrorsGivenLeavesEverythingElseBlank) {
    writeCatalogue("[Errors]\nItems=2\n0=zero\n1=one\n");
    TForm1& f = openWindow();
    EXPECT_EQ(f.ErrorTexts[1], QStringLiteral("one"));
    EXPECT_TRUE(f.ErrorTexts[2].isEmpty());
    for (QComboBox* list :
         {f.cbEffect, f.cbDither, f.cbCutK, f.cbFColor, f.cbFEffect, f.cbFontB, f.cbScale}) {
        EXPECT_EQ(list->count(), 0) << list->objectName().toStdString();
        EXPECT_EQ(list->currentIndex(), -1);
    }
    for (const char* name : texts::kCaptionControls) {
        const QWidget* w = f.findChild<QWidget*>(QString::fromLatin1(name));
        if (const auto* panel = qobject_cast<const TPanel*>(w)) {
            EXPECT_TRUE(panel->Caption().isEmpty()) << name;
        }
    }
    for (const char* name : texts::kHintControls) {
        EXPECT_TRUE(f.findChild<QWidget*>(QString::fromLatin1(name))->toolTip().isEmpty()) << name;
    }
    EXPECT_TRUE(f.PageControl1->tabText(0).isEmpty());
}
