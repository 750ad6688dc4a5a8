// The DPI a window is shown at, for what the program sizes in pixels itself.
// The program declares per-monitor awareness: each window may be shown at
// another DPI than the system's, and learns of a change by WM_DPICHANGED.
#pragma once

#include <windows.h>

// The window's DPI: asked per window where the system can say it (Windows 10
// from 1607 on), else the display's DPI. The newer call is looked up at run
// time, so the program still starts on Windows 7.
UINT WindowDpi(HWND hWnd);

// A length given in pixels at 96 DPI, at dpi.
inline int ScaleForDpi(int pixelsAt96, UINT dpi)
{
    return ::MulDiv(pixelsAt96, static_cast<int>(dpi), 96);
}

// A system metric (SM_CXSMICON, say) at dpi rather than at the system's DPI.
int SystemMetricForDpi(int index, UINT dpi);
