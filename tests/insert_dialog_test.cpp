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

// Choosing "before" or not, then closing with OK or Escape.
TEST(TdlgIns, AnswersAfterUnlessBeforeIsChosenAndNothingWithoutOk) {
    const auto ok = [](TdlgIns& d) { d.Button1->click(); };
    const auto escape = [](TdlgIns& d) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &key);
    };
    const struct {
        bool before;
        std::function<void(TdlgIns&)> close;
        int expected;
    } cases[] = {{false, ok, TdlgIns::kAfter},
                 {true, ok, TdlgIns::kBefore},
                 {true, escape, TdlgIns::kNoAnswer}};
    for (const auto& c : cases) {
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
    const QStringList texts{"Insert position", "Where to insert the loaded pictures",
                            "Before the current frame & more", "After the current frame"};
    for (int i = 0; i < 4; ++i) {
        dialog.SetText(i, texts[i]);
    }
    EXPECT_EQ((QStringList{dialog.windowTitle(), dialog.RadioGroup1->title(), dialog.rbPos1->text(),
                           dialog.rbPos2->text()}),
              (QStringList{texts[0], texts[1], "Before the current frame && more", texts[3]}));

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
