// Text images and their masks, their decorations and turns, and laying them over panel frames.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/PicMCut.h"
#include "text/TextImage.h"

using imaging::Picture;
using Points = std::set<std::pair<int, int>>;

namespace {

text::TextSettings settingsFor(QStringList lines, int decoration = text::kPlain, int angle = 0) {
    return {.lines = std::move(lines),
            .fontName = QStringLiteral("DejaVu Sans"),
            .pointSize = 18,
            .decoration = decoration,
            .textColour = 1,
            .angle = angle};
}

std::pair<Picture, Picture> build(const text::TextSettings& s) {
    imaging::LeadModel image, mask;
    EXPECT_EQ(text::buildTextImage(s, image, mask), imaging::kOk);
    return {*image.picture(), *mask.picture()};
}

// The points of a 24-bit picture that are grey `grey`; every pixel must be a grey.
Points where(const Picture& p, int grey) {
    Points points;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const imaging::Colour c = p.colourAt(x, y);
            EXPECT_EQ(c, imaging::greyColour(imaging::redOf(c)));
            if (imaging::redOf(c) == grey) {
                points.insert({x, y});
            }
        }
    }
    return points;
}

}  // namespace

TEST(TextImage, SizeEmptyTextAndRefusedSizes) {
    const auto [image, mask] = build(settingsFor({"Wj", "Longer line"}));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    const QFontMetrics m(font);
    EXPECT_EQ(image.width(), m.horizontalAdvance("Longer line") + m.horizontalAdvance("e") / 2 + 2);
    EXPECT_EQ(image.height(), 2 * m.height() + 2);
    EXPECT_EQ(std::pair(mask.width(), mask.height()), std::pair(image.width(), image.height()));
    EXPECT_EQ(where(build(settingsFor({})).second, 0xFF).size(), 4u);

    // Refused sizes leave both models as they were.
    imaging::LeadModel kept, noMask;
    kept.setBitmap(Picture(3, 3));
    text::TextSettings s = settingsFor(QStringList(1000, QStringLiteral("line")));
    s.pointSize = 0;
    EXPECT_EQ(text::buildTextImage(s, kept, noMask), imaging::kInvalidArgument);
    s.pointSize = 36;
    EXPECT_EQ(text::buildTextImage(s, kept, noMask), imaging::kTooLarge);
    EXPECT_EQ(kept.BitmapWidth(), 3);
    EXPECT_FALSE(noMask.hasBitmap());
}

// Each decoration paints the plain text at its offsets in its greys, in order, the text itself
// last; the mask is everything painted.
TEST(TextImage, DecorationsDrawTheirPassesInOrder) {
    const Points text = where(build(settingsFor({"Hi!"})).second, 0);
    ASSERT_FALSE(text.empty());
    struct Pass {
        int dx, dy, grey;
    };
    const int t = 0x55, w = 0xFF;  // the text and outline greys of settingsFor
    std::vector<Pass> outline;
    for (int i : {0, 1, 2, 3, 5, 6, 7, 8, 4}) {
        outline.push_back({i / 3, i % 3, i == 4 ? t : w});
    }
    // Raised and sunken: a light and a dark edge at the top left and bottom right, text centred.
    const auto bevel = [t](int topLeft, int bottomRight) {
        return std::vector<Pass>{
            {0, 0, topLeft},     {0, 1, topLeft},     {1, 0, topLeft}, {1, 2, bottomRight},
            {2, 1, bottomRight}, {2, 2, bottomRight}, {1, 1, t}};
    };
    using Case = std::pair<int, std::vector<Pass>>;
    for (const auto& [decoration, passes] :
         {Case{text::kPlain, {{0, 0, t}}}, Case{text::kOutline, outline},
          Case{text::kShadow, {{1, 1, w}, {0, 0, t}}}, Case{text::kRaised, bevel(w, 0)},
          Case{text::kSunken, bevel(0, w)}, Case{-1, {}}, Case{5, {}}}) {
        SCOPED_TRACE(decoration);
        std::map<std::pair<int, int>, int> painted;
        for (const Pass& p : passes) {
            for (auto [x, y] : text) {
                painted[{x + p.dx, y + p.dy}] = p.grey;
            }
        }
        const auto [image, mask] = build(settingsFor({"Hi!"}, decoration));
        std::map<int, Points> byGrey;  // -1: all ink
        for (auto [point, grey] : painted) {
            byGrey[-1].insert(point);
            byGrey[grey].insert(point);
        }
        EXPECT_EQ(where(mask, 0), byGrey[-1]);
        for (int grey : {0x55, 0xAA, 0xFF}) {
            EXPECT_EQ(where(image, grey), byGrey[grey]) << grey;
        }
    }
}

TEST(TextImage, ColoursOutsideThePanelGreysFallBackAndStylesAddInk) {
    text::TextSettings s = settingsFor({"Ab"}, text::kShadow);
    s.textColour = 9;
    s.outlineColour = -2;
    const auto [image, mask] = build(s);
    EXPECT_EQ(where(image, 0).size() + where(image, 0xFF).size(), image.pixels().size() / 3);
    EXPECT_GT(where(mask, 0).size(), where(image, 0xFF).size());
    const size_t plainInk = where(build(settingsFor({"Ab"})).second, 0).size();
    for (auto style : {&text::TextSettings::bold, &text::TextSettings::underline,
                       &text::TextSettings::strikeOut}) {
        text::TextSettings styled = settingsFor({"Ab"});
        styled.*style = true;
        EXPECT_GT(where(build(styled).second, 0).size(), plainInk);
    }
}

TEST(TextImage, TurnsKeepBlackCornersInTheImageAndWhiteInTheMask) {
    const auto [upright, uprightMask] = build(settingsFor({"Turn"}));
    for (int angle : {90, -270, 450}) {
        const auto [image, mask] = build(settingsFor({"Turn"}, text::kPlain, angle));
        EXPECT_EQ(std::pair(image.width(), image.height()),
                  std::pair(upright.height(), upright.width()));
        EXPECT_EQ(where(mask, 0).size(), where(uprightMask, 0).size());
    }
    EXPECT_EQ(build(settingsFor({"Turn"}, text::kPlain, 360)).first, upright);
    const auto [image, mask] = build(settingsFor({"Turn"}, text::kOutline, 30));
    EXPECT_GT(image.height(), upright.height());
    EXPECT_EQ(where(mask, 0).size() + where(mask, 0xFF).size(), mask.pixels().size() / 3);
    EXPECT_EQ(image.colourAt(0, 0), 0u);
    EXPECT_EQ(mask.colourAt(mask.width() - 1, mask.height() - 1), 0xFFFFFFu);
}

// A 3 x 2 text: white at (0,0), dark grey at (1,0), black drawn at (0,1), the rest undrawn,
// over a frame of levels (x + y) % 4 whose tinted palette must not matter.
TEST(TextImage, LayOverKeepsTheFrameWhereTheMaskIsWhiteAndCutsAtTheEdges) {
    Picture image(3, 2), mask(3, 2), frame(5, 4, 2);
    mask.pixels().assign(18, 0xFF);
    image.setColourAt(0, 0, 0xFFFFFF);
    image.setColourAt(1, 0, 0x555555);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
        mask.setColourAt(x, y, 0);
    }
    frame.palette() = {0x10, 0x203040, 0x506070, 0x8090A0};
    for (int i = 0; i < 20; ++i) {
        frame.pixels()[i] = static_cast<std::uint8_t>((i % 5 + i / 5) % 4);
    }
    for (auto [ox, oy] : {std::pair{1, 1}, {4, 3}, {-1, -1}, {-5, 0}, {2000000000, 0}}) {
        SCOPED_TRACE(ox);
        imaging::LeadModel model;
        model.setBitmap(frame);
        ASSERT_EQ(text::layOver(model, ox, oy, image, mask), imaging::kOk);
        const Picture& out = *model.picture();
        ASSERT_EQ(out.palette(), std::vector<imaging::Colour>(produce::PanelGreys.begin(),
                                                              produce::PanelGreys.end()));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const std::map<std::pair<int, int>, int> text{
                    {{0, 0}, 3}, {{1, 0}, 1}, {{0, 1}, 0}};
                const auto at = text.find({x - ox, y - oy});
                EXPECT_EQ(out.row(y)[x], at != text.end() ? at->second : (x + y) % 4) << x << y;
            }
        }
    }
}

TEST(TextImage, LayOverReadsTrueColourFramesAndRefusesBadInput) {
    imaging::LeadModel frame, empty;
    Picture colour(2, 1), white(1, 1);
    colour.setColourAt(0, 0, imaging::makeColour(0xA0, 0xB0, 0xA8));
    colour.setColourAt(1, 0, imaging::makeColour(0x50, 0x58, 0x60));
    white.setColourAt(0, 0, 0xFFFFFF);
    frame.setBitmap(colour);
    ASSERT_EQ(text::layOver(frame, 0, 0, Picture(1, 1), white), imaging::kOk);
    EXPECT_EQ(frame.picture()->pixels(), (std::vector<std::uint8_t>{2, 1}));
    Picture oneBit(2, 1, 1);  // a frame loaded from a 1-bit file keeps its look
    oneBit.palette() = Picture::greyPalette(1);
    oneBit.row(0)[1] = 1;
    frame.setBitmap(oneBit);
    ASSERT_EQ(text::layOver(frame, 0, 0, Picture(1, 1), white), imaging::kOk);
    EXPECT_EQ(frame.picture()->pixels(), (std::vector<std::uint8_t>{0, 3}));
    EXPECT_EQ(text::layOver(empty, 0, 0, Picture(1, 1), white), imaging::kNoBitmap);
    EXPECT_EQ(text::layOver(frame, 0, 0, Picture(), white), imaging::kNoBitmap);
    EXPECT_EQ(text::layOver(frame, 0, 0, Picture(2, 1), white), imaging::kInvalidArgument);
}
