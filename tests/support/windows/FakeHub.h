#pragma once

#include "contracts/IApplication.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace test {

// A log writer that keeps its lines in memory.
class RecordingLogWriter : public orv::ILogTraceWriter {
public:
    bool LogOn() override { return m_logOn; }
    void SetLogOn(bool value) override { m_logOn = value; }
    bool TraceOn() override { return m_traceOn; }
    void SetTraceOn(bool value) override { m_traceOn = value; }
    QString LogTraceDir() override { return m_dir; }
    void SetLogTraceDir(const QString& value) override { m_dir = value; }
    int32_t OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) override;
    int32_t CloseLogTrace() override { return 0; }
    int32_t WriteLog(const QString& strLog) override;
    int32_t WriteTrace(const QString& strTrace) override;

    QStringList traceLines;
    QStringList logLines;

    // The trace lines that contain `text`.
    QStringList TraceLinesWith(const QString& text) const { return traceLines.filter(text); }

private:
    bool m_logOn = true;
    bool m_traceOn = true;
    QString m_dir;
};

// The generic application object: hands out the writer (the registry is not needed by windows).
class FakeGenericApplication : public orv::IApplication {
public:
    orv::ILogTraceWriterPtr LogTraceWriter() override { return m_writer; }
    void SetLogTraceWriter(const orv::ILogTraceWriterPtr& value) override { m_writer = value; }
    orv::IRegistryManagerPtr RegistryManager() override { return m_registry; }
    void SetRegistryManager(const orv::IRegistryManagerPtr& value) override { m_registry = value; }
    platform::ObjectPtr CreateObject(orv::EnumObjectType) override { return {}; }

private:
    orv::ILogTraceWriterPtr m_writer;
    orv::IRegistryManagerPtr m_registry;
};

// The string table of a language as the hub would load it: the built table
// (<build>/share/ambrel/<lcid>/AmbResources.tsv) when it exists, else "Text <id>" for every id.
// Every id from 1 to 340 is present.
platform::DictionaryPtr LoadStringTable(amb::EnumSupportedLocaleID lcid);

// The hub with plain settings, the string table of its interface language and the component
// references tests attach.
class FakeHub : public amb::IApplication {
public:
    explicit FakeHub(amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English);

    QString AppDir() override { return m_appDir; }
    QString ReportDir() override { return m_appDir + QStringLiteral("/1033/Report"); }
    QString BackUpDir() override { return m_appDir + QStringLiteral("/BackUp"); }
    QString CompanyName() override { return m_companyName; }
    void SetCompanyName(const QString& value) override { m_companyName = value; }
    QString City() override { return m_city; }
    void SetCity(const QString& value) override { m_city = value; }
    QString State() override { return m_state; }
    void SetState(const QString& value) override { m_state = value; }
    QString Country() override { return m_country; }
    void SetCountry(const QString& value) override { m_country = value; }
    int32_t CurrentUserID() override { return m_currentUserID; }
    void SetCurrentUserID(int32_t value) override { m_currentUserID = value; }
    amb::EnumSupportedLocaleID NameLocaleID() override { return m_nameLocaleID; }
    void SetNameLocaleID(amb::EnumSupportedLocaleID value) override { m_nameLocaleID = value; }
    amb::EnumSupportedLocaleID GUILocaleID() override { return m_guiLocaleID; }
    void SetGUILocaleID(amb::EnumSupportedLocaleID value) override { m_guiLocaleID = value; }
    amb::EnumAddressFormat DefaultAddressFormat() override { return m_addressFormat; }
    void SetDefaultAddressFormat(amb::EnumAddressFormat value) override { m_addressFormat = value; }
    bool AutoBackUp() override { return m_autoBackUp; }
    void SetAutoBackUp(bool value) override { m_autoBackUp = value; }
    QString DateFormat() override { return m_dateFormat; }
    void SetDateFormat(const QString& value) override { m_dateFormat = value; }

    orv::IApplicationPtr OrvApplication() override { return m_orvApplication; }
    void SetOrvApplication(const orv::IApplicationPtr& value) override { m_orvApplication = value; }
    amb::IDatabaseManagerPtr DatabaseManager() override { return m_databaseManager; }
    void SetDatabaseManager(const amb::IDatabaseManagerPtr& value) override { m_databaseManager = value; }
    amb::IWindowLoaderPtr WindowLoader() override { return m_windowLoader; }
    void SetWindowLoader(const amb::IWindowLoaderPtr& value) override { m_windowLoader = value; }
    amb::IReportPrinterPtr ReportPrinter() override { return m_reportPrinter; }
    void SetReportPrinter(const amb::IReportPrinterPtr& value) override { m_reportPrinter = value; }

    // Throws platform::Error while FailStringTable is set, to test a window's failure path.
    platform::DictionaryPtr StringTable() override;

    int32_t OpenApplication() override { return 1; }
    int32_t CloseApplication() override { return 0; }

    void SetAppDir(const QString& value) { m_appDir = value; }
    bool failStringTable = false;

private:
    QString m_appDir;
    QString m_companyName;
    QString m_city;
    QString m_state;
    QString m_country;
    int32_t m_currentUserID = 0;
    amb::EnumSupportedLocaleID m_nameLocaleID = amb::EnumSupportedLocaleID::English;
    amb::EnumSupportedLocaleID m_guiLocaleID;
    amb::EnumAddressFormat m_addressFormat = amb::EnumAddressFormat::USFormat;
    bool m_autoBackUp = false;
    QString m_dateFormat = QStringLiteral("m/d/yyyy");
    orv::IApplicationPtr m_orvApplication;
    amb::IDatabaseManagerPtr m_databaseManager;
    amb::IWindowLoaderPtr m_windowLoader;
    amb::IReportPrinterPtr m_reportPrinter;
    platform::DictionaryPtr m_stringTable;
};

} // namespace test
