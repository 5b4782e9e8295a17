#include "tools/ToolCommands.h"

#include <QBuffer>
#include <QImageWriter>

#include "platform/SaveFile.h"
#include "tools/GifWriter.h"
#include "tools/PanelFrames.h"
#include "tools/ToolArgs.h"
#include "tools/ToolHelp.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

constexpr int kGifDelayHundredths = 10;

int usageError(QTextStream& err, const QString& message, const QString& help) {
    err << "pixmora-tool: " << message << "\n" << help;
    return kUsageError;
}

int fileError(QTextStream& err, const QString& fileName, int status) {
    err << fileName << ": " << statusMessage(status) << "\n";
    return status;
}

// OUT for one frame; OUT with -001, -002, ... before the extension for several.
QString pngName(const QString& out, int index, int count) {
    if (count == 1) {
        return out;
    }
    const QString number = QStringLiteral("-%1").arg(index + 1, 3, 10, QLatin1Char('0'));
    const qsizetype dot = out.lastIndexOf(QLatin1Char('.'));
    return out.left(dot) + number + out.mid(dot);
}

// Encoded in memory first, so a failed write is known before the file is replaced.
int savePng(const QString& fileName, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return kShortWrite;
    }
    switch (platform::writeFileSafely(fileName, bytes)) {
        case platform::kSaveOk:
            return kToolOk;
        case platform::kSaveOpenFailed:
            return kCannotOpen;
        default:
            return kShortWrite;
    }
}

int exportPngs(const std::vector<PanelFrame>& frames, const QString& out, QTextStream& stdOut,
               QTextStream& err) {
    const int count = static_cast<int>(frames.size());
    for (int i = 0; i < count; ++i) {
        const QString name = pngName(out, i, count);
        const int status = savePng(name, greyImage(frames[i].picture));
        if (status != kToolOk) {
            return fileError(err, name, status);
        }
        stdOut << name << "\n";
    }
    return kToolOk;
}

int toolStatusOfGif(int gifStatus) {
    switch (gifStatus) {
        case kGifOk:
            return kToolOk;
        case kGifCannotCreate:
            return kCannotOpen;
        case kGifWriteFailed:
            return kShortWrite;
        default:
            return kBadDepth;
    }
}

int exportGif(const std::vector<PanelFrame>& frames, const QString& out, QTextStream& stdOut,
              QTextStream& err) {
    std::vector<imaging::Picture> tinted;
    tinted.reserve(frames.size());
    for (const PanelFrame& frame : frames) {
        tinted.push_back(tintedFrame(frame.picture, frame.code));
    }
    const int status = toolStatusOfGif(saveGif(out, tinted, kGifDelayHundredths));
    if (status != kToolOk) {
        return fileError(err, out, status);
    }
    stdOut << out << "\n";
    return kToolOk;
}

void printInfo(const QString& fileName, const std::vector<PanelFrame>& frames, QTextStream& out) {
    out << fileName << ": " << frames.size() << " frames\n";
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const imaging::Picture& p = frames[i].picture;
        out << "frame " << (i + 1) << ": " << p.width() << "x" << p.height() << ", " << p.bits()
            << " bits, background " << frames[i].code << "\n";
    }
}

}  // namespace

int runInfo(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    InfoRequest request;
    QString error;
    if (parseInfoArgs(args, &request, &error) != kToolOk) {
        return usageError(err, error, infoHelp());
    }
    if (request.help) {
        out << infoHelp();
        return kToolOk;
    }
    std::vector<PanelFrame> frames;
    const int status = files.read(request.file, &frames);
    if (status != kToolOk) {
        return fileError(err, request.file, status);
    }
    printInfo(request.file, frames, out);
    return kToolOk;
}

int runExport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    ExportRequest request;
    QString error;
    if (parseExportArgs(args, &request, &error) != kToolOk) {
        return usageError(err, error, exportHelp());
    }
    if (request.help) {
        out << exportHelp();
        return kToolOk;
    }
    std::vector<PanelFrame> frames;
    const int status = files.read(request.file, &frames);
    if (status != kToolOk) {
        return fileError(err, request.file, status);
    }
    return hasSuffix(request.output, QStringLiteral("png"))
               ? exportPngs(frames, request.output, out, err)
               : exportGif(frames, request.output, out, err);
}

int runImport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    ImportRequest request;
    QString error;
    if (parseImportArgs(args, &request, &error) != kToolOk) {
        return usageError(err, error, importHelp());
    }
    if (request.help) {
        out << importHelp();
        return kToolOk;
    }
    std::vector<imaging::Picture> pictures(static_cast<std::size_t>(request.pictures.size()));
    for (qsizetype i = 0; i < request.pictures.size(); ++i) {
        if (importPicture(request.pictures[i], request.settings, &pictures[i]) != 0) {
            err << request.pictures[i] << ": cannot read this picture\n";
            return kCannotOpen;
        }
    }
    const int status = files.write(request.output, pictures, request.code);
    if (status != kToolOk) {
        return fileError(err, request.output, status);
    }
    out << request.output << ": " << pictures.size() << " frames\n";
    return kToolOk;
}

int runTool(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    ToolRequest request;
    QString error;
    if (parseToolArgs(args, &request, &error) != kToolOk) {
        return usageError(err, error, toolHelp());
    }
    if (request.help || request.command == QStringLiteral("help")) {
        out << toolHelp();
        return kToolOk;
    }
    if (request.command == QStringLiteral("info")) {
        return runInfo(request.arguments, files, out, err);
    }
    if (request.command == QStringLiteral("export")) {
        return runExport(request.arguments, files, out, err);
    }
    if (request.command == QStringLiteral("import")) {
        return runImport(request.arguments, files, out, err);
    }
    return usageError(err, QStringLiteral("unknown command %1").arg(request.command), toolHelp());
}

}  // namespace tools
