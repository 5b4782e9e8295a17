// Reads the JSON results of the benchmark programs and prints each figure beside its target.
// A benchmark names its target in its label: "<= 6 ms" (its real time), "<= 1.2x OTHER" (its
// real time against benchmark OTHER's) or "COUNTER <= 130" (one of its counters, against a
// number or another of its counters).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>
#include <map>
#include <optional>

namespace {

struct Result {
    QString name;
    QString label;
    double realTime = 0;  // in `unit`
    QString unit;
    QJsonObject fields;
};

double nanosecondsPer(const QString& unit) {
    if (unit == QLatin1String("us")) {
        return 1e3;
    }
    if (unit == QLatin1String("ms")) {
        return 1e6;
    }
    return unit == QLatin1String("s") ? 1e9 : 1.0;
}

double inUnit(const Result& r, const QString& unit) {
    return r.realTime * nanosecondsPer(r.unit) / nanosecondsPer(unit);
}

std::vector<Result> readResults(const QString& folder) {
    std::vector<Result> results;
    const QDir dir(folder);
    for (const QString& file : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile in(dir.filePath(file));
        if (!in.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QJsonArray benchmarks =
            QJsonDocument::fromJson(in.readAll()).object().value("benchmarks").toArray();
        for (const QJsonValue& value : benchmarks) {
            const QJsonObject b = value.toObject();
            if (b.value("run_type").toString() == QLatin1String("aggregate")) {
                continue;
            }
            results.push_back({b.value("name").toString(), b.value("label").toString(),
                               b.value("real_time").toDouble(), b.value("time_unit").toString(),
                               b});
        }
    }
    return results;
}

// Three significant digits up to 999, whole numbers above.
QString number(double v) {
    const int decimals = v < 10 ? 2 : v < 100 ? 1 : 0;
    return QString::number(v, 'f', decimals);
}

// The real time in the largest unit that keeps it at 1 or more.
QString readableTime(const Result& r) {
    const double ns = r.realTime * nanosecondsPer(r.unit);
    for (const char* unit : {"s", "ms", "us"}) {
        const double value = ns / nanosecondsPer(QString::fromLatin1(unit));
        if (value >= 1.0) {
            return number(value) + QLatin1Char(' ') + QString::fromLatin1(unit);
        }
    }
    return number(ns) + QStringLiteral(" ns");
}

// The figure and whether it meets the target, for one result.
std::pair<QString, QString> judge(const Result& r, const std::map<QString, const Result*>& byName) {
    static const QRegularExpression timeTarget(QStringLiteral("^<=\\s*([0-9.]+)\\s*(ns|us|ms|s)$"));
    static const QRegularExpression ratioTarget(QStringLiteral("^<=\\s*([0-9.]+)x\\s+(\\S+)$"));
    static const QRegularExpression counterTarget(QStringLiteral("^(\\S+)\\s*<=\\s*(\\S+)$"));
    const QString figure = readableTime(r);
    if (const auto m = timeTarget.match(r.label); m.hasMatch()) {
        const double value = inUnit(r, m.captured(2));
        const bool met = value <= m.captured(1).toDouble();
        return {number(value) + QLatin1Char(' ') + m.captured(2), met ? "met" : "MISSED"};
    }
    if (const auto m = ratioTarget.match(r.label); m.hasMatch()) {
        const auto other = byName.find(m.captured(2));
        if (other == byName.end()) {
            return {figure, "no " + m.captured(2)};
        }
        const double ratio = r.realTime * nanosecondsPer(r.unit) /
                             (other->second->realTime * nanosecondsPer(other->second->unit));
        return {figure + " = " + number(ratio) + "x",
                ratio <= m.captured(1).toDouble() ? "met" : "MISSED"};
    }
    if (const auto m = counterTarget.match(r.label); m.hasMatch()) {
        const double value = r.fields.value(m.captured(1)).toDouble();
        bool isNumber = false;
        double limit = m.captured(2).toDouble(&isNumber);
        if (!isNumber) {
            limit = r.fields.value(m.captured(2)).toDouble();
        }
        return {m.captured(1) + " " + number(value) + " (limit " + number(limit) + ")",
                value <= limit ? "met" : "MISSED"};
    }
    return {figure, "-"};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: bench_table RESULTS_FOLDER\n";
        return 2;
    }
    const std::vector<Result> results = readResults(args[1]);
    std::map<QString, const Result*> byName;
    for (const Result& r : results) {
        byName[r.name] = &r;
    }
    QTextStream out(stdout);
    out << "\n| benchmark | figure | target | |\n|---|---|---|---|\n";
    for (const Result& r : results) {
        const auto [figure, verdict] = judge(r, byName);
        out << "| " << r.name << " | " << figure << " | " << (r.label.isEmpty() ? "-" : r.label)
            << " | " << verdict << " |\n";
    }
    return 0;
}
