#include "tools/ToolArgs.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "tools/ArgValues.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

bool parseBits(const QString& text, int* bits) {
    int v = 0;
    if (!parseNumber(text, 1, 8, &v) || (v != 1 && v != 2 && v != 4 && v != 8)) {
        return false;
    }
    *bits = v;
    return true;
}

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
        return parseCode(value, &request->code);
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
    if (request.inputs.isEmpty()) {
        return usage(QStringLiteral("no pictures to import"), error);
    }
    if (zml && request.inputs.size() > 1) {
        return usage(
            QStringLiteral("a .zml holds one frame; %1 pictures given").arg(request.inputs.size()),
            error);
    }
    return kToolOk;
}

int parseImportInputs(const QStringList& names, ImportRequest* request, QString* error) {
    for (const QString& name : names) {
        FileSelection input;
        if (parseFileSelection(name, 2, &input, error) != kToolOk) {
            return kUsageError;
        }
        request->inputs.append(input);
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
    if (!parseWith(parser, args, &request->help, error, kImportOptions)) {
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
        if (parseImportInputs(files.mid(1), request, error) != kToolOk) {
            return kUsageError;
        }
    }
    return checkImportFiles(*request, error);
}

}  // namespace tools
