#include "framework/Dpi.h"
#include "framework/Raii.h"

namespace {

template <typename Function>
Function User32Function(const char* name)
{
    HMODULE hUser32 = ::GetModuleHandleW(L"user32.dll");
    return hUser32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(hUser32, name)))
                   : nullptr;
}

UINT DisplayDpi(HWND hWnd)
{
    CWindowDc dc(hWnd);
    const int dpi = dc ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

UINT WindowDpi(HWND hWnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const GetDpiForWindowFn getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = getDpiForWindow && hWnd ? getDpiForWindow(hWnd) : 0;
    return dpi ? dpi : DisplayDpi(hWnd);
}

int SystemMetricForDpi(int index, UINT dpi)
{
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const GetSystemMetricsForDpiFn getMetricForDpi =
        User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (getMetricForDpi) return getMetricForDpi(index, dpi);
    // Before Windows 10 every window is at the display's DPI.
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(DisplayDpi(nullptr)));
}
