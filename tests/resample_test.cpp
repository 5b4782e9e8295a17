#include "imaging/Resample.h"

#include <gtest/gtest.h>

#include "imaging/Combine.h"
#include "imaging/Status.h"

using namespace imaging;

namespace {

// A 24-bit picture whose pixel (x, y) is colour (x, y, 7).
Picture coordinatePicture(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.setColourAt(x, y, makeColour(x, y, 7));
        }
    }
    return p;
}

}  // namespace

TEST(Resample, NearestNeighbourPicksCentres) {
    const Picture p = coordinatePicture(4, 2);
    Picture out;
    ASSERT_EQ(resize(p, 2, 1, &out), kOk);
    EXPECT_EQ(out.colourAt(0, 0), makeColour(1, 1, 7));
    EXPECT_EQ(out.colourAt(1, 0), makeColour(3, 1, 7));
    ASSERT_EQ(resize(p, 8, 4, &out), kOk);  // doubling repeats each pixel twice
    EXPECT_EQ(out.colourAt(0, 0), out.colourAt(1, 1));
    EXPECT_EQ(out.colourAt(7, 3), makeColour(3, 1, 7));

    Picture indexed(3, 1, 2);
    indexed.row(0)[2] = 3;
    ASSERT_EQ(resize(indexed, 6, 1, &out), kOk);
    EXPECT_EQ(out.bits(), 2);
    EXPECT_EQ(out.row(0)[5], 3);
    EXPECT_EQ(resize(p, 0, 5, &out), kInvalidArgument);
    EXPECT_EQ(resize(Picture(), 5, 5, &out), kNoBitmap);
}

TEST(Resample, CropResizedEqualsCopyThenResize) {
    const Picture source = coordinatePicture(40, 30);
    struct Case {
        int x, y, w, h;
    };
    // Inside, reaching over each edge, and wholly outside.
    for (const Case c : {Case{3, 4, 20, 10}, Case{-5, -3, 12, 9}, Case{30, 25, 17, 11},
                         Case{50, 50, 5, 5}, Case{0, 0, 40, 30}}) {
        Picture twoStep(c.w, c.h);
        combine(twoStep, 0, 0, c.w, c.h, source, c.x, c.y, kCombineCopy);
        Picture expected;
        ASSERT_EQ(resize(twoStep, 16, 6, &expected), kOk);
        Picture direct;
        ASSERT_EQ(cropResized(source, c.x, c.y, c.w, c.h, 16, 6, &direct), kOk);
        EXPECT_EQ(direct, expected) << c.x << "," << c.y;
    }
    Picture out;
    EXPECT_EQ(cropResized(source, 0, 0, 0, 10, 16, 6, &out), kInvalidArgument);
}

TEST(Combine, ClipsAtEveryEdge) {
    const Picture source = coordinatePicture(4, 4);
    for (const auto& [left, top] : {std::pair{-2, -1}, std::pair{3, 2}, std::pair{-10, 0}}) {
        Picture target(5, 4);
        ASSERT_EQ(combine(target, left, top, 4, 4, source, 0, 0, kCombineCopy), kOk);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 5; ++x) {
                const int sx = x - left;
                const int sy = y - top;
                const bool inside = sx >= 0 && sx < 4 && sy >= 0 && sy < 4;
                EXPECT_EQ(target.colourAt(x, y), inside ? makeColour(sx, sy, 7) : 0u)
                    << left << "," << top << " at " << x << "," << y;
            }
        }
    }
    // Source origin outside the source and a rectangle larger than both.
    Picture target(3, 3);
    ASSERT_EQ(combine(target, 0, 0, 100, 100, source, 2, -1, kCombineCopy), kOk);
    EXPECT_EQ(target.colourAt(0, 0), 0u);
    EXPECT_EQ(target.colourAt(1, 1), makeColour(3, 0, 7));
    EXPECT_EQ(target.colourAt(2, 1), 0u);
    EXPECT_EQ(combine(target, 0, 0, -4, 3, source, 0, 0, kCombineCopy), kOk);  // nothing to do
    EXPECT_EQ(combine(target, 0, 0, 1, 1, source, 0, 0, 0x123), kInvalidArgument);
}

TEST(Combine, AddAndOrOperations) {
    Picture a(1, 1);
    a.setColourAt(0, 0, makeColour(200, 0x0F, 0xF0));
    Picture b(1, 1);
    b.setColourAt(0, 0, makeColour(100, 0x3C, 0x3C));
    for (const auto& [operation, expected] :
         {std::pair{kCombineAdd, makeColour(255, 0x4B, 0xFF)},
          std::pair{kCombineAnd, makeColour(200 & 100, 0x0C, 0x30)},
          std::pair{kCombineOr, makeColour(200 | 100, 0x3F, 0xFC)}}) {
        Picture t = a;
        ASSERT_EQ(combine(t, 0, 0, 1, 1, b, 0, 0, operation), kOk);
        EXPECT_EQ(t.colourAt(0, 0), expected) << operation;
    }
    // An indexed target keeps its depth and takes the nearest palette entry.
    Picture grey(1, 1, 2);
    combine(grey, 0, 0, 1, 1, b, 0, 0, kCombineOr);
    EXPECT_EQ(grey.bits(), 2);
    EXPECT_EQ(grey.colourAt(0, 0), 0x555555u);
}
