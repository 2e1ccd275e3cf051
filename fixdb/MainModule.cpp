#include "fixdb/MainModule.h"

#include "platform/com/Error.h"

#include <cstdio>
#include <exception>

namespace amb::fixdb {

namespace {

const QString kFixTitle = QStringLiteral("Ambrel Database Fix");
const QString kStatusTitle = QStringLiteral("Status");

struct Counts {
    int repaired = 0;
    int missing = 0;
    int failed = 0;
};

// One line per file: its path and what was found.
QString FixEach(const QStringList& paths, Counts& counts) {
    QStringList lines;
    for (const QString& path : paths) {
        QString reason;
        switch (FixDatabase(path, reason)) {
        case kRepaired:
            ++counts.repaired;
            lines << path + QStringLiteral(": repaired");
            break;
        case kMissing:
            ++counts.missing;
            lines << path + QStringLiteral(": missing");
            break;
        default:
            ++counts.failed;
            // SQLite's descriptions may span lines; the report keeps one line per file.
            lines << path + QStringLiteral(": failed: ") + reason.simplified();
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// Returns the exit status; `show` is called once unless the run is silent.
template <typename Show> int Run(Show&& show) {
    try {
        const QStringList paths = FindDatabases();
        if (paths.isEmpty()) {
            show(QStringLiteral("There were no database (s) to fix!"), MessageIcon::Information, kStatusTitle);
            return 0;
        }
        Counts counts;
        const QString lines = FixEach(paths, counts);
        if (counts.failed == 0 && counts.repaired > 0) {
            show(QStringLiteral("The Ambrel database fixed successfully!\n") + lines, MessageIcon::Information,
                 kFixTitle);
            return 0;
        }
        const QString heading = counts.repaired + counts.failed == 0
                                    ? QStringLiteral("No Ambrel database file was found.\n")
                                    : QStringLiteral("Not every Ambrel database could be fixed.\n");
        show(heading + lines, MessageIcon::Critical, kFixTitle);
        return 1;
    } catch (const platform::Error& error) {
        show(QStringLiteral("System error occured during application execution: \n\n") + error.Description(),
             MessageIcon::Critical, kStatusTitle);
    } catch (const std::exception& error) {
        show(QStringLiteral("System error occured during application execution: \n\n") +
                 QString::fromLocal8Bit(error.what()),
             MessageIcon::Critical, kStatusTitle);
    }
    return 1;
}

} // namespace

void StandardErrorMessages::Show(const QString& prompt, MessageIcon, const QString& title) {
    std::fprintf(stderr, "%s\n%s\n", title.toLocal8Bit().constData(), prompt.toLocal8Bit().constData());
    std::fflush(stderr);
}

bool IsSilent(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' ')).toLower().contains(QStringLiteral("/s"));
}

int Main(const QStringList& arguments, IMessageBoxes& messages) {
    const bool silent = IsSilent(arguments);
    return Run([&](const QString& prompt, MessageIcon icon, const QString& title) {
        if (!silent)
            messages.Show(prompt, icon, title);
    });
}

} // namespace amb::fixdb
