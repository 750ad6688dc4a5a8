// The player's own icon, from the module and id the command line names, for
// the folder tree to show on the device root.
#pragma once

#include "framework/Raii.h"

#include <windows.h>

// The icon for an image of size x size pixels, taken from the module's icon
// group only when the group holds it both at 16 and at 32 pixels: a module
// made for the small and the large icon of the shell. It comes at the stored
// size that suits size best (DeviceIconStoredSize); whoever draws it at size
// scales it. Null, with nothing loaded, when the module cannot be read or the
// group lacks one of the two.
CIcon LoadDeviceIcon(const wchar_t* moduleName, int iconId, int size);

// 16 up to 16 pixels; above, 32: drawn down, the large image stays sharp,
// where the small one blown up would blur.
int DeviceIconStoredSize(int size);

// Whether the icon group holds an image of exactly size x size pixels.
bool IconGroupHasSize(HMODULE hModule, const wchar_t* id, int size);
