#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <vector>

#include "platform/Icons.h"
#include "platform/TABitBtn.h"

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

}  // namespace
