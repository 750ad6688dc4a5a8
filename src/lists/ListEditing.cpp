#include "lists/ListEditing.h"

#include <cstdint>
#include <iterator>

namespace {

// One flag per entry; a flag vector keeps removal and moves linear in the
// size of the playlist however many entries are selected.
std::vector<char> MarkSelected(size_t size, const CIndexArray& selection, size_t& count)
{
    std::vector<char> marked(size, 0);
    count = 0;
    for (unsigned int index : selection) {
        if (index < size && !marked[index]) {
            marked[index] = 1;
            ++count;
        }
    }
    return marked;
}

}

CEntryBlock InsertPaths(CPathArray& paths, size_t index, const CPathArray& arr)
{
    CEntryBlock block;
    block.first = index < paths.size() ? index : paths.size();
    block.count = arr.size();
    paths.insert(paths.begin() + static_cast<std::ptrdiff_t>(block.first), arr.begin(), arr.end());
    return block;
}

size_t RemovePaths(CPathArray& paths, const CIndexArray& selection)
{
    size_t count = 0;
    std::vector<char> marked = MarkSelected(paths.size(), selection, count);
    if (count == 0) return SIZE_MAX;

    size_t last = 0;
    size_t kept = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (marked[i]) {
            last = i;
            continue;
        }
        if (kept != i) paths[kept] = std::move(paths[i]);
        ++kept;
    }
    paths.resize(kept);
    if (paths.empty()) return SIZE_MAX;
    size_t next = last + 1 - count;
    return next < paths.size() ? next : paths.size() - 1;
}

CEntryBlock MovePathsBefore(CPathArray& paths, const CIndexArray& selection, size_t target)
{
    CEntryBlock block;
    std::vector<char> marked = MarkSelected(paths.size(), selection, block.count);
    if (block.count == 0) return block;

    // The block lands after every unselected entry that stood before target.
    for (size_t i = 0; i < target && i < paths.size(); ++i) {
        if (!marked[i]) ++block.first;
    }

    CPathArray selected;
    CPathArray others;
    selected.reserve(block.count);
    others.reserve(paths.size() - block.count);
    for (size_t i = 0; i < paths.size(); ++i) {
        (marked[i] ? selected : others).push_back(std::move(paths[i]));
    }
    auto split = others.begin() + static_cast<std::ptrdiff_t>(block.first);
    paths.clear();
    paths.insert(paths.end(), std::make_move_iterator(others.begin()), std::make_move_iterator(split));
    paths.insert(paths.end(), std::make_move_iterator(selected.begin()),
                 std::make_move_iterator(selected.end()));
    paths.insert(paths.end(), std::make_move_iterator(split), std::make_move_iterator(others.end()));
    return block;
}

CEntryBlock MovePathsByOne(CPathArray& paths, const CIndexArray& selection, bool up)
{
    size_t first = SIZE_MAX;
    size_t last = 0;
    for (unsigned int index : selection) {
        if (index >= paths.size()) continue;
        if (index < first) first = index;
        if (index > last) last = index;
    }
    if (first == SIZE_MAX) return CEntryBlock();
    size_t target = up ? (first > 0 ? first - 1 : 0) : last + 2;
    return MovePathsBefore(paths, selection, target);
}

void InsertPathCopy(CPathArray& paths, size_t at, size_t from)
{
    if (from >= paths.size() || at > paths.size()) return;
    std::wstring copy = paths[from];
    paths.insert(paths.begin() + static_cast<std::ptrdiff_t>(at), std::move(copy));
}
