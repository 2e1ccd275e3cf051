#include "windows/base/SaveFailure.h"

#include "common/CauseTexts.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "contracts/IDatabaseManager.h"

#include <QLabel>
#include <QWidget>

namespace amb {

namespace {

constexpr CauseText kCauseTexts[] = {
    {.cause = EnumDatabaseFailure::ChangedElsewhere, .text = res::kMsgChangedElsewhere},
    {.cause = EnumDatabaseFailure::RecordGone, .text = res::kMsgRecordGone},
    {.cause = EnumDatabaseFailure::Locked, .text = res::kMsgDatabaseLocked},
    {.cause = EnumDatabaseFailure::DiskFullOrReadOnly, .text = res::kMsgDiskFull},
    {.cause = EnumDatabaseFailure::TextTooLong, .text = res::kMsgTextTooLong},
    {.cause = EnumDatabaseFailure::AmountOutOfRange, .text = res::kMsgAmountOutOfRange},
    {.cause = EnumDatabaseFailure::WrongPassword, .text = res::kMsgWrongPassword},
    {.cause = EnumDatabaseFailure::AmountMissing, .text = res::kMsgEnterAmount},
    // The windows take two decimals, so that is the rule the user is told.
    {.cause = EnumDatabaseFailure::AmountDecimals, .text = res::kMsgAmountDecimals},
    {.cause = EnumDatabaseFailure::AmountNotANumber, .text = res::kMsgAmountNotNumeric},
    {.cause = EnumDatabaseFailure::Damaged, .text = res::kMsgDatabaseDamaged},
    {.cause = EnumDatabaseFailure::FamilyGroupGone, .text = res::kMsgFamilyGroupGone},
};

constexpr bool EveryCauseOnce() {
    for (size_t i = 0; i < std::size(kCauseTexts); ++i) {
        if (kCauseTexts[i].cause == EnumDatabaseFailure::None || kCauseTexts[i].cause == EnumDatabaseFailure::Other)
            return false;
        for (size_t j = i + 1; j < std::size(kCauseTexts); ++j)
            if (kCauseTexts[i].cause == kCauseTexts[j].cause)
                return false;
    }
    return true;
}
static_assert(EveryCauseOnce(), "each cause has one text; None and Other keep the general text");

constexpr CauseText kMembershipPhrases[] = {
    {.cause = EnumDatabaseFailure::FamilyGroupGone, .text = res::kMsgFamilyGroupGone},
    {.cause = EnumDatabaseFailure::Locked, .text = res::kCauseDatabaseInUse},
    {.cause = EnumDatabaseFailure::DiskFullOrReadOnly, .text = res::kCauseDiskFull},
    {.cause = EnumDatabaseFailure::Damaged, .text = res::kCauseDamaged},
};

QString Plain(QString label) {
    label.remove(QLatin1Char('&'));
    label = label.trimmed();
    while (label.endsWith(QLatin1Char(':')) || label.endsWith(QLatin1Char('*')))
        label.chop(1);
    return label.trimmed();
}

} // namespace

QString FieldLabel(const QWidget* window, const QString& column) {
    if (!window || column.isEmpty())
        return column;
    // The boxes carry the column's name after their prefix (txtOccupation, cboTitle, dtpDOB).
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QWidget* buddy = label->buddy();
        if (!buddy)
            continue;
        const QString name = buddy->objectName();
        if (name.size() == column.size() + 3 && name.endsWith(column, Qt::CaseInsensitive) && !label->text().isEmpty())
            return Plain(label->text());
    }
    return column;
}

QString FailureCauseText(const IApplicationPtr& hub, const QWidget* window) {
    const IDatabaseManagerPtr database = hub ? hub->DatabaseManager() : IDatabaseManagerPtr();
    const EnumDatabaseFailure cause = database ? database->LastFailure() : EnumDatabaseFailure::None;
    const int32_t id = TextOfCause(kCauseTexts, cause, 0);
    if (id == 0)
        return QString();
    QString text = LoadResString(hub, id);
    if (cause == EnumDatabaseFailure::TextTooLong)
        text = text.arg(FieldLabel(window, database->LastFailureField()));
    return text;
}

int32_t MembershipCausePhrase(EnumDatabaseFailure cause) {
    return TextOfCause(kMembershipPhrases, cause, res::kCauseOther);
}

QString SaveFailureText(const IApplicationPtr& hub, const QWidget* window) {
    const QString text = FailureCauseText(hub, window);
    return text.isEmpty() ? LoadResString(hub, res::kMsgSaveFailed) : text;
}

} // namespace amb
