#include "common/ReportCatalogue.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

// A Korean user meets one word for each thing, in the windows, the report list and on the pages:
// the words a Korean installation shows must not fall back to the synonyms they replaced.

namespace {

struct Word {
    const char* avoided; // a regular expression
    const char* used;
};

// clang-format off
const Word kWords[] = {
    {.avoided = "가족", .used = "가정"},
    {.avoided = "모임", .used = "그룹"},
    {.avoided = "대표", .used = "가장 or 그룹장"},
    {.avoided = "헌금 번호", .used = "봉투 번호"},
    {.avoided = "전자 우편", .used = "이메일"},
    {.avoided = "전자 메일", .used = "이메일"},
    {.avoided = "휴대폰", .used = "휴대 전화"},
    {.avoided = "휴대:", .used = "휴대 전화:"},
    {.avoided = "교인 구분", .used = "교인 분류"},
    {.avoided = "결혼 여부", .used = "혼인 상태"},
    {.avoided = "열 보기", .used = "표 형식"},
    {.avoided = "표 보기", .used = "표 형식"},
    {.avoided = "아니오", .used = "아니요"},
    {.avoided = "(?<!가정 내 )관계", .used = "가정 내 관계"},
    {.avoided = "항목을 삭제|개 항목", .used = "자료"},
    {.avoided = "Portable Document|Rich Text", .used = "PDF 문서, 서식 있는 텍스트"},
    {.avoided = "이\\(가\\)|은\\(는\\)|을\\(를\\)|와\\(과\\)", .used = "a sentence that needs no choice of particle"},
};
// clang-format on

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// What a Korean installation shows: its string table, the Korean seed rows, its report definitions
// and the catalogue's Korean report names.
std::vector<std::pair<QString, QString>> KoreanTexts() {
    std::vector<std::pair<QString, QString>> texts;
    const QString root = QStringLiteral(AMB_SOURCE_DIR);
    for (const char* file : {"/resources/strings/1042/AmbResources.tsv", "/database/SeedKorean.sql"})
        texts.emplace_back(QString::fromLatin1(file), ReadAll(root + QLatin1String(file)));
    const QDir reports(root + QStringLiteral("/resources/reports/1042"));
    for (const QString& name : reports.entryList({QStringLiteral("*.rpt")}, QDir::Files))
        texts.emplace_back(name, ReadAll(reports.filePath(name)));
    for (const amb::CatalogueReport& report : amb::kReportCatalogue)
        texts.emplace_back(QStringLiteral("report list"),
                           QString::fromUtf8(report.korean.data(), qsizetype(report.korean.size())));
    return texts;
}

TEST(KoreanVocabulary, WindowsReportListAndPagesUseOneWordForEachThing) {
    const auto texts = KoreanTexts();
    ASSERT_GT(texts.size(), 20u);
    for (const auto& [where, text] : texts) {
        ASSERT_FALSE(text.isEmpty()) << where.toStdString();
        for (const Word& word : kWords) {
            const QRegularExpression avoided(QString::fromUtf8(word.avoided));
            ASSERT_TRUE(avoided.isValid()) << word.avoided;
            const qsizetype at = text.indexOf(avoided);
            EXPECT_LT(at, 0) << where.toStdString() << " says " << word.avoided << " where the program says "
                             << word.used << ": ..." << text.mid(std::max<qsizetype>(0, at - 30), 80).toStdString();
        }
    }
}

} // namespace
