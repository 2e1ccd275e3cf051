#include "common/ReportCatalogue.h"
#include "database/DatabaseSchema.h"
#include "platform/data/SqliteConnection.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

// The report list of a new database, the report definitions of both languages and the titles their
// pages print all follow the one catalogue.

namespace {

using amb::CatalogueReport;
using amb::kReportCatalogue;

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

struct Language {
    int32_t lcid;
    const char* folder;
    std::string_view CatalogueReport::*name;
};
constexpr Language kLanguages[] = {{.lcid = 1033, .folder = "1033", .name = &CatalogueReport::name},
                                   {.lcid = 1042, .folder = "1042", .name = &CatalogueReport::korean}};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every cell of a band's lines.
QList<QJsonObject> Cells(const QJsonObject& band) {
    QList<QJsonObject> cells;
    for (const QJsonValue line : band.value(QStringLiteral("lines")).toArray())
        for (const QJsonValue cell : line.toObject().value(QStringLiteral("cells")).toArray())
            cells << cell.toObject();
    return cells;
}

TEST(ReportCatalogue, ANewDatabaseListsEveryReportOfTheCatalogueInItsLanguage) {
    test::TempDir dir;
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.folder);
        const QString path = dir.FilePath(QStringLiteral("db-%1.mdb").arg(language.lcid));
        amb::database::CreateDatabase(path, language.lcid);
        const auto db = platform::SqliteConnection::Open(path);
        const auto rows =
            db->Query(QStringLiteral("SELECT Report, InternalName, FileName, OptionIndex, IsMailingLabel FROM Report "
                                     "ORDER BY ID"));
        ASSERT_EQ(rows->RecordCount(), int(kReportCatalogue.size()));
        for (const CatalogueReport& report : kReportCatalogue) {
            SCOPED_TRACE(report.name);
            EXPECT_EQ(rows->Field(QStringLiteral("Report")).ToString(), Q(report.*language.name));
            EXPECT_EQ(rows->Field(QStringLiteral("InternalName")).ToString(), Q(report.name));
            EXPECT_EQ(rows->Field(QStringLiteral("FileName")).ToString(), Q(report.name) + QStringLiteral(".rpt"));
            EXPECT_EQ(rows->Field(QStringLiteral("OptionIndex")).ToInt(), static_cast<int>(report.options));
            EXPECT_EQ(rows->Field(QStringLiteral("IsMailingLabel")).ToBool(), IsMailingLabel(report));
            rows->MoveNext();
        }
        // The report window lists them by name: the list a user sees.
        const auto listed = db->Query(QStringLiteral("SELECT InternalName FROM Report ORDER BY Report"));
        EXPECT_EQ(listed->RecordCount(), int(kReportCatalogue.size()));
    }
}

TEST(ReportCatalogue, EveryDefinitionIsNamedAndTitledAsTheReportListNamesIt) {
    for (const Language& language : kLanguages) {
        const QDir source(QStringLiteral(AMB_SOURCE_DIR "/resources/reports/") + QLatin1String(language.folder));
        const QDir built(test::BuiltShareDir() + QLatin1Char('/') + QLatin1String(language.folder) +
                         QStringLiteral("/Report"));
        QSet<QString> expected{QStringLiteral("Member Details.rpt"), QStringLiteral("Family Details.rpt"),
                               QStringLiteral("Group Details.rpt")};
        for (const CatalogueReport& report : kReportCatalogue) {
            const QString file = QString::fromStdString(amb::ReportFileName(report));
            expected << file;
            SCOPED_TRACE(file.toStdString() + " " + language.folder);
            const QByteArray bytes = ReadAll(source.filePath(file));
            ASSERT_FALSE(bytes.isEmpty());
            EXPECT_EQ(ReadAll(built.filePath(file)), bytes) << "the build folder holds a stale copy";
            const QJsonObject definition = QJsonDocument::fromJson(bytes).object();
            const QString name = Q(report.*language.name);
            EXPECT_EQ(definition.value(QStringLiteral("name")).toString(), name);
            if (IsMailingLabel(report)) {
                EXPECT_FALSE(definition.contains(QStringLiteral("pageHeader"))) << "labels print no title";
                continue;
            }
            // An English page prints the name the printer hands on (parameter 2, the internal name),
            // so the list's English name must be that text; a Korean page prints its Korean name as
            // a text of its own, and no English name beside it.
            QStringList titles;
            bool printsParameter2 = false;
            for (const QJsonObject& cell : Cells(definition.value(QStringLiteral("pageHeader")).toObject())) {
                if (cell.value(QStringLiteral("parameter")).toInt() == 2)
                    printsParameter2 = true;
                if (cell.contains(QStringLiteral("text")))
                    titles << cell.value(QStringLiteral("text")).toString();
            }
            if (language.lcid == 1033) {
                EXPECT_TRUE(printsParameter2);
                EXPECT_TRUE(titles.isEmpty()) << titles.join(u'|').toStdString();
            } else {
                EXPECT_FALSE(printsParameter2) << "the English name on a Korean page";
                EXPECT_EQ(titles, QStringList{name});
            }
        }
        const QStringList files = source.entryList({QStringLiteral("*.rpt")}, QDir::Files);
        EXPECT_EQ(QSet<QString>(files.begin(), files.end()), expected) << language.folder;
    }
}

} // namespace
