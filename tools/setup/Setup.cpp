#include "tools/setup/Setup.h"

#include "tools/setup/Administrator.h"
#include "tools/setup/Components.h"
#include "tools/setup/Database.h"
#include "tools/setup/Folders.h"
#include "tools/setup/Modes.h"
#include "tools/setup/Preflight.h"
#include "tools/setup/Settings.h"
#include "tools/setup/SetupContext.h"

#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <iterator>

#include <sys/stat.h>

namespace amb::setup {

namespace {

// The installation, in order. A step that needs another's result comes after it. Creating the
// database and its first administrator account belong at the end, once folders and settings exist;
// a step's own options are added by its addOptions and checked by its check before anything runs.
const SetupStep kSteps[] = {
    {.name = "folders", .run = &CreateFolders},
    {.name = "resources", .run = &CopyResources},
    {.name = "settings", .addOptions = &AddSettingOptions, .check = &CheckSettings, .run = &WriteSettings},
    {.name = "components", .run = &RegisterComponents},
    {.name = "component names", .run = &WriteComponentNames},
    {.name = "database", .run = &CreateDatabaseFile},
    {.name = "administrator",
     .addOptions = &AddAdministratorOptions,
     .check = &CheckAdministrator,
     .run = &CreateAdministrator},
    {.name = "private modes", .run = &MakePrivate},
    {.name = "private settings", .run = &MakeSettingsPrivate},
};

enum ExitCode { Success = 0, StepFailed = 1, BadCommandLine = 2 };

QString DefaultAppDir() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(base).filePath(QStringLiteral("Ambrel"));
}

QString NextToProgram(const QString& relative) {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(relative));
}

QString Absolute(const QString& path) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

} // namespace

int RunSetup(int argc, char** argv) {
    // Everything the installer creates (AppDir, db.mdb, settings) is its owner's alone.
    ::umask(077);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ambrel-setup"));
    QCoreApplication::setApplicationVersion(QStringLiteral(AMB_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Installs Ambrel for this user, or repairs an installation. "
                                                    "Settings and data of an earlier installation are kept.\n"
                                                    "Exit status: 0 done, 1 a step failed (or the installation "
                                                    "found cannot be read), 2 bad command line."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("appdir"),
         QStringLiteral("The application directory (default: the one installed before, "
                        "else ${XDG_DATA_HOME:-~/.local/share}/Ambrel)."),
         QStringLiteral("dir")},
        {QStringLiteral("switch-appdir"), QStringLiteral("Install into --appdir although an earlier installation's "
                                                         "database is elsewhere (that database stays where it is).")},
        {QStringLiteral("registry"),
         QStringLiteral("The folder of the registry files (default: $AMBREL_REGISTRY_DIR, "
                        "else ${XDG_CONFIG_HOME:-~/.config}/ambrel/registry)."),
         QStringLiteral("dir")},
        {QStringLiteral("libdir"),
         QStringLiteral("The component libraries (default: ../lib/ambrel next to this program)."),
         QStringLiteral("dir")},
        {QStringLiteral("share"),
         QStringLiteral("The resources to install (default: ../share/ambrel next to this program)."),
         QStringLiteral("dir")},
    });
    for (const SetupStep& step : kSteps) {
        if (step.addOptions)
            step.addOptions(parser);
    }
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "ambrel-setup: " << parser.errorText() << Qt::endl << "Try ambrel-setup --help." << Qt::endl;
        return BadCommandLine;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        out << parser.helpText();
        return Success;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return Success;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "ambrel-setup: unexpected argument " << parser.positionalArguments().first() << Qt::endl;
        return BadCommandLine;
    }

    // Every registry call of this process, the components' own registration included, goes to
    // the chosen folder.
    if (parser.isSet(QStringLiteral("registry")))
        qputenv("AMBREL_REGISTRY_DIR", QFile::encodeName(Absolute(parser.value(QStringLiteral("registry")))));

    // The installation there is read before anything is decided from it: a file that cannot be read
    // must not pass for a missing installation.
    QString error;
    if (!CheckRegistryFiles(error)) {
        err << "ambrel-setup: " << error << Qt::endl;
        return StepFailed;
    }

    const QString installedAppDir = InstalledAppDir();
    SetupContext context{parser, out, {}, platform::registry::RegistryDir(), {}, {}, 1033, {}};
    context.appDir = parser.isSet(QStringLiteral("appdir")) ? parser.value(QStringLiteral("appdir")) : installedAppDir;
    if (context.appDir.isEmpty())
        context.appDir = DefaultAppDir();
    context.appDir = Absolute(context.appDir);
    context.libDir = Absolute(parser.isSet(QStringLiteral("libdir")) ? parser.value(QStringLiteral("libdir"))
                                                                     : NextToProgram(QStringLiteral("../lib/ambrel")));
    context.shareDir =
        Absolute(parser.isSet(QStringLiteral("share")) ? parser.value(QStringLiteral("share"))
                                                       : NextToProgram(QStringLiteral("../share/ambrel")));
    if (parser.isSet(QStringLiteral("language")))
        context.guiLocaleID = parser.value(QStringLiteral("language")).trimmed().toInt();
    else if (const int32_t installed = InstalledGUILocaleID(); installed == 1033 || installed == 1042)
        context.guiLocaleID = installed;

    for (const QString& folder : {context.libDir, context.shareDir}) {
        if (!QFileInfo(folder).isDir()) {
            err << "ambrel-setup: the folder " << folder << " does not exist" << Qt::endl;
            return BadCommandLine;
        }
    }
    QString switchNote;
    if (!CheckAppDirSwitch(context, installedAppDir, parser.isSet(QStringLiteral("switch-appdir")), error,
                           switchNote) ||
        !CheckExistingDatabase(context, error)) {
        err << "ambrel-setup: " << error << Qt::endl;
        return StepFailed;
    }
    for (const SetupStep& step : kSteps) {
        if (step.check && !step.check(context, error)) {
            err << "ambrel-setup: " << error << Qt::endl;
            return BadCommandLine;
        }
    }

    out << "Installing Ambrel into " << context.appDir << Qt::endl;
    out << "Registry: " << context.registryDir << Qt::endl;
    if (!switchNote.isEmpty())
        out << "Note: " << switchNote << Qt::endl;
    for (const SetupStep& step : kSteps) {
        error.clear();
        out << "- " << step.name << Qt::endl;
        bool done = false;
        try {
            done = step.run(context, error);
        } catch (const std::exception& e) {
            error = QString::fromLocal8Bit(e.what());
        } catch (...) {
            error = QStringLiteral("unexpected failure");
        }
        if (!done) {
            err << "ambrel-setup: " << step.name << " failed: " << error << Qt::endl;
            return StepFailed;
        }
    }
    out << "Ambrel is installed." << Qt::endl;
    return Success;
}

} // namespace amb::setup
