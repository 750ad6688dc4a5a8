// The player's own icon, from the module and id the command line names,
// added to the system's image lists so that the folder tree can show it.
#pragma once

#include <windows.h>

// Adds the icon in both the small (16 px) and the large (32 px) size and
// answers its index in the small list; -1, with nothing added, when the
// module cannot be read or does not hold the icon in both sizes.
int AddDeviceIconToSystemLists(const wchar_t* moduleName, int iconId);

// Whether the icon group holds an image of exactly size x size pixels.
bool IconGroupHasSize(HMODULE hModule, const wchar_t* id, int size);
