// The device that one instance serves, as the command line gave it.
#pragma once

#include <windows.h>

// Written once before the main window exists, read-only afterwards.
struct CDeviceFields {
    wchar_t m_szDeviceRoot[MAX_PATH] = {};
    wchar_t m_szDeviceName[MAX_PATH] = {};
    wchar_t m_szIconModule[MAX_PATH] = {};
    int m_nIconId = 0;
};

// The fields of the running application; tests may put their own in place.
const CDeviceFields& AppDeviceFields();
void SetAppDeviceFields(const CDeviceFields* pFields);
