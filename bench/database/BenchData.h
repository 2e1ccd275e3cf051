#pragma once

#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

// Fills a new database (made by CreateDatabase) with `count` persons: English names with
// apostrophes and Korean names, dates of birth from 1925 on (some unknown), marriages, the eight
// built-in contact rows each, families of three with their heads and groups with theirs.
void FillDatabase(const QString& path, int count);

// One line of the figures on standard output, at once.
inline void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace bench
