#include "tests/support/FailingDatabaseManager.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

// Keeps the arguments of the report data sets whose trailing arguments are optional.
class ArgumentsDatabase : public test::FailingDatabaseManager {
public:
    platform::RecordsetPtr GetReportMemberList(int32_t nClassification, int32_t nAgeClassification,
                                               int32_t nMemberStatus, int32_t nSex, int32_t nMaritalStatus,
                                               int16_t nBaptized, const QString& sCity, const QString& sState,
                                               const QString& sZipCode) override {
        args = QStringList{QString::number(nClassification), QString::number(nAgeClassification),
                           QString::number(nMemberStatus),   QString::number(nSex),
                           QString::number(nMaritalStatus),  QString::number(nBaptized)} +
               QStringList{sCity, sState, sZipCode};
        return {};
    }
    platform::RecordsetPtr GetReportOfferingList(const QDateTime& dtStart, const QDateTime& dtEnd,
                                                 int32_t nOfferingType, int32_t nPerson) override {
        args = QStringList{dtStart.toString(Qt::ISODate), dtEnd.isValid() ? QStringLiteral("date") : QString(),
                           QString::number(nOfferingType), QString::number(nPerson)};
        return {};
    }
    QStringList args;
};

} // namespace

// Arguments left out by a caller arrive as zero, empty text and no date, which the members read as
// "no filter"; the window loader opens a person by itself.
TEST(ContractDefaults, OmittedArgumentsArriveAsNoFilter) {
    ArgumentsDatabase database;
    amb::IDatabaseManager& contract = database;
    contract.GetReportMemberList(3, 0, 0, 0, 0, -1, QStringLiteral("서울"));
    EXPECT_EQ(database.args, (QStringList{"3", "0", "0", "0", "0", "-1", "서울", "", ""}));
    contract.GetReportOfferingList(platform::MakeDateTime(2024, 1, 1));
    EXPECT_EQ(database.args, (QStringList{"2024-01-01T00:00:00Z", "", "0", "0"}));

    test::FakeWindowLoader loader;
    static_cast<amb::IWindowLoader&>(loader).ShowPersonWindow(7);
    EXPECT_EQ(loader.calls, QStringList{"ShowPersonWindow(7,0,0)"});
}

// Values that are stored in the registry or passed between components must never drift.
static_assert(static_cast<int32_t>(amb::EnumSupportedLocaleID::Korean) == 1042);
static_assert(static_cast<int32_t>(amb::EnumWindowType::User) == 13);
static_assert(static_cast<int32_t>(amb::EnumReportError::OperationNotAllowed) == -4);
static_assert(static_cast<int32_t>(amb::EnumReportExportType::TabDelimitedFile) == 2);
