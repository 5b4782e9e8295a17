#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "platform/DialogSeam.h"
#include "platform/Icons.h"
#include "platform/TABitBtn.h"
#include "platform/TTrackBar.h"

namespace {

// --- TABitBtn ---

// Records the button's Down() state each time a clicked handler runs.
struct ClickLog {
    std::vector<bool> downInHandler;
};

void logClicks(TABitBtn& button, ClickLog& log) {
    QObject::connect(&button, &QAbstractButton::clicked,
                     [&button, &log] { log.downInHandler.push_back(button.Down()); });
}

void mouseClick(QWidget& widget) {
    const QPointF centre = QRectF(widget.rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, widget.mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget.mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
}

TEST(TABitBtnTest, StartsAsAFlatNormalButton) {
    TABitBtn button;
    EXPECT_EQ(button.BtnMode(), TABitBtn::abbmNormal);
    EXPECT_FALSE(button.isCheckable());
    EXPECT_TRUE(button.autoRaise());
    EXPECT_FALSE(button.Down());
}

TEST(TABitBtnTest, ExtModeFlipsDownBeforeTheClickHandlerRuns) {
    TABitBtn button;
    button.setBtnMode(TABitBtn::abbmExt);
    ClickLog log;
    logClicks(button, log);
    button.click();
    button.click();
    EXPECT_EQ(log.downInHandler, (std::vector<bool>{true, false}));
    EXPECT_FALSE(button.Down());
}

TEST(TABitBtnTest, ExtModeFlipsDownBeforeTheHandlerOnAMouseClick) {
    TABitBtn button;
    button.resize(24, 24);
    button.setBtnMode(TABitBtn::abbmExt);
    ClickLog log;
    logClicks(button, log);
    mouseClick(button);
    EXPECT_EQ(log.downInHandler, (std::vector<bool>{true}));
    EXPECT_TRUE(button.Down());
}

TEST(TABitBtnTest, SetDownChangesTheStateWithoutRunningClickHandlers) {
    TABitBtn button;
    button.setBtnMode(TABitBtn::abbmExt);
    ClickLog log;
    logClicks(button, log);
    std::vector<bool> toggles;
    QObject::connect(&button, &QAbstractButton::toggled,
                     [&toggles](bool on) { toggles.push_back(on); });
    button.setDown(true);
    EXPECT_TRUE(button.Down());
    button.setDown(false);
    EXPECT_FALSE(button.Down());
    EXPECT_TRUE(log.downInHandler.empty());
    EXPECT_EQ(toggles, (std::vector<bool>{true, false}));
}

TEST(TABitBtnTest, NormalModeNeverStaysDown) {
    TABitBtn button;
    ClickLog log;
    logClicks(button, log);
    button.click();
    button.setDown(true);
    EXPECT_FALSE(button.isCheckable());
    EXPECT_EQ(log.downInHandler, (std::vector<bool>{false}));
    EXPECT_FALSE(button.Down());
}

TEST(TABitBtnTest, LeavingExtModeReleasesTheButton) {
    TABitBtn button;
    button.setBtnMode(TABitBtn::abbmExt);
    button.setDown(true);
    bool released = false;
    QObject::connect(&button, &QAbstractButton::toggled, [&released](bool on) { released = !on; });
    button.setBtnMode(TABitBtn::abbmNormal);
    EXPECT_FALSE(button.Down());
    EXPECT_FALSE(button.isCheckable());
    EXPECT_TRUE(released);
}

TEST(TABitBtnTest, DisabledButtonIgnoresClicks) {
    TABitBtn button;
    button.resize(24, 24);
    button.setBtnMode(TABitBtn::abbmExt);
    ClickLog log;
    logClicks(button, log);
    button.setEnabled(false);
    button.click();
    mouseClick(button);
    EXPECT_TRUE(log.downInHandler.empty());
    EXPECT_FALSE(button.Down());
}

TEST(TABitBtnTest, HintIsTheTooltip) {
    TABitBtn button;
    button.setHint("Play the animation");
    EXPECT_EQ(button.Hint(), "Play the animation");
    EXPECT_EQ(button.toolTip(), "Play the animation");
}

TEST(TABitBtnTest, StandardGlyphGivesAVisibleIcon) {
    TABitBtn button;
    button.setStandardGlyph("media-playback-start");
    EXPECT_FALSE(button.icon().pixmap(16).isNull());
}

// --- Icons ---

const char* const kButtonIconNames[] = {
    "media-playback-start",
    "media-playback-stop",
    "media-playback-pause",
    "media-skip-backward",
    "media-skip-forward",
    "media-seek-backward",
    "media-seek-forward",
    "document-open",
    "document-save",
    "edit-delete",
    "edit-clear",
    "edit-undo",
    "help-contents",
    "application-exit",
    "insert-image",
    "insert-text",
    "view-refresh",
    "media-playlist-repeat",
    "zoom-fit-best",
    "go-first",
    "go-last",
    "go-previous",
    "go-next",
};

TEST(IconsTest, MissingThemeNameFallsBackToTheStandardPixmap) {
    const QIcon icon = platform::themedIcon("pixmora-no-such-icon", QStyle::SP_MediaPlay);
    EXPECT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(16).isNull());
}

TEST(IconsTest, EveryButtonIconNameHasAVisibleIcon) {
    for (const char* name : kButtonIconNames) {
        EXPECT_TRUE(platform::standardFallback(name).has_value()) << name;
        EXPECT_FALSE(platform::themedIcon(name).pixmap(16).isNull()) << name;
    }
}

TEST(IconsTest, UnknownNameHasNoStandardFallback) {
    EXPECT_FALSE(platform::standardFallback("pixmora-no-such-icon").has_value());
    EXPECT_FALSE(platform::standardFallback("").has_value());
}

// --- TTrackBar ---

constexpr int kBarWidth = 200;

QImage render(TTrackBar& bar) {
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Columns in which the two renders differ.
std::vector<int> changedColumns(const QImage& a, const QImage& b) {
    std::vector<int> columns;
    for (int x = 0; x < a.width(); ++x) {
        for (int y = 0; y < a.height(); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

// Columns that differ in the topmost row where the two renders differ. The handle stands
// taller than the groove, so for two handle positions these are the handle's columns only,
// without the groove's filled part.
std::vector<int> changedColumnsInTopRow(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        std::vector<int> columns;
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                columns.push_back(x);
            }
        }
        if (!columns.empty()) {
            return columns;
        }
    }
    return {};
}

class TTrackBarTest : public testing::Test {
  protected:
    TTrackBarTest() {
        bar.setMin(1);
        bar.setMax(10);
        bar.resize(kBarWidth, bar.sizeHint().height());
    }

    // Columns the ticks add to the bar as it stands.
    std::vector<int> tickColumns(std::vector<int> ticks) {
        bar.clearTicks();
        const QImage plain = render(bar);
        bar.setTicks(std::move(ticks));
        return changedColumns(plain, render(bar));
    }

    TTrackBar bar;
};

TEST_F(TTrackBarTest, StoresAndClearsTicks) {
    EXPECT_TRUE(bar.ticks().empty());
    bar.setTicks({1, 4, 10});
    EXPECT_EQ(bar.ticks(), (std::vector<int>{1, 4, 10}));
    bar.clearTicks();
    EXPECT_TRUE(bar.ticks().empty());
}

TEST_F(TTrackBarTest, IsHorizontalWithAliasedRange) {
    EXPECT_EQ(bar.orientation(), Qt::Horizontal);
    EXPECT_EQ(bar.Min(), 1);
    EXPECT_EQ(bar.Max(), 10);
    bar.setPosition(12);
    EXPECT_EQ(bar.Position(), 10);
    EXPECT_EQ(bar.value(), 10);
}

TEST_F(TTrackBarTest, TicksAtTheEndsAreDrawnAtTheEndsOnly) {
    bar.setPosition(5);
    const std::vector<int> columns = tickColumns({1, 10});
    ASSERT_FALSE(columns.empty());
    const auto nearLeft = [](int x) { return x < kBarWidth / 4; };
    const auto nearRight = [](int x) { return x >= kBarWidth * 3 / 4; };
    EXPECT_TRUE(std::any_of(columns.begin(), columns.end(), nearLeft));
    EXPECT_TRUE(std::any_of(columns.begin(), columns.end(), nearRight));
    for (const int x : columns) {
        EXPECT_TRUE(nearLeft(x) || nearRight(x)) << "tick pixel in the middle at x=" << x;
    }
}

TEST_F(TTrackBarTest, TickLinesUpWithTheHandle) {
    bar.setPosition(7);
    const std::vector<int> ticks = tickColumns({7});
    bar.clearTicks();
    const QImage atSeven = render(bar);
    bar.setPosition(1);
    std::vector<int> handle = changedColumnsInTopRow(atSeven, render(bar));
    std::erase_if(handle, [](int x) { return x < kBarWidth / 2; });
    ASSERT_FALSE(ticks.empty());
    ASSERT_FALSE(handle.empty());
    const int handleCentre = (handle.front() + handle.back()) / 2;
    for (const int x : ticks) {
        EXPECT_NEAR(x, handleCentre, 2);
    }
}

TEST_F(TTrackBarTest, TicksOutsideTheRangeAreNotDrawn) {
    bar.setPosition(5);
    EXPECT_TRUE(tickColumns({0, 11, -3}).empty());
}

TEST_F(TTrackBarTest, ValueChangedFiresOncePerChangeAlsoFromCode) {
    std::vector<int> changes;
    QObject::connect(&bar, &QSlider::valueChanged,
                     [&changes](int value) { changes.push_back(value); });
    bar.setPosition(5);
    bar.setPosition(5);
    bar.setPosition(1);
    EXPECT_EQ(changes, (std::vector<int>{5, 1}));
}

}  // namespace

TEST(QtDialogSeam, MissingDocumentIsTheShellsFileNotFound) {
    QTemporaryDir dir;
    platform::QtDialogSeam seam;
    EXPECT_EQ(seam.openDocument(QStringLiteral("help/index.html"), dir.path()),
              platform::kOpenFileNotFound);
    EXPECT_EQ(seam.openDocument(dir.filePath(QStringLiteral("gone.html")), QString()),
              platform::kOpenFileNotFound);
}
