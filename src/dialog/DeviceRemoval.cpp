#include "dialog/DeviceRemoval.h"

#include <shlwapi.h>

bool IsDeviceRootRemoved(WPARAM event, const DEV_BROADCAST_HDR* header, const wchar_t* deviceRoot)
{
    if (event != DBT_DEVICEREMOVECOMPLETE || !header || header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return false;
    // A header too short for a volume record has no volume fields to read.
    if (header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return false;
    const DEV_BROADCAST_VOLUME* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    if (volume->dbcv_flags == DBTF_MEDIA || volume->dbcv_flags == DBTF_NET) return false;

    for (int bit = 2; bit < 26; ++bit) {
        if (!(volume->dbcv_unitmask & (1u << bit))) continue;
        wchar_t driveRoot[] = L"A:\\";
        driveRoot[0] = static_cast<wchar_t>(L'A' + bit);
        if (::PathIsSameRootW(driveRoot, deviceRoot)) return true;
    }
    return false;
}
