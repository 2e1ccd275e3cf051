#pragma once

#include <QCommandLineParser>
#include <QMap>
#include <QString>
#include <QTextStream>

#include <cstdint>

namespace amb::setup {

// What every step of the installation works with, resolved from the command line, the existing
// installation and the defaults before the first step runs.
struct SetupContext {
    QCommandLineParser& parser;
    QTextStream& out;
    QString appDir;                 // the application directory being installed into
    QString registryDir;            // the folder of the registry files
    QString libDir;                 // the built libraries, the components among them
    QString shareDir;               // the resources copied into the application directory
    int32_t guiLocaleID;            // the interface language chosen (1033 or 1042)
    QMap<QString, QString> answers; // option name -> the value typed at the terminal in its place
};

// One step of the installation. `addOptions` and `check` may be null. `check` runs for every step
// before any step changes anything, so a bad option leaves the machine as it was. `run` must be
// safe to repeat: a second installation keeps what the first one and the user made.
struct SetupStep {
    const char* name;
    void (*addOptions)(QCommandLineParser& parser) = nullptr;       // none: the step has no options of its own
    bool (*check)(SetupContext& context, QString& error) = nullptr; // none: nothing to check first
    bool (*run)(SetupContext& context, QString& error);
};

} // namespace amb::setup
