#include "tools/ToolCommands.h"

#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>

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

// Plain file names only: anything that looks like an option is an error.
bool hasOption(const QStringList& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const QString& a) { return a.size() > 1 && a.startsWith('-'); });
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

bool savePng(const QString& fileName, const QImage& image) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int exportPngs(const std::vector<PanelFrame>& frames, const QString& out, QTextStream& stdOut,
               QTextStream& err) {
    const int count = static_cast<int>(frames.size());
    for (int i = 0; i < count; ++i) {
        const QString name = pngName(out, i, count);
        if (!savePng(name, greyImage(frames[i].picture))) {
            return fileError(err, name, kCannotOpen);
        }
        stdOut << name << "\n";
    }
    return kToolOk;
}

int exportGif(const std::vector<PanelFrame>& frames, const QString& out, QTextStream& stdOut,
              QTextStream& err) {
    std::vector<imaging::Picture> tinted;
    tinted.reserve(frames.size());
    for (const PanelFrame& frame : frames) {
        tinted.push_back(tintedFrame(frame.picture, frame.code));
    }
    const int status = saveGif(out, tinted, kGifDelayHundredths);
    if (status != kGifOk) {
        return fileError(err, out, status == kGifWriteFailed ? kCannotOpen : kBadDepth);
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
    if (wantsHelp(args)) {
        out << infoHelp();
        return kToolOk;
    }
    if (args.size() != 1 || hasOption(args)) {
        return usageError(err, QStringLiteral("info takes one panel file"), infoHelp());
    }
    std::vector<PanelFrame> frames;
    const int status = files.read(args[0], &frames);
    if (status != kToolOk) {
        return fileError(err, args[0], status);
    }
    printInfo(args[0], frames, out);
    return kToolOk;
}

int runExport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    if (wantsHelp(args)) {
        out << exportHelp();
        return kToolOk;
    }
    if (args.size() != 2 || hasOption(args)) {
        return usageError(err, QStringLiteral("export takes a panel file and an output file"),
                          exportHelp());
    }
    const QString& target = args[1];
    const bool png = hasSuffix(target, QStringLiteral("png"));
    if (!png && !hasSuffix(target, QStringLiteral("gif"))) {
        return usageError(err,
                          QStringLiteral("the output must end in .png or .gif: %1").arg(target),
                          exportHelp());
    }
    std::vector<PanelFrame> frames;
    const int status = files.read(args[0], &frames);
    if (status != kToolOk) {
        return fileError(err, args[0], status);
    }
    return png ? exportPngs(frames, target, out, err) : exportGif(frames, target, out, err);
}

int runImport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err) {
    if (wantsHelp(args)) {
        out << importHelp();
        return kToolOk;
    }
    ImportRequest request;
    QString error;
    if (parseImportArgs(args, &request, &error) != kToolOk) {
        return usageError(err, error, importHelp());
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
    if (args.isEmpty()) {
        return usageError(err, QStringLiteral("no command given"), toolHelp());
    }
    const QString& command = args[0];
    const QStringList rest = args.mid(1);
    if (command == QStringLiteral("info")) {
        return runInfo(rest, files, out, err);
    }
    if (command == QStringLiteral("export")) {
        return runExport(rest, files, out, err);
    }
    if (command == QStringLiteral("import")) {
        return runImport(rest, files, out, err);
    }
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h") ||
        command == QStringLiteral("help")) {
        out << toolHelp();
        return kToolOk;
    }
    return usageError(err, QStringLiteral("unknown command %1").arg(command), toolHelp());
}

}  // namespace tools
