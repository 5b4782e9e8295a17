// import -> info -> export through real panel files.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include "files/Cfilectl.h"
#include "imaging/LeadModel.h"
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

// Sets byte `field` of the record at `record` and makes the record's check byte right again.
void patchRecord(const QString& path, qint64 record, qint64 recordSize, int field, char value) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    bytes[record + field] = value;
    bytes[record + 3] = 0;
    char x = 0;
    for (qint64 i = record; i < record + recordSize; ++i) {
        x = static_cast<char>(x ^ bytes[i]);
    }
    bytes[record + 3] = static_cast<char>(~x);
    ASSERT_TRUE(f.seek(0));
    ASSERT_EQ(f.write(bytes), bytes.size());
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

// Files other programs write within what the window reads: a level count of three (read at
// 2 bits), a larger data offset, and each frame with its own background colour.
TEST_F(ToolRoundTrip, AcceptsWhatTheWindowLoads) {
    const QString zma = dir.filePath("other.zma");
    ASSERT_EQ(run({"import", "--dither", "none", zma, picture, picture}).code, 0);
    constexpr qint64 kRecord = 2169;
    patchRecord(zma, 4, kRecord, 7, 2);
    patchRecord(zma, 4, kRecord, 2, 12);
    patchRecord(zma, 4 + kRecord, kRecord, 8, 52);

    imaging::LeadModel list;
    imaging::LeadModel work;
    CustumFileControl control;
    control.SetFileName(zma);
    ASSERT_EQ(control.Load(list, work), CustumFileControl::kOk);
    EXPECT_EQ(control.FrameColorCodes, (std::vector<std::uint8_t>{63, 52}));

    const Result r = run({"info", zma});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, zma +
                         ": 2 frames\nframe 1: 160x54, 2 bits, background 63\n"
                         "frame 2: 160x54, 2 bits, background 52\n");
    ASSERT_EQ(run({"export", zma, dir.filePath("other.png")}).code, 0);
    const QImage first(dir.filePath("other-001.png"));
    EXPECT_EQ(qGray(first.pixel(159, 27)), qGray(list.bitmapListItem(0).colourAt(159, 27)));
}

TEST_F(ToolRoundTrip, RunsWithoutAnyWindowingPlatform) {
    const QString zma = dir.filePath("plain.zma");
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        env.remove(QString::fromLatin1(name));
    }
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(PIXMORA_TOOL_PATH), {"import", zma, picture});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    tool.start(QStringLiteral(PIXMORA_TOOL_PATH), {"export", zma, dir.filePath("plain.gif")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("plain.gif")));
}

TEST_F(ToolRoundTrip, ShortenedNameIsReported) {
    const QString asked = dir.filePath(QString(130, QLatin1Char('n')) + ".zma");
    const QString written = dir.filePath(QString(122, QLatin1Char('n')) + ".zma");
    const Result r = run({"import", asked, picture});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("written as " + written)) << r.out.toStdString();
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_EQ(run({"info", written}).code, 0);
}
