#include "platform/Profile.h"

#include <SimpleIni.h>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/SaveFile.h"

namespace platform {

// CSimpleIniA compares names without regard to ASCII case and keeps text as UTF-8 bytes.
struct Profile::Entries {
    CSimpleIniA ini;
};

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<int> parseWholeNumber(std::string_view digits) {
    while (!digits.empty() && isBlank(digits.front())) {
        digits.remove_prefix(1);
    }
    while (!digits.empty() && isBlank(digits.back())) {
        digits.remove_suffix(1);
    }
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    // One past INT_MAX so that INT_MIN is still accepted.
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The content of a regular file of at most Profile::kMaxFileSize bytes. A device or a pipe
// (also behind a link) is never opened: reading one could block or never end.
std::optional<QByteArray> readRegularFile(const QString& fileName) {
    if (!QFileInfo(fileName).isFile()) {
        return std::nullopt;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) {
        return std::nullopt;
    }
    // Read in parts: the size the file system gives may be out of date (or 0 for /proc).
    constexpr qint64 kPart = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= Profile::kMaxFileSize) {
        const QByteArray part = file.read(kPart);
        if (part.isEmpty()) {
            break;
        }
        bytes += part;
    }
    if (bytes.size() > Profile::kMaxFileSize || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

// Decodes with a fresh state; true when the bytes are valid in that encoding, to the end.
bool decodes(QStringDecoder& decoder, QByteArrayView bytes, QString* text = nullptr) {
    decoder.resetState();
    const QString decoded = decoder(bytes);
    if (text != nullptr) {
        *text = decoded;
    }
    return !decoder.hasError();
}

// The text as UTF-8. A file that starts with a UTF-16 or UTF-32 byte order mark is decoded by
// it. Valid UTF-8 is kept as it is; otherwise each line is kept when it is valid UTF-8, else
// decoded as Shift_JIS when it is valid Shift_JIS, else as Latin-1, which any bytes are. So a
// file edited by hand in another encoding keeps every character it has.
QByteArray asUtf8(const QByteArray& text) {
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(text);
    if (marked.has_value() && *marked != QStringConverter::Utf8) {
        QStringDecoder decoder(*marked);
        const QString decoded = decoder(text);
        return decoded.toUtf8();
    }
    constexpr auto kWhole = QStringConverter::Flag::Stateless;
    QStringDecoder utf8(QStringDecoder::Utf8, kWhole);
    if (decodes(utf8, text)) {
        return text;
    }
    QStringDecoder shiftJis("Shift_JIS", kWhole);
    QByteArray result;
    result.reserve(text.size() * 2);
    for (const QByteArray& line : text.split('\n')) {
        QString decoded;
        if (decodes(utf8, line)) {
            result += line;
        } else if (shiftJis.isValid() && decodes(shiftJis, line, &decoded)) {
            result += decoded.toUtf8();
        } else {
            result += QString::fromLatin1(line).toUtf8();
        }
        result += '\n';
    }
    result.chop(1);
    return result;
}

// Names that would read back differently, or turn into comments, headers or extra lines.
bool isStorableName(const QString& name, QChar forbidden) {
    if (name.isEmpty() || name.trimmed() != name) {
        return false;
    }
    const QChar first = name.front();
    if (first == u';' || first == u'#' || first == u'[') {
        return false;
    }
    return !name.contains(u'\r') && !name.contains(u'\n') && !name.contains(forbidden);
}

bool isQuoted(std::string_view text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

// Values are kept as the file has them. A line's value loses its outer blanks and one pair of
// quotes around it, so a value that has either is written between quotes.
QByteArray fileFormOf(const QString& value) {
    QString line = value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray text = line.toUtf8();
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    const bool needsQuotes =
        !view.empty() && (isBlank(view.front()) || isBlank(view.back()) || isQuoted(view));
    return needsQuotes ? '"' + text + '"' : text;
}

// The first value of the key without the quotes around it, or nothing.
std::optional<std::string_view> firstValue(const CSimpleIniA& ini, const QString& section,
                                           const QString& key) {
    const char* stored =
        ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    if (stored == nullptr) {
        return std::nullopt;
    }
    const std::string_view value(stored);
    return isQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

// The key as the section spells it, so that replacing its values keeps the file's spelling; the
// given name when the section does not have it. A copy: replacing frees the stored name.
std::string spelledKey(const CSimpleIniA& ini, const char* section, const char* key) {
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(section, keys);
    const CSimpleIniA::Entry wanted(key);
    const CSimpleIniA::Entry::KeyOrder less;
    for (const CSimpleIniA::Entry& stored : keys) {
        if (!less(stored, wanted) && !less(wanted, stored)) {
            return stored.pItem;
        }
    }
    return key;
}

}  // namespace

Profile::Profile(QString fileName)
    : fileName_(std::move(fileName)), entries_(std::make_unique<Entries>()) {
    entries_->ini.SetUnicode(true);
    // Every value of a repeated key is kept, so a save loses none; reading takes the first.
    entries_->ini.SetMultiKey(true);
    entries_->ini.SetMultiLine(false);
    // Quotes are handled here, so that what a value has written reads back the same.
    entries_->ini.SetQuotes(false);
    entries_->ini.SetSpaces(false);
    const std::optional<QByteArray> bytes = readRegularFile(fileName_);
    if (!bytes.has_value()) {
        return;
    }
    const QByteArray text = asUtf8(*bytes);
    if (entries_->ini.LoadData(text.constData(), static_cast<size_t>(text.size())) < 0) {
        entries_->ini.Reset();
    }
}

Profile::~Profile() = default;

QString Profile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const std::optional<std::string_view> value = firstValue(entries_->ini, section, key);
    return value.has_value()
               ? QString::fromUtf8(value->data(), static_cast<qsizetype>(value->size()))
               : defaultValue;
}

int Profile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const std::optional<std::string_view> value = firstValue(entries_->ini, section, key);
    if (!value.has_value()) {
        return defaultValue;
    }
    return parseWholeNumber(*value).value_or(defaultValue);
}

bool Profile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    const std::optional<std::string_view> value = firstValue(entries_->ini, section, key);
    if (!value.has_value()) {
        return defaultValue;
    }
    const std::optional<int> number = parseWholeNumber(*value);
    return number.has_value() ? *number != 0 : defaultValue;
}

void Profile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!isStorableName(section, u']') || !isStorableName(key, u'=')) {
        return;
    }
    const QByteArray sectionName = section.toUtf8();
    const std::string keyName =
        spelledKey(entries_->ini, sectionName.constData(), key.toUtf8().constData());
    constexpr bool kReplaceEveryValue = true;
    entries_->ini.SetValue(sectionName.constData(), keyName.c_str(), fileFormOf(value).constData(),
                           nullptr, kReplaceEveryValue);
}

void Profile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void Profile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Profile::hasKey(const QString& section, const QString& key) const {
    return firstValue(entries_->ini, section, key).has_value();
}

int Profile::save() const {
    return saveAs(fileName_);
}

int Profile::saveAs(const QString& fileName) const {
    std::string text;
    if (entries_->ini.Save(text, false) < 0) {
        return kProfileEncodeFailed;
    }
    const int status =
        writeFileSafely(fileName, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    if (status == kSaveOpenFailed) {
        return kProfileOpenFailed;
    }
    return status == kSaveOk ? kProfileOk : kProfileWriteFailed;
}

}  // namespace platform
