#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/DialogSeam.h"
#include "platform/Icons.h"
#include "platform/TABitBtn.h"
#include "platform/TTrackBar.h"

namespace {

// A button that records Down() as each clicked handler runs, and every toggled state.
struct LoggedButton {
    explicit LoggedButton(TABitBtn::TBtnMode mode) {
        button.resize(24, 24);
        button.setBtnMode(mode);
        QObject::connect(&button, &QAbstractButton::clicked,
                         [this] { downInHandler.push_back(button.Down()); });
        QObject::connect(&button, &QAbstractButton::toggled,
                         [this](bool on) { toggles.push_back(on); });
    }
    void mouseClick() {
        const QPointF at = QRectF(button.rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, button.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, button.mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&button, &press);
        QApplication::sendEvent(&button, &release);
    }
    TABitBtn button;
    std::vector<bool> downInHandler, toggles;
};

TEST(TABitBtnTest, ExtModeFlipsDownBeforeTheClickHandlerRuns) {
    LoggedButton b(TABitBtn::abbmExt);
    b.button.click();
    b.mouseClick();
    b.button.click();
    EXPECT_EQ(b.downInHandler, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(b.button.Down());
}

TEST(TABitBtnTest, SetDownAndLeavingExtModeNeverRunClickHandlers) {
    LoggedButton b(TABitBtn::abbmExt);
    b.button.setDown(true);
    EXPECT_TRUE(b.button.Down());
    b.button.setDown(false);
    b.button.setDown(true);
    b.button.setBtnMode(TABitBtn::abbmNormal);
    EXPECT_FALSE(b.button.Down());
    EXPECT_EQ(b.toggles, (std::vector<bool>{true, false, true, false}));
    EXPECT_TRUE(b.downInHandler.empty());
    b.button.setDown(true);
    b.button.click();
    EXPECT_EQ(b.downInHandler, (std::vector<bool>{false}));
    EXPECT_FALSE(b.button.Down());
}

TEST(IconsTest, ThemeNameMissingFromTheThemeShowsTheStandardPixmap) {
    EXPECT_FALSE(
        platform::themedIcon("pixmora-no-such-icon", QStyle::SP_MediaPlay).pixmap(16).isNull());
}

constexpr int kBarWidth = 200;

// Columns in which two renders differ, in any row or (topRowOnly) in the topmost differing row.
// The handle stands taller than the groove, so the topmost row holds only the handle.
std::vector<int> changedColumns(const QImage& a, const QImage& b, bool topRowOnly) {
    std::vector<int> columns;
    for (int y = 0; y < a.height() && (columns.empty() || !topRowOnly); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y) && !std::count(columns.begin(), columns.end(), x)) {
                columns.push_back(x);
            }
        }
    }
    return columns;
}

class TTrackBarTest : public testing::Test {
  protected:
    TTrackBarTest() {
        bar.setMin(1);
        bar.setMax(10);
        bar.resize(kBarWidth, bar.sizeHint().height());
    }
    QImage render() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Columns the ticks add to the bar as it stands.
    std::vector<int> tickColumns(std::vector<int> ticks) {
        bar.clearTicks();
        const QImage plain = render();
        bar.setTicks(std::move(ticks));
        return changedColumns(plain, render(), false);
    }
    // The handle's centre column at `position`, from where it differs from the far end.
    int handleCentre(int position) {
        const bool left = position <= 5;
        bar.clearTicks();
        bar.setPosition(left ? 10 : 1);
        const QImage away = render();
        bar.setPosition(position);
        std::vector<int> handle = changedColumns(away, render(), true);
        std::erase_if(handle, [left](int x) { return (x < kBarWidth / 2) != left; });
        EXPECT_FALSE(handle.empty()) << position;
        return handle.empty() ? -100 : (handle.front() + handle.back()) / 2;
    }
    TTrackBar bar;
};

TEST_F(TTrackBarTest, DrawsEachTickInRangeUnderTheHandleAtItsPosition) {
    std::vector<int> centres;
    for (const int position : {1, 7, 10}) {
        centres.push_back(handleCentre(position));
    }
    const std::vector<int> columns = tickColumns({1, 7, 10});
    const auto near = [](int x) { return [x](int c) { return std::abs(x - c) <= 2; }; };
    for (const int centre : centres) {
        EXPECT_TRUE(std::any_of(columns.begin(), columns.end(), near(centre))) << centre;
    }
    for (const int x : columns) {
        EXPECT_TRUE(std::any_of(centres.begin(), centres.end(), near(x))) << x;
    }
    EXPECT_TRUE(tickColumns({0, 11, -3}).empty());
}

TEST_F(TTrackBarTest, ValueChangedFiresOncePerChangeAlsoFromCode) {
    std::vector<int> changes;
    QObject::connect(&bar, &QSlider::valueChanged, [&changes](int v) { changes.push_back(v); });
    bar.setPosition(5);
    bar.setPosition(5);
    bar.setPosition(1);
    EXPECT_EQ(changes, (std::vector<int>{5, 1}));
}

TEST(QtDialogSeam, MissingDocumentIsTheShellsFileNotFound) {
    QTemporaryDir dir;
    platform::QtDialogSeam seam;
    EXPECT_EQ(seam.openDocument(QStringLiteral("help/index.html"), dir.path()),
              platform::kOpenFileNotFound);
    EXPECT_EQ(seam.openDocument(dir.filePath(QStringLiteral("gone.html")), QString()),
              platform::kOpenFileNotFound);
}

}  // namespace
