#include "common/ErrorGuard.h"
#include "common/GlobalModule.h"
#include "common/Values.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"
#include "platform/reportengine/Viewer.h"
#include "reports/PersonFields.h"
#include "reports/Printer.h"
#include "reports/PrinterName.h"

#include <functional>
#include <map>

namespace amb::reports {

namespace {

using platform::RecordsetPtr;
using platform::reportengine::RecordsetRowSource;
using platform::reportengine::Report;

bool Absent(const RecordsetPtr& set) {
    return !set || set->RecordCount() == 0;
}

QString Text(const RecordsetPtr& set, const char* field) {
    return AsString(set->Field(QLatin1String(field)));
}

// ReturnEOF on for the sub-report sets, so a person without rows of a kind gets an empty set; off
// again on every path.
class ReturnEOFScope {
public:
    explicit ReturnEOFScope(IDatabaseManagerPtr db) : m_db(std::move(db)) { m_db->SetReturnEOF(true); }
    ~ReturnEOFScope() { m_db->SetReturnEOF(false); }
    ReturnEOFScope(const ReturnEOFScope&) = delete;
    ReturnEOFScope& operator=(const ReturnEOFScope&) = delete;

private:
    IDatabaseManagerPtr m_db;
};

platform::reportengine::RowSourcePtr Rows(const RecordsetPtr& set, const PersonStyle& style) {
    return WithPersonFields(std::make_shared<RecordsetRowSource>(set), style);
}

} // namespace

// The head's display name.
QString Printer::HeadName(const RecordsetPtr& head) const {
    return DisplayName(*head, Hub()->NameLocaleID());
}

EnumReportError Printer::PrintMemberDetails(const Arguments& args) {
    return Guard(PrinterObjectName(), QStringLiteral("PrintMemberDetails()"), EnumReportError::SystemError, [&] {
        const int32_t id = args.Id(report_keys::kId);
        const QString path = MakeReportFilePath(QStringLiteral("Member Details.rpt"));
        if (path.isEmpty())
            return EnumReportError::NoReportFile;
        const IDatabaseManagerPtr db = Database();
        const RecordsetPtr person = db->GetPersonByID(id);
        if (Absent(person))
            return EnumReportError::NoRecordSelected;
        std::map<QString, RecordsetPtr> subSets;
        {
            ReturnEOFScope eof(db);
            subSets[QStringLiteral("PersonAddress")] = db->GetAddressByPersonID(id);
            subSets[QStringLiteral("PersonEMailAddress")] = db->GetEMailAddressByPersonID(id);
            subSets[QStringLiteral("PersonPhoneNumber")] = db->GetPhoneNumberByPersonID(id);
            subSets[QStringLiteral("PersonFamily")] = db->GetFamilyByPersonID(id);
            subSets[QStringLiteral("PersonGroup")] = db->GetGroupByPersonID(id);
        }
        const platform::reportengine::ReportPtr report = OpenReport(path);
        SetDefaultReportParameters(*report, QString());
        report->Tables(1).SetDataSource(Rows(person, Style()));
        // Each sub-report takes the set of its exact name; one of any other name prints without data.
        for (int s = 1; s <= report->SectionsCount(); ++s) {
            const platform::reportengine::Section& section = report->Sections(s);
            for (int o = 1; o <= section.ReportObjectsCount(); ++o) {
                const platform::reportengine::ReportObject& object = section.ReportObjects(o);
                if (object.Kind() != static_cast<int>(platform::reportengine::ObjectKind::Subreport))
                    continue;
                const platform::reportengine::ReportPtr sub = object.OpenSubreport();
                auto set = subSets.find(object.SubreportName());
                if (set != subSets.end() && set->second)
                    sub->Tables(1).SetDataSource(Rows(set->second, Style()));
            }
        }
        if (m_reportViewer) {
            // Any other kind of viewer cannot show our reports.
            const auto viewer = std::dynamic_pointer_cast<platform::reportengine::ReportViewer>(m_reportViewer);
            if (!viewer)
                throw platform::Error(platform::ErrorNumber::NoSuchInterface,
                                      QStringLiteral("The report viewer is not one of this program"),
                                      PrinterObjectName());
            viewer->SetReportSource(report);
            viewer->ViewReport();
        } else {
            Output(*report, false);
        }
        return EnumReportError::Success;
    });
}

// What distinguishes "Family Details" from "Group Details".
struct Printer::OwnerDetails {
    QString Procedure;
    QString FileName;
    RecordsetPtr (IDatabaseManager::*Owner)(int32_t);
    RecordsetPtr (IDatabaseManager::*Head)(int32_t);
    RecordsetPtr (IDatabaseManager::*Members)(int32_t);
    // Parameter fields 4 on: from the owner's and the head's first rows.
    std::function<QStringList(const Printer&, const RecordsetPtr& owner, const RecordsetPtr& head)> Fields;
};

EnumReportError Printer::PrintOwnerDetails(const OwnerDetails& owner, int32_t id) {
    return Guard(PrinterObjectName(), owner.Procedure, EnumReportError::SystemError, [&] {
        const QString path = MakeReportFilePath(owner.FileName);
        if (path.isEmpty())
            return EnumReportError::NoReportFile;
        const IDatabaseManagerPtr db = Database();
        const RecordsetPtr record = ((*db).*owner.Owner)(id);
        if (Absent(record))
            return EnumReportError::NoRecordSelected;
        const RecordsetPtr head = ((*db).*owner.Head)(id);
        if (Absent(head))
            return EnumReportError::NoRecordSelected;
        const RecordsetPtr members = ((*db).*owner.Members)(id);
        if (Absent(members))
            return EnumReportError::NoRecordSelected;
        const platform::reportengine::ReportPtr report = OpenReport(path);
        SetDefaultReportParameters(*report, QString());
        const QStringList values = owner.Fields(*this, record, head);
        for (qsizetype i = 0; i < values.size(); ++i)
            SetParameter(*report, static_cast<int>(i) + 4, values[i]);
        report->Tables(1).SetDataSource(Rows(members, Style()));
        Output(*report, false); // these two ignore the viewer
        return EnumReportError::Success;
    });
}

EnumReportError Printer::PrintGroupDetails(const Arguments& args) {
    static const OwnerDetails group{
        QStringLiteral("PrintGroupDetails()"),
        QStringLiteral("Group Details.rpt"),
        &IDatabaseManager::GetGroupByID,
        &IDatabaseManager::GetHeadOfGroupByGroupID,
        &IDatabaseManager::GetPersonByGroupID,
        [](const Printer& p, const RecordsetPtr& record, const RecordsetPtr& head) {
            return QStringList{Text(record, "Name"), Text(record, "GroupType"), p.HeadName(head)};
        }};
    return PrintOwnerDetails(group, args.Id(report_keys::kId));
}

EnumReportError Printer::PrintFamilyDetails(const Arguments& args) {
    static const OwnerDetails family{
        QStringLiteral("PrintFamilyDetails()"),
        QStringLiteral("Family Details.rpt"),
        &IDatabaseManager::GetFamilyByID,
        &IDatabaseManager::GetHeadOfFamilyByFamilyID,
        &IDatabaseManager::GetPersonByFamilyID,
        [](const Printer& p, const RecordsetPtr& record, const RecordsetPtr& head) {
            return QStringList{
                Text(record, "Name"), p.HeadName(head),
                AddressLines({Text(head, "AddressPart1"), Text(head, "AddressPart2"), Text(head, "AddressPart3"),
                              Text(head, "AddressPart4"), Text(head, "AddressPart5")},
                             p.Style().AddressFormat)
                    .join(QStringLiteral(", ")),
                Text(head, "PhoneNumber"), Text(head, "EMailAddress")};
        }};
    return PrintOwnerDetails(family, args.Id(report_keys::kId));
}

} // namespace amb::reports
