#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <vector>

#include "store/TdlgIns.h"
#include "support/ScriptedDialogs.h"

namespace {

// Choosing "before" or not, then closing with OK, Escape or the hidden Cancel button.
TEST(TdlgIns, AnswersAfterUnlessBeforeIsChosenAndNothingWithoutOk) {
    const auto ok = [](TdlgIns& d) { d.Button1->click(); };
    const auto cancel = [](TdlgIns& d) { d.Button2->click(); };
    const auto escape = [](TdlgIns& d) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &key);
    };
    struct Case {
        bool before;
        std::function<void(TdlgIns&)> close;
        int expected;
    };
    for (const Case& c : std::vector<Case>{{false, ok, TdlgIns::kAfter},
                                           {true, ok, TdlgIns::kBefore},
                                           {true, escape, TdlgIns::kNoAnswer},
                                           {true, cancel, TdlgIns::kNoAnswer}}) {
        ScriptedDialogs seam;
        seam.dialogActions.push_back([&c](QDialog& shown) {
            auto& dialog = static_cast<TdlgIns&>(shown);
            if (c.before) {
                dialog.rbPos1->click();
            }
            c.close(dialog);
            return shown.result();
        });
        TdlgIns dialog(nullptr, 12);
        EXPECT_EQ(platform::dialogSeam().execDialog(dialog), c.expected);
        EXPECT_EQ(dialog.answer(), c.expected);
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
    EXPECT_GE(dialog.RadioGroup1->width(), dialog.RadioGroup1->minimumSizeHint().width());
    for (const QRadioButton* choice : {dialog.rbPos1, dialog.rbPos2}) {
        EXPECT_GE(choice->width(), choice->sizeHint().width());
        EXPECT_TRUE(dialog.RadioGroup1->rect().contains(choice->geometry()));
    }
    EXPECT_TRUE(dialog.rect().contains(dialog.RadioGroup1->geometry()));
    EXPECT_TRUE(dialog.rect().contains(dialog.Button1->geometry()));
}

}  // namespace
