// Whether a device-change notification says that the drive of the device
// root was removed.
#pragma once

#include <windows.h>
#include <dbt.h>

// Drives A: and B: are never the device; notifications flagged as media or
// network changes are not a removal of the drive itself.
bool IsDeviceRootRemoved(WPARAM event, const DEV_BROADCAST_HDR* header, const wchar_t* deviceRoot);
