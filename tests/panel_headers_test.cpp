#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tools/PanelHeaders.h"
#include "tools/ToolStatus.h"

using tools::FrameHeader;

namespace {

// A record: header bytes with a made-up check byte, then the pixel bytes its size needs
// (less `shortBy`).
QByteArray record(int w, int h, int levels, int code, int shortBy = 0) {
    QByteArray b("\x7A\x6D\x09", 3);
    for (const int v : {0x5A, code, w - 1, h - 1, levels - 1, code}) {
        b.append(static_cast<char>(v));
    }
    int bits = 1;
    while ((1 << bits) < levels) {
        ++bits;
    }
    const int size = ((w * bits + 7) / 8) * h - shortBy;
    b.append(QByteArray(size, '\x11'));
    return b;
}

QByteArray animation(int count) {
    QByteArray b("za");
    b.append(static_cast<char>(count >> 8));
    b.append(static_cast<char>(count & 0xFF));
    return b;
}

class PanelHeadersTest : public testing::Test {
  protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    int read(const QString& name, const QByteArray& bytes) {
        return tools::readFrameHeaders(file(name, bytes), &headers);
    }

    QTemporaryDir dir;
    std::vector<FrameHeader> headers;
};

}  // namespace

TEST_F(PanelHeadersTest, ReadsEveryRecordOfAnAnimation) {
    const QByteArray bytes =
        animation(3) + record(160, 54, 4, 63) + record(160, 54, 4, 5) + record(160, 54, 4, 0);
    ASSERT_EQ(read("a.zma", bytes), tools::kToolOk);
    EXPECT_EQ(headers,
              (std::vector<FrameHeader>{{160, 54, 2, 63}, {160, 54, 2, 5}, {160, 54, 2, 0}}));
}

TEST_F(PanelHeadersTest, ReadsOneFrameAtEachDepth) {
    struct Case {
        int levels;
        int bits;
    };
    for (const Case c : {Case{2, 1}, Case{4, 2}, Case{16, 4}, Case{256, 8}}) {
        ASSERT_EQ(read("one.ZML", record(256, 3, c.levels, 17)), tools::kToolOk) << c.levels;
        EXPECT_EQ(headers, (std::vector<FrameHeader>{{256, 3, c.bits, 17}}));
    }
}

TEST_F(PanelHeadersTest, RefusesBadFilesWithTheirStatus) {
    headers = {{1, 1, 1, 1}};
    EXPECT_EQ(read("a.png", record(4, 4, 4, 0)), tools::kCannotOpen);
    EXPECT_EQ(tools::readFrameHeaders(dir.filePath("none.zma"), &headers), tools::kMissingFile);
    EXPECT_EQ(read("empty.zma", animation(0)), tools::kMissingFile);
    EXPECT_EQ(read("short.zma", QByteArray("za\x00", 3)), tools::kTruncated);
    EXPECT_EQ(read("magic.zma", QByteArray("zb\x00\x01") + record(4, 4, 4, 0)), tools::kTruncated);
    EXPECT_EQ(read("fewer.zma", animation(2) + record(4, 4, 4, 0)), tools::kTruncated);
    EXPECT_EQ(read("pixels.zml", record(4, 4, 4, 0, 1)), tools::kTruncated);
    EXPECT_EQ(read("header.zml", record(4, 4, 4, 0).left(8)), tools::kTruncated);
    QByteArray badMagic = record(4, 4, 4, 0);
    badMagic[2] = 0x08;
    EXPECT_EQ(read("record.zml", badMagic), tools::kTruncated);
    EXPECT_EQ(read("depth.zml", record(4, 4, 5, 0)), tools::kBadDepth);
    EXPECT_EQ(read("sizes.zma", animation(2) + record(4, 4, 4, 0) + record(5, 4, 4, 0)),
              tools::kBadDepth);
    // A failed read leaves the previous headers alone.
    EXPECT_EQ(headers, (std::vector<FrameHeader>{{1, 1, 1, 1}}));
}

TEST_F(PanelHeadersTest, AHugeAnnouncedCountIsBoundedByTheFile) {
    EXPECT_EQ(read("many.zma", animation(0xFFFF) + record(2, 2, 2, 0)), tools::kTruncated);
}
