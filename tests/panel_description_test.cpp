#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QStringEncoder>

#include "app/PanelDescription.h"
#include "tests/support/TempFolderTest.h"

using app::PanelDescription;
using app::readPanelDescription;

namespace {

// A description that differs from the defaults everywhere, as an earlier one may have left it.
PanelDescription earlier() {
    PanelDescription d;
    d.panel = {"Old.bmp", {1, 2, 30, 40}, {5, 6, 70, 80}, 100, 20, 1, 2, 3};
    d.red = {4, {10, 20, 30, 40}};
    d.green = {4, {11, 21, 31, 41}};
    d.blue = {4, {12, 22, 32, 42}};
    return d;
}

class PanelDescriptionTest : public TempFolderTest {
  protected:
    // Reads `text` as a description over earlier(); the status.
    int read(const QByteArray& text) {
        description = earlier();
        return readPanelDescription(write("d.pnl", text), description);
    }
    PanelDescription description;
};

// Only a file that starts with the type header has its type checked; empty, blank, binary and
// type-header-only files are refused, and a refusal changes nothing.
TEST_F(PanelDescriptionTest, TypeLinesAreCheckedOnlyAfterTheTypeHeader) {
    const QString typed = QStringLiteral(
        "[FileType]\r\nType=pixmora_PanelImage\r\n[Panel]\r\n"
        "Width=100\r\nPanelFile=パネル.bmp\r\n");
    const std::pair<QByteArray, int> cases[] = {
        {"[Panel]\nWidth=100\n", 0},
        {typed.toUtf8(), 0},
        {QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(typed), 0},
        {"; made by hand\n[FileType]\nType=other\n[Panel]\nWidth=100\n", 0},
        {"[FileType]\nType=other\n[Panel]\nWidth=100\n", 4},
        {"[FileType]\ntype=pixmora_panelimage\n", 4},
        {"\xEF\xBB\xBF[FileType]\nType=other\n", 4},
        {"", 4},
        {" \r\n\n", 4},
        {"[FileType]", 4},
        {"[FileType]\n", 4},
        {QByteArray("BM\x00\x00[Panel]\nWidth=100\n", 20), 4}};
    for (const auto& [text, status] : cases) {
        EXPECT_EQ(read(text), status) << text.toHex().toStdString();
        if (status == 0) {
            EXPECT_EQ(description.panel.panelWidth, 100) << text.toStdString();
        } else {
            EXPECT_EQ(description, earlier()) << text.toStdString();
        }
    }
    EXPECT_EQ(description.panel.panelFile, "Old.bmp");
    read(typed.toUtf8());
    EXPECT_EQ(description.panel.panelFile, QStringLiteral("パネル.bmp"));
}

TEST_F(PanelDescriptionTest, MissingKeysGiveTheDefaultsAndLevelsAboveTheCountAreKept) {
    ASSERT_EQ(read("[Panel]\n[Red]\nColors=2\n0=7\n[Green]\nColors=9\n3=99\n[Blue]\nColors=0\n"),
              0);
    EXPECT_EQ(description.panel, app::PanelGeometry());
    EXPECT_EQ(description.panel.viewRect, (app::EdgeRect{45, 97, 247, 151}));
    EXPECT_EQ(description.panel.infoRect, (app::EdgeRect{45, 60, 247, 96}));
    EXPECT_EQ(description.red.count, 2);
    EXPECT_EQ(description.red.levels, (std::array<int, 4>{7, 85, 30, 40}));
    EXPECT_EQ(description.green.count, 4);
    EXPECT_EQ(description.green.levels, (std::array<int, 4>{0, 85, 170, 99}));
    EXPECT_EQ(description.blue, (app::ColourLevels{0, earlier().blue.levels}));
}

// Values the window cannot use refuse the whole description; levels above the count are not
// read, so they cannot refuse it.
TEST_F(PanelDescriptionTest, UnusableValuesAndUnreadableFilesAreRefused) {
    const char* refused[] = {
        "[Panel]\nWidth=0\n",        "[Panel]\nWidth=257\n",     "[Panel]\nHeight=-1\n",
        "[Panel]\nViewRight=45\n",   "[Panel]\nInfoBottm=59\n",  "[Panel]\nViewLeft=-1\n",
        "[Panel]\nInfoRight=5000\n", "[Panel]\nPixelSpace=-2\n", "[Red]\n1=256\n",
        "[Blue]\nColors=1\n0=-1\n"};
    for (const char* text : refused) {
        EXPECT_EQ(read(text), 4) << text;
        EXPECT_EQ(description, earlier()) << text;
    }
    EXPECT_EQ(read("[Panel]\nWidth=256\nHeight=1\nViewRight=46\n[Red]\nColors=1\n3=999\n"), 0);
    EXPECT_EQ(description.red.levels[3], 40);
    // Files that cannot be read: missing or a folder (1), a pipe (2).
    description = earlier();
    ASSERT_EQ(mkfifo(path("pipe.pnl").toLocal8Bit().constData(), 0600), 0);
    for (const auto& [file, status] :
         {std::pair{path("none.pnl"), 1}, {dir_.path(), 1}, {path("pipe.pnl"), 2}}) {
        EXPECT_EQ(readPanelDescription(file, description), status);
    }
    EXPECT_EQ(description, earlier());
}

// Names written for systems with backslashes and without case find the file; nothing else does.
TEST_F(PanelDescriptionTest, DevicePictureIsFoundAsSuchSystemsWouldFindIt) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Devices/Small"));
    const QString picture = write("Devices/Small/Panel.bmp", "BM");
    const QString folder = dir_.path();
    for (const char* name : {"Devices/Small/Panel.bmp", "devices\\SMALL\\panel.BMP",
                             "./Devices//Small/Panel.bmp", "Devices/../Devices/Small/Panel.bmp"}) {
        EXPECT_EQ(QFileInfo(app::devicePicturePath(folder, name)).canonicalFilePath(),
                  QFileInfo(picture).canonicalFilePath())
            << name;
    }
    EXPECT_EQ(app::devicePicturePath(folder + "/Devices/Small", "Panel.bmp"),
              folder + "/Devices/Small/Panel.bmp");
    EXPECT_EQ(app::devicePicturePath(folder, picture), picture);
    for (const char* name : {"Devices/Small/Other.bmp", "Devices/Small", "", "Small/Panel.bmp"}) {
        EXPECT_TRUE(app::devicePicturePath(folder, name).isEmpty()) << name;
    }
}

}  // namespace
