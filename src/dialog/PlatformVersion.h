// Which version of the system the program runs on, read so that the answer
// does not depend on what the program's manifest declares.
#pragma once

#include <windows.h>

struct CPlatformVersion {
    DWORD dwMajor = 0;
    DWORD dwMinor = 0;
};

// The version the system itself reports; false when it cannot be read.
bool ReadPlatformVersion(CPlatformVersion& version);

// Whether the folder tree opens the device root at start: on 5.1 (XP) and
// every later version but 6.0 (Vista); never on 5.0 (2000) or earlier.
bool ExpandsRootAtStart(DWORD dwMajor, DWORD dwMinor);
