#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "store/TdlgIns.h"

namespace {

// The count is shown and catalogue texts fit a fixed window. With "before" chosen, the OK button
// answers it and Escape answers nothing.
TEST(TdlgIns, FixedWindowFitsItsTextsAndAnswersOnlyOk) {
    TdlgIns dialog(nullptr, 12);
    EXPECT_EQ(dialog.Label2->text(), "12Frames");
    EXPECT_TRUE(dialog.Button2->isHidden() && dialog.Button1->isDefault());
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
    EXPECT_TRUE(dialog.rect().contains(dialog.RadioGroup1->geometry()) &&
                dialog.rect().contains(dialog.Button1->geometry()));

    for (const bool escape : {false, true}) {
        TdlgIns asked(nullptr, 12);
        asked.rbPos1->click();
        if (escape) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&asked, &key);
        } else {
            asked.Button1->click();
        }
        EXPECT_EQ(std::pair(asked.answer(), asked.result()),
                  escape ? std::pair(TdlgIns::kNoAnswer, 0)
                         : std::pair(TdlgIns::kBefore, TdlgIns::kBefore));
    }
}

}  // namespace
