#include "platform/shell/ShellOpener.h"
#include "platform/shell/XdgOpener.h"
#include "tests/support/RecordingOpener.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

using platform::shell::XdgOpener;

namespace {

// Writes a program that records its argument count and arguments, one per line.
QString WriteRecorder(const test::TempDir& dir, const QString& outFile) {
    const QString script = dir.FilePath(QStringLiteral("recorder.sh"));
    QFile file(script);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + QFile::encodeName(outFile) + ".part\"\nmv \"" +
               QFile::encodeName(outFile) + ".part\" \"" + QFile::encodeName(outFile) + "\"\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return script;
}

QStringList WaitForLines(const QString& path) {
    QDeadlineTimer deadline(5000);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(ShellOpener, ReplacedOpenerSeesRequestsAndResetRestoresDesktop) {
    {
        test::OpenerScope scope;
        EXPECT_TRUE(platform::shell::CurrentOpener()->Open(QStringLiteral("https://example.org")));
        EXPECT_EQ(scope.opener->opened, QStringList{QStringLiteral("https://example.org")});
    }
    EXPECT_NE(dynamic_cast<XdgOpener*>(platform::shell::CurrentOpener().get()), nullptr);
}

TEST(XdgOpener, PassesTheTargetAsOneArgumentNoShellInterprets) {
    test::TempDir dir;
    const QString out = dir.FilePath(QStringLiteral("args.txt"));
    const QString marker = dir.FilePath(QStringLiteral("injected"));
    XdgOpener opener(WriteRecorder(dir, out));

    const QString target = QStringLiteral("/tmp/교회 보고서 $(touch ") + marker + QStringLiteral(");`id` 'a'\"b\".pdf");
    ASSERT_TRUE(opener.Open(target));
    EXPECT_EQ(WaitForLines(out), (QStringList{QStringLiteral("1"), target}));
    EXPECT_FALSE(QFile::exists(marker));
}

TEST(XdgOpener, FailsWhenNothingStartsAndNeverTakesATargetForAnOption) {
    XdgOpener opener(QStringLiteral("/nonexistent/opener"));
    EXPECT_FALSE(opener.Open(QString()));
    EXPECT_FALSE(opener.Open(QStringLiteral("/tmp/x.pdf"))); // the program cannot start

    const QStringList args = XdgOpener::Arguments(QStringLiteral("--help"));
    ASSERT_EQ(args.size(), 1);
    EXPECT_EQ(args.first(), QDir::current().absoluteFilePath(QStringLiteral("--help")));
    EXPECT_EQ(XdgOpener::Arguments(QStringLiteral("mailto:a@b.org")), QStringList{QStringLiteral("mailto:a@b.org")});
}

// Only the opener's own end tells that a target was not shown: a start that fails or an exit status
// other than 0, whatever program it then chose or found.
TEST(XdgOpener, OpenWatchedTellsOnlyAnOpenerThatFails) {
    test::TempDir dir;
    const QString out = dir.FilePath(QStringLiteral("args.txt"));
    const QString target = QStringLiteral("/tmp/도움말/Ambrel.ko.html");
    QStringList failed;
    for (const QString& program :
         {WriteRecorder(dir, out), QStringLiteral("false"), dir.FilePath(QStringLiteral("none"))})
        XdgOpener(program).OpenWatched(target, [&failed, program] { failed << program; });
    EXPECT_EQ(WaitForLines(out), (QStringList{QStringLiteral("1"), target}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return failed.size() >= 2; }, 10000));
    failed.sort();
    EXPECT_EQ(failed, (QStringList{dir.FilePath(QStringLiteral("none")), QStringLiteral("false")}));
}
