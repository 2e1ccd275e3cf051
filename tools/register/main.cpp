// ambrel-register: writes (or removes) the registry entries of component libraries, so that
// their classes can be created by name. Each library registers itself through its exported
// AmbRegisterServer / AmbUnregisterServer.

#include "platform/com/LibraryRegistration.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: ambrel-register [--unregister] [--registry DIR] LIBRARY...\n"
               "Registers the component classes of each library (or with --unregister removes them).\n"
               "The registry folder is DIR, else $AMBREL_REGISTRY_DIR, else\n"
               "${XDG_CONFIG_HOME:-$HOME/.config}/ambrel/registry.\n",
               out);
}

// Returns an empty text on success, else what went wrong.
std::string Process(const std::string& argument, bool unregister) {
    QString error;
    switch (platform::com::RegisterLibrary(QString::fromLocal8Bit(argument.c_str()), unregister, error)) {
    case platform::com::LibraryRegistration::Done:
        return std::string();
    case platform::com::LibraryRegistration::NotAComponent:
        return std::string("not a component library (no ") +
               (unregister ? "AmbUnregisterServer" : "AmbRegisterServer") + ")";
    case platform::com::LibraryRegistration::Failed:
        break;
    }
    return error.toLocal8Bit().toStdString();
}

} // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    std::vector<std::string> libraries;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            PrintUsage(stdout);
            return 0;
        }
        if (argument == "--unregister" || argument == "-u") {
            unregister = true;
        } else if (argument == "--registry") {
            if (++i >= argc) {
                PrintUsage(stderr);
                return 2;
            }
            std::string folder = argv[i];
            if (!folder.empty() && folder.front() != '/') {
                const std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
                if (cwd)
                    folder = std::string(cwd.get()) + "/" + folder;
            }
            ::setenv("AMBREL_REGISTRY_DIR", folder.c_str(), 1);
        } else if (argument.starts_with("-") && argument != "-") {
            std::fprintf(stderr, "ambrel-register: unknown option %s\n", argument.c_str());
            PrintUsage(stderr);
            return 2;
        } else {
            libraries.push_back(argument);
        }
    }
    if (libraries.empty()) {
        PrintUsage(stderr);
        return 2;
    }
    int failures = 0;
    for (const std::string& library : libraries) {
        if (const std::string problem = Process(library, unregister); !problem.empty()) {
            std::fprintf(stderr, "ambrel-register: %s: %s\n", library.c_str(), problem.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
