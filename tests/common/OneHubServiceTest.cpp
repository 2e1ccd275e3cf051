#include "tests/support/SourceScan.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using test::SourcesMatching;

// A window gets the hub's database manager, loader and printer from its base, which throws the one
// error a missing service gives; no window keeps a getter or an inline check of its own.
TEST(OneHubService, OnlyTheWindowBaseGetsAHubServiceOrThrows) {
    const std::map<QString, QStringList> expected = {
        // The error of a missing object: the hub itself, and every service through RequiredService.
        {QStringLiteral("ObjectNotSet"),
         {QStringLiteral("windows/base/FormBase.cpp"), QStringLiteral("windows/base/WindowSupport.cpp")}},
        // The hub's service getters. The save failure only reads the manager's last cause, with or
        // without one; the loader's own flow is not a window and asks RequiredService.
        {QStringLiteral("->(DatabaseManager|WindowLoader|ReportPrinter)\\(\\)"),
         {QStringLiteral("windows/FamilyGroupEntry.cpp"), QStringLiteral("windows/base/FormBase.cpp"),
          QStringLiteral("windows/base/SaveFailure.cpp")}},
        // A getter of a service of a window's own: a function or member named after the manager,
        // loader or printer, returning one.
        {QStringLiteral("(IDatabaseManagerPtr|IWindowLoaderPtr|IReportPrinterPtr)\\s+(\\w+::)?\\w*"
                        "(Database|Loader|Printer)\\w*\\([^)]*\\)\\s*(const\\s*)?[{;]"),
         {QStringLiteral("windows/base/FormBase.cpp"), QStringLiteral("windows/base/FormBase.h")}},
    };
    for (const auto& [pattern, files] : expected)
        EXPECT_EQ(SourcesMatching(QRegularExpression(pattern), {"windows"}).join(u' ').toStdString(),
                  files.join(u' ').toStdString())
            << pattern.toStdString();
}

} // namespace
