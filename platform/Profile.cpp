#include "platform/Profile.h"

#include <SimpleIni.h>

#include <QFile>
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

std::optional<int> parseWholeNumber(const char* text) {
    std::string_view digits(text);
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
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

// The text as UTF-8: unchanged when it already is valid UTF-8, else decoded as Shift_JIS.
QByteArray asUtf8(const QByteArray& text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(text);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder shiftJis("Shift_JIS");
    return shiftJis.isValid() ? QString(shiftJis(text)).toUtf8() : text;
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

QByteArray singleLine(const QString& value) {
    QString line = value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line.toUtf8();
}

}  // namespace

Profile::Profile(QString fileName, Encoding encoding)
    : fileName_(std::move(fileName)), entries_(std::make_unique<Entries>()) {
    entries_->ini.SetUnicode(true);
    entries_->ini.SetMultiKey(false);
    entries_->ini.SetMultiLine(false);
    entries_->ini.SetQuotes(true);
    entries_->ini.SetSpaces(false);
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QByteArray text = file.readAll();
    if (encoding == Encoding::kUtf8OrShiftJis) {
        text = asUtf8(text);
    }
    if (entries_->ini.LoadData(text.constData(), static_cast<size_t>(text.size())) < 0) {
        entries_->ini.Reset();
    }
}

Profile::~Profile() = default;

QString Profile::ReadString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const char* value =
        entries_->ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    return value != nullptr ? QString::fromUtf8(value) : defaultValue;
}

int Profile::ReadInteger(const QString& section, const QString& key, int defaultValue) const {
    const char* value =
        entries_->ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    if (value == nullptr) {
        return defaultValue;
    }
    return parseWholeNumber(value).value_or(defaultValue);
}

bool Profile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    const char* value =
        entries_->ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    if (value == nullptr) {
        return defaultValue;
    }
    const std::optional<int> number = parseWholeNumber(value);
    return number.has_value() ? *number != 0 : defaultValue;
}

void Profile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!isStorableName(section, u']') || !isStorableName(key, u'=')) {
        return;
    }
    entries_->ini.SetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                           singleLine(value).constData());
}

void Profile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void Profile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Profile::hasKey(const QString& section, const QString& key) const {
    return entries_->ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(),
                                  nullptr) != nullptr;
}

int Profile::save() const {
    std::string text;
    if (entries_->ini.Save(text, false) < 0) {
        return kProfileEncodeFailed;
    }
    const int status =
        writeFileSafely(fileName_, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    if (status == kSaveOpenFailed) {
        return kProfileOpenFailed;
    }
    return status == kSaveOk ? kProfileOk : kProfileWriteFailed;
}

}  // namespace platform
