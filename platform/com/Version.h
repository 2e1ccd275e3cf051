#pragma once

// Every deliverable carries its version as a marker text that the file-information class finds in
// the file itself, so a version is read without loading the library.
#define AMB_VERSION_MARKER_PREFIX "AMBREL-VERSION:"

#define AMB_VERSION_MARKER(NAME)                                                                                       \
    extern "C" __attribute__((visibility("default"), used)) const char NAME[] = AMB_VERSION_MARKER_PREFIX AMB_VERSION;
