#include "dialog/PlaylistNames.h"
#include "framework/Strings.h"

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

// The system takes these names, with any extension, for devices rather than
// files: "com1" would be found to exist, and adding to it would read from a
// serial port, which may wait for ever.
bool IsReservedDeviceName(const std::wstring& name)
{
    std::wstring stem = name.substr(0, name.find(L'.'));
    stem.erase(stem.find_last_not_of(L' ') + 1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"}) {
        if (::lstrcmpiW(stem.c_str(), device) == 0) return true;
    }
    bool numbered = stem.size() == 4 && stem[3] && std::wcschr(L"0123456789\u00B9\u00B2\u00B3", stem[3]);
    return numbered && (::StrCmpNIW(stem.c_str(), L"COM", 3) == 0 || ::StrCmpNIW(stem.c_str(), L"LPT", 3) == 0);
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
    if (HasForbiddenCharacter(name) || IsReservedDeviceName(name)) return false;
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
