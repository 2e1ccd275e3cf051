#pragma once

// Stand-ins for the components a test does not exercise: a log writer that keeps its lines, the
// generic application object, the hub with the built string table, and a window loader and a report
// printer that record their calls. FailingDatabaseManager.h has the database manager.

#include "contracts/IApplication.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace test {

// Keeps its lines in memory and honours its two switches.
class RecordingLogWriter : public orv::ILogTraceWriter {
public:
    bool LogOn() override { return logOn; }
    void SetLogOn(bool value) override { logOn = value; }
    bool TraceOn() override { return traceOn; }
    void SetTraceOn(bool value) override { traceOn = value; }
    QString LogTraceDir() override { return m_dir; }
    void SetLogTraceDir(const QString& value) override { m_dir = value; }
    int32_t OpenLogTrace(const QString& strLogTraceDir, bool bIsLogOn, bool bIsTraceOn) override;
    int32_t CloseLogTrace() override { return 0; }
    int32_t WriteLog(const QString& strLog) override { return Write(logOn, logLines, strLog); }
    int32_t WriteTrace(const QString& strTrace) override { return Write(traceOn, traceLines, strTrace); }

    QStringList TraceLinesWith(const QString& text) const { return traceLines.filter(text); }

    bool logOn = true;
    bool traceOn = true;
    bool failWrites = false; // every write throws, as a full disk would
    QStringList traceLines;
    QStringList logLines;
    QStringList allLines; // the lines of both files in the order they were written

private:
    int32_t Write(bool on, QStringList& lines, const QString& line);
    QString m_dir;
};

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

// The built string table of a language (<build>/share/ambrel/<lcid>/AmbResources.tsv) as the hub
// loads it: every id from 1 to 340, empty where the file has no text.
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

    // Throws platform::Error while failStringTable is set, for a window's failure path.
    platform::DictionaryPtr StringTable() override;
    int32_t OpenApplication() override { return 1; }
    int32_t CloseApplication() override { return 0; }

    void SetAppDir(const QString& value) { m_appDir = value; }
    void SetStringTable(const platform::DictionaryPtr& value) { m_stringTable = value; }
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

// A hub whose generic application object hands out `writer`, as the main program wires them.
std::shared_ptr<FakeHub> HubWithWriter(const orv::ILogTraceWriterPtr& writer,
                                       amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English);

// Records every call, e.g. "ShowPersonWindow(5,0,0)", and answers -1 unless told otherwise.
class FakeWindowLoader : public amb::IWindowLoader {
public:
    amb::IApplicationPtr AmbApplication() override { return m_hub; }
    void SetAmbApplication(const amb::IApplicationPtr& value) override { m_hub = value; }
    int32_t ShowBatchOfferingWindow() override { return Call(QStringLiteral("ShowBatchOfferingWindow()")); }
    int32_t ShowBatchExpenseWindow() override { return Call(QStringLiteral("ShowBatchExpenseWindow()")); }
    int32_t ShowOfferingWindow(int32_t n, amb::EnumOfferingWindowType) override {
        return Call(QStringLiteral("ShowOfferingWindow(%1)").arg(n));
    }
    int32_t ShowExpenseWindow(int32_t n, amb::EnumOfferingWindowType) override {
        return Call(QStringLiteral("ShowExpenseWindow(%1)").arg(n));
    }
    int32_t ShowFamilyWindow(int32_t n) override { return Call(QStringLiteral("ShowFamilyWindow(%1)").arg(n)); }
    int32_t ShowGroupWindow(int32_t n) override { return Call(QStringLiteral("ShowGroupWindow(%1)").arg(n)); }
    int32_t ShowOptionWindow() override { return Call(QStringLiteral("ShowOptionWindow()")); }
    int32_t ShowPersonWindow(int32_t n, amb::EnumFamilyGroup enParentForm, int32_t nFamilyGroupID) override {
        return Call(QStringLiteral("ShowPersonWindow(%1,%2,%3)")
                        .arg(n)
                        .arg(static_cast<int32_t>(enParentForm))
                        .arg(nFamilyGroupID));
    }
    int32_t ShowReportWindow() override { return Call(QStringLiteral("ShowReportWindow()")); }
    int32_t ShowListWindow(amb::EnumWindowType en) override {
        return Call(QStringLiteral("ShowListWindow(%1)").arg(static_cast<int32_t>(en)));
    }
    int32_t ShowLogInWindow() override { return Call(QStringLiteral("ShowLogInWindow()")); }
    int32_t ShowChangePasswordWindow(const QString& sUsername, const QString&) override {
        return Call(QStringLiteral("ShowChangePasswordWindow(%1)").arg(sUsername));
    }
    int32_t ShowUserWindow(int32_t n) override { return Call(QStringLiteral("ShowUserWindow(%1)").arg(n)); }
    int32_t ShowNameWindow(amb::EnumWindowType, int32_t n) override {
        return Call(QStringLiteral("ShowNameWindow(%1)").arg(n));
    }
    int32_t ShowSearchWindow(amb::EnumSearchWindowType, int32_t n) override {
        return Call(QStringLiteral("ShowSearchWindow(%1)").arg(n));
    }

    QStringList calls;
    // The answer of each entry by its name ("ShowLogInWindow").
    QHash<QString, int32_t> results;

private:
    int32_t Call(const QString& call) {
        calls << call;
        return results.value(call.section(QLatin1Char('('), 0, 0), -1);
    }
    amb::IApplicationPtr m_hub;
};

// Records "<report name>:<ID>" per print and answers `result`.
class FakeReportPrinter : public amb::IReportPrinter {
public:
    amb::IApplicationPtr AmbApplication() override { return m_hub; }
    void SetAmbApplication(const amb::IApplicationPtr& value) override { m_hub = value; }
    QString ReportName() override { return m_reportName; }
    void SetReportName(const QString& value) override { m_reportName = value; }
    QString ExportFileName() override { return {}; }
    void SetExportFileName(const QString&) override {}
    amb::EnumReportExportType ExportFileType() override { return amb::EnumReportExportType::RichTextFormatFile; }
    void SetExportFileType(amb::EnumReportExportType) override {}
    bool PrintToFile() override { return m_printToFile; }
    void SetPrintToFile(bool value) override { m_printToFile = value; }
    platform::ObjectPtr ReportViewer() override { return {}; }
    void SetReportViewer(const platform::ObjectPtr&) override {}
    void InitializeReportPrinter() override {}
    void Clear() override {
        m_reportName.clear();
        m_printToFile = false;
    }
    amb::EnumReportError PrintReport(const platform::DictionaryPtr& dict) override;

    QStringList printed;
    amb::EnumReportError result = amb::EnumReportError::Success;

private:
    amb::IApplicationPtr m_hub;
    QString m_reportName;
    bool m_printToFile = true;
};

} // namespace test
