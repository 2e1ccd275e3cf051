#pragma once

// A db.mdb of generated persons in a folder, with the report definitions and a hub, for the benches
// that run catalogue reports through the report printer component.

#include "contracts/IReportPrinter.h"
#include "database/DatabaseSchema.h"
#include "database/Manager.h"
#include "platform/com/Factory.h"
#include "tests/support/Components.h"
#include "tests/support/Fakes.h"
#include "tests/support/PersonData.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace bench {

struct Congregation {
    std::shared_ptr<amb::database::Manager> db = std::make_shared<amb::database::Manager>();
    std::shared_ptr<test::FakeHub> hub = std::make_shared<test::FakeHub>();

    // With persons > 0, a new db.mdb of that many persons and the report files; else the folder's own.
    Congregation(const QString& folder, int persons) {
        const QString path = QDir(folder).filePath(QStringLiteral("db.mdb"));
        hub->SetAppDir(folder);
        if (persons > 0) {
            amb::database::CreateDatabase(path, 1033);
            test::FillDatabase(path, persons);
            const QDir source(test::BuiltShareDir() + QStringLiteral("/1033/Report"));
            QDir().mkpath(hub->ReportDir());
            for (const QString& name : source.entryList({QStringLiteral("*.rpt")}, QDir::Files))
                QFile::copy(source.filePath(name), QDir(hub->ReportDir()).filePath(name));
        }
        db->SetConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path +
                                QStringLiteral("; Jet OLEDB:"));
        hub->SetCompanyName(QStringLiteral("Grace Church"));
        hub->SetDatabaseManager(db);
    }

    // The report through the printer component: exported as PDF to `pdf`, or to the default printer
    // when `pdf` is empty. False when it did not print.
    bool Print(const QString& report, const QString& pdf) {
        auto printer = platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
        printer->SetAmbApplication(hub);
        printer->Clear();
        printer->SetReportName(report);
        printer->SetPrintToFile(!pdf.isEmpty());
        printer->SetExportFileName(pdf);
        printer->SetExportFileType(amb::EnumReportExportType::PortableDocFormatFile);
        const bool printed =
            printer->PrintReport(std::make_shared<platform::Dictionary>()) == amb::EnumReportError::Success;
        printer->SetAmbApplication(nullptr);
        return printed;
    }
};

} // namespace bench
