#include "tools/setup/Setup.h"

#include "platform/com/Version.h"

AMB_VERSION_MARKER(AmbSetupVersion)

int main(int argc, char** argv) {
    return amb::setup::RunSetup(argc, argv);
}
