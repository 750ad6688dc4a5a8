// Turns the command line into the device fields and the start mode.
#pragma once

#include "handoff/DeviceFields.h"

enum StartMode {
    kStartNothing = 0,      // no usable device: the start ends silently
    kStartDevice = 1,       // a device root that exists was given
    kStartCloseAll = 2,     // "-Q": ask every running instance to close
};

// argv[0] is the program. Clears the fields first; an option in the last
// position is never read, since it would have no value. The device root is
// always a drive root, "E:\" in upper case, whatever spelling of a path on
// that drive "-S" gave; a value that names no local drive leaves it empty.
StartMode ParseCommandLineArgs(int argc, const wchar_t* const* argv, CDeviceFields& fields);
