#include "store/Framectl.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <vector>

#include "imaging/Status.h"
#include "support/ClipMaker.h"
#include "support/TempFolderTest.h"

using imaging::kOk;
using store::TFrameControl;
using store::TFrameData;

namespace {

class FrameStoreTest : public TempFolderTest {
  protected:
    QString clip(const char* name, int frames) {
        EXPECT_TRUE(testsupport::writeClip(path(name).toStdString(), testsupport::ClipCodec::kMjpeg,
                                           {.frames = frames, .width = 64, .height = 16}));
        return path(name);
    }
    QString still(const char* name, QRgb colour, QImage::Format format = QImage::Format_RGB888) {
        QImage image(5, 3, QImage::Format_RGB888);
        image.fill(colour);
        EXPECT_TRUE(image.convertToFormat(format).save(path(name), "PNG"));
        return path(name);
    }
    // Each entry as "name@First" from Head to Tail; the links back from Tail must agree.
    QStringList layout() const {
        QStringList forward, backward;
        const auto named = [](const TFrameData* e) {
            return QFileInfo(e->FileName).fileName() + '@' + QString::number(e->First);
        };
        for (const TFrameData* e = store_.Head; e != nullptr; e = e->Next) {
            forward.append(named(e));
        }
        for (const TFrameData* e = store_.Tail; e != nullptr; e = e->Prev) {
            backward.prepend(named(e));
        }
        EXPECT_EQ(forward, backward);
        return forward;
    }
    int framesHeld() const {
        int held = 0;
        for (const TFrameData* e = store_.Head; e != nullptr; e = e->Next) {
            held += e->Control->frameCount();
        }
        return held;
    }
    int shown() const { return testsupport::frameNumberOf(*store_.Current->Control->picture()); }

    TFrameControl store_;
};

TEST_F(FrameStoreTest, ClipFramesAreDecodedTenAtATimeAroundTheSelection) {
    const QString file = clip("clip.avi", 25);
    ASSERT_EQ(store_.InsertAfter(file), kOk);
    imaging::LeadModel* const control = store_.SelectFrame(12);
    ASSERT_EQ(control, store_.Current->Control.get());
    EXPECT_EQ(std::tuple(control->BitmapListCount(), control->BitmapListIndex(),
                         store_.Current->WindowStart, store_.CurrentFrame),
              std::tuple(10, 2, 10, 12));
    imaging::LeadModel direct;
    ASSERT_EQ(direct.Load(file, 24, 13, 1), kOk);
    EXPECT_EQ(*control->picture(), direct.bitmapListItem(0));
    // A marked picture survives a move inside the window, as nothing is decoded again.
    const imaging::Picture marker(1, 1);
    control->setBitmap(marker);
    EXPECT_EQ(store_.SelectFrame(19), control);
    EXPECT_EQ(std::tuple(control->BitmapListIndex(), control->bitmapListItem(2), shown()),
              std::tuple(9, marker, 19));
    for (const int number : {20, 25, -1}) {  // 25 and -1 are outside: nothing changes
        EXPECT_EQ(store_.SelectFrame(number), control);
        EXPECT_EQ(std::tuple(store_.CurrentFrame, control->BitmapListCount(),
                             control->BitmapListIndex(), shown()),
                  std::tuple(20, 5, 0, 20));
    }
}

TEST_F(FrameStoreTest, InsertionNumbersFramesAcrossFilesAndOnlyTheCurrentHoldsPictures) {
    EXPECT_EQ(store_.SelectFrame(0), nullptr);
    ASSERT_EQ(store_.InsertAfter(clip("a.avi", 25)), kOk);
    ASSERT_EQ(store_.InsertAfter(still("b.png", qRgb(200, 10, 10))), kOk);
    EXPECT_EQ(std::tuple(store_.Total, store_.CurrentFrame, framesHeld()), std::tuple(26, 25, 1));
    ASSERT_EQ(store_.InsertBefore(clip("c.avi", 12)), kOk);
    EXPECT_EQ(layout(), QStringList({"a.avi@0", "c.avi@25", "b.png@37"}));
    EXPECT_EQ(std::tuple(store_.Total, store_.CurrentFrame, shown(), framesHeld()),
              std::tuple(38, 25, 0, 10));
    EXPECT_EQ(store_.SelectFrame(37), store_.Tail->Control.get());
    EXPECT_EQ(std::tuple(store_.Current, store_.CurrentFrame, framesHeld()),
              std::tuple(store_.Tail, 37, 1));
    store_.SelectFrame(31);
    EXPECT_EQ(std::pair(shown(), framesHeld()), std::pair(6, 10));
    store_.SelectFrame(3);  // in front of the first file
    ASSERT_EQ(store_.InsertBefore(still("d.png", qRgb(1, 2, 3))), kOk);
    EXPECT_EQ(layout(), QStringList({"d.png@0", "a.avi@1", "c.avi@26", "b.png@38"}));
    EXPECT_EQ(std::tuple(store_.Current, store_.Total, framesHeld()),
              std::tuple(store_.Head, 39, 1));
}

// The caller brings CurrentFrame into range after a deletion.
TEST_F(FrameStoreTest, DeletingShowsTheFollowingFileElseThePreviousOne) {
    store_.InsertAfter(clip("a.avi", 12));
    store_.InsertAfter(still("b.png", qRgb(0, 200, 0)));
    store_.InsertAfter(still("c.png", qRgb(0, 0, 200)));
    store_.SelectFrame(5);
    store_.DeleteCurrent();
    EXPECT_EQ(layout(), QStringList({"b.png@0", "c.png@1"}));
    EXPECT_EQ(std::tuple(store_.Current, store_.Total, store_.CurrentFrame,
                         store_.Current->Control->Get_Pixel(4, 2)),
              std::tuple(store_.Head, 2, 5, imaging::makeColour(0, 200, 0)));
    store_.SelectFrame(1);
    store_.DeleteCurrent();
    EXPECT_EQ(layout(), QStringList({"b.png@0"}));
    EXPECT_EQ(std::tuple(store_.Current, store_.Total, framesHeld()),
              std::tuple(store_.Head, 1, 1));
    store_.DeleteCurrent();
    TFrameData* const none = nullptr;
    EXPECT_EQ(std::tuple(store_.Head, store_.Tail, store_.Current, store_.Total),
              std::tuple(none, none, none, 0));
    store_.DeleteCurrent();  // nothing left to delete or clear
    store_.Clear();
}

// PNGs of every kind, whatever the case of their extension, enter as one 24-bit frame.
TEST_F(FrameStoreTest, PngsOfEveryKindLoadAsOneTrueColourFrame) {
    for (const auto& [name, format] : {std::pair{"rgb.png", QImage::Format_RGB888},
                                       {"palette.PNG", QImage::Format_Indexed8},
                                       {"grey.Png", QImage::Format_Grayscale8}}) {
        TFrameControl store;
        ASSERT_EQ(store.InsertAfter(still(name, qRgb(90, 90, 90), format)), kOk);
        const imaging::LeadModel& shown = *store.Current->Control;
        EXPECT_EQ(std::tuple(store.Current->IsPng, store.Total, shown.BitmapListCount(),
                             shown.BitmapBits(), shown.Get_Pixel(2, 1)),
                  std::tuple(true, 1, 1, 24, imaging::greyColour(90)))
            << name;
    }
    EXPECT_FALSE(TFrameData(path("clip.png.avi")).IsPng);
}

// Entries without frames (here vanished files) stay in the list, however files are added.
TEST_F(FrameStoreTest, FilesWithoutFramesStayAndAnOpenedStillIsNotDecodedAgain) {
    EXPECT_EQ(
        (std::vector{store_.InsertAfter(path("gone1.avi")), store_.InsertAfter(path("gone2.avi")),
                     store_.InsertBefore(path("gone3.avi"))}),
        std::vector(3, int(imaging::kFileNotFound)));
    const QString file = still("open.png", qRgb(7, 77, 177));
    auto opened = std::make_unique<imaging::LeadModel>();
    ASSERT_EQ(opened->GetFileInfo(file), kOk);
    ASSERT_EQ(opened->Load(file, 24, 1, 1), kOk);
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_EQ(store_.InsertAfter(file, std::move(opened)), kOk);
    EXPECT_EQ(layout(), QStringList({"gone1.avi@0", "gone3.avi@0", "open.png@0", "gone2.avi@1"}));
    EXPECT_EQ(
        std::tuple(store_.Total, store_.CurrentFrame, store_.Current->Control->Get_Pixel(0, 0)),
        std::tuple(1, 0, imaging::makeColour(7, 77, 177)));
    // Without the opened model the vanished file is an entry without frames.
    EXPECT_EQ(store_.InsertAfter(file), imaging::kFileNotFound);
    EXPECT_EQ(std::tuple(store_.Total, store_.Current->Count, framesHeld()), std::tuple(1, 0, 0));
}

}  // namespace
