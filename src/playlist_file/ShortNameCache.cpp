#include "playlist_file/ShortNameCache.h"
#include "framework/Handles.h"
#include "playlist_file/LocalPath.h"

#include <windows.h>
#include <shlwapi.h>
#include <algorithm>
#include <cwchar>

namespace {

int CompareNoCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) - CSTR_EQUAL;
}

// "X:\name\name...": the only form the cache answers. Everything else (UNC,
// forward slashes, "." or "..", empty components, streams, names the system
// trims such as "A.MP3.") goes to the system itself.
bool IsPlainDrivePath(const std::wstring& strPath)
{
    const size_t n = strPath.size();
    if (n < 4 || n >= MAX_PATH) return false;
    const wchar_t drive = strPath[0];
    if (!((drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z'))) return false;
    if (strPath[1] != L':' || strPath[2] != L'\\') return false;
    for (size_t nStart = 3; nStart <= n;) {
        size_t nEnd = strPath.find(L'\\', nStart);
        if (nEnd == std::wstring::npos) nEnd = n;
        if (nEnd == nStart) return false;
        const wchar_t last = strPath[nEnd - 1];
        if (last == L'.' || last == L' ') return false;
        for (size_t i = nStart; i < nEnd; ++i) {
            if (strPath[i] == L'/' || strPath[i] == L':') return false;
        }
        nStart = nEnd + 1;
    }
    return true;
}

bool ResolveBySystem(const std::wstring& strPath, std::wstring& strShort)
{
    if (!::PathFileExistsW(strPath.c_str())) return false;
    wchar_t szShort[MAX_PATH];
    const DWORD n = ::GetShortPathNameW(strPath.c_str(), szShort, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        strShort = szShort;
    else
        strShort = strPath;
    return true;
}

}

const std::wstring& CShortNameCache::CFolder::KeyText(const CKey& key) const
{
    const CName& name = arrNames[key.nName];
    return key.bShort ? name.strShort : name.strLong;
}

// Among names that differ only in case (possible on a case-sensitive host file
// system), the system takes an exact match first, then the first one listed.
const CShortNameCache::CName* CShortNameCache::CFolder::Find(const std::wstring& strName) const
{
    auto it = std::lower_bound(arrIndex.begin(), arrIndex.end(), strName,
                               [this](const CKey& key, const std::wstring& s) {
                                   return CompareNoCase(KeyText(key), s) < 0;
                               });
    const CName* pFirst = nullptr;
    for (; it != arrIndex.end() && CompareNoCase(KeyText(*it), strName) == 0; ++it) {
        const CName* pName = &arrNames[it->nName];
        if (!it->bShort && pName->strLong == strName) return pName;
        if (!pFirst) pFirst = pName;
    }
    return pFirst;
}

CShortNameCache::CFolder& CShortNameCache::Folder(const std::wstring& strFolder)
{
    auto found = m_mapFolders.find(strFolder);
    if (found != m_mapFolders.end()) return found->second;
    // Elements of the map keep their address, so callers may hold on to one
    // while others are added.
    CFolder& folder = m_mapFolders[strFolder];

    const std::wstring strPattern = strFolder + L"\\*";
    WIN32_FIND_DATAW data;
    // FindExInfoStandard: the basic level leaves out the short names.
    CFindHandle find(::FindFirstFileExW(strPattern.c_str(), FindExInfoStandard, &data,
                                        FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return folder;
    do {
        if (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0) continue;
        folder.arrNames.push_back({data.cFileName, data.cAlternateFileName});
    } while (::FindNextFileW(find.Get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES) {
        folder.arrNames.clear();
        return folder;
    }

    for (size_t i = 0; i < folder.arrNames.size(); ++i) {
        folder.arrIndex.push_back({i, false});
        if (!folder.arrNames[i].strShort.empty()) folder.arrIndex.push_back({i, true});
    }
    std::stable_sort(folder.arrIndex.begin(), folder.arrIndex.end(),
                     [&folder](const CKey& a, const CKey& b) {
                         return CompareNoCase(folder.KeyText(a), folder.KeyText(b)) < 0;
                     });
    folder.bListed = true;
    return folder;
}

// A network letter would take the question to its server with the user's
// credentials; a letter with no drive behind it has no files. Other letters
// may be empty card readers, whose "no disk" box the program turns off.
bool CShortNameCache::MayAsk(wchar_t drive)
{
    const size_t nLetter = static_cast<size_t>((drive | 0x20) - L'a');
    DriveUse& use = m_arrDrives[nLetter];
    if (use == DriveUse::kNotAsked) {
        const wchar_t szRoot[] = {drive, L':', L'\\', L'\0'};
        const UINT nType = ::GetDriveTypeW(szRoot);
        use = nType == DRIVE_REMOTE || nType == DRIVE_NO_ROOT_DIR || nType == DRIVE_UNKNOWN ? DriveUse::kLeaveAlone
                                                                                             : DriveUse::kAsk;
    }
    return use == DriveUse::kAsk;
}

bool CShortNameCache::Resolve(const std::wstring& strPath, std::wstring& strShort)
{
    if (!IsLocalDrivePath(strPath) || !MayAsk(strPath[0])) return false;
    return IsPlainDrivePath(strPath) ? ResolvePlain(strPath, strShort) : ResolveBySystem(strPath, strShort);
}

// Each folder's own short form is worked out once, through its parent, and
// its listing is kept under that form: the spellings of one folder (its long
// name, its short alias, other letter cases) share one listing, and an entry
// costs one lookup in it.
bool CShortNameCache::ResolvePlain(const std::wstring& strPath, std::wstring& strShort)
{
    const size_t nSlash = strPath.rfind(L'\\');
    const std::wstring* pFolderShort = FolderShortForm(strPath.substr(0, nSlash));
    if (!pFolderShort) return ResolveBySystem(strPath, strShort);
    const CFolder& folder = Folder(*pFolderShort);
    if (!folder.bListed) return ResolveBySystem(strPath, strShort);
    const CName* pName = folder.Find(strPath.substr(nSlash + 1));
    if (!pName) return false;
    strShort = *pFolderShort;
    strShort += L'\\';
    strShort += pName->strShort.empty() ? pName->strLong : pName->strShort;
    return true;
}

// The root's listing is "X:\*", so its short form is "X:". A folder that
// cannot be found from its parent is left to the system (null).
const std::wstring* CShortNameCache::FolderShortForm(const std::wstring& strFolder)
{
    auto found = m_mapShortForms.find(strFolder);
    if (found == m_mapShortForms.end()) {
        CShortForm form;
        if (strFolder.size() == 2) {
            form.strShort = strFolder;
            form.bKnown = true;
        } else {
            form.bKnown = ResolvePlain(strFolder, form.strShort);
        }
        found = m_mapShortForms.emplace(strFolder, std::move(form)).first;
    }
    return found->second.bKnown ? &found->second.strShort : nullptr;
}
