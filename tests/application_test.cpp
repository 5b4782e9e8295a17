#include <gtest/gtest.h>

#include <QTimer>
#include <stdexcept>

#include "app/PixmoraApplication.h"
#include "tests/support/ScriptedDialogs.h"

TEST(PixmoraApplication, EscapedExceptionIsShownAndEndsTheProcessWithCode3) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "application_test";
    char* argv[] = {name, nullptr};
    PixmoraApplication app(argc, argv);
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Pixmora"));  // the settings folder
    ScriptedDialogs dialogs;
    QTimer::singleShot(0, [] { throw std::runtime_error("disk on fire"); });
    EXPECT_EQ(QApplication::exec(), 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("disk on fire"));
}
