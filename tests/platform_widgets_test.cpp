#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <cstdlib>
#include <set>
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

// A track bar that tells where the style puts its handle.
struct ProbedTrackBar : TTrackBar {
    int handleCentre() {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this)
            .center()
            .x();
    }
};

TEST(TTrackBarTest, DrawsEachTickInRangeUnderTheHandleAtItsPosition) {
    ProbedTrackBar bar;
    bar.setRange(1, 10);
    bar.resize(200, bar.sizeHint().height());
    const auto tickColumns = [&bar](std::vector<int> ticks) {  // the columns the ticks add
        bar.clearTicks();
        const QImage plain = bar.grab().toImage();
        bar.setTicks(std::move(ticks));
        const QImage ticked = bar.grab().toImage();
        std::set<int> columns;
        for (int i = 0; i < plain.width() * plain.height(); ++i) {
            if (plain.pixel(i % plain.width(), i / plain.width()) !=
                ticked.pixel(i % plain.width(), i / plain.width())) {
                columns.insert(i % plain.width());
            }
        }
        return columns;
    };
    for (const int position : {1, 7, 10}) {
        bar.setPosition(position);
        const std::set<int> columns = tickColumns({position});
        ASSERT_FALSE(columns.empty()) << position;
        EXPECT_LE(std::abs(*columns.begin() - bar.handleCentre()), 2) << position;
        EXPECT_LE(std::abs(*columns.rbegin() - bar.handleCentre()), 2) << position;
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
