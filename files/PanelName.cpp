#include "files/PanelName.h"

#include <QByteArray>

namespace files {

namespace {

struct NameParts {
    QString directory;  // up to and including the last slash
    QString base;
    QString extension;  // with its dot, or empty
};

NameParts splitName(const QString& name) {
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    NameParts parts;
    parts.directory = name.left(slash + 1);
    const QString fileName = name.mid(slash + 1);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    parts.base = dot < 0 ? fileName : fileName.left(dot);
    parts.extension = dot < 0 ? QString() : fileName.mid(dot);
    return parts;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The longest prefix of `utf8` of at most `maxBytes` bytes that ends on a character boundary.
QByteArray cutAtCharacter(const QByteArray& utf8, int maxBytes) {
    if (utf8.size() <= maxBytes) {
        return utf8;
    }
    qsizetype end = maxBytes;
    while (end > 0 && isContinuationByte(utf8[end])) {
        --end;
    }
    return utf8.left(end);
}

}  // namespace

QString extensionOf(const QString& name) {
    const QString extension = splitName(name).extension;
    return extension.isEmpty() ? extension : extension.mid(1);
}

QString withShortBaseName(const QString& name, int maxBytes) {
    const NameParts parts = splitName(name);
    const QString base = QString::fromUtf8(cutAtCharacter(parts.base.toUtf8(), maxBytes));
    return parts.directory + base + parts.extension;
}

}  // namespace files
