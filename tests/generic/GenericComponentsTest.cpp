#include "tests/support/GenericComponents.h"
#include "platform/data/Dictionary.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

using orv::EnumRootKey;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// What the program does at start-up: register the built libraries with the tool, create the
// three components by class name, wire them, keep settings and write log and trace lines.
TEST(GenericComponents, RegisteredByTheToolCreatedByNameAndWired) {
    test::TempDir temp;
    const QString libs = test::BuiltLibraryDir();
    QProcess tool;
    tool.start(test::BuiltProgramDir() + QStringLiteral("/ambrel-register"),
               {"--registry", temp.RegistryDir(), libs + "/libOrvRegistry.so", libs + "/libOrvLogTrace.so",
                libs + "/libOrvApplication.so"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    const auto application = platform::com::CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
    application->SetLogTraceWriter(test::NewLogTraceWriter());
    application->SetRegistryManager(test::NewRegistryManager());

    // Settings written through the wired registry component.
    const QString church = QStringLiteral("서울 한인 교회 \"은혜\"");
    const QString longText = QString(600, QChar(u'가'));
    const orv::IRegistryManagerPtr settings = application->RegistryManager();
    ASSERT_EQ(settings->CreateKey(EnumRootKey::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel")),
              0);
    EXPECT_EQ(settings->SetStringValue(QStringLiteral("ChurchName"), church), 0);
    EXPECT_EQ(settings->SetStringValue(QStringLiteral("Long"), longText), 0);
    EXPECT_EQ(settings->SetIntegerValue(QStringLiteral("Minus"), -5), 0);
    EXPECT_EQ(settings->CloseKey(), 0);

    // Read back by another process that creates its own component by class name.
    QProcess probe;
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/RegistryProbe"),
                {"component", "software\\orv solutions\\ambrel", "churchname", "Long", "#Minus", "Missing"});
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()),
              QStringLiteral("churchname=%1\nLong=%2\nMinus=-5\nMissing=\n").arg(church, longText));

    // Log and trace lines through the wired writer.
    const orv::ILogTraceWriterPtr log = application->LogTraceWriter();
    ASSERT_EQ(log->OpenLogTrace(temp.Path(), true, true), 0);
    const QString line =
        QStringLiteral("!!! [2024-06-01 09:15:00] AmbDatabase.Manager.UpdatePerson() - [13] 형식이 일치하지 않습니다");
    EXPECT_EQ(log->WriteLog(line), line.size());
    const QString traceLine = QStringLiteral("    [2024-06-01 09:15:00] AmbRel.frmMain.Form_Load()");
    EXPECT_EQ(log->WriteTrace(traceLine), traceLine.size());
    EXPECT_EQ(log->CloseLogTrace(), 0);
    EXPECT_EQ(ReadFile(temp.FilePath("Log.txt")), line.toUtf8() + '\n');
    EXPECT_EQ(ReadFile(temp.FilePath("Trace.txt")), traceLine.toUtf8() + '\n');
}

TEST(GenericApplication, CreatesOnlyTheObjectsThatExistHere) {
    test::TempDir temp;
    test::RegisterGenericComponents();
    const auto application = platform::com::CreateObjectAs<orv::IApplication>(QStringLiteral("OrvApplication.Manager"));
    const auto first =
        std::dynamic_pointer_cast<platform::Dictionary>(application->CreateObject(orv::EnumObjectType::Dictionary));
    const auto second =
        std::dynamic_pointer_cast<platform::Dictionary>(application->CreateObject(orv::EnumObjectType::Dictionary));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->Count(), 0);
    for (const int32_t value : {0, 2, 3, -1})
        EXPECT_EQ(application->CreateObject(static_cast<orv::EnumObjectType>(value)), nullptr) << value;
}
