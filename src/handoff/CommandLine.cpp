#include "handoff/CommandLine.h"
#include "framework/Strings.h"

#include <shlwapi.h>
#include <cwchar>
#include <cstdlib>
#include <string>

namespace {
bool IsOption(const wchar_t* arg, const wchar_t* option)
{
    return ::lstrcmpiW(arg, option) == 0;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Empty when the path names no local drive: a network or device path, a
// relative path, "\".
std::wstring LocalDriveRootOf(const wchar_t* value)
{
    std::wstring path = value ? value : L"";
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    // The long-path and device prefixes name the same drive; what follows
    // them may also be UNC\, a pipe or a volume name, which are no drive.
    if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) path.erase(0, 4);
    if (path.size() < 2 || !IsAsciiLetter(path[0]) || path[1] != L':') return std::wstring();
    // Whatever follows the colon (folders, "..", the quote that a quoted
    // "E:\" leaves behind) is on that drive. One spelling per drive, in
    // upper case: the instances tell their drives apart by this text.
    const wchar_t letter = path[0] >= L'a' ? static_cast<wchar_t>(path[0] - L'a' + L'A') : path[0];
    return std::wstring{letter, L':', L'\\'};
}
}  // namespace

StartMode ParseCommandLineArgs(int argc, const wchar_t* const* argv, CDeviceFields& fields)
{
    fields = CDeviceFields();
    if (argc > 1 && argv[1] && IsOption(argv[1], L"-Q")) return kStartCloseAll;

    int i = 1;
    while (i < argc - 1) {
        const wchar_t* option = argv[i];
        const wchar_t* value = argv[i + 1];
        if (IsOption(option, L"-S")) {
            CopyToBuffer(fields.m_szDeviceRoot, MAX_PATH, LocalDriveRootOf(value).c_str());
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
