// Text images and their masks, their decorations and turns, and laying them over panel frames.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <set>
#include <utility>
#include <vector>

#include "imaging/LeadModel.h"
#include "imaging/Picture.h"
#include "imaging/Status.h"
#include "produce/PicMCut.h"
#include "text/TextImage.h"

using imaging::LeadModel;
using imaging::Picture;
using text::TextSettings;

namespace {

using Points = std::set<std::pair<int, int>>;

TextSettings settingsFor(QStringList lines, int decoration = text::kPlain) {
    TextSettings s;
    s.lines = std::move(lines);
    s.fontName = QStringLiteral("DejaVu Sans");
    s.pointSize = 18;
    s.decoration = decoration;
    s.textColour = 1;
    s.outlineColour = 3;
    return s;
}

struct Built {
    Picture image;
    Picture mask;
};

Built build(const TextSettings& s) {
    LeadModel image, mask;
    EXPECT_EQ(text::buildTextImage(s, image, mask), imaging::kOk);
    return {*image.picture(), *mask.picture()};
}

int greyAt(const Picture& p, int x, int y) {
    return imaging::redOf(p.colourAt(x, y));
}

Points pointsWhere(const Picture& p, int grey) {
    Points points;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            if (greyAt(p, x, y) == grey) {
                points.insert({x, y});
            }
        }
    }
    return points;
}

Points shifted(const Points& points, int dx, int dy) {
    Points out;
    for (auto [x, y] : points) {
        out.insert({x + dx, y + dy});
    }
    return out;
}

void expectOnlyGreys(const Picture& p, const std::set<int>& allowed) {
    ASSERT_EQ(p.bits(), 24);
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const imaging::Colour c = p.colourAt(x, y);
            ASSERT_EQ(c, imaging::greyColour(imaging::redOf(c)));
            ASSERT_TRUE(allowed.count(imaging::redOf(c))) << x << "," << y;
        }
    }
}

// A panel frame whose levels are (x + y) % 4, with a tinted palette that must not matter.
LeadModel levelFrame(int width, int height) {
    Picture p(width, height, 2);
    p.palette() = {0x000010, 0x203040, 0x506070, 0x8090A0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p.row(y)[x] = static_cast<std::uint8_t>((x + y) % 4);
        }
    }
    LeadModel frame;
    frame.setBitmap(p);
    return frame;
}

}  // namespace

TEST(TextImage, SizeFollowsTheWidestLineAndTheTallestLineTimesTheLineCount) {
    const TextSettings s = settingsFor({QStringLiteral("Wj"), QStringLiteral("Longer line")});
    QFont font(s.fontName);
    font.setPixelSize(24);
    const QFontMetrics metrics(font);
    const Built b = build(s);
    const int widest = metrics.horizontalAdvance(QStringLiteral("Longer line")) +
                       metrics.horizontalAdvance(QStringLiteral("e")) / 2;
    EXPECT_EQ(b.image.width(), widest + 2);
    EXPECT_GE(b.image.height(), 2 * metrics.height() + 2);
    EXPECT_EQ((b.image.height() - 2) % 2, 0);
    EXPECT_EQ(b.mask.width(), b.image.width());
    EXPECT_EQ(b.mask.height(), b.image.height());

    const Built empty = build(settingsFor({}));
    EXPECT_EQ(empty.image.width(), 2);
    EXPECT_EQ(empty.image.height(), 2);
    EXPECT_EQ(pointsWhere(empty.mask, 255).size(), 4u);
}

// Each decoration's mask is the plain text's mask moved by its copies' offsets, and its image
// holds only the greys it draws with.
TEST(TextImage, DecorationsDrawTheirCopiesAroundTheText) {
    const Built plain = build(settingsFor({QStringLiteral("Hi!")}));
    const Points text = pointsWhere(plain.mask, 0);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(pointsWhere(plain.image, 0x55), text);
    expectOnlyGreys(plain.image, {0, 0x55});
    expectOnlyGreys(plain.mask, {0, 0xFF});

    struct Case {
        int decoration;
        std::vector<std::pair<int, int>> copies;
        std::set<int> greys;
    };
    const std::vector<Case> cases{
        {text::kOutline,
         {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}},
         {0, 0x55, 0xFF}},
        {text::kShadow, {{1, 1}}, {0, 0x55, 0xFF}},
        {text::kRaised, {{-1, -1}, {1, 1}}, {0, 0x55, 0xFF}},
        {text::kSunken, {{-1, -1}, {1, 1}}, {0, 0x55, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decoration);
        const Built b = build(settingsFor({QStringLiteral("Hi!")}, c.decoration));
        Points expected = text;
        for (auto [dx, dy] : c.copies) {
            const Points moved = shifted(text, dx, dy);
            expected.insert(moved.begin(), moved.end());
        }
        EXPECT_EQ(pointsWhere(b.mask, 0), expected);
        EXPECT_EQ(pointsWhere(b.image, 0x55), text);
        expectOnlyGreys(b.image, c.greys);
    }
    // Raised lights the top-left copy and sunken the bottom-right one.
    const Points raisedLight = pointsWhere(build(settingsFor({"I"}, text::kRaised)).image, 0xFF);
    const Points sunkenLight = pointsWhere(build(settingsFor({"I"}, text::kSunken)).image, 0xFF);
    ASSERT_FALSE(raisedLight.empty());
    EXPECT_LT(*raisedLight.begin(), *sunkenLight.begin());

    for (int unknown : {-1, 5}) {
        const Built none = build(settingsFor({QStringLiteral("Hi!")}, unknown));
        EXPECT_EQ(none.image.width(), plain.image.width());
        EXPECT_TRUE(pointsWhere(none.mask, 0).empty());
        EXPECT_TRUE(pointsWhere(none.image, 0).size() ==
                    static_cast<size_t>(none.image.width() * none.image.height()));
    }
}

TEST(TextImage, ColoursOutsideThePanelGreysFallBackAndStylesAddInk) {
    TextSettings s = settingsFor({QStringLiteral("Ab")}, text::kShadow);
    s.textColour = 9;
    s.outlineColour = -2;
    const Built b = build(s);
    expectOnlyGreys(b.image, {0, 0xFF});
    EXPECT_FALSE(pointsWhere(b.image, 0xFF).empty());
    EXPECT_GT(pointsWhere(b.mask, 0).size(), pointsWhere(b.image, 0xFF).size());

    const size_t plainInk = pointsWhere(build(settingsFor({"Ab"})).mask, 0).size();
    for (auto style : {&TextSettings::bold, &TextSettings::underline, &TextSettings::strikeOut}) {
        TextSettings styled = settingsFor({QStringLiteral("Ab")});
        styled.*style = true;
        EXPECT_GT(pointsWhere(build(styled).mask, 0).size(), plainInk);
    }
}

TEST(TextImage, TurnsKeepBlackCornersInTheImageAndWhiteInTheMask) {
    const Built upright = build(settingsFor({QStringLiteral("Turn")}));
    for (int angle : {90, -270, 450}) {
        TextSettings s = settingsFor({QStringLiteral("Turn")});
        s.angle = angle;
        const Built b = build(s);
        EXPECT_EQ(b.image.width(), upright.image.height());
        EXPECT_EQ(b.image.height(), upright.image.width());
        EXPECT_EQ(pointsWhere(b.mask, 0).size(), pointsWhere(upright.mask, 0).size());
    }
    TextSettings full = settingsFor({QStringLiteral("Turn")});
    full.angle = 360;
    EXPECT_EQ(build(full).image, upright.image);

    TextSettings slanted = settingsFor({QStringLiteral("Turn")}, text::kOutline);
    slanted.angle = 30;
    const Built b = build(slanted);
    EXPECT_GT(b.image.height(), upright.image.height());
    expectOnlyGreys(b.image, {0, 0x55, 0xFF});
    expectOnlyGreys(b.mask, {0, 0xFF});
    EXPECT_EQ(greyAt(b.image, 0, 0), 0);
    EXPECT_EQ(greyAt(b.mask, 0, 0), 0xFF);
    EXPECT_EQ(greyAt(b.mask, b.mask.width() - 1, b.mask.height() - 1), 0xFF);
}

TEST(TextImage, RefusesSizesBeyondThePictureLimitsAndLeavesTheModelsAlone) {
    LeadModel image, mask;
    image.setBitmap(Picture(3, 3));
    TextSettings s = settingsFor({QStringLiteral("x")});
    s.pointSize = 0;
    EXPECT_EQ(text::buildTextImage(s, image, mask), imaging::kInvalidArgument);
    s.pointSize = 36;
    for (int i = 0; i < 1000; ++i) {
        s.lines << QStringLiteral("line");
    }
    EXPECT_EQ(text::buildTextImage(s, image, mask), imaging::kTooLarge);
    EXPECT_EQ(image.BitmapWidth(), 3);
    EXPECT_FALSE(mask.hasBitmap());
}

TEST(TextImage, LayOverKeepsTheFrameWhereTheMaskIsWhiteAndCutsAtTheEdges) {
    // A 3 x 2 text: white at (0,0), dark grey at (1,0), undrawn (2,0), black drawn at (0,1).
    Picture image(3, 2), mask(3, 2);
    std::fill(mask.pixels().begin(), mask.pixels().end(), 0xFF);
    image.setColourAt(0, 0, imaging::greyColour(0xFF));
    image.setColourAt(1, 0, imaging::greyColour(0x55));
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
        mask.setColourAt(x, y, 0);
    }
    const std::vector<std::pair<int, int>> origins{
        {1, 1}, {4, 3}, {-1, -1}, {-5, 0}, {2000000000, 0}};
    for (auto [ox, oy] : origins) {
        SCOPED_TRACE(ox);
        LeadModel frame = levelFrame(5, 4);
        ASSERT_EQ(text::layOver(frame, ox, oy, image, mask), imaging::kOk);
        const Picture& out = *frame.picture();
        ASSERT_EQ(out.bits(), 2);
        EXPECT_EQ(out.palette(), std::vector<imaging::Colour>(produce::PanelGreys.begin(),
                                                              produce::PanelGreys.end()));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                int expected = (x + y) % 4;
                const int tx = x - ox, ty = y - oy;
                if (ty == 0 && tx == 0) {
                    expected = 3;
                } else if (ty == 0 && tx == 1) {
                    expected = 1;
                } else if (ty == 1 && tx == 0) {
                    expected = 0;
                }
                EXPECT_EQ(out.row(y)[x], expected) << x << "," << y;
            }
        }
    }
}

TEST(TextImage, LayOverReadsTrueColourFramesAndRefusesBadInput) {
    LeadModel frame;
    Picture colour(2, 1);
    colour.setColourAt(0, 0, imaging::makeColour(0xA0, 0xB0, 0xA8));
    colour.setColourAt(1, 0, imaging::makeColour(0x50, 0x58, 0x60));
    frame.setBitmap(colour);
    const Picture blank(1, 1);
    Picture whiteMask(1, 1);
    whiteMask.setColourAt(0, 0, imaging::greyColour(0xFF));
    ASSERT_EQ(text::layOver(frame, 0, 0, blank, whiteMask), imaging::kOk);
    EXPECT_EQ(frame.picture()->row(0)[0], 2);
    EXPECT_EQ(frame.picture()->row(0)[1], 1);

    LeadModel empty;
    EXPECT_EQ(text::layOver(empty, 0, 0, blank, whiteMask), imaging::kNoBitmap);
    EXPECT_EQ(text::layOver(frame, 0, 0, Picture(), whiteMask), imaging::kNoBitmap);
    EXPECT_EQ(text::layOver(frame, 0, 0, Picture(2, 1), whiteMask), imaging::kInvalidArgument);
}

TEST(TextImage, BuiltTextLaidOverAFrameShowsTheTextWhereTheMaskIsBlack) {
    TextSettings s = settingsFor({QStringLiteral("Pixmora")}, text::kOutline);
    s.angle = 15;
    const Built b = build(s);
    LeadModel frame = levelFrame(160, 54);
    ASSERT_EQ(text::layOver(frame, 10, 5, b.image, b.mask), imaging::kOk);
    const Picture& out = *frame.picture();
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const bool inside = b.mask.contains(x - 10, y - 5);
            const int expected = inside && greyAt(b.mask, x - 10, y - 5) == 0
                                     ? greyAt(b.image, x - 10, y - 5) / 0x55
                                     : (x + y) % 4;
            ASSERT_EQ(out.row(y)[x], expected) << x << "," << y;
        }
    }
}
