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
        const QString file = path(name);
        EXPECT_TRUE(testsupport::writeClip(file.toStdString(), testsupport::ClipCodec::kMjpeg,
                                           {.frames = frames, .width = 64, .height = 16}));
        return file;
    }
    QString still(const char* name, QRgb colour, QImage::Format format = QImage::Format_RGB888) {
        QImage image(5, 3, QImage::Format_RGB888);
        image.fill(colour);
        EXPECT_TRUE(image.convertToFormat(format).save(path(name), "PNG"));
        return path(name);
    }
};

// Each entry as "name@First" from Head to Tail; the links back from Tail must agree.
QStringList layout(const TFrameControl& store) {
    QStringList forward, backward;
    const auto named = [](const TFrameData* e) {
        return QFileInfo(e->FileName).fileName() + '@' + QString::number(e->First);
    };
    for (const TFrameData* e = store.Head; e != nullptr; e = e->Next) {
        forward.append(named(e));
    }
    for (const TFrameData* e = store.Tail; e != nullptr; e = e->Prev) {
        backward.prepend(named(e));
    }
    EXPECT_EQ(forward, backward);
    return forward;
}

int framesHeld(const TFrameControl& store) {
    int held = 0;
    for (const TFrameData* e = store.Head; e != nullptr; e = e->Next) {
        held += e->Control->frameCount();
    }
    return held;
}

int shownFrame(const TFrameControl& store) {
    return testsupport::frameNumberOf(*store.Current->Control->picture());
}

TEST_F(FrameStoreTest, ClipFramesAreDecodedTenAtATimeAroundTheSelection) {
    const QString file = clip("clip.avi", 25);
    TFrameControl store;
    ASSERT_EQ(store.InsertAfter(file), kOk);
    imaging::LeadModel* const control = store.SelectFrame(12);
    ASSERT_EQ(control, store.Current->Control.get());
    EXPECT_EQ(std::tuple(control->BitmapListCount(), control->BitmapListIndex(),
                         store.Current->WindowStart, store.CurrentFrame),
              std::tuple(10, 2, 10, 12));
    imaging::LeadModel direct;
    ASSERT_EQ(direct.Load(file, 24, 13, 1), kOk);
    EXPECT_EQ(*control->picture(), direct.bitmapListItem(0));

    // A marked picture survives a move inside the window, as nothing is decoded again.
    const imaging::Picture marker(1, 1);
    control->setBitmap(marker);
    EXPECT_EQ(store.SelectFrame(19), control);
    EXPECT_EQ(std::pair(control->BitmapListIndex(), control->bitmapListItem(2)),
              std::pair(9, marker));
    EXPECT_EQ(shownFrame(store), 19);

    store.SelectFrame(20);
    EXPECT_EQ(std::tuple(control->BitmapListCount(), control->BitmapListIndex(), shownFrame(store)),
              std::tuple(5, 0, 20));
    for (const int outside : {25, -1}) {
        EXPECT_EQ(store.SelectFrame(outside), control);
        EXPECT_EQ(std::tuple(store.CurrentFrame, control->BitmapListCount(), shownFrame(store)),
                  std::tuple(20, 5, 20));
    }
}

TEST_F(FrameStoreTest, InsertionNumbersFramesAcrossFilesAndOnlyTheCurrentHoldsPictures) {
    TFrameControl store;
    EXPECT_EQ(store.SelectFrame(0), nullptr);
    ASSERT_EQ(store.InsertAfter(clip("a.avi", 25)), kOk);
    ASSERT_EQ(store.InsertAfter(still("b.png", qRgb(200, 10, 10))), kOk);
    EXPECT_EQ(std::tuple(store.Total, store.CurrentFrame, framesHeld(store)),
              std::tuple(26, 25, 1));
    ASSERT_EQ(store.InsertBefore(clip("c.avi", 12)), kOk);
    EXPECT_EQ(layout(store), QStringList({"a.avi@0", "c.avi@25", "b.png@37"}));
    EXPECT_EQ(std::tuple(store.Total, store.CurrentFrame, shownFrame(store), framesHeld(store)),
              std::tuple(38, 25, 0, 10));
    EXPECT_EQ(store.SelectFrame(37), store.Tail->Control.get());
    EXPECT_EQ(std::tuple(store.Current, store.CurrentFrame, framesHeld(store)),
              std::tuple(store.Tail, 37, 1));
    store.SelectFrame(31);
    EXPECT_EQ(std::pair(shownFrame(store), framesHeld(store)), std::pair(6, 10));

    store.SelectFrame(3);  // in front of the first file
    ASSERT_EQ(store.InsertBefore(still("d.png", qRgb(1, 2, 3))), kOk);
    EXPECT_EQ(layout(store), QStringList({"d.png@0", "a.avi@1", "c.avi@26", "b.png@38"}));
    EXPECT_EQ(std::tuple(store.Current, store.Total, framesHeld(store)),
              std::tuple(store.Head, 39, 1));
}

TEST_F(FrameStoreTest, DeletingShowsTheFollowingFileElseThePreviousOne) {
    TFrameControl store;
    store.InsertAfter(clip("a.avi", 12));
    store.InsertAfter(still("b.png", qRgb(0, 200, 0)));
    store.InsertAfter(still("c.png", qRgb(0, 0, 200)));
    store.SelectFrame(5);
    store.DeleteCurrent();  // the caller brings CurrentFrame into range
    EXPECT_EQ(layout(store), QStringList({"b.png@0", "c.png@1"}));
    EXPECT_EQ(std::tuple(store.Current, store.Total, store.CurrentFrame),
              std::tuple(store.Head, 2, 5));
    EXPECT_EQ(store.Current->Control->Get_Pixel(4, 2), imaging::makeColour(0, 200, 0));
    store.SelectFrame(1);
    store.DeleteCurrent();
    EXPECT_EQ(layout(store), QStringList({"b.png@0"}));
    EXPECT_EQ(std::tuple(store.Current, store.Total, framesHeld(store)),
              std::tuple(store.Head, 1, 1));
    store.DeleteCurrent();
    TFrameData* const none = nullptr;
    EXPECT_EQ(std::tuple(store.Head, store.Tail, store.Current, store.Total),
              std::tuple(none, none, none, 0));
    store.DeleteCurrent();
    store.Clear();
    EXPECT_EQ(std::pair(store.Head, store.Total), std::pair(none, 0));
}

TEST_F(FrameStoreTest, PngsOfEveryKindLoadAsOneTrueColourFrame) {
    const std::vector<std::pair<const char*, QImage::Format>> kinds{
        {"rgb.png", QImage::Format_RGB888},
        {"palette.PNG", QImage::Format_Indexed8},
        {"grey.Png", QImage::Format_Grayscale8}};
    for (const auto& [name, format] : kinds) {
        SCOPED_TRACE(name);
        TFrameControl store;
        ASSERT_EQ(store.InsertAfter(still(name, qRgb(90, 90, 90), format)), kOk);
        const imaging::LeadModel& shown = *store.Current->Control;
        EXPECT_EQ(std::tuple(store.Current->IsPng, store.Total, shown.BitmapListCount(),
                             shown.BitmapBits(), shown.Get_Pixel(2, 1)),
                  std::tuple(true, 1, 1, 24, imaging::greyColour(90)));
    }
    EXPECT_FALSE(TFrameData(path("clip.png.avi")).IsPng);
}

// Entries without frames (here vanished files) stay in the list, however files are added.
TEST_F(FrameStoreTest, FilesWithoutFramesStayAndAnOpenedStillIsNotDecodedAgain) {
    TFrameControl store;
    EXPECT_EQ(store.InsertAfter(path("gone1.avi")), imaging::kFileNotFound);
    EXPECT_EQ(store.InsertAfter(path("gone2.avi")), imaging::kFileNotFound);
    EXPECT_EQ(store.InsertBefore(path("gone3.avi")), imaging::kFileNotFound);

    const QString file = still("open.png", qRgb(7, 77, 177));
    auto opened = std::make_unique<imaging::LeadModel>();
    ASSERT_EQ(opened->GetFileInfo(file), kOk);
    ASSERT_EQ(opened->Load(file, 24, 1, 1), kOk);
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_EQ(store.InsertAfter(file, std::move(opened)), kOk);
    EXPECT_EQ(layout(store),
              QStringList({"gone1.avi@0", "gone3.avi@0", "open.png@0", "gone2.avi@1"}));
    EXPECT_EQ(std::tuple(store.Total, store.CurrentFrame, store.Current->Control->Get_Pixel(0, 0)),
              std::tuple(1, 0, imaging::makeColour(7, 77, 177)));
    // Without the opened model the vanished file is an entry without frames.
    EXPECT_EQ(store.InsertAfter(file), imaging::kFileNotFound);
    EXPECT_EQ(std::tuple(store.Total, store.Current->Count, framesHeld(store)),
              std::tuple(1, 0, 0));
}

}  // namespace
