#include "handoff/CommandLine.h"
#include "framework/Strings.h"

#include <shlwapi.h>
#include <cwchar>
#include <cstdlib>

namespace {
bool IsOption(const wchar_t* arg, const wchar_t* option)
{
    return ::lstrcmpiW(arg, option) == 0;
}

void SetDeviceRoot(CDeviceFields& fields, const wchar_t* value)
{
    ::lstrcpynW(fields.m_szDeviceRoot, value, MAX_PATH);
    ::PathAddBackslashW(fields.m_szDeviceRoot);
    ::PathStripToRootW(fields.m_szDeviceRoot);
}
}

StartMode ParseCommandLineArgs(int argc, const wchar_t* const* argv, CDeviceFields& fields)
{
    fields = CDeviceFields();
    if (argc > 1 && argv[1] && IsOption(argv[1], L"-Q")) return kStartCloseAll;

    int i = 1;
    while (i < argc - 1) {
        const wchar_t* option = argv[i];
        const wchar_t* value = argv[i + 1];
        if (IsOption(option, L"-S")) {
            SetDeviceRoot(fields, value);
            i += 2;
        } else if (IsOption(option, L"-N")) {
            CopyToBuffer(fields.m_szDeviceName, MAX_PATH, value);
            i += 2;
        } else if (IsOption(option, L"-C")) {
            // A value that names nothing is read as the next option.
            if (::PathFileExistsW(value)) {
                CopyToBuffer(fields.m_szIconModule, MAX_PATH, value);
                i += 2;
            } else {
                i += 1;
            }
        } else if (IsOption(option, L"-I")) {
            fields.m_nIconId = static_cast<int>(::_wtol(value));
            i += 2;
        } else {
            i += 1;
        }
    }
    return fields.m_szDeviceRoot[0] && ::PathFileExistsW(fields.m_szDeviceRoot) ? kStartDevice
                                                                                  : kStartNothing;
}
