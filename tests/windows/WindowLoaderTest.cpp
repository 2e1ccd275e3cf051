#include "tests/support/DatabaseWindowTest.h"
#include "windows/WindowEntries.h"

#include <QRegularExpression>

#include <functional>
#include <map>
#include <string>

namespace {

using EntryCall = std::function<int32_t(amb::IWindowLoader&)>;

// Every entry of the contract by its name, with harmless arguments.
const std::map<std::string, EntryCall>& Entries() {
    using amb::EnumOfferingWindowType;
    static const std::map<std::string, EntryCall> entries = {
        {"ShowBatchOfferingWindow", [](amb::IWindowLoader& l) { return l.ShowBatchOfferingWindow(); }},
        {"ShowBatchExpenseWindow", [](amb::IWindowLoader& l) { return l.ShowBatchExpenseWindow(); }},
        {"ShowOfferingWindow",
         [](amb::IWindowLoader& l) { return l.ShowOfferingWindow(0, EnumOfferingWindowType::Individual); }},
        {"ShowExpenseWindow",
         [](amb::IWindowLoader& l) { return l.ShowExpenseWindow(3, EnumOfferingWindowType::Individual); }},
        {"ShowFamilyWindow", [](amb::IWindowLoader& l) { return l.ShowFamilyWindow(0); }},
        {"ShowGroupWindow", [](amb::IWindowLoader& l) { return l.ShowGroupWindow(0); }},
        {"ShowOptionWindow", [](amb::IWindowLoader& l) { return l.ShowOptionWindow(); }},
        {"ShowPersonWindow", [](amb::IWindowLoader& l) { return l.ShowPersonWindow(0); }},
        {"ShowReportWindow", [](amb::IWindowLoader& l) { return l.ShowReportWindow(); }},
        {"ShowListWindow", [](amb::IWindowLoader& l) { return l.ShowListWindow(amb::EnumWindowType::User); }},
        {"ShowLogInWindow", [](amb::IWindowLoader& l) { return l.ShowLogInWindow(); }},
        {"ShowChangePasswordWindow",
         [](amb::IWindowLoader& l) { return l.ShowChangePasswordWindow("admin", QString()); }},
        {"ShowUserWindow", [](amb::IWindowLoader& l) { return l.ShowUserWindow(0); }},
        {"ShowNameWindow", [](amb::IWindowLoader& l) { return l.ShowNameWindow(amb::EnumWindowType::State, 0); }},
        {"ShowSearchWindow",
         [](amb::IWindowLoader& l) { return l.ShowSearchWindow(amb::EnumSearchWindowType::PersonSearch, 0); }},
    };
    return entries;
}

QString EntryLine(const std::string& entry) {
    return QStringLiteral("AmbWindows.WindowLoader.IWindowLoader_%1()").arg(QString::fromStdString(entry));
}

// Over a real db.mdb, so that every built window can fill itself.
class WindowLoaderTest : public test::DatabaseWindowTest {};

TEST_F(WindowLoaderTest, EveryEntryShowsItsWindow) {
    ASSERT_TRUE(m_loader);
    ASSERT_EQ(Entries().size(), std::size(amb::kWindowEntries));
    // Windows that read lists show them empty.
    SetDatabase(std::make_shared<test::FailingDatabaseManager>());
    for (const amb::WindowEntryInfo& info : amb::kWindowEntries) {
        const std::string name(info.entry);
        SCOPED_TRACE(name);
        ASSERT_TRUE(Entries().count(name));
        // Windows without a Cancel button close with their Close button.
        test::ModalScript script([](QDialog& dialog) {
            test::Click(dialog, dialog.findChild<QWidget*>("cmdCancel") ? "cmdCancel" : "cmdClose");
        });
        m_writer->traceLines.clear();

        const int32_t result = Entries().at(name)(*m_loader);

        EXPECT_EQ(script.Runs(), 1);
        // Cancelled windows give -1; the report window answers 1 whatever the user did.
        EXPECT_EQ(result, name == "ShowReportWindow" ? 1 : -1);
        EXPECT_EQ(m_writer->TraceLinesWith(EntryLine(name)).size(), 1);
    }
    EXPECT_TRUE(m_messages.Shown().empty());
    EXPECT_TRUE(m_writer->logLines.isEmpty());
}

TEST_F(WindowLoaderTest, TraceLinesFollowTheHubsWriter) {
    ASSERT_TRUE(m_loader);
    // The first setting had no writer yet, so it left no line.
    EXPECT_TRUE(m_writer->TraceLinesWith("Set_IWindowLoader_AmbApplication()").isEmpty());

    EXPECT_EQ(m_loader->AmbApplication(), m_hub);
    const QStringList getter = m_writer->TraceLinesWith("Get_IWindowLoader_AmbApplication()");
    ASSERT_EQ(getter.size(), 1);
    static const QRegularExpression layout(QStringLiteral(
        R"(^    \[\d{1,2}/\d{1,2}/\d{4} \d\d:\d\d:\d\d\] AmbWindows\.WindowLoader\.Get_IWindowLoader_AmbApplication\(\)$)"));
    EXPECT_TRUE(layout.match(getter.first()).hasMatch()) << getter.first().toStdString();

    // A second hub brings its own writer; the setter's own line still goes to the old one.
    auto secondWriter = std::make_shared<test::RecordingLogWriter>();
    const auto secondHub = test::HubWithWriter(secondWriter);
    m_loader->SetAmbApplication(secondHub);
    EXPECT_EQ(m_writer->TraceLinesWith("Set_IWindowLoader_AmbApplication()").size(), 1);

    const int firstCount = static_cast<int>(m_writer->traceLines.size());
    test::ModalScript script([](QDialog& dialog) { test::Click(dialog, "cmdCancel"); });
    EXPECT_EQ(m_loader->ShowLogInWindow(), -1);
    EXPECT_EQ(m_writer->traceLines.size(), firstCount);
    // Lines of the loader, of a window and of the window base all reach the one writer.
    EXPECT_EQ(secondWriter->TraceLinesWith(EntryLine("ShowLogInWindow")).size(), 1);
    EXPECT_EQ(secondWriter->TraceLinesWith("AmbWindows.LogInForm.UpdateForm()").size(), 1);
    EXPECT_EQ(secondWriter->TraceLinesWith("AmbWindows.LogInForm.cmdCancel_Click()").size(), 1);
    EXPECT_EQ(secondWriter->TraceLinesWith("AmbWindows.LogInForm.Set_WindowLoader()").size(), 1);
    EXPECT_EQ(secondWriter->TraceLinesWith("AmbWindows.LogInForm.Get_Response()").size(), 1);

    // Detaching the hub keeps the writer: the windows cannot reach a hub any more, and say so.
    m_loader->SetAmbApplication(nullptr);
    EXPECT_EQ(m_loader->AmbApplication(), nullptr);
    EXPECT_EQ(m_loader->ShowLogInWindow(), -1);
    EXPECT_EQ(script.Runs(), 1);
    const QStringList failures = secondWriter->logLines.filter("AmbWindows.LogInForm.UpdateForm() - [91] ");
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().startsWith("!!! ["));
    EXPECT_EQ(secondWriter->traceLines.filter("!!!").size(), 1);
}

TEST_F(WindowLoaderTest, FailingWindowIsNotShownAndIsLogged) {
    ASSERT_TRUE(m_loader);
    test::ModalScript script;
    m_hub->failStringTable = true;

    EXPECT_EQ(m_loader->ShowLogInWindow(), -1);

    EXPECT_EQ(script.Runs(), 0);
    ASSERT_EQ(m_writer->logLines.size(), 1);
    EXPECT_TRUE(m_writer->logLines.first().endsWith(
        "AmbWindows.LogInForm.UpdateForm() - [5] Invalid procedure call or argument"));
    EXPECT_TRUE(m_messages.Shown().empty());
}

TEST(WindowLoaderLifetimeTest, EndingTheLoaderStopsTheLibrarysLines) {
    test::TempDir temp;
    auto writer = std::make_shared<test::RecordingLogWriter>();
    const auto hub = test::HubWithWriter(writer);

    amb::IWindowLoaderPtr first = test::CreateWindowLoader();
    ASSERT_TRUE(first);
    first->SetAmbApplication(hub);
    first->SetAmbApplication(nullptr);
    first.reset();

    // A loader that never got a hub has no writer: the previous loader's ended with it.
    amb::IWindowLoaderPtr second = test::CreateWindowLoader();
    ASSERT_TRUE(second);
    writer->traceLines.clear();
    EXPECT_EQ(second->ShowPersonWindow(1), -1);
    EXPECT_TRUE(writer->traceLines.isEmpty());
}

} // namespace
