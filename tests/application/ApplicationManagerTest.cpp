#include "tests/application/HubFixture.h"

#include <QFileInfo>

namespace {

class ApplicationManager : public test::HubFixture {};

// The text of `id` in a string table file, read the simple way for comparison.
QString TextInFile(const QString& path, int id) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(QByteArray(QByteArray::number(id) + '\t')))
            return QString::fromUtf8(line.mid(line.indexOf('\t') + 1)).trimmed();
    }
    return {};
}

} // namespace

TEST_F(ApplicationManager, OpensAnInstallationWithEverySettingFolderAndKoreanTexts) {
    Install({QStringLiteral("--language"), QStringLiteral("1042"), QStringLiteral("--company"), QStringLiteral("은혜 교회"),
             QStringLiteral("--city"), QStringLiteral("서울"), QStringLiteral("--state"), QStringLiteral("NY"),
             QStringLiteral("--country"), QStringLiteral("Korea"), QStringLiteral("--date-format"), QStringLiteral("yyyy-M-d"),
             QStringLiteral("--address-format"), QStringLiteral("0"), QStringLiteral("--name-locale"), QStringLiteral("1033"),
             QStringLiteral("--auto-backup"), QStringLiteral("on"), QStringLiteral("--log"), QStringLiteral("on"),
             QStringLiteral("--trace"), QStringLiteral("on")});
    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);

    EXPECT_EQ(hub->AppDir(), AppPath());
    EXPECT_EQ(hub->BackUpDir(), AppPath(QStringLiteral("BackUp")));
    EXPECT_EQ(hub->ReportDir(), AppPath(QStringLiteral("1042/Report")));
    EXPECT_TRUE(QFileInfo(hub->BackUpDir()).isDir());
    EXPECT_TRUE(QFileInfo(hub->ReportDir()).isDir());
    EXPECT_EQ(hub->CompanyName(), QStringLiteral("은혜 교회"));
    EXPECT_EQ(hub->City(), QStringLiteral("서울"));
    EXPECT_EQ(hub->State(), QStringLiteral("NY"));
    EXPECT_EQ(hub->Country(), QStringLiteral("Korea"));
    EXPECT_EQ(hub->GUILocaleID(), amb::EnumSupportedLocaleID::Korean);
    EXPECT_EQ(hub->NameLocaleID(), amb::EnumSupportedLocaleID::English);
    EXPECT_EQ(hub->DefaultAddressFormat(), amb::EnumAddressFormat::UnknownFormat);
    EXPECT_TRUE(hub->AutoBackUp());
    EXPECT_EQ(hub->DateFormat(), QStringLiteral("yyyy-M-d"));
    EXPECT_EQ(hub->CurrentUserID(), 0);

    const auto table = hub->StringTable();
    ASSERT_TRUE(table);
    ASSERT_EQ(table->Count(), 340);
    EXPECT_EQ(table->Keys().first(), QStringLiteral("1"));
    EXPECT_EQ(table->Keys().last(), QStringLiteral("340"));
    EXPECT_EQ(table->Item(QStringLiteral("279")).ToString(), QStringLiteral("1033"));
    EXPECT_EQ(table->Item(QStringLiteral("280")).ToString(), QStringLiteral("1042"));
    const QString ok = table->Item(QStringLiteral("1")).ToString();
    EXPECT_EQ(ok, TextInFile(AppPath(QStringLiteral("1042/AmbResources.tsv")), 1));
    EXPECT_NE(ok, TextInFile(AppPath(QStringLiteral("1033/AmbResources.tsv")), 1));

    // The writer was opened in the application directory with both switches on.
    const auto writer = hub->OrvApplication()->LogTraceWriter();
    EXPECT_TRUE(writer->LogOn());
    EXPECT_TRUE(writer->TraceOn());
    EXPECT_EQ(writer->WriteTrace(QStringLiteral("교회")), 2);
    writer->CloseLogTrace();
    EXPECT_TRUE(QFileInfo::exists(AppPath(QStringLiteral("Log.txt"))));
    EXPECT_TRUE(QFileInfo::exists(AppPath(QStringLiteral("Trace.txt"))));
}

TEST_F(ApplicationManager, UsesEnglishTextsWhenTheLanguageHasNoStringTable) {
    Install({QStringLiteral("--language"), QStringLiteral("1042"), QStringLiteral("--log"), QStringLiteral("off"),
             QStringLiteral("--trace"), QStringLiteral("off"), QStringLiteral("--auto-backup"), QStringLiteral("off")});
    ASSERT_TRUE(QFile::remove(AppPath(QStringLiteral("1042/AmbResources.tsv"))));
    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);
    EXPECT_EQ(hub->GUILocaleID(), amb::EnumSupportedLocaleID::Korean);
    EXPECT_EQ(hub->ReportDir(), AppPath(QStringLiteral("1033/Report")));
    EXPECT_EQ(hub->StringTable()->Item(QStringLiteral("1")).ToString(),
              TextInFile(AppPath(QStringLiteral("1033/AmbResources.tsv")), 1));
    EXPECT_FALSE(hub->AutoBackUp());
    EXPECT_FALSE(hub->OrvApplication()->LogTraceWriter()->LogOn());
    EXPECT_EQ(hub->OrvApplication()->LogTraceWriter()->WriteLog(QStringLiteral("x")), -1);
}

TEST_F(ApplicationManager, MissingOrOddValuesReadAsEmptyAndDefaults) {
    Install();
    RemoveSettings();
    ASSERT_TRUE(QFile::remove(AppPath(QStringLiteral("1033/AmbResources.tsv"))));
    SetSetting(QStringLiteral("AppDir"), AppPath());
    SetSetting(QStringLiteral("DateFormat"), QString());
    SetSetting(QStringLiteral("AutoBackUp"), 7u);
    const auto hub = CreateHub();
    ASSERT_EQ(hub->OpenApplication(), 1);
    EXPECT_EQ(hub->DateFormat(), QStringLiteral("m/d/yyyy"));
    EXPECT_EQ(static_cast<int32_t>(hub->GUILocaleID()), 0);
    EXPECT_EQ(static_cast<int32_t>(hub->NameLocaleID()), 0);
    EXPECT_EQ(hub->DefaultAddressFormat(), amb::EnumAddressFormat::UnknownFormat);
    EXPECT_TRUE(hub->AutoBackUp());
    EXPECT_TRUE(hub->CompanyName().isEmpty());
    EXPECT_EQ(hub->ReportDir(), AppPath(QStringLiteral("1033/Report")));
    ASSERT_TRUE(hub->StringTable());
    EXPECT_EQ(hub->StringTable()->Count(), 340); // no file at all: every id, each empty
    EXPECT_TRUE(hub->StringTable()->Item(QStringLiteral("1")).ToString().isEmpty());
}

TEST_F(ApplicationManager, WithoutAnInstalledApplicationDirectoryItDoesNotOpen) {
    Install(); // the classes are registered, then the settings go
    RemoveSettings();
    const QString startFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.Path()));
    {
        const auto hub = CreateHub(); // no settings key at all
        EXPECT_EQ(hub->OpenApplication(), -1);
        EXPECT_FALSE(hub->StringTable());
    }
    SetSetting(QStringLiteral("CompanyName"), QStringLiteral("x")); // key, but no AppDir
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    SetSetting(QStringLiteral("AppDir"), QString());
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    ASSERT_TRUE(QDir().mkpath(m_dir.FilePath(QStringLiteral("relative"))));
    SetSetting(QStringLiteral("AppDir"), QStringLiteral("relative"));
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    SetSetting(QStringLiteral("AppDir"), AppPath(QStringLiteral("gone")));
    SetSetting(QStringLiteral("LogOn"), 1u);
    EXPECT_EQ(CreateHub()->OpenApplication(), -1);
    EXPECT_FALSE(QFileInfo::exists(AppPath(QStringLiteral("gone"))));
    EXPECT_FALSE(QFileInfo::exists(m_dir.FilePath(QStringLiteral("Log.txt")))); // nothing in the current folder
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
    EXPECT_FALSE(hub->OrvApplication());
    EXPECT_TRUE(generic.expired());
    EXPECT_EQ(table->Count(), 0); // emptied for any reader still holding it
}
