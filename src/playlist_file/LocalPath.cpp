#include "playlist_file/LocalPath.h"

namespace {

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// Device names are ASCII, so the comparison folds a to z only; it runs for
// every element of every entry, so it stays free of the system's
// locale-aware comparisons.
bool EqualsIgnoringAsciiCase(const wchar_t* p, size_t n, const char* pszUpper)
{
    for (size_t i = 0; i < n; ++i) {
        const wchar_t c = p[i] >= L'a' && p[i] <= L'z' ? static_cast<wchar_t>(p[i] - L'a' + L'A') : p[i];
        if (pszUpper[i] == '\0' || c != static_cast<unsigned char>(pszUpper[i])) return false;
    }
    return pszUpper[n] == '\0';
}

bool IsDeviceStem(const wchar_t* p, size_t n)
{
    if (n == 4) {
        const bool bNumbered = (p[3] >= L'0' && p[3] <= L'9') || p[3] == L'\u00B9' || p[3] == L'\u00B2' ||
                               p[3] == L'\u00B3';
        return bNumbered && (EqualsIgnoringAsciiCase(p, 3, "COM") || EqualsIgnoringAsciiCase(p, 3, "LPT"));
    }
    for (const char* pszDevice : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (EqualsIgnoringAsciiCase(p, n, pszDevice)) return true;
    }
    return false;
}

// The stem is what comes before the first dot (or a stream's colon), without
// the spaces before it.
bool IsDeviceElement(const wchar_t* p, size_t n)
{
    size_t nStem = 0;
    while (nStem < n && p[nStem] != L'.' && p[nStem] != L':') ++nStem;
    while (nStem > 0 && p[nStem - 1] == L' ') --nStem;
    return nStem >= 3 && nStem <= 7 && IsDeviceStem(p, nStem);
}

}

bool IsDeviceName(const std::wstring& strName)
{
    return IsDeviceElement(strName.data(), strName.size());
}

bool IsLocalDrivePath(const std::wstring& strPath)
{
    if (strPath.size() < 2 || !IsAsciiLetter(strPath[0]) || strPath[1] != L':') return false;
    for (size_t nStart = 2; nStart < strPath.size();) {
        size_t nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd])) ++nEnd;
        if (IsDeviceElement(strPath.data() + nStart, nEnd - nStart)) return false;
        nStart = nEnd + 1;
    }
    return true;
}

bool ToLocalDrivePath(const std::wstring& strPath, std::wstring& strLocal)
{
    if (strPath.size() < 2 || !IsAsciiLetter(strPath[0]) || strPath[1] != L':') return false;
    std::wstring strOut;
    strOut.reserve(strPath.size() + 1);
    strOut.assign(strPath, 0, 2);
    for (size_t nStart = 2; nStart < strPath.size();) {
        size_t nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd])) ++nEnd;
        const wchar_t* p = strPath.data() + nStart;
        const size_t n = nEnd - nStart;
        nStart = nEnd + 1;
        if (n == 0 || (n == 1 && p[0] == L'.')) continue;
        if (n == 2 && p[0] == L'.' && p[1] == L'.') {
            // Every kept element starts with the one backslash before it.
            if (strOut.size() > 2) strOut.resize(strOut.rfind(L'\\'));
            continue;
        }
        strOut += L'\\';
        strOut.append(p, n);
    }
    if (strOut.size() == 2) strOut += L'\\';
    if (!IsLocalDrivePath(strOut)) return false;
    strLocal = std::move(strOut);
    return true;
}
