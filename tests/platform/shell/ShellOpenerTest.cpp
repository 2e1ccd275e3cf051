#include "platform/shell/ShellOpener.h"
#include "platform/shell/XdgOpener.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/RecordingOpener.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <memory>

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

TEST(XdgOpener, OpenWatchedTellsAHelpThatNoProgramShowsAndNothingElse) {
    const struct {
        const char* what;
        test::FakeDesktop::Programs programs;
        bool opened; // xdg-open was started
        bool failed;
    } cases[] = {
        {.what = "a browser for HTML",
         .programs = {.mimeAnswer = "firefox-esr.desktop", .openerExit = 0},
         .opened = true,
         .failed = false},
        {.what = "no program for HTML, as the desktop's own xdg-mime tells",
         .programs = {.mimeAnswer = nullptr, .openerExit = 0},
         .opened = false,
         .failed = true},
        {.what = "an xdg-mime that answers nothing",
         .programs = {.mimeAnswer = "", .openerExit = 0},
         .opened = false,
         .failed = true},
        {.what = "an opener that ends with a failure",
         .programs = {.mimeAnswer = "firefox-esr.desktop", .openerExit = 4},
         .opened = true,
         .failed = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::FakeDesktop desktop(c.programs);
        const QString target = QStringLiteral("file:///tmp/도움말/Ambrel.html#ko");
        int failures = 0;
        // Every copy of the callback is gone once the opener has heard the last of its children.
        auto alive = std::make_shared<int>();
        const std::weak_ptr<int> watch = alive;
        XdgOpener().OpenWatched(target, QStringLiteral("text/html"), [&failures, alive = std::move(alive)] { ++failures; });
        QDeadlineTimer deadline(10000);
        while (!watch.expired() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        ASSERT_TRUE(watch.expired()) << "the opener never ended";
        EXPECT_EQ(failures, c.failed ? 1 : 0);
        EXPECT_EQ(QFile::exists(desktop.Opened()), c.opened);
        if (c.opened) {
            EXPECT_EQ(desktop.WaitForOpened(), QStringList{target});
        }
    }
}
