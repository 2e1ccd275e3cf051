#pragma once

#include "contracts/IReportPrinter.h"
#include "platform/com/Factory.h"
#include "platform/reportengine/Report.h"
#include "platform/reportengine/ReportFile.h"
#include "tests/support/Components.h"
#include "tests/support/DatabaseTest.h"
#include "tests/support/PdfPrintService.h"

#include <QDir>
#include <QFile>

namespace test {

// The printer component as the main program creates it, over a real db.mdb, with the shipped
// definitions in the hub's report folder and every print job written as a PDF by the print seam.
class ReportPrinterTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        ASSERT_TRUE(RegisterBuiltComponent(QStringLiteral("libAmbReportPrinter.so")));
        m_printer = platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
        ASSERT_NE(m_printer, nullptr);
        m_hub = HubWithWriter(m_log);
        m_hub->SetAppDir(m_dir.Path());
        m_hub->SetCompanyName(QStringLiteral("Grace Church"));
        m_hub->SetDatabaseManager(std::shared_ptr<amb::IDatabaseManager>(db.get(), [](amb::IDatabaseManager*) {}));
        m_printer->SetAmbApplication(m_hub);
        InstallDefinitions(QStringLiteral("1033"));
        ASSERT_TRUE(QDir().mkpath(m_dir.FilePath(QStringLiteral("jobs"))));
        m_service = std::make_shared<PdfPrintService>(m_dir.FilePath(QStringLiteral("jobs")));
        platform::reportengine::SetPrintService(m_service);
    }
    void TearDown() override {
        platform::reportengine::SetPrintService(nullptr);
        platform::reportengine::SetReportFileFaultForTesting(nullptr);
        m_printer->SetAmbApplication(nullptr);
        DatabaseTest::TearDown();
    }

    // The built definitions of a language into the hub's report folder.
    void InstallDefinitions(const QString& lcid) {
        const QDir target(m_hub->ReportDir());
        ASSERT_TRUE(QDir().mkpath(target.path()));
        const QDir source(BuiltShareDir() + QLatin1Char('/') + lcid + QStringLiteral("/Report"));
        for (const QString& name : source.entryList({QStringLiteral("*.rpt")}, QDir::Files)) {
            QFile::remove(target.filePath(name));
            ASSERT_TRUE(QFile::copy(source.filePath(name), target.filePath(name))) << name.toStdString();
        }
    }
    QString Definition(const QString& name) const { return QDir(m_hub->ReportDir()).filePath(name); }

    // PrintReport as the report window calls it: to the printer, or exported to `file`.
    amb::EnumReportError PrintWith(const QString& name, const platform::DictionaryPtr& dict, bool toFile = false,
                                   const QString& file = QString(),
                                   amb::EnumReportExportType type = amb::EnumReportExportType::PortableDocFormatFile) {
        m_printer->Clear();
        m_printer->SetReportName(name);
        m_printer->SetPrintToFile(toFile);
        m_printer->SetExportFileName(file);
        m_printer->SetExportFileType(type);
        return m_printer->PrintReport(dict);
    }
    // The text of the last print job.
    QString LastJobText() const {
        return m_service->jobs.empty() ? QString() : PdfText(m_service->jobs.back().PdfPath);
    }
    // Level-9 lines written since the last call, of the given procedure.
    bool TookFailure(const QString& procedure) {
        const QStringList lines = std::exchange(m_log->logLines, {});
        return lines.size() == 1 && lines[0].startsWith(QStringLiteral("!!! [")) &&
               lines[0].contains(QStringLiteral("AmbReportPrinter.Printer.") + procedure + QStringLiteral(" - ["));
    }

    const std::shared_ptr<RecordingLogWriter> m_log = std::make_shared<RecordingLogWriter>();
    amb::IReportPrinterPtr m_printer;
    std::shared_ptr<FakeHub> m_hub;
    std::shared_ptr<PdfPrintService> m_service;
};

} // namespace test
