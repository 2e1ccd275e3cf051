#include "tests/application/HubFixture.h"

#include "application/StringTableFile.h"
#include "common/ResourceIDs.h"

#include <QFileInfo>

namespace {

class ApplicationManager : public test::HubFixture {};

// The text of `id` in a string table file, read the simple way for comparison.
QString TextInFile(const QString& path, int id) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(QByteArray(QByteArray::number(id) + '\t')))
            return QString::fromUtf8(line.mid(line.indexOf('\t') + 1));
    }
    return {};
}

} // namespace

TEST_F(ApplicationManager, OpensAnInstallationWithEverySettingFolderAndKoreanTexts) {
    Install(
        {"--language",    "1042",  "--company",     "은혜 교회", "--city",           "서울", "--state",       "NY",
         "--country",     "Korea", "--date-format", "yyyy-M-d",  "--address-format", "0",    "--name-locale", "1033",
         "--auto-backup", "on",    "--log",         "on",        "--trace",          "on"});
    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);

    EXPECT_EQ(hub->AppDir(), AppPath());
    EXPECT_EQ(hub->BackUpDir(), AppPath("BackUp"));
    EXPECT_EQ(hub->ReportDir(), AppPath("1042/Report"));
    EXPECT_TRUE(QFileInfo(hub->BackUpDir()).isDir() && QFileInfo(hub->ReportDir()).isDir());
    EXPECT_EQ(hub->CompanyName(), "은혜 교회");
    EXPECT_EQ(hub->City(), "서울");
    EXPECT_EQ(hub->State(), "NY");
    EXPECT_EQ(hub->Country(), "Korea");
    EXPECT_EQ(hub->GUILocaleID(), amb::EnumSupportedLocaleID::Korean);
    EXPECT_EQ(hub->NameLocaleID(), amb::EnumSupportedLocaleID::English);
    EXPECT_EQ(hub->DefaultAddressFormat(), amb::EnumAddressFormat::UnknownFormat);
    EXPECT_TRUE(hub->AutoBackUp());
    EXPECT_EQ(hub->DateFormat(), "yyyy-M-d");
    EXPECT_EQ(hub->CurrentUserID(), 0);

    const auto table = hub->StringTable();
    ASSERT_TRUE(table);
    ASSERT_EQ(table->Count(), amb::res::kLastId);
    EXPECT_EQ(table->Keys().first(), "1");
    EXPECT_EQ(table->Item("280").ToString(), "1042");
    EXPECT_EQ(table->Item("1").ToString(), TextInFile(AppPath("1042/AmbResources.tsv"), 1));
    EXPECT_NE(table->Item("1").ToString(), TextInFile(AppPath("1033/AmbResources.tsv"), 1));

    // The writer was opened in the application folder with both switches on.
    const auto writer = hub->OrvApplication()->LogTraceWriter();
    EXPECT_TRUE(writer->LogOn() && writer->TraceOn());
    EXPECT_EQ(writer->WriteTrace("교회"), 2);
    writer->CloseLogTrace();
    EXPECT_TRUE(QFileInfo::exists(AppPath("Log.txt")) && QFileInfo::exists(AppPath("Trace.txt")));
}

TEST_F(ApplicationManager, UsesEnglishTextsWhenTheLanguageHasNoStringTable) {
    Install({"--language", "1042", "--log", "off", "--trace", "off", "--auto-backup", "off"});
    ASSERT_TRUE(QFile::remove(AppPath("1042/AmbResources.tsv")));
    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);
    EXPECT_EQ(hub->GUILocaleID(), amb::EnumSupportedLocaleID::Korean);
    EXPECT_EQ(hub->ReportDir(), AppPath("1033/Report"));
    EXPECT_EQ(hub->StringTable()->Item("1").ToString(), TextInFile(AppPath("1033/AmbResources.tsv"), 1));
    EXPECT_FALSE(hub->AutoBackUp());
    EXPECT_EQ(hub->OrvApplication()->LogTraceWriter()->WriteLog("x"), -1);

    // No table at all, and missing or odd settings: every id, each empty, and the defaults.
    RemoveSettings();
    ASSERT_TRUE(QFile::remove(AppPath("1033/AmbResources.tsv")));
    SetSetting("AppDir", AppPath());
    SetSetting("DateFormat", QString());
    SetSetting("AutoBackUp", 7u);
    const auto bare = CreateHub();
    ASSERT_EQ(bare->OpenApplication(), 1);
    EXPECT_EQ(bare->DateFormat(), "m/d/yyyy");
    EXPECT_EQ(static_cast<int32_t>(bare->GUILocaleID()), 0);
    EXPECT_TRUE(bare->AutoBackUp());
    EXPECT_EQ(bare->ReportDir(), AppPath("1033/Report"));
    EXPECT_EQ(bare->StringTable()->Count(), amb::res::kLastId);
    EXPECT_TRUE(bare->StringTable()->Item("1").ToString().isEmpty());
}

TEST_F(ApplicationManager, WithoutAnInstalledApplicationFolderItDoesNotOpen) {
    Install(); // the classes are registered, then the settings go
    RemoveSettings();
    const QString startFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.Path()));
    {
        const auto hub = CreateHub(); // no settings key at all
        EXPECT_EQ(hub->OpenApplication(), -1);
        EXPECT_FALSE(hub->StringTable());
    }
    SetSetting("CompanyName", QString("x")); // a key, but no AppDir
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    ASSERT_TRUE(QDir().mkpath(m_dir.FilePath("relative")));
    SetSetting("AppDir", QString("relative"));
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    SetSetting("AppDir", AppPath("gone"));
    SetSetting("LogOn", 1u);
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    EXPECT_FALSE(QFileInfo::exists(AppPath("gone")));
    EXPECT_FALSE(QFileInfo::exists(m_dir.FilePath("Log.txt"))); // nothing in the current folder
    QDir::setCurrent(startFolder);

    const auto lonely = platform::com::CreateObjectAs<amb::IApplication>(QStringLiteral("AmbApplication.Manager"));
    EXPECT_EQ(lonely->OpenApplication(), -1); // no generic application object
}

TEST_F(ApplicationManager, CloseApplicationDropsTheTableAndEveryReference) {
    Install();
    EXPECT_EQ(CreateHub()->CloseApplication(), 0); // before opening, too
    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);
    const std::weak_ptr<orv::IApplication> generic = hub->OrvApplication();
    const auto table = hub->StringTable();
    EXPECT_EQ(hub->CloseApplication(), 0);
    EXPECT_FALSE(hub->StringTable());
    EXPECT_TRUE(generic.expired());
    EXPECT_EQ(table->Count(), 0); // emptied for any reader still holding it
}
