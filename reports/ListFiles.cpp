#include "reports/ListFiles.h"

#include "common/DateText.h"
#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <functional>
#include <vector>

namespace amb::reports {

namespace {

const QString kObjectName = QStringLiteral("AmbReportPrinter.Printer");

// What a row's value needs besides the row: the hub's date format and the texts of the file.
struct RowContext {
    QString shortDatePattern; // the locale's short date with a four-digit year
    QString birthDatePattern; // the hub's DateFormat, in Qt's notation
    QString unknownGiver;
    EnumSupportedLocaleID nameLocale;
    bool languageColumn; // the file has a column of its own for LanguageName
};

using ValueOf = std::function<QString(const platform::Recordset&, const RowContext&)>;

struct Column {
    int32_t caption;
    ValueOf value;
};

// One file: its trace name, its columns in English name order, and where the language name goes
// for another name locale: caption 152 after column `languageCaptionAfter`, the LanguageName value
// just before the person's name (column `personColumn`).
struct FileLayout {
    const char* procedure;
    std::vector<Column> columns;
    int languageCaptionAfter; // -1: the file has no language column
    int personColumn;
};

QString Text(const platform::Recordset& rs, const char* field) {
    return AsString(rs.Field(QLatin1String(field)));
}

// The display name; where LanguageName has a column of its own, the name column is the English one
// (and LanguageName only for a person without English parts), so the file keeps both names.
QString PersonName(const platform::Recordset& rs, const RowContext& c) {
    return DisplayName(rs, c.languageColumn ? EnumSupportedLocaleID::English : c.nameLocale);
}

QString Address(const platform::Recordset& rs) {
    return FormatAddress(Text(rs, "AddressPart1"), Text(rs, "AddressPart2"), Text(rs, "AddressPart3"),
                         Text(rs, "AddressPart4"), Text(rs, "AddressPart5"));
}

// A date in the given Qt pattern; "" when the row has no date (never the no-date value's 1900).
QString DateText(const platform::Recordset& rs, const char* field, const QString& pattern) {
    const QDateTime date = AsDate(rs.Field(QLatin1String(field)));
    return IsNoDate(date) ? QString() : QLocale().toString(date.date(), pattern);
}

QString Amount(const platform::Recordset& rs) {
    return FormatAmount(AsCurrency(rs.Field(QStringLiteral("Amount"))));
}

ValueOf Field(const char* name) {
    return [name](const platform::Recordset& rs, const RowContext&) { return Text(rs, name); };
}

const ValueOf kPerson = [](const platform::Recordset& rs, const RowContext& c) { return PersonName(rs, c); };
const ValueOf kAddress = [](const platform::Recordset& rs, const RowContext&) { return Address(rs); };

std::vector<Column> ContactColumns() {
    return {{res::kHeaderAddress, kAddress},
            {res::kHeaderHomePhone, Field("HomePhoneNumber")},
            {res::kHeaderCellPhone, Field("CellPhoneNumber")},
            {res::kLabelEMailAddress, Field("EMailAddress")}};
}

std::vector<Column> Join(std::vector<Column> first, const std::vector<Column>& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

const FileLayout& Layout(int kind) {
    static const FileLayout layouts[] = {
        {"CreateExpenseListTextFile()",
         {{res::kLabelDescription, Field("ExpenseName")},
          {res::kLabelExpenseType, Field("ExpenseTypeName")},
          {res::kLabelDate, [](const platform::Recordset& rs,
                               const RowContext& c) { return DateText(rs, "ExpenseDate", c.shortDatePattern); }},
          {res::kLabelAmount, [](const platform::Recordset& rs, const RowContext&) { return Amount(rs); }}},
         -1,
         -1},
        {"CreateFamilyContactListTextFile()",
         Join({{res::kHeaderFamily, Field("Name")}, {res::kLabelHeadOfFamily, kPerson}}, ContactColumns()), 1, 1},
        {"CreateGroupContactListTextFile()",
         Join({{res::kHeaderGroup, Field("Name")},
               {res::kLabelGroupType, Field("GroupType")},
               {res::kLabelHeadOfGroup, kPerson}},
              ContactColumns()),
         2, 2},
        {"CreateMemberListTextFile()",
         Join({{res::kColumnName, kPerson},
               {res::kLabelDateOfBirth, [](const platform::Recordset& rs,
                                           const RowContext& c) { return DateText(rs, "DOB", c.birthDatePattern); }},
               {res::kLabelSex, Field("Sex")}},
              ContactColumns()),
         0, 0},
        {"CreateOfferingListTextFile()",
         {{res::kLabelOfferingType, Field("OfferingTypeName")},
          {res::kLabelMembers,
           [](const platform::Recordset& rs, const RowContext& c) {
               const QString name = PersonName(rs, c);
               return name.isEmpty() ? c.unknownGiver : name;
           }},
          {res::kLabelDate, [](const platform::Recordset& rs,
                               const RowContext& c) { return DateText(rs, "OfferingDate", c.shortDatePattern); }},
          {res::kLabelAmount, [](const platform::Recordset& rs, const RowContext&) { return Amount(rs); }}},
         -1,
         -1},
    };
    return layouts[kind];
}

// The locale's short date, with a four-digit year where the locale writes two.
QString FourDigitYearShortDate() {
    QString pattern = QLocale().dateFormat(QLocale::ShortFormat);
    if (!pattern.contains(QLatin1String("yyyy")))
        pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return pattern;
}

// The new file is written beside the old one under a name of its own and renamed over it once it is
// complete, so a failure keeps the old file whole. The rename replaces the old file whatever its
// mode, as deleting it would: only the folder's permission counts. The new file is created afresh,
// with the mode of any new file, not the old file's read-only one.
class ReplacingFile {
public:
    explicit ReplacingFile(QString target)
        : m_target(std::move(target)),
          m_file(m_target + QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::Id128)) {}
    ~ReplacingFile() {
        if (!m_done) {
            m_file.close();
            QFile::remove(m_file.fileName());
        }
    }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void Open() {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            Fail(m_file.errorString());
    }
    void Write(const QByteArray& bytes) {
        if (m_file.write(bytes) != bytes.size())
            Fail(m_file.errorString());
    }
    void Commit() {
        if (!m_file.flush())
            Fail(m_file.errorString());
        m_file.close();
        if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_target).constData()) != 0)
            Fail(QString::fromLocal8Bit(std::strerror(errno)));
        m_done = true;
    }

private:
    [[noreturn]] void Fail(const QString& why) const {
        throw platform::Error(platform::ErrorNumber::PathNotFound,
                              QStringLiteral("The file \"%1\" cannot be written: %2").arg(m_target, why), kObjectName);
    }

    QString m_target;
    QFile m_file;
    bool m_done = false;
};

// A value as one field: a TAB or line break inside it would start a column or a line of its own.
QString FieldText(QString value) {
    for (QChar& c : value)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return value;
}

} // namespace

ListFiles::ListFiles(IApplicationPtr hub) : m_hub(std::move(hub)) {}

int32_t ListFiles::CreateExpenseListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const {
    return Write(Kind::Expense, dataSet, fileName);
}

int32_t ListFiles::CreateFamilyContactListTextFile(const platform::RecordsetPtr& dataSet,
                                                   const QString& fileName) const {
    return Write(Kind::Family, dataSet, fileName);
}

int32_t ListFiles::CreateGroupContactListTextFile(const platform::RecordsetPtr& dataSet,
                                                  const QString& fileName) const {
    return Write(Kind::Group, dataSet, fileName);
}

int32_t ListFiles::CreateMemberListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const {
    return Write(Kind::Member, dataSet, fileName);
}

int32_t ListFiles::CreateOfferingListTextFile(const platform::RecordsetPtr& dataSet, const QString& fileName) const {
    return Write(Kind::Offering, dataSet, fileName);
}

int32_t ListFiles::Write(Kind kind, const platform::RecordsetPtr& dataSet, const QString& fileName) const {
    const FileLayout& layout = Layout(static_cast<int>(kind));
    WriteTraceLine(kObjectName, QLatin1String(layout.procedure), QString(), 0);

    // The name locale is read once per file, so the header and every row agree on the columns.
    const EnumSupportedLocaleID nameLocale = m_hub ? m_hub->NameLocaleID() : EnumSupportedLocaleID::English;
    const bool languageName = layout.languageCaptionAfter >= 0 && nameLocale != EnumSupportedLocaleID::English;
    const RowContext context{FourDigitYearShortDate(), DatePattern(m_hub ? m_hub->DateFormat() : QString()),
                             LoadResString(m_hub, res::kTextUnknownGiver), nameLocale, languageName};

    QStringList header;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        header << LoadResString(m_hub, layout.columns[i].caption);
        if (languageName && int(i) == layout.languageCaptionAfter)
            header << LoadResString(m_hub, res::kLabelEnglishName);
    }

    ReplacingFile file(fileName);
    file.Open();
    const QByteArray lineEnd("\r\n");
    file.Write(header.join(QLatin1Char('\t')).toUtf8() + lineEnd);

    if (dataSet) {
        QStringList values;
        for (; !dataSet->IsEOF(); dataSet->MoveNext()) {
            values.clear();
            for (size_t i = 0; i < layout.columns.size(); ++i) {
                if (languageName && int(i) == layout.personColumn)
                    values << FieldText(Text(*dataSet, "LanguageName"));
                values << FieldText(layout.columns[i].value(*dataSet, context));
            }
            file.Write(values.join(QLatin1Char('\t')).toUtf8() + lineEnd);
        }
    }
    file.Commit();
    if (dataSet)
        dataSet->Close();
    return 0;
}

QString ListFiles::GetReportFileName(const QString& reportName) const {
    WriteTraceLine(kObjectName, QStringLiteral("GetReportFileName()"), QString(), 0);
    const IDatabaseManagerPtr database = m_hub ? m_hub->DatabaseManager() : nullptr;
    if (!database)
        return QString();
    const platform::RecordsetPtr report = database->GetReportByName(reportName);
    if (!report)
        return QString();
    const QString fileName = report->IsEOF() ? QString() : AsString(report->Field(QStringLiteral("FileName")));
    report->Close();
    return fileName;
}

} // namespace amb::reports
