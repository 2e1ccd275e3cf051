#pragma once

// Stand-ins for the components a test does not exercise: a log writer that keeps its lines, the
// generic application object, the hub with the built string table, and a window loader and a report
// printer that record their calls. FailingDatabaseManager.h has the database manager.

#include "contracts/IApplication.h"
#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"
#include "platform/data/Dictionary.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

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
    // Called with each line as it is written, e.g. to act at a moment inside a command.
    std::function<void(const QString&)> onWrite;

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
// Settable properties of the contract: getter, setter and the value, passed by value or by reference.
// clang-format off
#define AMB_FAKE_VALUE(Type, Name, initial) \
    Type Name() override { return m_##Name; } void Set##Name(Type value) override { m_##Name = value; } \
    Type m_##Name = initial;
#define AMB_FAKE_REFERENCE(Type, Name) \
    Type Name() override { return m_##Name; } void Set##Name(const Type& value) override { m_##Name = value; } \
    Type m_##Name;
// clang-format on

class FakeHub : public amb::IApplication {
public:
    explicit FakeHub(amb::EnumSupportedLocaleID guiLocale = amb::EnumSupportedLocaleID::English);

    QString AppDir() override { return m_appDir; }
    QString ReportDir() override { return m_appDir + QStringLiteral("/1033/Report"); }
    QString BackUpDir() override { return m_appDir + QStringLiteral("/BackUp"); }
    // Throws platform::Error while failStringTable is set, for a window's failure path.
    platform::DictionaryPtr StringTable() override;
    int32_t OpenApplication() override { return 1; }
    int32_t CloseApplication() override { return 0; }
    void SetAppDir(const QString& value) { m_appDir = value; }
    void SetStringTable(const platform::DictionaryPtr& value) { m_stringTable = value; }
    bool failStringTable = false;

    AMB_FAKE_REFERENCE(QString, CompanyName)
    AMB_FAKE_REFERENCE(QString, City)
    AMB_FAKE_REFERENCE(QString, State)
    AMB_FAKE_REFERENCE(QString, Country)
    AMB_FAKE_REFERENCE(orv::IApplicationPtr, OrvApplication)
    AMB_FAKE_REFERENCE(amb::IDatabaseManagerPtr, DatabaseManager)
    AMB_FAKE_REFERENCE(amb::IWindowLoaderPtr, WindowLoader)
    AMB_FAKE_REFERENCE(amb::IReportPrinterPtr, ReportPrinter)
    AMB_FAKE_VALUE(int32_t, CurrentUserID, 0)
    AMB_FAKE_VALUE(bool, AutoBackUp, false)
    AMB_FAKE_VALUE(amb::EnumSupportedLocaleID, NameLocaleID, amb::EnumSupportedLocaleID::English)
    AMB_FAKE_VALUE(amb::EnumSupportedLocaleID, GUILocaleID, amb::EnumSupportedLocaleID::English)
    AMB_FAKE_VALUE(amb::EnumAddressFormat, DefaultAddressFormat, amb::EnumAddressFormat::USFormat)
    QString DateFormat() override { return m_DateFormat; }
    void SetDateFormat(const QString& value) override { m_DateFormat = value; }
    QString m_DateFormat = QStringLiteral("m/d/yyyy");

private:
    QString m_appDir;
    platform::DictionaryPtr m_stringTable;
};

#undef AMB_FAKE_VALUE
#undef AMB_FAKE_REFERENCE

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
    void SetReportName(const QString& value) override {
        m_reportName = value;
        calls << QStringLiteral("ReportName=") + value;
    }
    QString ExportFileName() override { return m_exportFileName; }
    void SetExportFileName(const QString& value) override {
        m_exportFileName = value;
        calls << QStringLiteral("ExportFileName=") + value;
    }
    amb::EnumReportExportType ExportFileType() override { return m_exportFileType; }
    void SetExportFileType(amb::EnumReportExportType value) override {
        m_exportFileType = value;
        calls << QStringLiteral("ExportFileType=%1").arg(static_cast<int>(value));
    }
    bool PrintToFile() override { return m_printToFile; }
    void SetPrintToFile(bool value) override {
        m_printToFile = value;
        calls << QStringLiteral("PrintToFile=%1").arg(value ? 1 : 0);
    }
    platform::ObjectPtr ReportViewer() override { return {}; }
    void SetReportViewer(const platform::ObjectPtr&) override {}
    void InitializeReportPrinter() override {}
    void Clear() override {
        m_reportName.clear();
        m_printToFile = false;
        m_exportFileName.clear();
        m_exportFileType = amb::EnumReportExportType::RichTextFormatFile;
        calls << QStringLiteral("Clear");
    }
    amb::EnumReportError PrintReport(const platform::DictionaryPtr& dict) override;
    amb::EnumReportFailure LastFailure() override { return failure; }

    QStringList printed;
    amb::EnumReportFailure failure = amb::EnumReportFailure::None;
    // Every property set, Clear and PrintReport in order ("ReportName=Balance Sheet", "PrintReport").
    QStringList calls;
    // A copy of each print's dictionary as it was handed over, keys in their order.
    std::vector<std::vector<std::pair<QString, platform::Variant>>> dictionaries;
    amb::EnumReportError result = amb::EnumReportError::Success;

private:
    amb::IApplicationPtr m_hub;
    QString m_reportName;
    bool m_printToFile = true;
    QString m_exportFileName;
    amb::EnumReportExportType m_exportFileType = amb::EnumReportExportType::RichTextFormatFile;
};

} // namespace test
