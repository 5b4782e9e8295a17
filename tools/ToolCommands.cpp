#include "tools/ToolCommands.h"

#include <QBuffer>
#include <QImageWriter>

#include "platform/SaveFile.h"
#include "tools/GifWriter.h"
#include "tools/ImportPlan.h"
#include "tools/MakeAnimation.h"
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
// Writes an exported file whole, keeping the previous one on failure.
int writeOutput(const QString& fileName, const QByteArray& bytes) {
    switch (platform::writeFileSafely(fileName, bytes)) {
        case platform::kSaveOk:
            return kToolOk;
        case platform::kSaveOpenFailed:
            return kCannotOpen;
        default:
            return kShortWrite;
    }
}

int savePng(const QString& fileName, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? writeOutput(fileName, bytes) : static_cast<int>(kShortWrite);
}

// One PNG a frame, written as each frame is read.
int exportPngs(PanelFiles& files, const QString& file, int count, const QString& out,
               QTextStream& stdOut, QTextStream& err) {
    int index = 0;
    return files.readFrames(file, [&](const PanelFrame& frame) {
        const QString name = pngName(out, index++, count);
        const int status = savePng(name, greyImage(frame.picture));
        if (status != kToolOk) {
            return fileError(err, name, status);
        }
        stdOut << name << "\n";
        return static_cast<int>(kToolOk);
    });
}

int toolStatusOfGif(int gifStatus) {
    switch (gifStatus) {
        case kGifOk:
            return kToolOk;
        case kGifWriteFailed:
            return kShortWrite;
        default:
            return kBadDepth;
    }
}

// The frames tinted as the window shows them, encoded as each frame is read.
int exportGif(PanelFiles& files, const QString& file, const std::vector<FrameInfo>& headers,
              const QString& out, QTextStream& stdOut, QTextStream& err) {
    int width = 0;
    int height = 0;
    for (const FrameInfo& h : headers) {
        width = std::max(width, h.width);
        height = std::max(height, h.height);
    }
    GifAnimation animation;
    int gifStatus = animation.begin(width, height, kGifDelayHundredths);
    if (gifStatus == kGifOk) {
        const int status = files.readFrames(file, [&](const PanelFrame& frame) {
            gifStatus = animation.add(tintedFrame(frame.picture, frame.code));
            return toolStatusOfGif(gifStatus);
        });
        if (status != kToolOk && gifStatus == kGifOk) {
            return fileError(err, file, status);
        }
    }
    QByteArray bytes;
    if (gifStatus == kGifOk) {
        gifStatus = animation.finish(&bytes);
    }
    const int status = gifStatus == kGifOk ? writeOutput(out, bytes) : toolStatusOfGif(gifStatus);
    if (status != kToolOk) {
        return fileError(err, out, status);
    }
    stdOut << out << "\n";
    return kToolOk;
}

// Writes the frames and says what was written, and under which name.
int writePanelFile(PanelFiles& files, const QString& output,
                   const std::vector<imaging::Picture>& frames, int code, QTextStream& out,
                   QTextStream& err) {
    QString written;
    const int status = files.write(output, frames, code, &written);
    if (status != kToolOk) {
        return fileError(err, written.isEmpty() ? output : written, status);
    }
    if (written != output) {
        out << output << ": name too long, written as " << written << "\n";
    }
    out << written << ": " << frames.size() << " frames\n";
    return kToolOk;
}

void printInfo(const QString& fileName, const std::vector<FrameInfo>& headers, QTextStream& out) {
    out << fileName << ": " << headers.size() << " frames\n";
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const FrameInfo& h = headers[i];
        out << "frame " << (i + 1) << ": " << h.width << "x" << h.height << ", " << h.bits
            << " bits, background " << h.code << "\n";
    }
}

// Reads a command's arguments into *request. False when the command ends here: help was asked
// for (printed, exit 0) or the arguments are bad (the usage error printed); *exitCode says which.
template <typename Request>
bool readRequest(int (*parse)(const QStringList&, Request*, QString*), const QStringList& args,
                 const QString& help, Request* request, QTextStream& out, QTextStream& err,
                 int* exitCode) {
    QString error;
    if (parse(args, request, &error) != kToolOk) {
        *exitCode = usageError(err, error, help);
        return false;
    }
    if (request->help) {
        out << help;
        *exitCode = kToolOk;
        return false;
    }
    return true;
}

// A failure found after the arguments were read: a usage error with the command's help, or
// another status with its message.
int reportFailure(int status, const QString& error, const QString& help, QTextStream& err) {
    if (status == kUsageError) {
        return usageError(err, error, help);
    }
    err << error << "\n";
    return status;
}

}  // namespace

int runInfo(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    InfoRequest request;
    int exitCode = kToolOk;
    if (!readRequest(parseInfoArgs, args, infoHelp(), &request, out, err, &exitCode)) {
        return exitCode;
    }
    std::vector<FrameInfo> headers;
    const int status = files.readHeaders(request.file, &headers);
    if (status != kToolOk) {
        return fileError(err, request.file, status);
    }
    printInfo(request.file, headers, out);
    return kToolOk;
}

int runExport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    ExportRequest request;
    int exitCode = kToolOk;
    if (!readRequest(parseExportArgs, args, exportHelp(), &request, out, err, &exitCode)) {
        return exitCode;
    }
    // The headers first: a damaged file is refused before anything is written.
    std::vector<FrameInfo> headers;
    const int status = files.readHeaders(request.file, &headers);
    if (status != kToolOk) {
        return fileError(err, request.file, status);
    }
    return hasSuffix(request.output, QStringLiteral("png"))
               ? exportPngs(files, request.file, static_cast<int>(headers.size()), request.output,
                            out, err)
               : exportGif(files, request.file, headers, request.output, out, err);
}

int runImport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    ImportRequest request;
    int exitCode = kToolOk;
    if (!readRequest(parseImportArgs, args, importHelp(), &request, out, err, &exitCode)) {
        return exitCode;
    }
    std::vector<ImportPages> plan;
    QString error;
    const int planned =
        planImport(request.inputs, hasSuffix(request.output, QStringLiteral("zml")), &plan, &error);
    if (planned != kToolOk) {
        return reportFailure(planned, error, importHelp(), err);
    }
    std::vector<imaging::Picture> pictures;
    for (const ImportPages& pages : plan) {
        if (importPages(pages.file, pages.firstPage, pages.pageCount, request.settings,
                        &pictures) != 0) {
            err << pages.file << ": cannot read this picture\n";
            return kCannotOpen;
        }
    }
    return writePanelFile(files, request.output, pictures, request.code, out, err);
}

int runMake(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    MakeRequest request;
    int exitCode = kToolOk;
    if (!readRequest(parseMakeArgs, args, makeHelp(), &request, out, err, &exitCode)) {
        return exitCode;
    }
    std::vector<imaging::Picture> frames;
    QString error;
    const int status = makeAnimation(request, &frames, &error);
    if (status != kToolOk) {
        return reportFailure(status, error, makeHelp(), err);
    }
    return writePanelFile(files, request.output, frames, request.code, out, err);
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
    if (request.command == QStringLiteral("make")) {
        return runMake(request.arguments, files, out, err);
    }
    return usageError(err, QStringLiteral("unknown command %1").arg(request.command), toolHelp());
}

}  // namespace tools
