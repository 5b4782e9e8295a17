#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "store/TdlgIns.h"
#include "support/ScriptedDialogs.h"

namespace {

void pressEscape(QDialog& dialog) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
}

TEST(TdlgIns, AnswersAfterUnlessBeforeIsChosenAndNothingWithoutOk) {
    const std::vector<std::pair<std::function<void(TdlgIns&)>, int>> cases{
        {[](TdlgIns& d) { d.Button1->click(); }, TdlgIns::kAfter},
        {[](TdlgIns& d) {
             d.rbPos1->click();
             d.Button1->click();
         },
         TdlgIns::kBefore},
        {[](TdlgIns& d) {
             d.rbPos1->click();
             pressEscape(d);
         },
         TdlgIns::kNoAnswer},
        {[](TdlgIns& d) {
             d.rbPos1->click();
             d.Button2->click();
         },
         TdlgIns::kNoAnswer},
    };
    for (const auto& [act, expected] : cases) {
        ScriptedDialogs seam;
        seam.dialogActions.push_back([&act](QDialog& shown) {
            act(static_cast<TdlgIns&>(shown));
            return shown.result();
        });
        TdlgIns dialog(nullptr, 12);
        EXPECT_EQ(platform::dialogSeam().execDialog(dialog), expected);
        EXPECT_EQ(dialog.answer(), expected);
        EXPECT_EQ(seam.dialogsShown, QStringList{"dlgIns"});
    }
}

TEST(TdlgIns, ShowsTheCountAndFitsCatalogueTextsInAFixedWindow) {
    TdlgIns dialog(nullptr, 12);
    EXPECT_EQ(dialog.Label2->text(), "12Frames");
    EXPECT_TRUE(dialog.Button2->isHidden());
    EXPECT_TRUE(dialog.Button1->isDefault());
    EXPECT_FALSE(dialog.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                  Qt::WindowContextHelpButtonHint));
    dialog.SetText(0, "Insert position");
    dialog.SetText(1, "Where to insert the loaded pictures");
    dialog.SetText(2, "Before the current frame & more");
    dialog.SetText(3, "After the current frame");
    EXPECT_EQ(dialog.windowTitle(), "Insert position");
    EXPECT_EQ(dialog.RadioGroup1->title(), "Where to insert the loaded pictures");
    EXPECT_EQ(dialog.rbPos1->text(), "Before the current frame && more");
    EXPECT_EQ(dialog.rbPos2->text(), "After the current frame");

    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_GE(dialog.width(), 234);
    EXPECT_EQ(dialog.height(), 128);
    EXPECT_GE(dialog.RadioGroup1->width(), dialog.RadioGroup1->minimumSizeHint().width());
    for (const QRadioButton* choice : {dialog.rbPos1, dialog.rbPos2}) {
        EXPECT_GE(choice->width(), choice->sizeHint().width());
        EXPECT_TRUE(dialog.RadioGroup1->rect().contains(choice->geometry()));
    }
    EXPECT_TRUE(dialog.rect().contains(dialog.RadioGroup1->geometry()));
    EXPECT_TRUE(dialog.rect().contains(dialog.Button1->geometry()));
}

}  // namespace
