#include "lists/FolderScan.h"

#include "framework/Handles.h"

#include <shlwapi.h>

#include <cwchar>
#include <iterator>
#include <utility>

namespace {

// Ordinal comparison ignoring case: the extensions are plain letters, and a
// linguistic comparison is both slower and willing to skip characters it
// deems ignorable, which would admit names that only look alike.
bool SameExtension(const wchar_t* ext, const wchar_t* audioExt)
{
    return ::CompareStringOrdinal(ext, -1, audioExt, -1, TRUE) == CSTR_EQUAL;
}

bool IsDotName(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// The tree lists folders without the hidden ones; a link elsewhere shows
// there but is not walked into.
bool IsShownFolder(const WIN32_FIND_DATAW& data)
{
    return !(data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_REPARSE_POINT)) &&
           !IsDotName(data.cFileName);
}

void Scan(const wchar_t* folder, std::vector<std::wstring>& out, std::vector<std::wstring>* subFolders)
{
    static const wchar_t kAll[] = L"*.*";
    const size_t cchAll = std::size(kAll) - 1;

    wchar_t pattern[MAX_PATH] = {};
    if (std::wcslen(folder) >= MAX_PATH) return;
    ::lstrcpynW(pattern, folder, MAX_PATH);
    if (!::PathAppendW(pattern, kAll)) return;

    // Every path is the pattern's folder part, with exactly one separator,
    // followed by the file name: the same text that joining each name to the
    // folder would give, built once.
    size_t cchPattern = std::wcslen(pattern);
    if (cchPattern < cchAll || std::wcscmp(pattern + cchPattern - cchAll, kAll) != 0) return;
    const std::wstring prefix(pattern, cchPattern - cchAll);

    // Without the short names, which nothing here reads: the system then
    // need not look them up (or, under Wine, make them up) for every file.
    WIN32_FIND_DATAW data;
    CFindHandle find(::FindFirstFileExW(pattern, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                        FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (subFolders && IsShownFolder(data)) subFolders->emplace_back(data.cFileName);
            continue;
        }
        if (!IsAudioFileName(data.cFileName)) continue;
        size_t cchName = std::wcslen(data.cFileName);
        if (prefix.size() + cchName > MAX_PATH - 1) continue;
        std::wstring path;
        path.reserve(prefix.size() + cchName);
        path.append(prefix).append(data.cFileName, cchName);
        out.push_back(std::move(path));
    } while (::FindNextFileW(find.Get(), &data));
}

}

bool IsAudioFileName(const wchar_t* name)
{
    const wchar_t* ext = ::PathFindExtensionW(name);
    return SameExtension(ext, L".mp3") || SameExtension(ext, L".wma") || SameExtension(ext, L".wav");
}

void ScanAudioFiles(const wchar_t* folder, std::vector<std::wstring>& out)
{
    Scan(folder, out, nullptr);
}

void ScanAudioFiles(const wchar_t* folder, std::vector<std::wstring>& out, std::vector<std::wstring>& subFolders)
{
    Scan(folder, out, &subFolders);
}

int TakeDroppedPaths(const std::vector<std::wstring>& dropped, const wchar_t* driveRoot,
                     const SubFolderOrder& order, std::vector<std::wstring>& out)
{
    int notTaken = 0;
    for (const std::wstring& path : dropped) {
        // Longer paths could not be opened by any later step either.
        bool onDrive = path.size() < MAX_PATH && ::PathIsSameRootW(path.c_str(), driveRoot);
        DWORD attributes = onDrive ? ::GetFileAttributesW(path.c_str()) : INVALID_FILE_ATTRIBUTES;
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            ++notTaken;
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectFolderAudioFiles(path.c_str(), order, out);
        } else if (IsAudioFileName(path.c_str())) {
            out.push_back(path);
        } else {
            ++notTaken;
        }
    }
    return notTaken;
}

void CollectFolderAudioFiles(const wchar_t* folder, const SubFolderOrder& order, std::vector<std::wstring>& out)
{
    if (!folder || !*folder) return;
    std::vector<std::wstring> subFolders;
    ScanAudioFiles(folder, out, subFolders);
    if (subFolders.empty()) return;
    if (order) order(folder, subFolders);
    wchar_t path[MAX_PATH] = {};
    for (const std::wstring& name : subFolders) {
        ::lstrcpynW(path, folder, MAX_PATH);
        if (::PathAppendW(path, name.c_str())) CollectFolderAudioFiles(path, order, out);
    }
}
