#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/DialogSeam.h"
#include "platform/Icons.h"
#include "platform/TABitBtn.h"
#include "platform/TTrackBar.h"

namespace {

// An abbmExt button: a click flips Down() before the clicked handlers run; setDown and leaving
// abbmExt report through toggled only, and abbmNormal never stays down.
TEST(TABitBtnTest, ClickFlipsDownBeforeHandlersAndCodeNeverRunsThem) {
    TABitBtn button;
    button.setBtnMode(TABitBtn::abbmExt);
    std::vector<bool> downInHandler, toggles;
    QObject::connect(&button, &QAbstractButton::clicked,
                     [&] { downInHandler.push_back(button.Down()); });
    QObject::connect(&button, &QAbstractButton::toggled, [&](bool on) { toggles.push_back(on); });
    button.click();
    button.setDown(false);
    button.setDown(true);
    button.click();
    button.setDown(true);
    EXPECT_TRUE(button.Down());
    button.setBtnMode(TABitBtn::abbmNormal);
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(toggles, (std::vector<bool>{true, false, true, false, true, false}));
    EXPECT_EQ(downInHandler, (std::vector<bool>{true, false}));
    button.setDown(true);
    button.click();
    EXPECT_EQ(downInHandler, (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(button.Down());
}

TEST(IconsTest, ThemeNameMissingFromTheThemeShowsTheStandardPixmap) {
    EXPECT_FALSE(
        platform::themedIcon("pixmora-no-such-icon", QStyle::SP_MediaPlay).pixmap(16).isNull());
}

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

TEST(TTrackBarTest, DrawsEachTickInRangeUnderTheHandleAtItsPosition) {
    constexpr int kWidth = 200;
    TTrackBar bar;
    bar.setRange(1, 10);
    bar.resize(kWidth, bar.sizeHint().height());
    const auto render = [&bar] {
        return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    // The handle's centre column at each position, from where it differs from the far end.
    std::vector<int> centres;
    for (const int position : {1, 7, 10}) {
        const bool left = position <= 5;
        bar.setPosition(left ? 10 : 1);
        const QImage away = render();
        bar.setPosition(position);
        std::vector<int> handle = changedColumns(away, render(), true);
        std::erase_if(handle, [left](int x) { return (x < kWidth / 2) != left; });
        ASSERT_FALSE(handle.empty()) << position;
        centres.push_back((handle.front() + handle.back()) / 2);
    }
    const auto tickColumns = [&](std::vector<int> ticks) {  // the columns the ticks add
        bar.clearTicks();
        const QImage plain = render();
        bar.setTicks(std::move(ticks));
        return changedColumns(plain, render(), false);
    };
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

TEST(QtDialogSeam, MissingDocumentIsTheShellsFileNotFound) {
    QTemporaryDir dir;
    platform::QtDialogSeam seam;
    EXPECT_EQ(seam.openDocument(QStringLiteral("help/index.html"), dir.path()),
              platform::kOpenFileNotFound);
    EXPECT_EQ(seam.openDocument(dir.filePath(QStringLiteral("gone.html")), QString()),
              platform::kOpenFileNotFound);
}

}  // namespace
