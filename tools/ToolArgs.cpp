#include "tools/ToolArgs.h"

#include <QFileInfo>

#include "tools/ToolStatus.h"

namespace tools {

namespace {

constexpr int kMaxCode = 63;
constexpr int kMaxSide = 256;

const QStringList kOptions{QStringLiteral("--bits"), QStringLiteral("--background"),
                           QStringLiteral("--dither"), QStringLiteral("--size")};

bool parseNumber(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (!ok || v < low || v > high) {
        return false;
    }
    *value = v;
    return true;
}

bool parseBits(const QString& text, int* bits) {
    int v = 0;
    if (!parseNumber(text, 1, 8, &v) || (v != 1 && v != 2 && v != 4 && v != 8)) {
        return false;
    }
    *bits = v;
    return true;
}

bool parseDither(const QString& text, int* dither) {
    const QString name = text.toLower();
    if (name == QStringLiteral("burkes")) {
        *dither = imaging::kDitherBurkes;
    } else if (name == QStringLiteral("jjn")) {
        *dither = imaging::kDitherJarvis;
    } else if (name == QStringLiteral("ordered")) {
        *dither = imaging::kDitherOrdered;
    } else if (name == QStringLiteral("none")) {
        *dither = imaging::kDitherNone;
    } else {
        return false;
    }
    return true;
}

bool parseSize(const QString& text, int* width, int* height) {
    const QStringList parts = text.toLower().split(QLatin1Char('x'));
    return parts.size() == 2 && parseNumber(parts[0], 1, kMaxSide, width) &&
           parseNumber(parts[1], 1, kMaxSide, height);
}

// Applies one known option and its value; false with *error set when the value is bad.
bool applyOption(const QString& name, const QString& value, ImportRequest* request,
                 QString* error) {
    ImportSettings& s = request->settings;
    bool ok = false;
    if (name == QStringLiteral("--bits")) {
        ok = parseBits(value, &s.bits);
    } else if (name == QStringLiteral("--background")) {
        ok = parseNumber(value, 0, kMaxCode, &request->code);
    } else if (name == QStringLiteral("--dither")) {
        ok = parseDither(value, &s.dither);
    } else if (name == QStringLiteral("--size")) {
        ok = parseSize(value, &s.width, &s.height);
    }
    if (!ok) {
        *error = QStringLiteral("bad value '%1' for %2").arg(value, name);
    }
    return ok;
}

bool isOption(const QString& arg) {
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

int checkFiles(const ImportRequest& request, QString* error) {
    if (request.output.isEmpty()) {
        *error = QStringLiteral("missing output file");
    } else if (!hasSuffix(request.output, QStringLiteral("zma")) &&
               !hasSuffix(request.output, QStringLiteral("zml"))) {
        *error = QStringLiteral("the output must end in .zma or .zml: %1").arg(request.output);
    } else if (request.pictures.isEmpty()) {
        *error = QStringLiteral("no pictures to import");
    } else if (hasSuffix(request.output, QStringLiteral("zml")) && request.pictures.size() > 1) {
        *error = QStringLiteral("a .zml holds one frame; %1 pictures given")
                     .arg(request.pictures.size());
    } else {
        return kToolOk;
    }
    return kUsageError;
}

}  // namespace

bool wantsHelp(const QStringList& args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

bool hasSuffix(const QString& fileName, const QString& suffix) {
    return QFileInfo(fileName).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

int parseImportArgs(const QStringList& args, ImportRequest* request, QString* error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!isOption(arg)) {
            if (request->output.isEmpty()) {
                request->output = arg;
            } else {
                request->pictures.append(arg);
            }
            continue;
        }
        if (!kOptions.contains(arg)) {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return kUsageError;
        }
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("missing value for %1").arg(arg);
            return kUsageError;
        }
        if (!applyOption(arg, args[++i], request, error)) {
            return kUsageError;
        }
    }
    return checkFiles(*request, error);
}

}  // namespace tools
