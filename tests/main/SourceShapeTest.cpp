// The source tree stays in small pieces: no source file over 600 lines, and no class with more than 25
// public members. The contracts, the classes that implement them and the data types they pass are as wide
// as the contracts make them.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <map>

namespace {

constexpr int kMostLines = 600;
constexpr int kMostPublicMembers = 25;

QString SourceDir() {
    return QStringLiteral(AMB_SOURCE_DIR);
}

QString ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// Every C++ file of the tree but the build folders and the bundled third-party code.
QStringList SourceFiles() {
    QStringList files;
    QDirIterator it(SourceDir(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    const QRegularExpression skipped(QStringLiteral("/(build[^/]*|third_party|external|\\.[^/]+)/"));
    while (it.hasNext()) {
        const QString path = it.next();
        if (!skipped.match(path.mid(SourceDir().size())).hasMatch())
            files << path;
    }
    return files;
}

// The text without comments and string or character literals, which could hold braces.
QString CodeOnly(const QString& text) {
    static const QRegularExpression noise(
        QStringLiteral(R"(//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|'(?:\\.|[^'\\\n])*')"),
        QRegularExpression::DotMatchesEverythingOption);
    QString code = text;
    code.replace(noise, QStringLiteral(" "));
    return code;
}

struct ClassShape {
    QString bases;
    int publicMembers = 0;
};

// The public members of each class of a header: declarations at the class body's own level, counted
// by the semicolon or the function body that ends them.
std::map<QString, ClassShape> PublicMemberCounts(const QString& header) {
    std::map<QString, ClassShape> counts;
    const QString code = CodeOnly(header);
    static const QRegularExpression classHead(
        QStringLiteral(R"((?<!enum\s)\bclass\s+(\w+)\s*(?:final\s*)?(:[^;{]*)?\{)"));
    static const QRegularExpression access(QStringLiteral(R"(\b(public|protected|private)\s*:(?!:))"));
    for (auto heads = classHead.globalMatch(code); heads.hasNext();) {
        const auto head = heads.next();
        bool isPublic = false;
        int count = 0;
        int depth = 0;
        QString statement;
        for (qsizetype i = head.capturedEnd(); i < code.size(); ++i) {
            const QChar c = code[i];
            if (c == QLatin1Char('{') || c == QLatin1Char('(')) {
                ++depth;
                continue;
            }
            if (c == QLatin1Char(')')) {
                --depth;
                continue;
            }
            if (c == QLatin1Char('}')) {
                if (depth == 0)
                    break; // the end of the class
                if (--depth == 0) {
                    // A function defined in the class, or a nested type.
                    if (isPublic && !statement.trimmed().isEmpty())
                        ++count;
                    statement.clear();
                }
                continue;
            }
            if (depth > 0)
                continue;
            if (c == QLatin1Char(';')) {
                if (isPublic && !statement.trimmed().isEmpty())
                    ++count;
                statement.clear();
                continue;
            }
            statement += c;
            if (const auto label = access.match(statement); label.hasMatch()) {
                isPublic = label.captured(1) == QLatin1String("public");
                statement.clear();
            }
        }
        counts[head.captured(1)] = {head.captured(2), count};
    }
    return counts;
}

TEST(SourceShape, NoSourceFileIsLongerThanSixHundredLines) {
    const QStringList files = SourceFiles();
    ASSERT_GT(files.size(), 300) << SourceDir().toStdString();
    QStringList tooLong;
    for (const QString& path : files) {
        const int lines = static_cast<int>(ReadAll(path).count(QLatin1Char('\n')));
        if (lines > kMostLines)
            tooLong << QStringLiteral("%1: %2 lines").arg(path.mid(SourceDir().size() + 1)).arg(lines);
    }
    EXPECT_TRUE(tooLong.isEmpty()) << tooLong.join(QLatin1Char('\n')).toStdString();
}

TEST(SourceShape, NoClassHasMoreThanTwentyFivePublicMembers) {
    // The counter itself: members, inline bodies, nested types and the other sections.
    const auto sample = PublicMemberCounts(QStringLiteral(R"(
        class Sample : public QObject {
        public:
            Sample(int a, // a comment with a ; and a {
                   int b);
            int Inline() const { if (x) { return 1; } return 0; }
            struct Row { int a; int b; };
            enum class Kind { A, B };
        protected:
            void Hidden();
        public:
            std::function<void(int)> callback;
        private:
            const char* text = "};";
            int m_x;
        };)"));
    ASSERT_EQ(sample.count(QStringLiteral("Sample")), 1u);
    EXPECT_EQ(sample.at(QStringLiteral("Sample")).publicMembers, 5);
    EXPECT_EQ(sample.at(QStringLiteral("Sample")).bases.trimmed(), ": public QObject");

    // A contract's interface and implementations, and the record set and value the contracts pass.
    static const QRegularExpression contract(QStringLiteral(R"(\bI[A-Z][A-Za-z]+\b)"));
    const auto excepted = [&](const QString& relative, const QString& name, const ClassShape& shape) {
        return relative.startsWith(QLatin1String("contracts/")) || contract.match(shape.bases).hasMatch() ||
               (relative.startsWith(QLatin1String("platform/data/")) &&
                (name == QLatin1String("Recordset") || name == QLatin1String("Variant")));
    };
    QStringList wide;
    QStringList mainWindow;
    for (const QString& path : SourceFiles()) {
        const QString relative = path.mid(SourceDir().size() + 1);
        if (!relative.endsWith(QLatin1String(".h")))
            continue;
        for (const auto& [name, shape] : PublicMemberCounts(ReadAll(path))) {
            if (relative.startsWith(QLatin1String("main/")))
                mainWindow << name;
            if (shape.publicMembers > kMostPublicMembers && !excepted(relative, name, shape))
                wide << QStringLiteral("%1 in %2: %3 public members").arg(name, relative).arg(shape.publicMembers);
        }
    }
    for (const char* area : {"MainForm", "RecordTree", "RecordList", "SearchBand", "BirthdayList", "MainCommands"})
        EXPECT_TRUE(mainWindow.contains(QLatin1String(area))) << area;
    EXPECT_TRUE(wide.isEmpty()) << wide.join(QLatin1Char('\n')).toStdString();
}

} // namespace
