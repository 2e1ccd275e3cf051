#pragma once

// What every benchmark program shares: its lines on standard output, flushed at once so that a
// runner reading the pipe sees each figure as it comes, the median of repeated timings, a figure's
// ratio to its floor, and the size of the congregation it works on.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

inline void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// A figure's ratio to its floor, as "1.23x".
inline QString Ratio(double measured, double floor) {
    return floor > 0 ? QStringLiteral("%1x").arg(measured / floor, 0, 'f', 2) : QStringLiteral("-");
}

// A timing beside its floor, as "12.3 ms (median), 1.05x the floor of 11.7 ms".
inline QString AgainstFloor(const std::vector<double>& ms, const std::vector<double>& floorMs, int floorDecimals = 1) {
    return QStringLiteral("%1 ms (median), %2 the floor of %3 ms")
        .arg(Median(ms), 0, 'f', 1)
        .arg(Ratio(Median(ms), Median(floorMs)))
        .arg(Median(floorMs), 0, 'f', floorDecimals);
}

// --persons N; its default is AMB_BENCH_PERSONS where that is set, else the bench's own.
inline QCommandLineOption PersonsOption(int fallback) {
    const int fromEnvironment = qEnvironmentVariableIntValue("AMB_BENCH_PERSONS");
    return {QStringLiteral("persons"),
            QStringLiteral("Persons in the database (default: AMB_BENCH_PERSONS, else %1).").arg(fallback),
            QStringLiteral("n"), QString::number(fromEnvironment > 0 ? fromEnvironment : fallback)};
}

inline int Persons(const QCommandLineParser& parser) {
    return std::max(1, parser.value(QStringLiteral("persons")).toInt());
}

} // namespace bench
