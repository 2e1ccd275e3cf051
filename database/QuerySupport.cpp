#include "database/QuerySupport.h"

namespace amb::database {

using platform::Variant;

std::pair<Variant, Variant> DayRange(const QDateTime& start, const QDateTime& end) {
    static const QDate zeroDate(1899, 12, 30);
    if (!start.isValid() || !end.isValid() || start.date() <= zeroDate)
        return {Variant::Null(), Variant::Null()};
    return {Variant(platform::Naive(start.date(), QTime(0, 0, 0))),
            Variant(platform::Naive(end.date(), QTime(23, 59, 59)))};
}

QString FirstContactJoin(const QString& table, const QString& alias, const QString& flag, const QString& personId) {
    return QStringLiteral(" LEFT JOIN %1 AS %2 ON %2.ID=(SELECT MIN(c.ID) FROM %1 AS c WHERE c.PersonID=%3 AND c.%4=1)")
        .arg(table, alias, personId, flag);
}

QString EveryContactJoin(const QString& table, const QString& alias, const QString& flag, const QString& personId) {
    return QStringLiteral(" LEFT JOIN %1 AS %2 ON %2.PersonID=%3 AND %2.%4=1").arg(table, alias, personId, flag);
}

QString MemberContactJoins(const QString& personId) {
    return FirstContactJoin(QStringLiteral("PersonAddress"), QStringLiteral("PersonAddress"),
                            QStringLiteral("IsHomeAddress"), personId) +
           FirstContactJoin(QStringLiteral("PersonEMailAddress"), QStringLiteral("PersonEMailAddress"),
                            QStringLiteral("IsPersonalEMailAddress"), personId) +
           FirstContactJoin(QStringLiteral("PersonPhoneNumber"), QStringLiteral("HomePhone"),
                            QStringLiteral("IsHomePhoneNumber"), personId) +
           FirstContactJoin(QStringLiteral("PersonPhoneNumber"), QStringLiteral("CellPhone"),
                            QStringLiteral("IsCellPhoneNumber"), personId);
}

QString MemberContactColumns() {
    return QStringLiteral("PersonAddress.AddressPart1, PersonAddress.AddressPart2, PersonAddress.AddressPart3, "
                          "PersonAddress.AddressPart4, PersonAddress.AddressPart5, PersonEMailAddress.EMailAddress, "
                          "HomePhone.PhoneNumber AS HomePhoneNumber, CellPhone.PhoneNumber AS CellPhoneNumber");
}

} // namespace amb::database
