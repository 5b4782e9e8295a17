// import -> info -> export through real panel files.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "files/Cfilectl.h"
#include "support/ToolRun.h"
#include "tools/CfilePanelFiles.h"
#include "tools/PanelFrames.h"
#include "tools/ToolCommands.h"

namespace {

using Result = ToolResult;

Result run(const QStringList& args) {
    tools::CfilePanelFiles files;
    return runToolWith(files, args);
}

void patchByte(const QString& path, qint64 at, char value) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(at));
    ASSERT_EQ(f.write(&value, 1), 1);
}

class ToolRoundTrip : public testing::Test {
  protected:
    void SetUp() override {
        picture = twoColourPicture(dir, "p.png", qRgb(200, 50, 10), qRgb(30, 60, 90));
    }
    QTemporaryDir dir;
    QString picture;
};

}  // namespace

TEST_F(ToolRoundTrip, ImportInfoAndExportAtEachDepth) {
    struct Case {
        QString bits;
        int leftGrey;
        int rightGrey;
    };
    for (const Case& c :
         {Case{"1", 255, 0}, Case{"2", 170, 85}, Case{"4", 204, 85}, Case{"8", 200, 90}}) {
        const QString zma = dir.filePath("d" + c.bits + ".zma");
        Result r = run({"import", "--bits", c.bits, "--dither", "none", "--background", "21", zma,
                        picture, picture});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        r = run({"info", zma});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QString frameLine = QStringLiteral("160x54, %1 bits, background 21\n").arg(c.bits);
        EXPECT_EQ(r.out, zma + ": 2 frames\nframe 1: " + frameLine + "frame 2: " + frameLine);

        const QString png = dir.filePath("d" + c.bits + ".png");
        ASSERT_EQ(run({"export", zma, png}).code, 0);
        const QImage second(dir.filePath("d" + c.bits + "-002.png"));
        ASSERT_FALSE(second.isNull());
        EXPECT_EQ(qGray(second.pixel(0, 27)), c.leftGrey) << c.bits.toStdString();
        EXPECT_EQ(qGray(second.pixel(159, 27)), c.rightGrey) << c.bits.toStdString();
    }
}

TEST_F(ToolRoundTrip, OneFrameFileAndGifTint) {
    const QString zml = dir.filePath("one.zml");
    ASSERT_EQ(run({"import", "--dither", "none", "--background", "48", zml, picture}).code, 0);
    Result r = run({"info", zml});
    EXPECT_EQ(r.out, zml + ": 1 frames\nframe 1: 160x54, 2 bits, background 48\n");
    const QString gif = dir.filePath("one.gif");
    ASSERT_EQ(run({"export", zml, gif}).code, 0);
    QImageReader reader(gif);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(reader.nextImageDelay(), 100);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, qRgb(170, 0, 0) & 0xFFFFFF);
    EXPECT_EQ(image.pixel(159, 0) & 0xFFFFFF, qRgb(85, 0, 0) & 0xFFFFFF);
}

TEST_F(ToolRoundTrip, DamagedFilesGiveTheirStatus) {
    const QString zma = dir.filePath("a.zma");
    ASSERT_EQ(run({"import", zma, picture}).code, 0);
    EXPECT_EQ(run({"info", dir.filePath("none.zma")}).code, 7);

    const QString checked = dir.filePath("check.zma");
    ASSERT_TRUE(QFile::copy(zma, checked));
    QFile original(zma);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    patchByte(checked, 7, static_cast<char>(bytes[7] ^ 0x5A));
    Result r = run({"info", checked});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(r.err.contains("check byte"));

    const QString cut = dir.filePath("cut.zma");
    QFile cutFile(cut);
    ASSERT_TRUE(cutFile.open(QIODevice::WriteOnly));
    cutFile.write(bytes.left(bytes.size() - 10));
    cutFile.close();
    EXPECT_EQ(run({"info", cut}).code, 4);

    const QString empty = dir.filePath("empty.zma");
    QFile emptyFile(empty);
    ASSERT_TRUE(emptyFile.open(QIODevice::WriteOnly));
    emptyFile.write(QByteArray("za\x00\x00", 4));
    emptyFile.close();
    EXPECT_EQ(run({"info", empty}).code, 7);
}
