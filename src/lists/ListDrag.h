// What the source list's drag into the playlist and the playlist's own drag
// share: the process-wide drag state, the composed drag image and the rule
// that turns a point over an item into an insertion index.
#pragma once

#include "framework/ListView.h"
#include "framework/Raii.h"

#include <string>
#include <vector>

// Full paths of the items being dragged out of the source list; they stay
// until the next drag begins, so the posted drop message can still read them.
extern std::vector<std::wstring> g_arrDragPaths;

// A drag out of the source list is under way; the playlist reads it to draw
// its insertion mark instead of the mark of a drag of its own.
extern BOOL g_bSourceDragging;
// The source item last reported for the tip; -1 for none. It starts at -2 so
// that the first pointer move over the list always reports; other files in
// the list make it -1 again.
extern int g_nLastHoverItem;

// One image of the selected items in view, laid out as they stand in the
// list, magenta being transparent. The last item taken is spareItems short
// of the end of the page. Null when the page has no item.
CImageList CreateMultiDragImage(const CListView& list, int spareItems);

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

// Shows the drag image at the pointer for the whole screen and holds the
// mouse for the list until EndImageDrag.
bool BeginImageDrag(const CListView& list, HIMAGELIST image, POINT hotSpot, POINT clientStart);
void EndImageDrag();

// A pointer position from a mouse message's lParam.
POINT PointFromLParam(LPARAM lParam);
