#include "playlist/PlaylistOrder.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <unordered_set>

namespace {

COrder Identity(size_t size)
{
    COrder order(size);
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

// The parts of a path between its separators; the last is the file name.
std::vector<std::wstring> PathParts(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\' || path[i] == L'/') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// Sorted by keys made once per entry, not once per comparison.
template <typename Key, typename Less>
COrder StableOrderBy(const CPathArray& paths, Key key, Less less)
{
    std::vector<decltype(key(std::wstring()))> keys;
    keys.reserve(paths.size());
    for (const std::wstring& path : paths) keys.push_back(key(path));
    COrder order = Identity(paths.size());
    std::stable_sort(order.begin(), order.end(),
                     [&](unsigned int a, unsigned int b) { return less(keys[a], keys[b]); });
    return order;
}

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    return ::StrCmpLogicalW(a.c_str(), b.c_str()) < 0;
}

// Folders part by part (a shorter folder that is a prefix of a longer one
// first), then the file names.
bool PartsLess(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b)
{
    size_t folderA = a.size() - 1;
    size_t folderB = b.size() - 1;
    for (size_t i = 0; i < folderA && i < folderB; ++i) {
        int result = ::StrCmpLogicalW(a[i].c_str(), b[i].c_str());
        if (result != 0) return result < 0;
    }
    if (folderA != folderB) return folderA < folderB;
    return NameLess(a.back(), b.back());
}

// Paths on Windows are the same file whatever their case.
std::wstring CaseFolded(const std::wstring& path)
{
    std::wstring folded(path);
    if (!folded.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.c_str(), static_cast<int>(path.size()),
                        &folded[0], static_cast<int>(folded.size()), nullptr, nullptr, 0);
    return folded;
}

}

COrder FileNameOrder(const CPathArray& paths)
{
    return StableOrderBy(
        paths, [](const std::wstring& path) { return PathParts(path).back(); }, NameLess);
}

COrder FullPathOrder(const CPathArray& paths)
{
    return StableOrderBy(paths, PathParts, PartsLess);
}

COrder ReversedOrder(size_t size)
{
    COrder order = Identity(size);
    std::reverse(order.begin(), order.end());
    return order;
}

COrder ShuffledOrder(size_t size, uint32_t seed)
{
    COrder order = Identity(size);
    std::mt19937 random(seed);
    std::shuffle(order.begin(), order.end(), random);
    return order;
}

CIndexArray RepeatedEntries(const CPathArray& paths)
{
    std::unordered_set<std::wstring> seen;
    CIndexArray repeated;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!seen.insert(CaseFolded(paths[i])).second) repeated.push_back(static_cast<unsigned int>(i));
    }
    return repeated;
}
