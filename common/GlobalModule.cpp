#include "common/GlobalModule.h"

#include "common/ErrorGuard.h"
#include "common/LookupKinds.h"
#include "common/ReadFailure.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "contracts/IReportPrinter.h"
#include "platform/data/Clock.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Variant.h"

#include <array>
#include <utility>

namespace amb {

namespace {

const QString kKeySeparator = QStringLiteral("||");

constexpr std::array<std::pair<EnumReportError, int32_t>, 4> kReportErrorTexts{{
    {EnumReportError::OperationNotAllowed, res::kMsgReportNotAllowed},
    {EnumReportError::NoReportFile, res::kMsgReportFileNotFound},
    {EnumReportError::SystemError, res::kMsgReportSystemError},
    {EnumReportError::NoRecordSelected, res::kMsgReportNoRecordSelected},
}};

// The causes of a system error that the printer knows, each with the text that says it; the printer's
// detail fills the text's %1, or follows a text that has none.
struct PrintFailureText {
    EnumReportFailure failure;
    int32_t id;
};
constexpr PrintFailureText kPrintFailureTexts[] = {
    {.failure = EnumReportFailure::NoPrinter, .id = res::kMsgNoPrinter},
    {.failure = EnumReportFailure::NoPrinterPrintOnly, .id = res::kMsgNoPrinterPrintOnly},
    {.failure = EnumReportFailure::FileNotWritable, .id = res::kMsgFolderNotWritable},
    {.failure = EnumReportFailure::PagesPastEnd, .id = res::kMsgPagesPastEnd},
    {.failure = EnumReportFailure::DiskFull, .id = res::kMsgReportDiskFull},
    {.failure = EnumReportFailure::NoPageOfSet, .id = res::kMsgNoPageOfSet},
};

} // namespace

QDateTime FirstDayOfYear() {
    return platform::MakeDateTime(platform::Today().year(), 1, 1);
}

QDateTime FirstDayOfCurrentMonth() {
    const QDate today = platform::Today();
    return platform::MakeDateTime(today.year(), today.month(), 1);
}

QString MakeListItemKey(int32_t id) {
    return QStringLiteral("id") + kKeySeparator + QString::number(id);
}

QString MakeFlaggedListItemKey(int32_t id, bool flag) {
    return MakeListItemKey(id) + kKeySeparator + (flag ? QStringLiteral("True") : QStringLiteral("False"));
}

std::optional<bool> GetFlagFromKey(const QString& key) {
    const QStringList parts = key.split(kKeySeparator);
    if (parts.size() < 3)
        return std::nullopt;
    return AsBoolean(platform::Variant(parts[2]));
}

int32_t GetIDFromKey(const QString& key) {
    return CatchAll(QStringLiteral("GlobalModule"), QStringLiteral("GetIDFromKey()"), int32_t{0}, [&]() -> int32_t {
        const qsizetype first = key.indexOf(kKeySeparator);
        if (first < 0)
            return 0;
        const qsizetype start = first + kKeySeparator.size();
        const qsizetype next = key.indexOf(kKeySeparator, start);
        const QString part = next < 0 ? key.mid(start) : key.mid(start, next - start);
        return AsLong(platform::Variant(part));
    });
}

QString FormatPersonName(const QString& firstName, const QString& middleName, const QString& lastName,
                         const QString& /*title*/, const QString& suffix) {
    return DisplayName(
        PersonNameParts{
            .first = firstName, .middle = middleName, .last = lastName, .suffix = suffix, .language = QString()},
        EnumSupportedLocaleID::English);
}

QString FormatAddress(const QString& part1, const QString& part2, const QString& part3, const QString& part4,
                      const QString& part5) {
    QString line;
    for (const QString* part : {&part1, &part2, &part3, &part4, &part5}) {
        if (part->isEmpty())
            continue;
        if (!line.isEmpty())
            line += QLatin1String(", ");
        line += *part;
    }
    return line;
}

QString LoadResString(const IApplicationPtr& hub, int32_t id) {
    if (!hub)
        return QString();
    const platform::DictionaryPtr table = hub->StringTable();
    return table ? table->Item(QString::number(id)).ToString() : QString();
}

QString GetListTypeName(const IWindowLoaderPtr& loader, EnumWindowType type) {
    const LookupKind* kind = FindLookupKind(type);
    const int32_t first = type == EnumWindowType::User ? res::kLabelUser : kind ? kind->title : 0;
    if (!loader || first == 0)
        return QString();
    const IApplicationPtr hub = loader->AmbApplication();
    QString name = LoadResString(hub, first);
    if (kind && kind->titleWord != 0)
        name += QLatin1Char(' ') + LoadResString(hub, kind->titleWord);
    return name;
}

QString GetReportErrorMessage(const IApplicationPtr& hub, EnumReportError result) {
    // A report whose rows could not be read says why, never that no records were selected.
    if (result == EnumReportError::NoRecordSelected || result == EnumReportError::SystemError) {
        const QString failure = ReadFailureText(hub);
        if (!failure.isEmpty())
            return failure;
    }
    // A system error whose cause the printer knows says that cause.
    if (result == EnumReportError::SystemError && hub) {
        const IReportPrinterPtr printer = hub->ReportPrinter();
        const EnumReportFailure failure = printer ? printer->LastFailure() : EnumReportFailure::None;
        for (const PrintFailureText& known : kPrintFailureTexts) {
            if (known.failure != failure)
                continue;
            const QString text = LoadResString(hub, known.id);
            const QString detail = printer->LastFailureDetail();
            if (detail.isEmpty())
                return text;
            return text.contains(QLatin1String("%1")) ? text.arg(detail) : text + QStringLiteral("\n\n") + detail;
        }
    }
    for (const auto& [error, id] : kReportErrorTexts)
        if (error == result)
            return LoadResString(hub, id);
    return QString();
}

} // namespace amb
