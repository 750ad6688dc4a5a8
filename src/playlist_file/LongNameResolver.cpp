#include "playlist_file/LongNameResolver.h"
#include "framework/Handles.h"
#include "playlist_file/LocalPath.h"
#include "playlist_file/PlaylistFile.h"

#include <windows.h>
#include <cwchar>

namespace {

// The file system's names compare without regard to case, by one mapping
// that no user's language changes.
std::wstring FoldedCase(const std::wstring& str)
{
    std::wstring strFolded(str.size(), L'\0');
    const int n = static_cast<int>(str.size());
    if (n > 0) ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, str.c_str(), n, &strFolded[0], n);
    return strFolded;
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The elements after "X:\", with "." dropped, ".." taking the one before it
// away (never above the root) and empty ones (doubled separators) skipped.
bool SplitBelowRoot(const std::wstring& strPath, std::vector<std::wstring>& arrElements)
{
    if (strPath.size() < 4 || strPath[1] != L':' || !IsSeparator(strPath[2])) return false;
    for (size_t nStart = 3; nStart < strPath.size();) {
        size_t nEnd = nStart;
        while (nEnd < strPath.size() && !IsSeparator(strPath[nEnd])) ++nEnd;
        const std::wstring strElement = strPath.substr(nStart, nEnd - nStart);
        if (strElement == L"..") {
            if (!arrElements.empty()) arrElements.pop_back();
        } else if (!strElement.empty() && strElement != L".") {
            arrElements.push_back(strElement);
        }
        nStart = nEnd + 1;
    }
    return !arrElements.empty();
}

}

CLongNameResolver::CLongNameResolver(const std::wstring& strDriveRoot)
    : m_strRoot(FoldedCase(strDriveRoot.substr(0, 2)))
{
}

const CLongNameResolver::CName* CLongNameResolver::CListing::Find(const std::wstring& strName) const
{
    auto found = mapByName.find(FoldedCase(strName));
    return found == mapByName.end() ? nullptr : &arrNames[found->second];
}

const CLongNameResolver::CListing& CLongNameResolver::Listing(const std::wstring& strFolder)
{
    auto found = m_mapListings.find(strFolder);
    if (found != m_mapListings.end()) return found->second;
    CListing& listing = m_mapListings[strFolder];

    WIN32_FIND_DATAW data;
    CFindHandle find(::FindFirstFileExW((strFolder + L"\\*").c_str(), FindExInfoStandard, &data,
                                        FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return listing;
    std::vector<std::wstring> arrShort;
    do {
        if (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0) continue;
        listing.arrNames.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        arrShort.push_back(data.cAlternateFileName);
    } while (::FindNextFileW(find.Get(), &data));
    // Long names first: where one element's short name equals another's
    // long name, the long name is the one the system opens.
    for (size_t i = 0; i < listing.arrNames.size(); ++i)
        listing.mapByName.emplace(FoldedCase(listing.arrNames[i].strLong), i);
    for (size_t i = 0; i < arrShort.size(); ++i) {
        if (!arrShort[i].empty()) listing.mapByName.emplace(FoldedCase(arrShort[i]), i);
    }
    return listing;
}

bool CLongNameResolver::Resolve(const std::wstring& strEntry, std::wstring& strLong)
{
    // What the reader refuses never gets here; a network or device path
    // that comes some other way is refused just the same.
    if (!IsLocalDrivePath(strEntry) || FoldedCase(strEntry.substr(0, 2)) != m_strRoot) return false;
    std::vector<std::wstring> arrElements;
    if (!SplitBelowRoot(strEntry, arrElements)) return false;

    std::wstring strFolder = m_strRoot;
    for (size_t i = 0; i < arrElements.size(); ++i) {
        const CName* pName = Listing(strFolder).Find(arrElements[i]);
        const bool bLast = i + 1 == arrElements.size();
        if (!pName || pName->bFolder == bLast) return false;
        strFolder += L'\\';
        strFolder += pName->strLong;
    }
    strLong = strFolder;
    return true;
}

int OpenPlaylistFile(const wchar_t* pszPath, const std::wstring& strDriveRoot, COpenedPlaylist& opened)
{
    opened = COpenedPlaylist();
    const int nResult = ReadPlaylistFile(pszPath, opened.arrEntries, &opened.nUnreadable);
    if (nResult != kPlaylistFileDone) return nResult;
    CLongNameResolver resolver(strDriveRoot);
    for (size_t i = 0; i < opened.arrEntries.size(); ++i) {
        std::wstring strLong;
        if (resolver.Resolve(opened.arrEntries[i], strLong))
            opened.arrEntries[i] = std::move(strLong);
        else
            opened.arrMissing.push_back(i);
    }
    return nResult;
}
