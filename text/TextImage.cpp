#include "text/TextImage.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/LeadModel.h"
#include "imaging/Picture.h"
#include "imaging/Rotate.h"
#include "imaging/Status.h"
#include "produce/PicMCut.h"

using imaging::Colour;
using imaging::Picture;

namespace text {

namespace {

constexpr int kBlack = 0;
constexpr int kWhite = 3;
constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;
// A pixel of the drawing counts as drawn when at least half covered.
constexpr int kDrawnAlpha = 128;

struct Offset {
    int dx;
    int dy;
    int grey;  // panel grey level
};

int greyOr(int index, int fallback) {
    return index >= 0 && index <= 3 ? index : fallback;
}

// The panel level (0..3) nearest to an 8-bit grey value.
int levelOf(int value) {
    return std::clamp((value + 42) / 85, 0, 3);
}

// The level of a colour by the mean of its channels.
int levelOfColour(Colour c) {
    return levelOf((imaging::redOf(c) + imaging::greenOf(c) + imaging::blueOf(c)) / 3);
}

QFont fontFor(const TextSettings& s) {
    QFont font(s.fontName);
    font.setPixelSize((s.pointSize * kScreenDpi + kPointsPerInch / 2) / kPointsPerInch);
    font.setBold(s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    font.setStrikeOut(s.strikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The last character of a line, a surrogate pair kept whole.
QString lastCharacter(const QString& line) {
    if (line.isEmpty()) {
        return {};
    }
    const int n = line.size();
    const int length =
        n >= 2 && line.at(n - 1).isLowSurrogate() && line.at(n - 2).isHighSurrogate() ? 2 : 1;
    return line.right(length);
}

struct TextBox {
    int width = 2;
    int height = 2;
    int lineHeight = 0;
};

// The drawing's size: the widest line plus half its last character, the tallest line height
// times the line count, and two pixels more for the decorations' offsets.
TextBox measure(const QStringList& lines, const QFontMetrics& metrics) {
    TextBox box;
    long long widest = 0;
    // Every line, empty ones too, is as high as the font.
    const int lineHeight = metrics.height();
    for (const QString& line : lines) {
        const long long w =
            metrics.horizontalAdvance(line) + metrics.horizontalAdvance(lastCharacter(line)) / 2;
        widest = std::max(widest, w);
    }
    const long long width = widest + 2;
    const long long height = static_cast<long long>(lineHeight) * lines.size() + 2;
    box.width = static_cast<int>(std::min<long long>(width, imaging::kMaxPictureSide + 1));
    box.height = static_cast<int>(std::min<long long>(height, imaging::kMaxPictureSide + 1));
    box.lineHeight = lineHeight;
    return box;
}

bool fitsPictureLimits(const TextBox& box) {
    return box.width <= imaging::kMaxPictureSide && box.height <= imaging::kMaxPictureSide &&
           static_cast<long long>(box.width) * box.height <= imaging::kMaxPicturePixels;
}

// The passes of a decoration, in drawing order, each the whole text at an offset from the
// line's cell corner in a grey; the text itself comes last. None for an unknown decoration.
std::vector<Offset> layersOf(int decoration, int textGrey, int outlineGrey) {
    switch (decoration) {
        case kPlain:
            return {{0, 0, textGrey}};
        case kOutline:
            return {{0, 0, outlineGrey}, {0, 1, outlineGrey}, {0, 2, outlineGrey},
                    {1, 0, outlineGrey}, {1, 2, outlineGrey}, {2, 0, outlineGrey},
                    {2, 1, outlineGrey}, {2, 2, outlineGrey}, {1, 1, textGrey}};
        case kShadow:
            return {{1, 1, outlineGrey}, {0, 0, textGrey}};
        case kRaised:
            return {{0, 0, kWhite}, {0, 1, kWhite}, {1, 0, kWhite},  {1, 2, kBlack},
                    {2, 1, kBlack}, {2, 2, kBlack}, {1, 1, textGrey}};
        case kSunken:
            return {{0, 0, kBlack}, {0, 1, kBlack}, {1, 0, kBlack},  {1, 2, kWhite},
                    {2, 1, kWhite}, {2, 2, kWhite}, {1, 1, textGrey}};
        default:
            return {};
    }
}

// Draws every layer onto a transparent canvas; alpha says where anything was drawn.
QImage drawLayers(const TextSettings& s, const QFont& font, const TextBox& box) {
    QImage canvas(box.width, box.height, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    const std::vector<Offset> layers =
        layersOf(s.decoration, greyOr(s.textColour, kBlack), greyOr(s.outlineColour, kWhite));
    if (layers.empty()) {
        return canvas;
    }
    QPainter painter(&canvas);
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    for (const Offset& layer : layers) {
        const int v = static_cast<int>(produce::PanelGreys[layer.grey] & 0xFF);
        painter.setPen(QColor(v, v, v));
        for (int i = 0; i < s.lines.size(); ++i) {
            painter.drawText(layer.dx, layer.dy + i * box.lineHeight + ascent, s.lines.at(i));
        }
    }
    return canvas;
}

// Splits the canvas into the image (drawn greys on black) and the mask (black where drawn).
void splitCanvas(const QImage& canvas, Picture& image, Picture& mask) {
    image = Picture(canvas.width(), canvas.height());
    mask = Picture(canvas.width(), canvas.height());
    std::fill(mask.pixels().begin(), mask.pixels().end(), std::uint8_t{0xFF});
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        std::uint8_t* imageRow = image.row(y);
        std::uint8_t* maskRow = mask.row(y);
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(src[x]) < kDrawnAlpha) {
                continue;
            }
            const auto grey = static_cast<std::uint8_t>(
                produce::PanelGreys[levelOf((qRed(src[x]) + qGreen(src[x]) + qBlue(src[x])) / 3)] &
                0xFF);
            std::fill_n(imageRow + 3 * x, 3, grey);
            std::fill_n(maskRow + 3 * x, 3, std::uint8_t{0});
        }
    }
}

// Every pixel of a 24-bit picture made the panel grey nearest to it.
void snapToGreys(Picture& p) {
    for (int y = 0; y < p.height(); ++y) {
        std::uint8_t* row = p.row(y);
        for (int x = 0; x < p.width(); ++x) {
            std::uint8_t* px = row + 3 * x;
            const int level = levelOf((px[0] + px[1] + px[2]) / 3);
            std::fill_n(px, 3, static_cast<std::uint8_t>(produce::PanelGreys[level] & 0xFF));
        }
    }
}

int turnAndSnap(Picture& p, int angle, Colour fill) {
    const int turn = angle % 360;
    if (turn != 0) {
        const int status = imaging::rotate(p, turn * 100, fill);
        if (status != imaging::kOk) {
            return status;
        }
    }
    snapToGreys(p);
    return imaging::kOk;
}

// The level (0..3) of each pixel of a frame: a 2-bit picture's own indices, otherwise the
// panel grey nearest to each colour.
std::vector<std::uint8_t> levelsOf(const Picture& frame) {
    std::vector<std::uint8_t> levels(static_cast<std::size_t>(frame.width()) * frame.height());
    std::size_t i = 0;
    for (int y = 0; y < frame.height(); ++y) {
        const std::uint8_t* row = frame.row(y);
        for (int x = 0; x < frame.width(); ++x, ++i) {
            if (frame.bits() == 2) {
                levels[i] = std::min<std::uint8_t>(row[x], 3);
            } else {
                levels[i] = static_cast<std::uint8_t>(levelOfColour(frame.colourAt(x, y)));
            }
        }
    }
    return levels;
}

struct Span {
    int first;
    int last;  // exclusive
};

// Where [origin, origin + length) meets [0, limit).
Span overlap(int origin, int length, int limit) {
    const long long first = std::max<long long>(origin, 0);
    const long long last = std::min<long long>(static_cast<long long>(origin) + length, limit);
    return {static_cast<int>(first), static_cast<int>(std::max(first, last))};
}

}  // namespace

int buildTextImage(const TextSettings& settings, imaging::LeadModel& image,
                   imaging::LeadModel& mask) {
    if (settings.pointSize < 1 ||
        settings.pointSize > imaging::kMaxPictureSide * kPointsPerInch / kScreenDpi) {
        return imaging::kInvalidArgument;
    }
    const QFont font = fontFor(settings);
    const TextBox box = measure(settings.lines, QFontMetrics(font));
    if (!fitsPictureLimits(box)) {
        return imaging::kTooLarge;
    }
    Picture textImage;
    Picture textMask;
    splitCanvas(drawLayers(settings, font, box), textImage, textMask);
    int status = turnAndSnap(textImage, settings.angle, imaging::greyColour(0));
    if (status == imaging::kOk) {
        status = turnAndSnap(textMask, settings.angle, imaging::greyColour(0xFF));
    }
    if (status != imaging::kOk) {
        return status;
    }
    image.clearBitmapList();
    image.setBitmap(std::move(textImage));
    mask.clearBitmapList();
    mask.setBitmap(std::move(textMask));
    return imaging::kOk;
}

int layOver(imaging::LeadModel& frame, int x, int y, const Picture& image, const Picture& mask) {
    if (!frame.hasBitmap() || image.isEmpty() || mask.isEmpty()) {
        return imaging::kNoBitmap;
    }
    if (image.width() != mask.width() || image.height() != mask.height()) {
        return imaging::kInvalidArgument;
    }
    const Picture& source = *frame.picture();
    const Picture textImage = imaging::toTrueColour(image);
    const Picture textMask = imaging::toTrueColour(mask);
    std::vector<std::uint8_t> levels = levelsOf(source);
    const Span columns = overlap(x, image.width(), source.width());
    const Span rows = overlap(y, image.height(), source.height());
    for (int fy = rows.first; fy < rows.last; ++fy) {
        const std::uint8_t* imageRow = textImage.row(fy - y);
        const std::uint8_t* maskRow = textMask.row(fy - y);
        std::uint8_t* levelRow = levels.data() + static_cast<std::size_t>(fy) * source.width();
        for (int fx = columns.first; fx < columns.last; ++fx) {
            const int tx = 3 * (fx - x);
            std::array<int, 3> channels{};
            for (int c = 0; c < 3; ++c) {
                const int grey = static_cast<int>(produce::PanelGreys[levelRow[fx]] & 0xFF);
                channels[c] = (grey & maskRow[tx + c]) | imageRow[tx + c];
            }
            levelRow[fx] =
                static_cast<std::uint8_t>(levelOf((channels[0] + channels[1] + channels[2]) / 3));
        }
    }
    Picture result(source.width(), source.height(), 2);
    result.palette().assign(produce::PanelGreys.begin(), produce::PanelGreys.end());
    std::copy(levels.begin(), levels.end(), result.pixels().begin());
    frame.setBitmap(std::move(result));
    return imaging::kOk;
}

}  // namespace text
