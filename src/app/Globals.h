// Process-wide values shared by the window classes of every folder.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

// Caption of every message box after start-up; loaded from the resource
// module once start-up has it.
extern std::wstring g_strMsgCaption;

// A box with a text of the resource module and the caption above; the
// answer is the button pressed.
int ShowAppMessage(HWND hOwner, UINT stringId, UINT type = MB_OK | MB_ICONINFORMATION);

// Full paths of the items being dragged out of the source list; they stay
// until the next drag begins, so the posted drop message can still read them.
extern std::vector<std::wstring> g_arrDragPaths;

// The device that one instance serves, as the command line gave it. Written
// once before the main window exists, read-only afterwards.
struct CDeviceFields {
    wchar_t m_szDeviceRoot[MAX_PATH] = {};
    wchar_t m_szDeviceName[MAX_PATH] = {};
    wchar_t m_szIconModule[MAX_PATH] = {};
    int m_nIconId = 0;
};

// The fields of the running application; tests may put their own in place.
const CDeviceFields& AppDeviceFields();
void SetAppDeviceFields(const CDeviceFields* pFields);
