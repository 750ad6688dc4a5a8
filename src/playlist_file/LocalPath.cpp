#include "playlist_file/LocalPath.h"

#include <windows.h>
#include <cwchar>

namespace {

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

}

bool IsDeviceName(const std::wstring& strName)
{
    std::wstring strStem = strName.substr(0, strName.find_first_of(L".:"));
    strStem.erase(strStem.find_last_not_of(L' ') + 1);
    for (const wchar_t* pszDevice : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (::lstrcmpiW(strStem.c_str(), pszDevice) == 0) return true;
    }
    const bool bNumbered =
        strStem.size() == 4 && strStem[3] && std::wcschr(L"0123456789\u00B9\u00B2\u00B3", strStem[3]);
    if (!bNumbered) return false;
    const std::wstring strPrefix = strStem.substr(0, 3);
    return ::lstrcmpiW(strPrefix.c_str(), L"COM") == 0 || ::lstrcmpiW(strPrefix.c_str(), L"LPT") == 0;
}

bool IsLocalDrivePath(const std::wstring& strPath)
{
    if (strPath.size() < 2 || !IsAsciiLetter(strPath[0]) || strPath[1] != L':') return false;
    for (size_t nStart = 2; nStart < strPath.size();) {
        size_t nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd])) ++nEnd;
        if (nEnd > nStart && IsDeviceName(strPath.substr(nStart, nEnd - nStart))) return false;
        nStart = nEnd + 1;
    }
    return true;
}
