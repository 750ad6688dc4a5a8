// The playlist's editing rules as plain functions over the path array and the
// selected indices, so that they run and are tested without a window. The
// playlist model keeps its history with them; the lists show the results.
//
// Index lists are the selection as the control reports it: ascending and
// unique. Indices at or past the end of the array are ignored.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

using CPathArray = std::vector<std::wstring>;
using CIndexArray = std::vector<unsigned int>;
// A new order of the entries: entry i afterwards is entry order[i] before.
using COrder = std::vector<unsigned int>;

// A run of entries: where it starts and how many.
struct CEntryBlock {
    size_t first = 0;
    size_t count = 0;
};

// Inserts the entries of arr in their order so that they start at index, or
// at the end when index is past it. Answers where they stand.
CEntryBlock InsertPaths(CPathArray& paths, size_t index, const CPathArray& arr);

// Removes the selected entries. Answers the index to select afterwards: the
// entry that followed the last removed one, or the new last entry when none
// followed; SIZE_MAX when nothing was removed or nothing is left.
size_t RemovePaths(CPathArray& paths, const CIndexArray& selection);

// Takes the selected entries out, in their present order, and puts them back
// as one block before the first unselected entry whose index (before the
// move) is target or more, or at the end when there is none; the other
// entries keep their order. A selection with gaps is gathered into one block.
// Answers where the block ends up.
CEntryBlock MovePathsBefore(CPathArray& paths, const CIndexArray& selection, size_t target);

// The one-place move of the move-up and move-down buttons: up goes before the
// entry above the first selected one, down after the entry below the last.
CEntryBlock MovePathsByOne(CPathArray& paths, const CIndexArray& selection, bool up);

// Inserts a copy of entry from at index at; out-of-range indices do nothing.
void InsertPathCopy(CPathArray& paths, size_t at, size_t from);

// The order that MovePathsBefore makes, and where the block lands.
COrder MoveOrder(size_t size, const CIndexArray& selection, size_t target, CEntryBlock& block);
void ApplyOrder(CPathArray& paths, const COrder& order);
COrder InverseOrder(const COrder& order);
// Where the selected entries stand after a reorder, ascending.
CIndexArray SelectionAfterOrder(const CIndexArray& selection, const COrder& order);

// Takes out the entries at the given indices (ascending, within the array)
// and answers them in their order; PlaceEntries puts them back, so that they
// stand at those indices again.
CPathArray TakeEntries(CPathArray& paths, const CIndexArray& indices);
void PlaceEntries(CPathArray& paths, const CIndexArray& indices, const CPathArray& entries);
// Where the selected entries that were not removed stand afterwards.
CIndexArray SelectionAfterRemoval(const CIndexArray& selection, const CIndexArray& removed);
