// The folders include each other downwards only: the platform stand-ins know nothing of the
// application, the contracts nothing of their implementations, the windows nothing of the main
// program. And no two folders include each other, even through others, so each can be read and
// changed from the bottom up.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <vector>

namespace {

struct Layer {
    const char* folder;
    int rank; // a folder may include only folders of a lower rank, and its own
};

// Lowest first. Folders of one rank do not include each other.
constexpr Layer kLayers[] = {
    {.folder = "platform/registry", .rank = 0},
    {.folder = "platform/shell", .rank = 0},
    {.folder = "platform/com", .rank = 1},
    {.folder = "platform/data", .rank = 2},
    {.folder = "platform/reportengine", .rank = 3},
    {.folder = "generic", .rank = 4},
    {.folder = "heading", .rank = 4},
    {.folder = "contracts", .rank = 5},
    {.folder = "common", .rank = 6},
    {.folder = "application", .rank = 7},
    {.folder = "database", .rank = 7},
    {.folder = "reports", .rank = 7},
    {.folder = "windows", .rank = 8},
    {.folder = "main", .rank = 9},
    {.folder = "fixdb", .rank = 9},
    {.folder = "tools", .rank = 9},
};

// The layer a path from the source root belongs to: the longest folder that holds it.
const Layer* LayerOf(const QString& path) {
    const Layer* found = nullptr;
    for (const Layer& layer : kLayers) {
        const QString folder = QLatin1String(layer.folder) + u'/';
        if (path.startsWith(folder) && (!found || qstrlen(layer.folder) > qstrlen(found->folder)))
            found = &layer;
    }
    return found;
}

// Folder of each source file -> folders of the project's files it includes.
std::map<QString, std::set<QString>> FolderIncludes() {
    const QDir root(QStringLiteral(AMB_SOURCE_DIR));
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^"]+)\")"),
                                            QRegularExpression::MultilineOption);
    std::map<QString, std::set<QString>> graph;
    for (const Layer& layer : kLayers) {
        QDirIterator it(root.filePath(QLatin1String(layer.folder)),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.c")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            const QString from = QFileInfo(root.relativeFilePath(file.fileName())).path();
            std::set<QString>& to = graph[from];
            for (auto match = include.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();) {
                const QString included = match.next().captured(1);
                if (LayerOf(included) && root.exists(included))
                    to.insert(QFileInfo(included).path());
            }
            to.erase(from);
        }
    }
    return graph;
}

TEST(IncludeLayers, EveryFolderIncludesOnlyLowerLayersAndNoFoldersIncludeEachOther) {
    const auto graph = FolderIncludes();
    ASSERT_GT(graph.size(), 20u) << "the source tree was not found";

    for (const auto& [from, targets] : graph) {
        const Layer* own = LayerOf(from + u'/');
        ASSERT_TRUE(own) << from.toStdString();
        for (const QString& to : targets) {
            const Layer* other = LayerOf(to + u'/');
            if (other == own)
                continue;
            EXPECT_LT(other->rank, own->rank) << from.toStdString() << " includes " << to.toStdString();
        }
    }

    // Within a layer, sub-folders (the windows' forms, say) form no cycle either.
    std::map<QString, int> state; // 1 while on the path, 2 when done
    std::vector<QString> path;
    std::function<void(const QString&)> visit = [&](const QString& folder) {
        state[folder] = 1;
        path.push_back(folder);
        const auto found = graph.find(folder);
        if (found != graph.end())
            for (const QString& next : found->second) {
                if (state[next] == 1) {
                    QStringList cycle;
                    for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it)
                        cycle << *it;
                    ADD_FAILURE() << "folders include each other: " << cycle.join(QStringLiteral(" -> ")).toStdString()
                                  << " -> " << next.toStdString();
                } else if (state[next] == 0) {
                    visit(next);
                }
            }
        path.pop_back();
        state[folder] = 2;
    };
    for (const auto& entry : graph)
        if (state[entry.first] == 0)
            visit(entry.first);
}

// The main window's areas meet only through each other's small interface, which the frame hands them:
// no area's source includes another area's header or names another area's class, and the frame
// hands out no area.
TEST(IncludeLayers, TheMainWindowsAreasMeetOnlyThroughTheFrame) {
    struct Area {
        const char* file; // main/<file>.h and .cpp
        const char* className;
    };
    static constexpr Area kAreas[] = {
        {.file = "RecordTree", .className = "RecordTree"},
        {.file = "RecordList", .className = "RecordList"},
        {.file = "Search", .className = "SearchBand"},
        {.file = "Commands", .className = "MainCommands"},
        {.file = "BirthdayList", .className = "BirthdayList"},
    };
    static_assert(std::size(kAreas) == 5);
    const QDir root(QStringLiteral(AMB_SOURCE_DIR));
    const auto read = [&](const QString& relative) {
        QFile file(root.filePath(relative));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
        return QString::fromUtf8(file.readAll());
    };
    const auto word = [](const char* name) {
        return QRegularExpression(QStringLiteral(R"(\b%1\b)").arg(QLatin1String(name)));
    };
    for (const Area& area : kAreas) {
        for (const char* suffix : {".h", ".cpp"}) {
            const QString relative = QStringLiteral("main/%1%2").arg(QLatin1String(area.file), QLatin1String(suffix));
            const QString text = read(relative);
            for (const Area& other : kAreas) {
                if (&other == &area)
                    continue;
                EXPECT_FALSE(text.contains(QStringLiteral("#include \"main/%1.h\"").arg(QLatin1String(other.file))))
                    << relative.toStdString() << " includes main/" << other.file << ".h";
                EXPECT_FALSE(text.contains(word(other.className)))
                    << relative.toStdString() << " names " << other.className;
            }
        }
    }
    // No accessor of the frame returns an area ("RecordList& List() const").
    for (const char* frame : {"main/MainForm.h", "main/MainFormHandle.h"}) {
        const QString text = read(QLatin1String(frame));
        for (const Area& area : kAreas) {
            static const QString accessor = QStringLiteral(R"(\b%1\s*[&*]\s*\w+\s*\()");
            EXPECT_FALSE(text.contains(QRegularExpression(accessor.arg(QLatin1String(area.className)))))
                << frame << " hands out " << area.className;
        }
    }
}

} // namespace
