#include <gtest/gtest.h>

#include <QTimer>
#include <stdexcept>

#include "app/PixmoraApplication.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

int argc = 1;
char name[] = "application_test";
char* argv[] = {name, nullptr};

}  // namespace

TEST(PixmoraApplication, EscapedExceptionIsShownAndEndsWithFailure) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PixmoraApplication app(argc, argv);
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Pixmora"));
    ScriptedDialogs dialogs;
    QTimer::singleShot(0, [] { throw std::runtime_error("disk on fire"); });
    const int code = QApplication::exec();
    EXPECT_EQ(code, PixmoraApplication::kCrashExitCode);
    EXPECT_NE(code, 0);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("disk on fire"));
}
