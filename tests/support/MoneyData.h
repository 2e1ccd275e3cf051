#pragma once

#include <QString>

namespace test {

// Adds one family of ten members (the first ten persons, the first of them its head) and returns its id.
int AddFamilyOfTen(const QString& path);

// Adds `offerings` offerings and `expenses` expenses spread over the days of `year`, from the persons
// 1 to `persons` (some without a giver), of every type, with exact amounts.
void FillMoney(const QString& path, int year, int offerings, int expenses, int persons);

} // namespace test
