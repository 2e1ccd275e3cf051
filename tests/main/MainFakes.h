#pragma once

// Components for the main window's tests: a window loader and a report printer that record their
// calls, and a database manager that serves a small congregation from memory.

#include "contracts/IReportPrinter.h"
#include "contracts/IWindowLoader.h"
#include "tests/support/windows/FailingDatabaseManager.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace test {

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
    int32_t ShowPersonWindow(int32_t n, amb::EnumFamilyGroup, int32_t) override {
        return Call(QStringLiteral("ShowPersonWindow(%1)").arg(n));
    }
    int32_t ShowReportWindow() override { return Call(QStringLiteral("ShowReportWindow()")); }
    int32_t ShowListWindow(amb::EnumWindowType en) override {
        return Call(QStringLiteral("ShowListWindow(%1)").arg(static_cast<int>(en)));
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

    // Every call in order, e.g. "ShowPersonWindow(5)".
    QStringList calls;
    // The result of each entry by its name ("ShowLogInWindow"); -1 when not set.
    QHash<QString, int32_t> results;

private:
    int32_t Call(const QString& call) {
        calls << call;
        return results.value(call.section(QLatin1Char('('), 0, 0), -1);
    }
    amb::IApplicationPtr m_hub;
};

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
    amb::EnumReportError PrintReport(const platform::DictionaryPtr& dict) override {
        printed << m_reportName + QLatin1Char(':') + dict->Item(QStringLiteral("ID")).ToString();
        return result;
    }

    QStringList printed;
    amb::EnumReportError result = amb::EnumReportError::Success;

private:
    amb::IApplicationPtr m_hub;
    QString m_reportName;
    bool m_printToFile = true;
};

struct FakePerson {
    int32_t id;
    QString first, last, language;
    QDate dob;
    bool married = false;
    QDate married_on;
    bool isMember = true;
};

struct FakeMoney {
    int32_t id;
    QDateTime date;
    QString name; // the giver's last name or the expense name; empty: no giver
    QString type;
    qint64 cents;
};

// A congregation in memory, searched as the database manager searches.
class FakeDatabase : public FailingDatabaseManager {
public:
    FakeDatabase();

    platform::DictionaryPtr GetMemberRecordStat() override;
    platform::RecordsetPtr GetLookupGroupType(amb::EnumLookupOption en) override;
    platform::RecordsetPtr GetPersonBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetFamilyBySearchText(const QString& sSearchText) override;
    platform::RecordsetPtr GetGroupByGroupTypeID(int32_t n) override;
    platform::RecordsetPtr GetOfferingByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetExpenseByDateRange(const QDateTime& dtStart, const QDateTime& dtEnd) override;
    platform::RecordsetPtr GetImportantDateByMonth(int16_t nMonth) override;
    platform::RecordsetPtr GetUserByID(int32_t n) override;
    int32_t DeletePerson(int32_t n) override;

    std::vector<FakePerson> persons;
    std::vector<FakeMoney> offerings;
    std::vector<FakeMoney> expenses;
    // Heads of families and groups: their deletes are refused.
    std::vector<int32_t> familyHeads, groupHeads;
    bool userIsAdmin = false;
    QStringList calls;
};

} // namespace test
