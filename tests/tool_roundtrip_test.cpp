// import -> info -> export through real panel files.
#include <gtest/gtest.h>

#include <QProcess>

#include "support/TempFolderTest.h"
#include "support/ToolRun.h"
#include "tools/CfilePanelFiles.h"

namespace {

ToolResult run(const QStringList& args) {
    tools::CfilePanelFiles files;
    return runToolWith(files, args);
}

class ToolRoundTrip : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        picture = twoColourPicture(dir_, "p.png", qRgb(200, 50, 10), qRgb(30, 60, 90));
    }
    QString picture;
};

TEST_F(ToolRoundTrip, ImportInfoAndExportAtEachDepth) {
    for (const auto& [bits, leftGrey, rightGrey] :
         {std::tuple{"1", 255, 0}, {"2", 170, 85}, {"4", 204, 85}, {"8", 200, 90}}) {
        const QString zma = path("d.zma"), png = path("d.png");
        ASSERT_EQ(run({"import", "--bits", bits, "--dither", "none", "--background", "21", zma,
                       picture, picture})
                      .code,
                  0);
        const QString frameLine = QStringLiteral("160x54, %1 bits, background 21\n").arg(bits);
        EXPECT_EQ(run({"info", zma}).out,
                  zma + ": 2 frames\nframe 1: " + frameLine + "frame 2: " + frameLine);
        ASSERT_EQ(run({"export", zma, png}).code, 0);
        const QImage second(path("d-002.png"));
        EXPECT_EQ(qGray(second.pixel(0, 27)), leftGrey) << bits;
        EXPECT_EQ(qGray(second.pixel(159, 27)), rightGrey) << bits;
    }
}

// The reader's statuses are tested with the panel files; here the tool's exit code and message.
TEST_F(ToolRoundTrip, DamagedFilesGiveTheirExitCodeAndMessage) {
    const QString zma = path("other.zma");
    ASSERT_EQ(run({"import", "--dither", "none", zma, picture, picture}).code, 0);
    QByteArray bytes = bytesOf(zma);
    write("cut.zma", bytes.chopped(10));
    write("empty.zma", QByteArray("za\0\0", 4));
    bytes[7] = static_cast<char>(bytes[7] ^ 0x5A);
    write("check.zma", bytes);
    for (const auto& [name, code, message] :
         {std::tuple{"check.zma", 3, "a frame fails its check byte"},
          {"cut.zma", 4, "the file ends early"},
          {"empty.zma", 7, "no such file, or an animation without frames"}}) {
        const ToolResult r = run({"info", path(name)});
        EXPECT_EQ(r.code, code) << name;
        EXPECT_TRUE(r.err.startsWith(path(name) + ": " + message)) << r.err.toStdString();
    }
}

TEST_F(ToolRoundTrip, RunsWithoutAnyWindowingPlatform) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        env.remove(QString::fromLatin1(name));
    }
    QProcess tool;
    tool.setProcessEnvironment(env);
    for (const QStringList& args : {QStringList{"import", path("plain.zma"), picture},
                                    QStringList{"export", path("plain.zma"), path("plain.gif")}}) {
        tool.start(QStringLiteral(PIXMORA_TOOL_PATH), args);
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }
    EXPECT_TRUE(QFile::exists(path("plain.gif")));
}

TEST_F(ToolRoundTrip, ShortenedNameIsReported) {
    const QString asked = dir_.filePath(QString(130, 'n') + ".zma");
    const QString written = dir_.filePath(QString(122, 'n') + ".zma");
    const ToolResult r = run({"import", asked, picture});
    EXPECT_EQ(r.out,
              asked + ": name too long, written as " + written + "\n" + written + ": 1 frames\n");
    EXPECT_EQ(run({"info", written}).code, 0);
}

}  // namespace
