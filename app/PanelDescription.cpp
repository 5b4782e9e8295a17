#include "app/PanelDescription.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <optional>

#include "platform/Profile.h"

namespace app {

namespace {

const QString kTypeHeader = QStringLiteral("[FileType]");
const QString kTypeLine = QStringLiteral("Type=pixmora_PanelImage");

// The file's text, decoded by its byte order mark or as UTF-8 (the type lines are plain ASCII
// in every encoding a profile may have); a status when it cannot be read.
int readText(const QString& fileName, QString* text) {
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir()) {
        return kDescriptionCannotOpen;
    }
    if (!info.isFile()) {
        return kDescriptionNoLength;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return kDescriptionCannotOpen;
    }
    const QByteArray bytes = file.read(platform::Profile::kMaxFileSize + 1);
    if (bytes.size() > platform::Profile::kMaxFileSize || file.error() != QFileDevice::NoError) {
        return kNotADescription;
    }
    QStringDecoder decoder(
        QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    *text = decoder(bytes);
    return kDescriptionRead;
}

// Without the type header any text is taken; with it, the next line must name this type.
bool isDescriptionText(const QString& text) {
    if (text.trimmed().isEmpty() || text.contains(QChar(0))) {
        return false;
    }
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return lines[0] != kTypeHeader || (lines.size() > 1 && lines[1] == kTypeLine);
}

bool isUsable(const PanelDescription& d) {
    return usablePanel(d.panel) == d.panel && usableLevels(d.red) == d.red &&
           usableLevels(d.green) == d.green && usableLevels(d.blue) == d.blue;
}

// The entry of `dir` named `name`, else the first whose name matches it without regard to case.
std::optional<QString> entryNamed(const QDir& dir, const QString& name) {
    if (name == u'.' || name == QStringLiteral("..") || dir.exists(name)) {
        return name;
    }
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace

QString devicePicturePath(const QString& folder, const QString& panelFile) {
    QString relative = panelFile;
    relative.replace(u'\\', u'/');
    QDir dir(QDir::isAbsolutePath(relative) ? QStringLiteral("/") : folder);
    const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<QString> entry = entryNamed(dir, parts[i]);
        if (!entry.has_value()) {
            return {};
        }
        if (i + 1 == parts.size()) {
            const QString path = dir.filePath(*entry);
            return QFileInfo(path).isFile() ? path : QString();
        }
        if (!dir.cd(*entry)) {
            return {};
        }
    }
    return {};
}

int readPanelDescription(const QString& fileName, PanelDescription& description) {
    QString text;
    const int status = readText(fileName, &text);
    if (status != kDescriptionRead) {
        return status;
    }
    if (!isDescriptionText(text)) {
        return kNotADescription;
    }
    const platform::Profile profile(fileName);
    const PanelDescription read{
        readPanelKeys(profile),
        readLevelKeys(profile, QStringLiteral("Red"), description.red),
        readLevelKeys(profile, QStringLiteral("Green"), description.green),
        readLevelKeys(profile, QStringLiteral("Blue"), description.blue),
    };
    if (!isUsable(read)) {
        return kNotADescription;
    }
    description = read;
    return kDescriptionRead;
}

}  // namespace app
