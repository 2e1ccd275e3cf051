#pragma once

// What every benchmark program shares: its lines on standard output, flushed at once so that a
// runner reading the pipe sees each figure as it comes, and the median of repeated timings.

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

} // namespace bench
