#include "tools/ToolArgs.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>

#include "files/PanelRecord.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

constexpr int kMaxCode = 63;

// Parses `args` (without the program name) with --help and -h added. False with *error set
// when an option is unknown or lacks its value, unless help was asked for.
bool parseWith(QCommandLineParser& parser, const QStringList& args, bool* help, QString* error) {
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    const bool parsed = parser.parse(QStringList{QStringLiteral("pixmora-tool")} + args);
    *help = parser.isSet(helpOption);
    if (!parsed && !*help) {
        *error = parser.errorText();
        return false;
    }
    return true;
}

int usage(const QString& message, QString* error) {
    *error = message;
    return kUsageError;
}

// Decimal digits only (no sign, no spaces), within [low, high]; an overflow is out of range.
bool parseNumber(const QString& text, int low, int high, int* value) {
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool ok = false;
    const int v = digits ? text.toInt(&ok, 10) : 0;
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
    return parts.size() == 2 && parseNumber(parts[0], 1, files::kMaxPanelSide, width) &&
           parseNumber(parts[1], 1, files::kMaxPanelSide, height);
}

struct ValueOption {
    const char* name;
    const char* valueName;
};

constexpr ValueOption kImportOptions[] = {{"bits", "1|2|4|8"},
                                          {"background", "CODE"},
                                          {"dither", "burkes|jjn|ordered|none"},
                                          {"size", "WxH"}};

// Applies one import option's value; false when the value is bad.
bool applyImportOption(const QString& name, const QString& value, ImportRequest* request) {
    ImportSettings& s = request->settings;
    if (name == QStringLiteral("bits")) {
        return parseBits(value, &s.bits);
    }
    if (name == QStringLiteral("background")) {
        return parseNumber(value, 0, kMaxCode, &request->code);
    }
    if (name == QStringLiteral("dither")) {
        return parseDither(value, &s.dither);
    }
    return parseSize(value, &s.width, &s.height);
}

int applyImportOptions(const QCommandLineParser& parser, ImportRequest* request, QString* error) {
    for (const ValueOption& option : kImportOptions) {
        const QString name = QString::fromLatin1(option.name);
        if (parser.isSet(name) && !applyImportOption(name, parser.value(name), request)) {
            return usage(QStringLiteral("bad value '%1' for --%2").arg(parser.value(name), name),
                         error);
        }
    }
    return kToolOk;
}

int checkImportFiles(const ImportRequest& request, QString* error) {
    if (request.output.isEmpty()) {
        return usage(QStringLiteral("missing output file"), error);
    }
    const bool zml = hasSuffix(request.output, QStringLiteral("zml"));
    if (!zml && !hasSuffix(request.output, QStringLiteral("zma"))) {
        return usage(QStringLiteral("the output must end in .zma or .zml: %1").arg(request.output),
                     error);
    }
    if (request.pictures.isEmpty()) {
        return usage(QStringLiteral("no pictures to import"), error);
    }
    if (zml && request.pictures.size() > 1) {
        return usage(QStringLiteral("a .zml holds one frame; %1 pictures given")
                         .arg(request.pictures.size()),
                     error);
    }
    return kToolOk;
}

// A command that takes exactly `count` file names and no option but --help.
int parseFileArgs(const QStringList& args, int count, const QString& message, bool* help,
                  QStringList* files, QString* error) {
    QCommandLineParser parser;
    if (!parseWith(parser, args, help, error)) {
        return kUsageError;
    }
    if (*help) {
        return kToolOk;
    }
    *files = parser.positionalArguments();
    return files->size() == count ? static_cast<int>(kToolOk) : usage(message, error);
}

}  // namespace

bool hasSuffix(const QString& fileName, const QString& suffix) {
    return QFileInfo(fileName).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

int parseToolArgs(const QStringList& args, ToolRequest* request, QString* error) {
    QCommandLineParser parser;
    // Everything from the command on belongs to the command's own parser.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parseWith(parser, args, &request->help, error)) {
        return kUsageError;
    }
    if (request->help) {
        return kToolOk;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        return usage(QStringLiteral("no command given"), error);
    }
    request->command = positional.first();
    request->arguments = positional.mid(1);
    return kToolOk;
}

int parseInfoArgs(const QStringList& args, InfoRequest* request, QString* error) {
    QStringList files;
    const int status = parseFileArgs(args, 1, QStringLiteral("info takes one panel file"),
                                     &request->help, &files, error);
    if (status == kToolOk && !request->help) {
        request->file = files[0];
    }
    return status;
}

int parseExportArgs(const QStringList& args, ExportRequest* request, QString* error) {
    QStringList files;
    const int status =
        parseFileArgs(args, 2, QStringLiteral("export takes a panel file and an output file"),
                      &request->help, &files, error);
    if (status != kToolOk || request->help) {
        return status;
    }
    if (!hasSuffix(files[1], QStringLiteral("png")) &&
        !hasSuffix(files[1], QStringLiteral("gif"))) {
        return usage(QStringLiteral("the output must end in .png or .gif: %1").arg(files[1]),
                     error);
    }
    request->file = files[0];
    request->output = files[1];
    return kToolOk;
}

int parseImportArgs(const QStringList& args, ImportRequest* request, QString* error) {
    QCommandLineParser parser;
    // The help texts are the tool's own (ToolHelp), so the options carry no descriptions.
    for (const ValueOption& option : kImportOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString(),
                                            QString::fromLatin1(option.valueName)));
    }
    if (!parseWith(parser, args, &request->help, error)) {
        return kUsageError;
    }
    if (request->help) {
        return kToolOk;
    }
    if (applyImportOptions(parser, request, error) != kToolOk) {
        return kUsageError;
    }
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        request->output = files.first();
        request->pictures = files.mid(1);
    }
    return checkImportFiles(*request, error);
}

}  // namespace tools
