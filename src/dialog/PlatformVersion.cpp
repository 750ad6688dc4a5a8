#include "dialog/PlatformVersion.h"

namespace {
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
}

// GetVersionExW answers the version that the manifest declares support for:
// without an entry for 8.1 or later those systems report 6.2, and with an
// entry for 10 they report 10.0. RtlGetVersion answers the system's own
// numbers whatever the manifest holds.
bool ReadPlatformVersion(CPlatformVersion& version)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    HMODULE hNtDll = ::GetModuleHandleW(L"ntdll.dll");
    RtlGetVersionFn rtlGetVersion = hNtDll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                                                 ::GetProcAddress(hNtDll, "RtlGetVersion")))
                                           : nullptr;
    bool known = rtlGetVersion ? rtlGetVersion(&info) == 0 : ::GetVersionExW(&info) != FALSE;
    if (!known) return false;
    version.dwMajor = info.dwMajorVersion;
    version.dwMinor = info.dwMinorVersion;
    return true;
}

bool ExpandsRootAtStart(DWORD dwMajor, DWORD dwMinor)
{
    if (dwMajor < 5) return false;
    if (dwMajor == 5 || dwMajor == 6) return dwMinor != 0;
    return true;
}
