#include "texts/GetMes.h"

#include <algorithm>

#include "platform/Profile.h"

namespace texts {

namespace {

using platform::Profile;

QString key(int index) {
    return QString::number(index);
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
        entries[i] = p.ReadString(section, key(i), QString());
    }
}

QStringList readList(const Profile& p, const QString& section) {
    QStringList items;
    const int n = itemCount(p, section);
    for (int i = 0; i < n; ++i) {
        items.append(p.ReadString(section, key(i), QString()));
    }
    return items;
}

}  // namespace

QString catalogueFilePath(const QString& basePath) {
    return basePath + QStringLiteral(".MSG");
}

QString dialogLabelText(const QString& text) {
    if (text.size() <= kMaxDialogLabel) {
        return text;
    }
    const int cut =
        text.at(kMaxDialogLabel - 1).isHighSurrogate() ? kMaxDialogLabel - 1 : kMaxDialogLabel;
    return text.left(cut);
}

Catalogue readCatalogue(const QString& fileName) {
    const Profile p(fileName, Profile::Encoding::kUtf8OrShiftJis);
    const QString caption = QStringLiteral("Caption");
    Catalogue c;
    c.defaultFont = p.ReadString(QStringLiteral("Application"), QStringLiteral("DefaultFont"),
                                 QStringLiteral("FixedSys"));
    readSlots(p, QStringLiteral("Errors"), c.errorTexts);
    readSlots(p, QStringLiteral("Messages"), c.messageTexts);
    readSlots(p, QStringLiteral("File"), c.fileTexts);
    for (std::size_t i = 0; i < kListSections.size(); ++i) {
        c.lists[i] = readList(p, QString::fromLatin1(kListSections[i].section));
    }
    for (std::size_t i = 0; i < kCaptionControls.size(); ++i) {
        c.captions[i] = p.ReadString(caption, QString::fromLatin1(kCaptionControls[i]), QString());
    }
    c.dialogTitle = p.ReadString(caption, QStringLiteral("LEADDlg1"), QString());
    for (std::size_t i = 0; i < kDialogLabels.size(); ++i) {
        c.dialogLabels[i] = dialogLabelText(
            p.ReadString(caption, QString::fromLatin1(kDialogLabels[i].key), QString()));
    }
    c.endConfirmCaption = p.ReadString(caption, QStringLiteral("EndConfirm"), QString());
    c.endConfirmText =
        p.ReadString(QStringLiteral("DialogMessage"), QStringLiteral("EndConfirm"), QString());
    for (std::size_t i = 0; i < kHintControls.size(); ++i) {
        c.hints[i] =
            p.ReadString(QStringLiteral("Hint"), QString::fromLatin1(kHintControls[i]), QString());
    }
    return c;
}

}  // namespace texts
