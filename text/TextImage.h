#pragma once

#include <QString>
#include <QStringList>

namespace imaging {
class LeadModel;
class Picture;
}  // namespace imaging

// Text images for the output frames: the lines of the text page drawn as a text image (the
// glyphs in panel greys on black) and a text mask (black wherever anything is drawn, white
// elsewhere), both turned by the chosen angle; and laying them over a panel frame.
namespace text {

// The decorations, by their index in the decoration choice.
enum Decoration : int {
    kPlain = 0,
    kOutline = 1,  // ringed one pixel wide in the outline colour
    kShadow = 2,   // a copy in the outline colour one pixel right and down
    kRaised = 3,   // white up-left, black down-right
    kSunken = 4,   // black up-left, white down-right
};

// What the text page's controls say, read at the moment of composition.
struct TextSettings {
    QStringList lines;  // the lines as displayed (wrapped); no empty last line
    QString fontName;
    int pointSize = 10;  // at 96 pixels per inch
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int decoration = kPlain;  // outside 0..4: nothing is drawn
    int textColour = 0;       // index into the panel greys; outside 0..3 falls back to black
    int outlineColour = 3;    // likewise, falling back to white; decorations 1 and 2 only
    int angle = 0;            // degrees
};

// Draws the text image into `image` and the mask into `mask` (24-bit pictures whose pixels are
// panel greys only): W = the widest line plus half the width of its last character, plus 2;
// H = the tallest line height times the number of lines, plus 2; then both turned by the angle
// (corners black in the image, white in the mask) and snapped to the four greys. Returns 0 or
// an imaging status.
int buildTextImage(const TextSettings& settings, imaging::LeadModel& image,
                   imaging::LeadModel& mask);

// Lays the text over `frame`'s current picture with its top-left corner at (x, y): the frame's
// levels read through the four panel greys, ANDed with the mask and ORed with the image inside
// the rectangle (cut off at the frame's edges), and the result made a 2-bit picture on the four
// greys again. Returns 0 or an imaging status.
int layOver(imaging::LeadModel& frame, int x, int y, const imaging::Picture& image,
            const imaging::Picture& mask);

}  // namespace text
