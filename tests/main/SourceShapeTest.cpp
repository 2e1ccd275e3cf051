// The source tree stays in small pieces: no source file over 600 lines, no class with more than 25
// public members and none with more than 60 members in all. The contracts, the classes that implement
// them and the data types they pass are as wide as the contracts make them.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <iterator>
#include <map>
#include <vector>

namespace {

constexpr int kMostLines = 600;
constexpr int kMostPublicMembers = 25;
constexpr int kMostMembers = 60;

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
    QString name;
    QString bases;
    bool isStruct = false;
    int publicMembers = 0;
    int members = 0; // every section: functions, data, nested types (one each)
};

// Qt's class macros: Q_OBJECT and its kind declare members of their own that nobody writes by hand.
QString WithoutQtMacros(const QString& code) {
    static const QRegularExpression macros(QStringLiteral(
        R"(\bQ_(?:OBJECT|GADGET|INVOKABLE)\b|\bQ_(?:PROPERTY|ENUM|FLAG|INTERFACES|DISABLE_COPY\w*|DECLARE_\w+)\s*\((?:[^()]|\([^()]*\))*\)\s*;?)"));
    QString bare = code;
    bare.replace(macros, QStringLiteral(" "));
    return bare;
}

// The members of each class and struct of a source text: declarations at the class body's own level,
// each ended by its semicolon or by the body of a function or nested type. Friends and static_asserts
// are not members; the access labels (also Qt's signals and slots) only say which members are public.
std::vector<ClassShape> ClassShapes(const QString& source) {
    std::vector<ClassShape> shapes;
    const QString code = WithoutQtMacros(CodeOnly(source));
    static const QRegularExpression classHead(
        QStringLiteral(R"((?<!enum\s)\b(class|struct)\s+(\w+)\s*(?:final\s*)?(:[^;{}()]*)?\{)"));
    static const QRegularExpression access(
        QStringLiteral(R"(\b(public|protected|private|signals|Q_SIGNALS)(?:\s+(?:slots|Q_SLOTS))?\s*:(?!:))"));
    static const QRegularExpression notMember(QStringLiteral(R"(^\s*(?:friend|static_assert)\b)"));
    for (auto heads = classHead.globalMatch(code); heads.hasNext();) {
        const auto head = heads.next();
        ClassShape shape{.name = head.captured(2),
                         .bases = head.captured(3),
                         .isStruct = head.captured(1) == QLatin1String("struct")};
        bool isPublic = shape.isStruct;
        int depth = 0;
        QString statement;
        const auto ended = [&] {
            if (!statement.trimmed().isEmpty() && !notMember.match(statement).hasMatch()) {
                ++shape.members;
                if (isPublic)
                    ++shape.publicMembers;
            }
            statement.clear();
        };
        for (qsizetype i = head.capturedEnd(); i < code.size(); ++i) {
            const QChar c = code[i];
            if (c == QLatin1Char('{') || c == QLatin1Char('(')) {
                ++depth;
                statement += c;
                continue;
            }
            if (c == QLatin1Char(')')) {
                --depth;
                continue;
            }
            if (c == QLatin1Char('}')) {
                if (depth == 0)
                    break; // the end of the class
                if (--depth > 0)
                    continue;
                // A body or braced value ends its member unless a ';', ',' or body of its own follows
                // (a nested type's declaration, a member initialiser).
                qsizetype next = i + 1;
                while (next < code.size() && code[next].isSpace())
                    ++next;
                if (next == code.size() || !QStringLiteral(";,{").contains(code[next]))
                    ended();
                continue;
            }
            if (depth > 0)
                continue;
            if (c == QLatin1Char(';')) {
                ended();
                continue;
            }
            statement += c;
            if (const auto label = access.match(statement); label.hasMatch()) {
                isPublic = label.captured(1) != QLatin1String("protected") &&
                           label.captured(1) != QLatin1String("private"); // signals are public
                statement.clear();
            }
        }
        shapes.push_back(shape);
    }
    return shapes;
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

// Each class of the tree's C++ files, with the file it stands in (relative to the source folder).
struct FoundClass {
    QString file;
    ClassShape shape;
};
std::vector<FoundClass> TreeClasses(bool headersOnly) {
    std::vector<FoundClass> found;
    for (const QString& path : SourceFiles()) {
        const QString relative = path.mid(SourceDir().size() + 1);
        if (headersOnly && !relative.endsWith(QLatin1String(".h")))
            continue;
        for (ClassShape& shape : ClassShapes(ReadAll(path)))
            found.push_back({.file = relative, .shape = std::move(shape)});
    }
    return found;
}

TEST(SourceShape, CounterCountsEveryMemberOfEachClass) {
    struct Case {
        const char* what;
        const char* text;
        const char* name;
        int members;
        int publicMembers;
    };
    static constexpr Case kCases[] = {
        {.what = "sections, nested types, inline bodies, literals and comments",
         .text = R"(
            class Sample : public QObject {
                Q_)" /* split so that moc does not take the test for a QObject */ R"(OBJECT
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
                int m_x{0};
                friend class Other;
                static_assert(sizeof(int) == 4);
            };)",
         .name = "Sample",
         .members = 8,
         .publicMembers = 5},
        {.what = "a class starts private, a struct public; a nested class is counted on its own too",
         .text = "struct Outer { int a; class Inner { int b; public: int c; void D(); }; int e; };",
         .name = "Inner",
         .members = 3,
         .publicMembers = 2},
        {.what = "the outer struct counts its nested class as one",
         .text = "struct Outer { int a; class Inner { int b; public: int c; void D(); }; int e; };",
         .name = "Outer",
         .members = 3,
         .publicMembers = 3},
        {.what = "signals are public, slots take their section's access",
         .text = R"(
            class Box final : public QWidget {
                Q_)"
                 R"(OBJECT
                Q_PROPERTY(int value READ Value WRITE SetValue)
            signals:
                void Changed(int value);
            private slots:
                void OnClicked();
                void OnTyped(const QString& text);
            public Q_SLOTS:
                void SetValue(int value);
            };)",
         .name = "Box",
         .members = 4,
         .publicMembers = 2},
        {.what = "a constructor's member initialisers with braces, a lambda default, a deleted copy",
         .text = R"(
            class Holder {
            public:
                explicit Holder(int a)
                    : m_a{a},
                      m_b(a) {}
                Holder(const Holder&) = delete;
                std::function<void()> done = [] { Log({1, 2}); };
                std::map<int,
                         QString>
                    m_names;
            private:
                struct { int x; } m_loose;
                int m_a;
                int m_b;
            };)",
         .name = "Holder",
         .members = 8,
         .publicMembers = 4},
    };
    static_assert(std::size(kCases) == 5);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const std::vector<ClassShape> shapes = ClassShapes(QString::fromUtf8(c.text));
        const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                        [&](const ClassShape& s) { return s.name == QLatin1String(c.name); });
        ASSERT_NE(shape, shapes.end());
        EXPECT_EQ(shape->members, c.members);
        EXPECT_EQ(shape->publicMembers, c.publicMembers);
    }
    const auto sample = ClassShapes(QString::fromUtf8(kCases[0].text));
    EXPECT_EQ(sample.at(0).bases.trimmed(), QStringLiteral(": public QObject"));
}

TEST(SourceShape, NoClassHasMoreThanTwentyFivePublicMembers) {
    // A contract's interface and implementations, and the record set and value the contracts pass.
    static const QRegularExpression contract(QStringLiteral(R"(\bI[A-Z][A-Za-z]+\b)"));
    const auto excepted = [&](const FoundClass& found) {
        return found.file.startsWith(QLatin1String("contracts/")) || contract.match(found.shape.bases).hasMatch() ||
               (found.file.startsWith(QLatin1String("platform/data/")) &&
                (found.shape.name == QLatin1String("Recordset") || found.shape.name == QLatin1String("Variant")));
    };
    QStringList wide;
    QStringList mainWindow;
    for (const FoundClass& found : TreeClasses(true)) {
        if (found.file.startsWith(QLatin1String("main/")))
            mainWindow << found.shape.name;
        if (!found.shape.isStruct && found.shape.publicMembers > kMostPublicMembers && !excepted(found))
            wide << QStringLiteral("%1 in %2: %3 public members")
                        .arg(found.shape.name, found.file)
                        .arg(found.shape.publicMembers);
    }
    for (const char* area : {"MainForm", "RecordTree", "RecordList", "SearchBand", "BirthdayList", "MainCommands"})
        EXPECT_TRUE(mainWindow.contains(QLatin1String(area))) << area;
    EXPECT_TRUE(wide.isEmpty()) << wide.join(QLatin1Char('\n')).toStdString();
}

TEST(SourceShape, NoClassHasMoreThanSixtyMembers) {
    struct Exemption {
        const char* file;
        const char* name;
        const char* why;
    };
    // Wide by design: each member is a call the rest of the program makes of it.
    static constexpr Exemption kWideByDesign[] = {
        {.file = "database/Manager.h",
         .name = "Manager",
         .why = "the database manager's facade: one member per database call, nothing else speaks SQL"},
    };
    static_assert(std::size(kWideByDesign) == 1);
    const auto wideByDesign = [](const FoundClass& found) {
        return std::any_of(std::begin(kWideByDesign), std::end(kWideByDesign), [&](const Exemption& e) {
            return found.file == QLatin1String(e.file) && found.shape.name == QLatin1String(e.name);
        });
    };

    const std::vector<FoundClass> classes = TreeClasses(false);
    // The contracts are as wide as the program's parts need; a class that implements one may be as
    // much wider as the contract is.
    std::map<QString, int> contractWidth;
    for (const FoundClass& found : classes)
        if (found.file.startsWith(QLatin1String("contracts/")))
            contractWidth[found.shape.name] = found.shape.members;
    ASSERT_GT(contractWidth.count(QStringLiteral("IDatabaseManager")), 0u);
    static const QRegularExpression baseName(QStringLiteral(R"(\b\w+\b)"));
    const auto allowed = [&](const FoundClass& found) {
        int most = kMostMembers;
        for (auto names = baseName.globalMatch(found.shape.bases); names.hasNext();)
            if (const auto width = contractWidth.find(names.next().captured()); width != contractWidth.end())
                most += width->second;
        return most;
    };

    QStringList wide;
    for (const FoundClass& found : classes)
        if (found.shape.members > allowed(found) && !found.file.startsWith(QLatin1String("contracts/")) &&
            !wideByDesign(found))
            wide << QStringLiteral("%1 in %2: %3 members").arg(found.shape.name, found.file).arg(found.shape.members);
    EXPECT_TRUE(wide.isEmpty()) << wide.join(QLatin1Char('\n')).toStdString();
}

} // namespace
