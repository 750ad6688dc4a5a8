#include "playlist/ListEditing.h"

#include <algorithm>
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
    COrder order = MoveOrder(paths.size(), selection, target, block);
    if (block.count > 0) ApplyOrder(paths, order);
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

COrder MoveOrder(size_t size, const CIndexArray& selection, size_t target, CEntryBlock& block)
{
    block = CEntryBlock();
    std::vector<char> marked = MarkSelected(size, selection, block.count);
    COrder order;
    order.reserve(size);
    // The block lands after every unselected entry that stood before target.
    size_t i = 0;
    for (; i < size && i < target; ++i) {
        if (!marked[i]) order.push_back(static_cast<unsigned int>(i));
    }
    block.first = order.size();
    for (size_t s = 0; s < size; ++s) {
        if (marked[s]) order.push_back(static_cast<unsigned int>(s));
    }
    for (; i < size; ++i) {
        if (!marked[i]) order.push_back(static_cast<unsigned int>(i));
    }
    return order;
}

void ApplyOrder(CPathArray& paths, const COrder& order)
{
    CPathArray reordered;
    reordered.reserve(order.size());
    for (unsigned int from : order) reordered.push_back(std::move(paths[from]));
    paths.swap(reordered);
}

COrder InverseOrder(const COrder& order)
{
    COrder inverse(order.size());
    for (size_t i = 0; i < order.size(); ++i) inverse[order[i]] = static_cast<unsigned int>(i);
    return inverse;
}

CIndexArray SelectionAfterOrder(const CIndexArray& selection, const COrder& order)
{
    COrder inverse = InverseOrder(order);
    CIndexArray moved;
    moved.reserve(selection.size());
    for (unsigned int index : selection) {
        if (index < inverse.size()) moved.push_back(inverse[index]);
    }
    std::sort(moved.begin(), moved.end());
    return moved;
}

CPathArray TakeEntries(CPathArray& paths, const CIndexArray& indices)
{
    CPathArray taken;
    taken.reserve(indices.size());
    size_t kept = 0;
    size_t next = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (next < indices.size() && indices[next] == i) {
            taken.push_back(std::move(paths[i]));
            ++next;
            continue;
        }
        if (kept != i) paths[kept] = std::move(paths[i]);
        ++kept;
    }
    paths.resize(kept);
    return taken;
}

void PlaceEntries(CPathArray& paths, const CIndexArray& indices, const CPathArray& entries)
{
    CPathArray merged;
    merged.reserve(paths.size() + entries.size());
    size_t from = 0;
    size_t next = 0;
    while (merged.size() < paths.size() + entries.size()) {
        if (next < indices.size() && indices[next] == merged.size()) {
            merged.push_back(entries[next++]);
        } else if (from < paths.size()) {
            merged.push_back(std::move(paths[from++]));
        } else {
            merged.push_back(entries[next++]);  // indices past the end append
        }
    }
    paths.swap(merged);
}

CIndexArray SelectionAfterRemoval(const CIndexArray& selection, const CIndexArray& removed)
{
    CIndexArray kept;
    size_t gone = 0;
    for (unsigned int index : selection) {
        while (gone < removed.size() && removed[gone] < index) ++gone;
        if (gone < removed.size() && removed[gone] == index) continue;
        kept.push_back(static_cast<unsigned int>(index - gone));
    }
    return kept;
}
