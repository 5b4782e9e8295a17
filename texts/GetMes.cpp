#include "texts/GetMes.h"

#include <algorithm>

#include "platform/Profile.h"

namespace texts {

namespace {

using platform::Profile;

QString key(int index) {
    return QString::number(index);
}

// At most `length` characters, never ending in half a surrogate pair.
QString cutText(const QString& text, int length) {
    if (text.size() <= length) {
        return text;
    }
    return text.left(text.at(length - 1).isHighSurrogate() ? length - 1 : length);
}

QString readText(const Profile& p, const QString& section, const QString& name) {
    return cutText(p.ReadString(section, name, QString()), kMaxText);
}

// Entry count of a list section: its Items key, bounded.
int itemCount(const Profile& p, const QString& section) {
    return std::clamp(p.ReadInteger(section, QStringLiteral("Items"), 0), 0, kMaxListItems);
}

// Fills the slots of a fixed array; entries beyond its size are dropped.
template <std::size_t N>
void readSlots(const Profile& p, const QString& section, std::array<QString, N>& entries) {
    const int n = std::min(itemCount(p, section), static_cast<int>(N));
    for (int i = 0; i < n; ++i) {
        entries[i] = readText(p, section, key(i));
    }
}

QStringList readList(const Profile& p, const QString& section) {
    QStringList items;
    const int n = itemCount(p, section);
    for (int i = 0; i < n; ++i) {
        items.append(readText(p, section, key(i)));
    }
    return items;
}

}  // namespace

QString catalogueFilePath(const QString& basePath) {
    return basePath + QStringLiteral(".MSG");
}

QString dialogLabelText(const QString& text) {
    return cutText(text, kMaxDialogLabel);
}

Catalogue readCatalogue(const QString& fileName) {
    const Profile p(fileName);
    const QString caption = QStringLiteral("Caption");
    Catalogue c;
    c.defaultFont = cutText(p.ReadString(QStringLiteral("Application"),
                                         QStringLiteral("DefaultFont"), QStringLiteral("FixedSys")),
                            kMaxText);
    readSlots(p, QStringLiteral("Errors"), c.errorTexts);
    readSlots(p, QStringLiteral("Messages"), c.messageTexts);
    readSlots(p, QStringLiteral("File"), c.fileTexts);
    for (std::size_t i = 0; i < kListSections.size(); ++i) {
        c.lists[i] = readList(p, QString::fromLatin1(kListSections[i].section));
    }
    for (std::size_t i = 0; i < kCaptionControls.size(); ++i) {
        c.captions[i] = readText(p, caption, QString::fromLatin1(kCaptionControls[i]));
    }
    c.dialogTitle = readText(p, caption, QStringLiteral("LEADDlg1"));
    for (std::size_t i = 0; i < kDialogLabels.size(); ++i) {
        c.dialogLabels[i] =
            dialogLabelText(readText(p, caption, QString::fromLatin1(kDialogLabels[i].key)));
    }
    c.endConfirmCaption = readText(p, caption, QStringLiteral("EndConfirm"));
    c.endConfirmText = readText(p, QStringLiteral("DialogMessage"), QStringLiteral("EndConfirm"));
    for (std::size_t i = 0; i < kHintControls.size(); ++i) {
        c.hints[i] = readText(p, QStringLiteral("Hint"), QString::fromLatin1(kHintControls[i]));
    }
    return c;
}

}  // namespace texts
