#include "tools/MakeArgs.h"

#include <QCommandLineParser>
#include <array>

#include "store/OutputStore.h"
#include "tools/ToolArgs.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 6400;
// Far beyond any picture at the largest zoom, and far from overflowing the crop arithmetic.
constexpr int kMaxCoordinate = 1 << 24;

constexpr std::array<ValueOption, 10> kMakeOptions{{{"start", "FILE[@FRAME]"},
                                                    {"start-rect", "L,T,R,B"},
                                                    {"end", "FILE[@FRAME]"},
                                                    {"end-rect", "L,T,R,B"},
                                                    {"zoom", "PERCENT"},
                                                    {"method", "0..7"},
                                                    {"frames", "N"},
                                                    {"dither", "burkes|jjn|ordered|none"},
                                                    {"panel", "WxH"},
                                                    {"background", "CODE"}}};

constexpr std::array<const char*, 4> kRequiredOptions{"start", "start-rect", "method", "frames"};

bool parseCoordinate(const QString& text, int* value) {
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (!parseNumber(negative ? text.mid(1) : text, 0, kMaxCoordinate, value)) {
        return false;
    }
    *value = negative ? -*value : *value;
    return true;
}

// L,T,R,B with R > L and B > T.
bool parseRect(const QString& text, CropFrame* rect) {
    const QStringList parts = text.split(QLatin1Char(','));
    std::array<int, 4> edges{};
    if (parts.size() != 4) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (!parseCoordinate(parts[i], &edges[i])) {
            return false;
        }
    }
    if (edges[2] <= edges[0] || edges[3] <= edges[1]) {
        return false;
    }
    rect->Left = edges[0];
    rect->Top = edges[1];
    rect->Right = edges[2];
    rect->Bottom = edges[3];
    return true;
}

// Applies one value option; false when its value is bad.
bool applyValue(const QString& name, const QString& value, MakeRequest* request) {
    produce::GenerationRequest& g = request->generation;
    if (name == QStringLiteral("start-rect")) {
        return parseRect(value, &g.start);
    }
    if (name == QStringLiteral("end-rect")) {
        return parseRect(value, &g.end);
    }
    if (name == QStringLiteral("zoom")) {
        return parseNumber(value, kMinZoom, kMaxZoom, &g.zoomPercent);
    }
    if (name == QStringLiteral("method")) {
        return parseNumber(value, 0, produce::kMethodCount - 1, &g.method);
    }
    if (name == QStringLiteral("frames")) {
        return parseNumber(value, 1, store::kMaxOutputFrames, &g.frames);
    }
    if (name == QStringLiteral("dither")) {
        return parseDither(value, &g.ditherMethod);
    }
    if (name == QStringLiteral("panel")) {
        return parseSize(value, &g.panelWidth, &g.panelHeight);
    }
    return parseCode(value, &request->code);
}

int applyOptions(const QCommandLineParser& parser, MakeRequest* request, QString* error) {
    for (const char* required : kRequiredOptions) {
        if (!parser.isSet(QString::fromLatin1(required))) {
            return usage(QStringLiteral("missing --%1").arg(QString::fromLatin1(required)), error);
        }
    }
    if (parser.isSet(QStringLiteral("end")) != parser.isSet(QStringLiteral("end-rect"))) {
        return usage(QStringLiteral("--end and --end-rect go together"), error);
    }
    for (const ValueOption& option : kMakeOptions) {
        const QString name = QString::fromLatin1(option.name);
        const QString value = parser.value(name);
        if (name == QStringLiteral("start") || name == QStringLiteral("end")) {
            FileSelection& file = name == QStringLiteral("start") ? request->start : request->end;
            if (parser.isSet(name) && parseFileSelection(value, 1, &file, error) != kToolOk) {
                return kUsageError;
            }
        } else if (parser.isSet(name) && !applyValue(name, value, request)) {
            return usage(QStringLiteral("bad value '%1' for --%2").arg(value, name), error);
        }
    }
    return kToolOk;
}

int checkOutput(const QStringList& files, const MakeRequest& request, QString* error) {
    if (files.size() != 1) {
        return usage(QStringLiteral("make takes one output file"), error);
    }
    const QString& output = files.first();
    const bool zml = hasSuffix(output, QStringLiteral("zml"));
    if (!zml && !hasSuffix(output, QStringLiteral("zma"))) {
        return usage(QStringLiteral("the output must end in .zma or .zml: %1").arg(output), error);
    }
    if (zml && request.generation.frames > 1) {
        return usage(QStringLiteral("a .zml holds one frame; %1 frames asked for")
                         .arg(request.generation.frames),
                     error);
    }
    return kToolOk;
}

}  // namespace

int selectedFrame(const FileSelection& selection) {
    return selection.numbers.isEmpty() ? 1 : selection.numbers.first();
}

int parseMakeArgs(const QStringList& args, MakeRequest* request, QString* error) {
    QCommandLineParser parser;
    if (!parseWith(parser, args, &request->help, error, kMakeOptions)) {
        return kUsageError;
    }
    if (request->help) {
        return kToolOk;
    }
    if (applyOptions(parser, request, error) != kToolOk) {
        return kUsageError;
    }
    if (!parser.isSet(QStringLiteral("end"))) {
        request->end = request->start;
        request->generation.end = request->generation.start;
    }
    const QStringList files = parser.positionalArguments();
    if (checkOutput(files, *request, error) != kToolOk) {
        return kUsageError;
    }
    request->output = files.first();
    return kToolOk;
}

}  // namespace tools
