#include "tools/ArgValues.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "files/PanelRecord.h"
#include "imaging/Dither.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

constexpr int kMaxCode = 63;

// The form of what follows the '@': one number, or two joined by a dash.
QRegularExpression selectionForm(int count) {
    return QRegularExpression(count == 1 ? QStringLiteral("^(\\d+)$")
                                         : QStringLiteral("^(\\d+)-(\\d+)$"));
}

QString selectionName(int count) {
    return count == 1 ? QStringLiteral("frame number") : QStringLiteral("page range");
}

int parseSelectionNumbers(const QRegularExpressionMatch& match, int count, const QString& text,
                          QList<int>* numbers, QString* error) {
    for (int i = 1; i <= count; ++i) {
        int value = 0;
        if (!parseNumber(match.captured(i), 1, std::numeric_limits<int>::max(), &value)) {
            return usage(QStringLiteral("bad %1 in '%2'").arg(selectionName(count), text), error);
        }
        numbers->append(value);
    }
    if (count == 2 && numbers->at(0) > numbers->at(1)) {
        return usage(QStringLiteral("bad page range in '%1': %2 is after %3")
                         .arg(text)
                         .arg(numbers->at(0))
                         .arg(numbers->at(1)),
                     error);
    }
    return kToolOk;
}

}  // namespace

bool parseWith(QCommandLineParser& parser, const QStringList& args, bool* help, QString* error,
               std::span<const ValueOption> values) {
    for (const ValueOption& option : values) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString(),
                                            QString::fromLatin1(option.valueName)));
    }
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(helpOption);
    const bool parsed = parser.parse(QStringList{QStringLiteral("pixmora-tool")} + args);
    *help = parser.isSet(helpOption);
    if (!parsed && !*help) {
        *error = parser.errorText();
        return false;
    }
    return true;
}

int usage(const QString& message, QString* error) {
    *error = message;
    return kUsageError;
}

bool parseNumber(const QString& text, int low, int high, int* value) {
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool ok = false;
    const int v = digits ? text.toInt(&ok, 10) : 0;
    if (!ok || v < low || v > high) {
        return false;
    }
    *value = v;
    return true;
}

bool parseCode(const QString& text, int* code) {
    return parseNumber(text, 0, kMaxCode, code);
}

bool parseDither(const QString& text, int* dither) {
    const QString name = text.toLower();
    if (name == QStringLiteral("burkes")) {
        *dither = imaging::kDitherBurkes;
    } else if (name == QStringLiteral("jjn")) {
        *dither = imaging::kDitherJarvis;
    } else if (name == QStringLiteral("ordered")) {
        *dither = imaging::kDitherOrdered;
    } else if (name == QStringLiteral("none")) {
        *dither = imaging::kDitherNone;
    } else {
        return false;
    }
    return true;
}

bool parseSize(const QString& text, int* width, int* height) {
    const QStringList parts = text.toLower().split(QLatin1Char('x'));
    return parts.size() == 2 && parseNumber(parts[0], 1, files::kMaxPanelSide, width) &&
           parseNumber(parts[1], 1, files::kMaxPanelSide, height);
}

int parseFileSelection(const QString& text, int count, FileSelection* selection, QString* error) {
    selection->file = text;
    selection->numbers.clear();
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    if (at < 0) {
        return kToolOk;
    }
    const QString name = text.left(at);
    const QString suffix = text.mid(at + 1);
    const QRegularExpressionMatch match = selectionForm(count).match(suffix);
    if (match.hasMatch()) {
        selection->file = name;
        return parseSelectionNumbers(match, count, text, &selection->numbers, error);
    }
    if (QFileInfo(name).isFile() && !QFileInfo::exists(text)) {
        return usage(QStringLiteral("bad %1 in '%2'").arg(selectionName(count), text), error);
    }
    return kToolOk;
}

}  // namespace tools
