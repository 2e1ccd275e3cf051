#include "tests/support/SourceScan.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using test::BlocksAfter;

const QRegularExpression kCatchAll(QStringLiteral(R"(catch\s*\(\s*\.\.\.\s*\))"));

// A block that catches everything writes the level-9 line of what it caught, or passes it on.
bool LogsOrRethrows(const QString& block) {
    static const QRegularExpression handled(QStringLiteral(
        R"(\bthrow\s*;|\bWriteFailureLine\s*\(|\bWrite(Trace|Log)Line\s*\([^;]*,\s*9\s*\)\s*;)"));
    return block.contains(handled);
}

// The scan itself: a swallowing block is found however its body is shaped.
TEST(NoSwallowedError, TheScanTellsASwallowingBlockFromOneThatLogsOrRethrows) {
    struct Case {
        const char* source;
        int swallowing;
    };
    const Case cases[] = {
        {.source = "try { f(); } catch (...) {}", .swallowing = 1},
        {.source = "try { f(); } catch(...){ // nothing to do\n }", .swallowing = 1},
        {.source = "try { f(); } catch ( ... ) { if (a) { b(); } return 0; }", .swallowing = 1},
        {.source = "try { f(); } catch (...) { Undo(); throw; }", .swallowing = 0},
        {.source = "try { f(); } catch (...) { WriteFailureLine(kObject, name); return -1; }", .swallowing = 0},
        {.source = "try { f(); } catch (...) { WriteTraceLine(o, p, d, 9); }", .swallowing = 0},
        {.source = "try { f(); } catch (...) { WriteLogLine(o, p, Text(x), 9); }", .swallowing = 0},
        // A trace line of another level is no failure line.
        {.source = "try { f(); } catch (...) { WriteTraceLine(o, p, d, 0); }", .swallowing = 1},
        // A rethrow in a nested block counts; one after the block does not.
        {.source = "try { f(); } catch (...) { if (x) { throw; } }", .swallowing = 0},
        {.source = "try { f(); } catch (...) { } throw;", .swallowing = 1},
        {.source = "try { f(); } catch (const std::exception&) { } catch (...) { throw; }", .swallowing = 0},
    };
    for (const Case& c : cases) {
        int swallowing = 0;
        for (const QString& block : BlocksAfter(QString::fromLatin1(c.source), kCatchAll))
            swallowing += LogsOrRethrows(block) ? 0 : 1;
        EXPECT_EQ(swallowing, c.swallowing) << c.source;
    }
}

// Where a catch-everything block writes no line of its own: each place is named here with its reason,
// so a new one fails this test instead of joining them quietly.
TEST(NoSwallowedError, EveryCatchAllWritesItsFailureLineOrRethrows) {
    const std::map<QString, int> expected = {
        // The log writer and the failure line themselves: a failing log has nowhere to write to.
        {QStringLiteral("common/TraceLine.cpp"), 1},
        {QStringLiteral("common/ErrorGuard.cpp"), 3},
        // The copy runs on its own thread; the failure becomes the report's text, which both callers
        // write as a level-9 line.
        {QStringLiteral("common/Backup.cpp"), 1},
        // Classifies the exception being handled for the last cause; the caller rethrows it.
        {QStringLiteral("database/ManagerCore.cpp"), 1},
        // The password library is shared with the setup tool, which has no log: a check that cannot
        // run is a refused password, a decoy that cannot be made an empty one.
        {QStringLiteral("database/PasswordHash.cpp"), 2},
        // The hub library has no log writer attached (it writes no lines); closing a key and emptying
        // the text table at the end have no failure to report.
        {QStringLiteral("application/Manager.cpp"), 2},
        // The platform stand-ins lie below the log writer: they report through the registry's status,
        // a component's failure value or the class factory's false.
        {QStringLiteral("platform/registry/Registry.cpp"), 2},
        {QStringLiteral("platform/com/Guard.h"), 1},
        {QStringLiteral("platform/com/Registration.cpp"), 2},
        {QStringLiteral("platform/com/ComponentServer.h"), 1},
        // A rollback in a destructor after SQLite has already rolled back (a full disk, an I/O error).
        {QStringLiteral("platform/data/SqliteConnection.cpp"), 1},
        // The setup tool writes the failed step to stderr.
        {QStringLiteral("tools/setup/Setup.cpp"), 1},
    };
    std::map<QString, int> found;
    for (const auto& [path, text] : test::SourceTexts())
        for (const QString& block : BlocksAfter(text, kCatchAll))
            if (!LogsOrRethrows(block))
                ++found[path];
    const auto list = [](const std::map<QString, int>& places) {
        QStringList lines;
        for (const auto& [path, count] : places)
            lines << path + u' ' + QString::number(count);
        return lines.join(u'\n').toStdString();
    };
    EXPECT_EQ(list(found), list(expected));
}

} // namespace
