// What the source list's drag into the playlist and the playlist's own drag
// share: the composed drag image and the rule that turns a point over an
// item into an insertion index. Their state is the pointer hand-off's.
#pragma once

#include "framework/ListView.h"
#include "framework/Raii.h"

#include <string>
#include <vector>

// One image of the selected items in view, laid out as they stand in the
// list, magenta being transparent. The last item taken is spareItems short
// of the end of the page. Null when the page has no item.
CImageList CreateMultiDragImage(const CListView& list, int spareItems);

// An image of what a window shows in area (client coordinates), for a drag
// of something that the window drew there; null when it cannot be copied.
CImageList CreateAreaDragImage(HWND hWnd, RECT area);

// An insertion index: before item hit when pt lies in its upper half (the
// middle row included), after it otherwise.
int InsertIndexFromHit(const CListView& list, POINT pt, int hit);

// A screen point in the playlist's client coordinates; a point on its
// frame or scroll bar counts as the nearest client point.
POINT MapPointToTarget(POINT screen, const CListView& playlist);
// The playlist index that a drop from the source list at q (playlist client
// coordinates) inserts at: before the item in whose upper half q lies, after
// it in its lower half, at the end when q is over no item; 0 without a list.
int GetTargetIndex(const CListView* pPlaylist, POINT q);

// A pointer position from a mouse message's lParam.
POINT PointFromLParam(LPARAM lParam);
