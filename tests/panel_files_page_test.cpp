// Loading panel files into the output frames and saving them, on a real window.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/Cfilectl.h"
#include "tests/support/WindowTest.h"

namespace {

using imaging::Picture;

class PanelFilesPageTest : public WindowTest {
  protected:
    QString writeFile(const char* name, int count, int bits = 2, int code = 63) {
        CustumFileControl file;
        EXPECT_NE(file.SetFileName(path(name)), CustumFileControl::kOther);
        file.BackColorCode = code;
        // Frame i has its one lit pixel (level 1) in column i.
        std::vector<Picture> frames(count, Picture(160, 54, bits));
        for (int i = 0; i < count; ++i) {
            frames[i].palette() = Picture::greyPalette(bits);
            frames[i].row(0)[i] = 1;
        }
        EXPECT_EQ(file.SaveFrames(count, 160, 54, bits,
                                  [&](int i) { return &frames[static_cast<std::size_t>(i)]; }),
                  0);
        return path(name);
    }
    // Loads through the open dialog and answers the insert question when it is asked.
    void loadPanel(const QString& file, bool before = false) {
        dialogs.fileAnswers.push_back(file);
        dialogs.dialogActions = {pressOk(before, &asked)};
        form->abbFLoad->click();
    }
    // The column of each frame's lit pixel in its top row.
    std::vector<int> marks() const {
        std::vector<int> m;
        for (const Picture& p : framesOf(*form->LeadMNF)) {
            m.push_back(static_cast<int>(std::find(p.row(0), p.row(0) + p.width(), 1) - p.row(0)));
        }
        return m;
    }

    QString asked;
};

// Frames go before or after the current one in file order, up to 90 frames; the last loaded one
// is shown, and every load empties the undo history.
TEST_F(PanelFilesPageTest, LoadedFramesGoWhereAskedInFileOrderUpToNinety) {
    const QString three = writeFile("three.zma", 3);
    loadPanel(three);
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty()) << "nothing asked without output frames";
    EXPECT_EQ(std::tuple(marks(), form->tbOutPre->Position()), std::tuple(std::vector{0, 1, 2}, 3));
    EXPECT_EQ(form->DirImg, dir_.path());

    form->tbOutPre->setPosition(2);
    form->UndoControl->Push(0, 1, nullptr, form->LeadMNF.get());
    loadPanel(three);
    EXPECT_EQ(std::tuple(marks(), form->tbOutPre->Position(), asked, form->UndoControl->Count()),
              std::tuple(std::vector{0, 1, 0, 1, 2, 2}, 5, QStringLiteral("3Frames"), 0));
    form->tbOutPre->setPosition(4);
    loadPanel(three, true);
    EXPECT_EQ(std::tuple(marks(), form->tbOutPre->Position()),
              std::tuple(std::vector{0, 1, 0, 0, 1, 2, 1, 2, 2}, 6));
    EXPECT_EQ(*form->LeadGrWk->picture(), form->LeadMNF->frame(5)) << "the panel preview";

    form->UndoControl->Push(0, 1, nullptr, form->LeadMNF.get());
    dialogs.fileAnswers.push_back({});
    form->abbFLoad->click();
    EXPECT_EQ(std::tuple(form->outputFrameCount(), form->UndoControl->Count()),
              std::tuple(9, 0));  // a cancelled load too

    // Only what fits beside the frames held is asked about and inserted.
    addFrames(76);
    form->tbOutPre->setPosition(1);
    loadPanel(writeFile("twelve.zma", 12));
    const std::vector<int> m = marks();
    EXPECT_EQ(std::tuple(asked, m.size(), std::vector(m.begin() + 1, m.begin() + 6),
                         form->tbOutPre->Position()),
              std::tuple(QStringLiteral("5Frames"), 90u, std::vector{0, 1, 2, 3, 4}, 6));
}

// Bad files show their error and add nothing. The file's depth stays in the panel list, a 24-bit
// copy goes to the colour list, and the file's background colour moves the colour bars.
TEST_F(PanelFilesPageTest, BadFilesAddNothingGoodOnesKeepDepthAndBackground) {
    QFile::copy(writeFile("good.zma", 3), path("cut.zma"));
    QFile cut(path("cut.zma"));
    cut.resize(cut.size() - 10);
    write("empty.zma", QByteArray());
    write("notes.txt", "hello");
    using Case = std::pair<const char*, int>;
    for (const auto& [name, error] :
         {Case{"missing.zma", 7}, Case{"empty.zma", 7}, Case{"notes.txt", 1},
          Case{"cut.zma", CustumFileControl::kTruncated}}) {
        loadPanel(path(name));
        ASSERT_FALSE(dialogs.messages.empty());
        EXPECT_EQ(dialogs.messages.back().text, form->ErrorTexts[error]) << name;
        EXPECT_EQ(form->outputFrameCount(), 0) << name;
    }
    for (const int bits : {1, 4}) {
        form->abbOutPreClr->click();
        loadPanel(writeFile(bits == 1 ? "one.zml" : "four.zml", 1, bits, 52));
        ASSERT_EQ(form->outputFrameCount(), 1);
        const Picture& panel = form->LeadMNF->frame(0);
        EXPECT_EQ(std::pair(panel.bits(), form->LeadCLF->frame(0) == imaging::toTrueColour(panel)),
                  std::pair(bits, true));
        EXPECT_EQ(std::tuple(form->tbRed->Position(), form->tbGreen->Position(),
                             form->tbBlue->Position(), form->BackColorCode),
                  std::tuple(3, 1, 0, std::uint8_t{52}));
    }
    EXPECT_EQ(form->LeadGrWk->picture()->palette()[1],
              produce::tintedGrey(52, 1, produce::kDefaultChannelLevels))
        << "the panel preview tinted with the file's colour";
}

// One frame is offered as ".zml", more as ".zma"; saving leaves the frames and the current
// frame as they were, and the file loads back to the same frames.
TEST_F(PanelFilesPageTest, SaveOffersTheKindByFrameCountAndReadsBack) {
    addFrames(1);
    dialogs.fileAnswers.push_back(path("single"));
    form->abbFSave->click();
    EXPECT_TRUE(dialogs.fileRequests.back().filter.endsWith(QStringLiteral("(*.zml)")));
    EXPECT_TRUE(QFileInfo::exists(path("single.zml")));

    addFrames(2);
    form->tbOutPre->setPosition(2);
    dialogs.fileAnswers.push_back(path("anim"));
    form->abbFSave->click();
    EXPECT_TRUE(dialogs.fileRequests.back().filter.endsWith(QStringLiteral("(*.zma)")));
    EXPECT_EQ(std::tuple(form->tbOutPre->Position(), form->LeadMNF->BitmapListIndex()),
              std::tuple(2, 1));
    const std::vector<Picture> saved = framesOf(*form->LeadMNF);
    form->abbOutPreClr->click();
    loadPanel(path("anim.zma"));
    EXPECT_EQ(framesOf(*form->LeadMNF), saved);

    dialogs.fileAnswers.push_back(path("anim.png"));
    form->abbFSave->click();
    EXPECT_EQ(dialogs.messages.back().text, form->ErrorTexts[1]);
    EXPECT_FALSE(QFileInfo::exists(path("anim.png")));
}

}  // namespace
