#include "contracts/IReportPrinter.h"
#include "platform/com/Factory.h"
#include "platform/data/Dictionary.h"
#include "tests/support/Components.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using amb::EnumReportExportType;
using test::RecordingLogWriter;

namespace {

amb::IReportPrinterPtr NewPrinter() {
    return platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
}

// The printer as the main program gets it: registered in a temporary registry, created by class name.
class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::RegisterBuiltComponent(QStringLiteral("libAmbReportPrinter.so")));
        m_printer = NewPrinter();
        ASSERT_NE(m_printer, nullptr);
    }

    // Attaches a hub whose writer receives the printer's lines from then on.
    std::shared_ptr<RecordingLogWriter> AttachHubWithWriter() {
        auto writer = std::make_shared<RecordingLogWriter>();
        m_hub = test::HubWithWriter(writer);
        m_hub->SetReportPrinter(m_printer);
        m_printer->SetAmbApplication(m_hub);
        return writer;
    }

    test::TempDir m_temp;
    amb::IReportPrinterPtr m_printer;
    std::shared_ptr<test::FakeHub> m_hub;
};

// The procedure names of the lines, with their mark but without the time: "IReportPrinter_PrintReport()".
QStringList Procedures(const QStringList& lines) {
    static const QRegularExpression layout(
        QStringLiteral(R"(^(...) \[\d{1,2}/\d{1,2}/\d{4} \d{2}:\d{2}:\d{2}\] AmbReportPrinter\.Printer\.(.*)$)"));
    QStringList names;
    for (const QString& line : lines) {
        const auto match = layout.match(line);
        names << (match.hasMatch() ? match.captured(1).trimmed() + match.captured(2) : QStringLiteral("?") + line);
    }
    return names;
}

} // namespace

TEST_F(PrinterTest, ClearResetsOnlyWhatBelongsToOneReport) {
    AttachHubWithWriter();
    const auto viewer = std::make_shared<platform::Dictionary>();
    m_printer->SetReportName(QStringLiteral("Member Details"));
    m_printer->SetPrintToFile(true);
    m_printer->SetExportFileName(QStringLiteral("/tmp/교인 명단.pdf"));
    m_printer->SetExportFileType(EnumReportExportType::PortableDocFormatFile);
    m_printer->SetReportViewer(viewer);
    EXPECT_TRUE(NewPrinter()->ReportName().isEmpty()) << "each object keeps its own properties";

    m_printer->Clear();
    EXPECT_TRUE(m_printer->ReportName().isEmpty());
    EXPECT_TRUE(m_printer->ExportFileName().isEmpty());
    EXPECT_FALSE(m_printer->PrintToFile());
    // A caller that exports without setting the type gets the previous caller's format.
    EXPECT_EQ(m_printer->ExportFileType(), EnumReportExportType::PortableDocFormatFile);
    EXPECT_EQ(m_printer->ReportViewer(), viewer);
    EXPECT_EQ(m_printer->AmbApplication(), m_hub);
}

TEST_F(PrinterTest, PrintReportAnswersZeroForANameItDoesNotKnow) {
    const auto writer = AttachHubWithWriter();
    auto dict = std::make_shared<platform::Dictionary>();
    dict->SetItem(QStringLiteral("ID"), 1);
    for (const char* name : {"member details", "Balance Sheet ", "", "없음"}) {
        m_printer->SetReportName(QString::fromUtf8(name));
        EXPECT_EQ(static_cast<int32_t>(m_printer->PrintReport(dict)), 0) << name;
    }
    m_printer->SetReportName(QStringLiteral("Directory"));
    EXPECT_EQ(static_cast<int32_t>(m_printer->PrintReport(nullptr)), 0);
    EXPECT_TRUE(writer->logLines.isEmpty()); // an unknown name is no failure
    // A known name with no dictionary at all is.
    m_printer->SetReportName(QStringLiteral("Member Details"));
    EXPECT_EQ(m_printer->PrintReport(nullptr), amb::EnumReportError::SystemError);
    EXPECT_EQ(writer->logLines.size(), 1);
}

TEST_F(PrinterTest, TraceLinesGoToTheWriterOfTheAttachedHub) {
    const auto first = AttachHubWithWriter();
    m_printer->InitializeReportPrinter();
    m_printer->SetReportName(QStringLiteral("Directory"));
    m_printer->ExportFileType();
    m_printer->PrintReport(std::make_shared<platform::Dictionary>());
    // The attaching call's own entry line went out before the writer was taken.
    EXPECT_EQ(Procedures(first->traceLines),
              (QStringList{"IReportPrinter_InitializeReportPrinter()", "Let_IReportPrinter_ReportName()",
                           "Get_IReportPrinter_ExportFileType()", "IReportPrinter_PrintReport()"}));

    // Detaching keeps the writer; attaching another hub switches to that hub's writer.
    first->traceLines.clear();
    m_printer->SetAmbApplication(nullptr);
    EXPECT_EQ(m_printer->AmbApplication(), nullptr);
    EXPECT_EQ(Procedures(first->traceLines),
              (QStringList{"Set_IReportPrinter_AmbApplication()", "Get_IReportPrinter_AmbApplication()"}));
    const auto second = AttachHubWithWriter();
    m_printer->PrintToFile();
    EXPECT_EQ(Procedures(second->traceLines), (QStringList{"Get_IReportPrinter_PrintToFile()"}));
    EXPECT_EQ(first->traceLines.size(), 3);

    // A hub without a generic application object is logged, and the writer is kept.
    m_printer->SetAmbApplication(std::make_shared<test::FakeHub>());
    ASSERT_EQ(second->logLines.size(), 1);
    EXPECT_TRUE(second->logLines[0].startsWith(QStringLiteral("!!! [")));
    EXPECT_TRUE(second->logLines[0].contains(QStringLiteral("Set_IReportPrinter_AmbApplication() - [91] ")));
    m_printer->InitializeReportPrinter();
    EXPECT_TRUE(Procedures(second->traceLines).endsWith(QStringLiteral("IReportPrinter_InitializeReportPrinter()")));
}

TEST_F(PrinterTest, PrinterDoesNotKeepTheHubAlive) {
    AttachHubWithWriter();
    std::weak_ptr<test::FakeHub> hub = m_hub;
    m_hub.reset(); // the hub held the printer, the printer only refers back to it
    EXPECT_TRUE(hub.expired());
    EXPECT_EQ(m_printer->AmbApplication(), nullptr);
}
