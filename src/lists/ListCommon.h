// Window helpers that the source list and the playlist share.
#pragma once

#include "framework/ListView.h"
#include "playlist/ListEditing.h"

#include <string>
#include <vector>

// Gives a list its one full-width column (no heading) and full-row selection.
void InitListColumn(const CListView& list);

// The column as wide as the visible client area, which narrows when the
// vertical scroll bar appears: a wider column would bring a horizontal
// scroll bar and cut names without an ellipsis. Called whenever the list's
// client size changes (its own size, the scroll bar, the DPI).
void FitColumnToClient(const CListView& list);

// The window that receives a list's posted notifications (the main dialog).
class CNotifyTarget {
public:
    // Null is refused and keeps the window set before.
    BOOL Set(HWND hWnd);
    // Posted, so the receiver runs after the list's own handler; nothing
    // happens until a window is set.
    void Post(UINT msg, WPARAM wParam = 0) const;
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// A reflected display request is answered, with result 0 and true, with the
// file-name part of the item's path, cut to the control's buffer and always
// terminated; requests for other fields, other columns or items past the
// end stay unanswered. Any other notification gives false.
bool AnswerDisplayRequest(NMHDR* header, const std::vector<std::wstring>& paths, LRESULT& result);

// Ctrl+A pressed while the list has the keyboard focus.
bool IsSelectAllKey(const CListView& list, WPARAM key);

// Appends the selected items in ascending order; answers how many.
size_t AppendSelectedItems(const CListView& list, CIndexArray& out);

// One message for every item, so that the control reports a single change
// instead of one per item.
void SetAllItemsSelected(const CListView& list, bool selected);

// Where a context menu opened from the keyboard appears, in screen
// coordinates: under the focused item when it is selected, else under the
// first selected one, kept within the list; the list's top-left corner when
// nothing selected is in view.
POINT SelectionMenuPoint(const CListView& list);
