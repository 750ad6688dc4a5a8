// The order commands of the playlist as plain rules: each answers the new
// order of the entries (see COrder), so that the model can apply it and undo
// it like any move.
#pragma once

#include "playlist/ListEditing.h"

#include <cstdint>

// By file name as a person reads it ("Track 2" before "Track 10", case
// ignored); entries with the same name keep their order.
COrder FileNameOrder(const CPathArray& paths);
// By folder, then file name: the folders compared name by name, so that a
// folder's files come before those of its sub-folders.
COrder FullPathOrder(const CPathArray& paths);
COrder ReversedOrder(size_t size);
// A random order drawn from seed; the same seed gives the same order.
COrder ShuffledOrder(size_t size, uint32_t seed);

// The entries that repeat an earlier one (the same path, case ignored),
// ascending: removing them keeps the first of each.
CIndexArray RepeatedEntries(const CPathArray& paths);
