#pragma once

#include <QString>

namespace test {

// Fills a new database (made by CreateDatabase) with `count` persons: English names with
// apostrophes and Korean names, dates of birth from 1925 on (some unknown), marriages, the eight
// built-in contact rows each, families of three with their heads and groups with theirs.
void FillDatabase(const QString& path, int count);

} // namespace test
