#include "contracts/IReportPrinter.h"
#include "platform/com/Factory.h"
#include "tests/reports/FakeHub.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <dlfcn.h>

using amb::EnumReportError;
using amb::EnumReportExportType;
using test::FakeHub;
using test::FakeLogTraceWriter;

namespace {

// The printer as the main program gets it: registered in a temporary registry, created by class name.
class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* library = ::dlopen(REPORT_PRINTER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << ::dlerror();
        auto registerServer = reinterpret_cast<int (*)()>(::dlsym(library, "AmbRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), 0);
        m_printer = platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
        ASSERT_NE(m_printer, nullptr);
    }

    // Attaches a hub whose writer receives the printer's lines from then on.
    std::shared_ptr<FakeLogTraceWriter> AttachHubWithWriter() {
        auto writer = std::make_shared<FakeLogTraceWriter>();
        m_hub = FakeHub::WithWriter(writer);
        m_hub->SetReportPrinter(m_printer);
        m_printer->SetAmbApplication(m_hub);
        return writer;
    }

    test::TempDir m_temp;
    amb::IReportPrinterPtr m_printer;
    std::shared_ptr<FakeHub> m_hub;
};

// The procedure names of the lines, without mark and time: "IReportPrinter_PrintReport()".
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

TEST_F(PrinterTest, StartsEmptyAndEachObjectKeepsItsOwnProperties) {
    EXPECT_EQ(m_printer->AmbApplication(), nullptr);
    EXPECT_TRUE(m_printer->ReportName().isEmpty());
    EXPECT_TRUE(m_printer->ExportFileName().isEmpty());
    EXPECT_EQ(m_printer->ExportFileType(), EnumReportExportType::RichTextFormatFile);
    EXPECT_FALSE(m_printer->PrintToFile());
    EXPECT_EQ(m_printer->ReportViewer(), nullptr);

    m_printer->SetReportName(QStringLiteral("Balance Sheet"));
    auto other = platform::com::CreateObjectAs<amb::IReportPrinter>(QStringLiteral("AmbReportPrinter.Printer"));
    EXPECT_NE(other, m_printer);
    EXPECT_TRUE(other->ReportName().isEmpty());
}

TEST_F(PrinterTest, ClearResetsOnlyWhatBelongsToOneReport) {
    AttachHubWithWriter();
    const auto viewer = std::make_shared<platform::Dictionary>();
    m_printer->SetReportName(QStringLiteral("Member Details"));
    m_printer->SetPrintToFile(true);
    m_printer->SetExportFileName(QStringLiteral("/tmp/교인 명단.pdf"));
    m_printer->SetExportFileType(EnumReportExportType::PortableDocFormatFile);
    m_printer->SetReportViewer(viewer);
    EXPECT_EQ(m_printer->ExportFileName(), QStringLiteral("/tmp/교인 명단.pdf"));

    m_printer->Clear();
    EXPECT_TRUE(m_printer->ReportName().isEmpty());
    EXPECT_TRUE(m_printer->ExportFileName().isEmpty());
    EXPECT_FALSE(m_printer->PrintToFile());
    // A caller that exports without setting the type gets the previous caller's format.
    EXPECT_EQ(m_printer->ExportFileType(), EnumReportExportType::PortableDocFormatFile);
    EXPECT_EQ(m_printer->ReportViewer(), viewer);
    EXPECT_EQ(m_printer->AmbApplication(), m_hub);
}

TEST_F(PrinterTest, PrintReportAnswersZeroForEveryName) {
    const auto writer = AttachHubWithWriter();
    auto dict = std::make_shared<platform::Dictionary>();
    dict->SetItem(QStringLiteral("ID"), 1);
    const QStringList names = {"Member Details", "member details", "Balance Sheet ", "Offering List", "", "없음"};
    for (const QString& name : names) {
        m_printer->SetReportName(name);
        const EnumReportError result = m_printer->PrintReport(dict);
        EXPECT_EQ(static_cast<int32_t>(result), 0) << name.toStdString();
        EXPECT_NE(result, EnumReportError::Success);
    }
    EXPECT_EQ(static_cast<int32_t>(m_printer->PrintReport(nullptr)), 0);
    EXPECT_TRUE(writer->m_log.isEmpty()); // an unknown name is no failure
}

TEST_F(PrinterTest, TraceLinesGoToTheWriterOfTheAttachedHub) {
    const auto first = AttachHubWithWriter();
    m_printer->InitializeReportPrinter();
    m_printer->Clear();
    m_printer->SetReportViewer(nullptr);
    m_printer->SetReportName(QStringLiteral("Group Details"));
    m_printer->ExportFileType();
    m_printer->PrintReport(std::make_shared<platform::Dictionary>());
    // The attaching call's own entry line went out before the writer was taken.
    EXPECT_EQ(Procedures(first->m_trace),
              (QStringList{"IReportPrinter_InitializeReportPrinter()", "Let_IReportPrinter_ReportName()",
                           "Get_IReportPrinter_ExportFileType()", "IReportPrinter_PrintReport()"}));

    // Detaching keeps the writer; attaching another hub switches to that hub's writer.
    first->m_trace.clear();
    m_printer->SetAmbApplication(nullptr);
    EXPECT_EQ(m_printer->AmbApplication(), nullptr);
    EXPECT_EQ(Procedures(first->m_trace),
              (QStringList{"Set_IReportPrinter_AmbApplication()", "Get_IReportPrinter_AmbApplication()"}));
    const auto second = AttachHubWithWriter();
    m_printer->PrintToFile();
    EXPECT_EQ(Procedures(second->m_trace), (QStringList{"Get_IReportPrinter_PrintToFile()"}));
    EXPECT_EQ(first->m_trace.size(), 3);
    EXPECT_TRUE(first->m_log.isEmpty());
}

TEST_F(PrinterTest, HubWithoutGenericApplicationIsLoggedAndKeepsTheWriter) {
    const auto writer = AttachHubWithWriter();
    auto bare = std::make_shared<FakeHub>();
    m_printer->SetAmbApplication(bare);
    EXPECT_EQ(m_printer->AmbApplication(), bare);

    ASSERT_EQ(writer->m_log.size(), 1);
    EXPECT_TRUE(writer->m_log[0].startsWith(QStringLiteral("!!! [")));
    EXPECT_TRUE(writer->m_log[0].contains(QStringLiteral("Set_IReportPrinter_AmbApplication() - [91] ")));
    EXPECT_TRUE(writer->m_trace.contains(writer->m_log[0]));
    m_printer->InitializeReportPrinter();
    EXPECT_TRUE(Procedures(writer->m_trace).endsWith(QStringLiteral("IReportPrinter_InitializeReportPrinter()")));
}

TEST_F(PrinterTest, PrinterDoesNotKeepTheHubAlive) {
    AttachHubWithWriter();
    std::weak_ptr<FakeHub> hub = m_hub;
    m_hub.reset(); // the hub held the printer, the printer only refers back to it
    EXPECT_TRUE(hub.expired());
    EXPECT_EQ(m_printer->AmbApplication(), nullptr);
}
