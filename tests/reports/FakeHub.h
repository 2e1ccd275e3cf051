#pragma once

#include "contracts/IApplication.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "generic/OrvInterfaces/ILogTraceWriter.h"

#include <QStringList>

#include <memory>

namespace test {

// Keeps every line it is given, with both switches on.
class FakeLogTraceWriter final : public orv::ILogTraceWriter {
public:
    bool LogOn() override { return true; }
    void SetLogOn(bool) override {}
    bool TraceOn() override { return true; }
    void SetTraceOn(bool) override {}
    QString LogTraceDir() override { return {}; }
    void SetLogTraceDir(const QString&) override {}
    int32_t OpenLogTrace(const QString&, bool, bool) override { return 0; }
    int32_t CloseLogTrace() override { return 0; }
    int32_t WriteLog(const QString& strLog) override {
        m_log << strLog;
        return static_cast<int32_t>(strLog.size());
    }
    int32_t WriteTrace(const QString& strTrace) override {
        m_trace << strTrace;
        return static_cast<int32_t>(strTrace.size());
    }

    QStringList m_trace;
    QStringList m_log;
};

class FakeOrvApplication final : public orv::IApplication {
public:
    orv::ILogTraceWriterPtr LogTraceWriter() override { return m_writer; }
    void SetLogTraceWriter(const orv::ILogTraceWriterPtr& value) override { m_writer = value; }
    orv::IRegistryManagerPtr RegistryManager() override { return nullptr; }
    void SetRegistryManager(const orv::IRegistryManagerPtr&) override {}
    platform::ObjectPtr CreateObject(orv::EnumObjectType) override { return nullptr; }

    orv::ILogTraceWriterPtr m_writer;
};

// A hub that hands out its generic application object and keeps its component references.
class FakeHub final : public amb::IApplication {
public:
    QString AppDir() override { return {}; }
    QString ReportDir() override { return {}; }
    QString BackUpDir() override { return {}; }
    QString CompanyName() override { return {}; }
    void SetCompanyName(const QString&) override {}
    QString City() override { return {}; }
    void SetCity(const QString&) override {}
    QString State() override { return {}; }
    void SetState(const QString&) override {}
    QString Country() override { return {}; }
    void SetCountry(const QString&) override {}
    int32_t CurrentUserID() override { return 0; }
    void SetCurrentUserID(int32_t) override {}
    amb::EnumSupportedLocaleID NameLocaleID() override { return amb::EnumSupportedLocaleID::English; }
    void SetNameLocaleID(amb::EnumSupportedLocaleID) override {}
    amb::EnumSupportedLocaleID GUILocaleID() override { return amb::EnumSupportedLocaleID::English; }
    void SetGUILocaleID(amb::EnumSupportedLocaleID) override {}
    amb::EnumAddressFormat DefaultAddressFormat() override { return amb::EnumAddressFormat::USFormat; }
    void SetDefaultAddressFormat(amb::EnumAddressFormat) override {}
    bool AutoBackUp() override { return false; }
    void SetAutoBackUp(bool) override {}
    QString DateFormat() override { return QStringLiteral("m/d/yyyy"); }
    void SetDateFormat(const QString&) override {}
    orv::IApplicationPtr OrvApplication() override { return m_orvApplication; }
    void SetOrvApplication(const orv::IApplicationPtr& value) override { m_orvApplication = value; }
    amb::IDatabaseManagerPtr DatabaseManager() override { return m_databaseManager; }
    void SetDatabaseManager(const amb::IDatabaseManagerPtr& value) override { m_databaseManager = value; }
    amb::IWindowLoaderPtr WindowLoader() override { return m_windowLoader; }
    void SetWindowLoader(const amb::IWindowLoaderPtr& value) override { m_windowLoader = value; }
    amb::IReportPrinterPtr ReportPrinter() override { return m_reportPrinter; }
    void SetReportPrinter(const amb::IReportPrinterPtr& value) override { m_reportPrinter = value; }
    platform::DictionaryPtr StringTable() override { return nullptr; }
    int32_t OpenApplication() override { return 1; }
    int32_t CloseApplication() override { return 0; }

    // A hub whose generic application hands out the given writer.
    static std::shared_ptr<FakeHub> WithWriter(const orv::ILogTraceWriterPtr& writer) {
        auto orvApplication = std::make_shared<FakeOrvApplication>();
        orvApplication->SetLogTraceWriter(writer);
        auto hub = std::make_shared<FakeHub>();
        hub->SetOrvApplication(orvApplication);
        return hub;
    }

    orv::IApplicationPtr m_orvApplication;
    amb::IDatabaseManagerPtr m_databaseManager;
    amb::IWindowLoaderPtr m_windowLoader;
    amb::IReportPrinterPtr m_reportPrinter;
};

} // namespace test
