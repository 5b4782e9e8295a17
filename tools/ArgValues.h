#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <span>

// Reading option values and file selections of the tool's command lines. Parsers return
// kToolOk, or kUsageError with *error saying what is wrong.
namespace tools {

// An option that takes a value. The help texts are the tool's own, so it has no description.
struct ValueOption {
    const char* name;
    const char* valueName;
};

// Parses `args` (without the program name) with `values` and --help and -h added. False with
// *error set when an option is unknown or lacks its value, unless help was asked for.
bool parseWith(QCommandLineParser& parser, const QStringList& args, bool* help, QString* error,
               std::span<const ValueOption> values = {});

// Sets *error to `message` and returns kUsageError.
int usage(const QString& message, QString* error);

// Decimal digits only (no sign, no spaces), within [low, high]; an overflow is out of range.
bool parseNumber(const QString& text, int low, int high, int* value);

// A background colour code, 0 .. 63.
bool parseCode(const QString& text, int* code);

// burkes, jjn, ordered or none (any case) as the dithering the window uses for that choice.
bool parseDither(const QString& text, int* dither);

// WxH (x in any case), each side 1 .. files::kMaxPanelSide.
bool parseSize(const QString& text, int* width, int* height);

// A file name, possibly followed by '@' and `count` numbers (1 or 2, the second after a
// dash), each 1 or more, in ascending order.
struct FileSelection {
    QString file;
    QList<int> numbers;  // empty when the name carries none
};

// Splits `text` at its last '@' when what follows has the selection's form; otherwise the whole
// text is the file name, since names may hold '@'. Text of another form after the name of an
// existing file, while the whole text names no file, is a bad selection, as are numbers out of
// range or order.
int parseFileSelection(const QString& text, int count, FileSelection* selection, QString* error);

}  // namespace tools
