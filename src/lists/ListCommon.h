// Window helpers that the source list and the playlist share.
#pragma once

#include "framework/ListView.h"

#include <string>
#include <vector>

// Gives a list its one full-width column (no heading) and full-row selection.
void InitListColumn(const CListView& list);

// Answers a display request for item text with the file-name part of the
// item's path, cut to the control's buffer and always terminated. Requests
// for other fields, other columns or items past the end stay unanswered.
void FillDisplayText(const std::vector<std::wstring>& paths, NMLVDISPINFOW* info);

// Ctrl+A released while the list has the keyboard focus.
bool IsSelectAllKey(const CListView& list, WPARAM key);

// One message for every item, so that the control reports a single change
// instead of one per item.
void SetAllItemsSelected(const CListView& list, bool selected);
