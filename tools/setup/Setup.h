#pragma once

namespace amb::setup {

// Installs Ambrel as the command line says; returns the program's exit code.
int RunSetup(int argc, char** argv);

} // namespace amb::setup
