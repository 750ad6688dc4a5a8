#include "dialog/PlaylistNames.h"
#include "framework/Strings.h"
#include "playlist_file/LocalPath.h"

#include <shlwapi.h>
#include <cwchar>

namespace {
const wchar_t kPlaylistExtension[] = L".m3u";
// The default name's counter stays below this.
const int kDefaultNameLimit = 100000000;

bool HasForbiddenCharacter(const std::wstring& name)
{
    for (wchar_t c : name) {
        if (c < 32 || std::wcschr(L"\\/:*?\"<>|", c)) return true;
    }
    return false;
}

// The path without its last element.
void ParentFolder(const wchar_t* path, wchar_t (&parent)[MAX_PATH])
{
    ::lstrcpynW(parent, path, MAX_PATH);
    ::PathRemoveFileSpecW(parent);
}

// Appending canonicalises the path, so a name of dots alone ("..", and on
// some systems "." or "...") can take it up and out of the folder.
bool LiesDirectlyIn(const wchar_t* folder, const wchar_t* path)
{
    wchar_t probe[MAX_PATH] = {};
    ::lstrcpynW(probe, folder, MAX_PATH);
    if (!::PathAppendW(probe, L"x")) return false;
    wchar_t expected[MAX_PATH] = {};
    wchar_t actual[MAX_PATH] = {};
    ParentFolder(probe, expected);
    ParentFolder(path, actual);
    return ::lstrcmpiW(expected, actual) == 0;
}
}

bool BuildPlaylistPath(const wchar_t* folder, const std::wstring& name, wchar_t (&path)[MAX_PATH])
{
    // The system takes device names, with any extension, for devices rather
    // than files: "com1" would be found to exist, and adding to it would
    // read from a serial port, which may wait for ever.
    if (HasForbiddenCharacter(name) || IsDeviceName(name)) return false;
    wchar_t base[MAX_PATH] = {};
    ::lstrcpynW(base, folder, MAX_PATH - 1);
    ::lstrcpyW(path, base);
    if (!::PathAppendW(path, name.c_str())) return false;
    if (::lstrcmpiW(::PathFindExtensionW(path), kPlaylistExtension) != 0) {
        if (::lstrlenW(path) + ::lstrlenW(kPlaylistExtension) >= MAX_PATH) return false;
        ::lstrcatW(path, kPlaylistExtension);
    }
    return LiesDirectlyIn(base, path);
}

std::wstring FirstFreeDefaultName(const std::wstring& format, const wchar_t* folder)
{
    std::wstring name;
    for (int n = 1; n < kDefaultNameLimit; ++n) {
        std::wstring candidate = FormatIntText(format, n);
        // The same name again: the format holds no number, and every further
        // try would ask about the same file.
        if (n > 1 && candidate == name) break;
        name = std::move(candidate);
        wchar_t path[MAX_PATH] = {};
        ::lstrcpynW(path, folder, MAX_PATH);
        ::PathAppendW(path, name.c_str());
        ::PathAddExtensionW(path, kPlaylistExtension);
        if (!::PathFileExistsW(path)) break;
    }
    return name;
}

std::wstring TrimmedPlaylistName(const std::wstring& typed)
{
    const size_t first = typed.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    return typed.substr(first, typed.find_last_not_of(L' ') - first + 1);
}
