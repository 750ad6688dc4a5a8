#include "lists/ListDrag.h"

#include <algorithm>

namespace {

const COLORREF kTransparent = RGB(255, 0, 255);

// The selected items from the top of the page to last, with their bounds.
struct CDragItem {
    int index;
    RECT bounds;
};

std::vector<CDragItem> SelectedItemsInView(const CListView& list, int top, int last)
{
    std::vector<CDragItem> items;
    for (int i = list.GetNextItem(top - 1, LVNI_SELECTED); i >= 0 && i <= last;
         i = list.GetNextItem(i, LVNI_SELECTED)) {
        CDragItem item = {i, {}};
        if (list.GetItemRect(i, &item.bounds, LVIR_BOUNDS)) items.push_back(item);
    }
    return items;
}

}

CImageList CreateMultiDragImage(const CListView& list, int spareItems)
{
    int top = list.GetTopIndex();
    int last = top + list.GetCountPerPage() - 1 - spareItems;
    if (last > list.GetItemCount() - 1) last = list.GetItemCount() - 1;
    if (last < 0) return CImageList();

    std::vector<CDragItem> items = SelectedItemsInView(list, top, last);
    RECT united = {};
    for (const CDragItem& item : items) {
        RECT bounds = item.bounds;
        if (bounds.left < 0) bounds.left = 0;
        ::UnionRect(&united, &united, &bounds);
    }
    int width = united.right - united.left;
    int height = united.bottom - united.top;

    CWindowDc listDc(list.Hwnd());
    if (!listDc) return CImageList();
    CMemoryDc memDc(::CreateCompatibleDC(listDc.Get()));
    CBitmap bitmap(::CreateCompatibleBitmap(listDc.Get(), width, height));
    if (!memDc || !bitmap) return CImageList();
    {
        CSelectObject select(memDc.Get(), bitmap.Get());
        RECT all = {0, 0, width, height};
        CBrush magenta(::CreateSolidBrush(kTransparent));
        ::FillRect(memDc.Get(), &all, magenta.Get());
        for (const CDragItem& item : items) {
            POINT origin = {};
            CImageList itemImage(list.CreateDragImage(item.index, &origin));
            if (!itemImage) continue;
            ::ImageList_Draw(itemImage.Get(), 0, memDc.Get(), item.bounds.left - united.left,
                             item.bounds.top - united.top, ILD_MASK);
        }
    }
    // The bitmap must be out of the memory DC before the image list copies it.
    CImageList image(::ImageList_Create(width, height, ILC_MASK | ILC_COLOR32, 0, 1));
    if (image && ::ImageList_AddMasked(image.Get(), bitmap.Get(), kTransparent) < 0) image.Reset();
    return image;
}

// Copied from the screen rather than asked of the control: an image list
// made by another version of the common controls (a control's own drag
// image) is refused by this one's drag functions.
CImageList CreateAreaDragImage(HWND hWnd, RECT area)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return CImageList();
    CWindowDc windowDc(hWnd);
    if (!windowDc) return CImageList();
    CMemoryDc memDc(::CreateCompatibleDC(windowDc.Get()));
    CBitmap bitmap(::CreateCompatibleBitmap(windowDc.Get(), width, height));
    if (!memDc || !bitmap) return CImageList();
    {
        CSelectObject select(memDc.Get(), bitmap.Get());
        ::BitBlt(memDc.Get(), 0, 0, width, height, windowDc.Get(), area.left, area.top, SRCCOPY);
    }
    CImageList image(::ImageList_Create(width, height, ILC_COLOR32, 0, 1));
    if (image && ::ImageList_Add(image.Get(), bitmap.Get(), nullptr) < 0) image.Reset();
    return image;
}

int InsertIndexFromHit(const CListView& list, POINT pt, int hit)
{
    RECT bounds = {};
    if (list.GetItemRect(hit, &bounds, LVIR_BOUNDS) && pt.y <= bounds.top + (bounds.bottom - bounds.top) / 2)
        return hit;
    return hit + 1;
}

// Client coordinates, not offsets into the window rectangle: those are a
// frame's width off, so a drop near the middle of an entry would land on the
// wrong side of it. A point on the frame or the scroll bar counts as the
// nearest client point, so that it means the entry beside it rather than the
// end of the playlist.
POINT MapPointToTarget(POINT screen, const CListView& playlist)
{
    RECT client = {};
    ::GetClientRect(playlist.Hwnd(), &client);
    ::ScreenToClient(playlist.Hwnd(), &screen);
    if (client.right > 0) screen.x = std::clamp(screen.x, 0L, client.right - 1);
    if (client.bottom > 0) screen.y = std::clamp(screen.y, 0L, client.bottom - 1);
    return screen;
}

int GetTargetIndex(const CListView* pPlaylist, POINT q)
{
    if (!pPlaylist) return 0;
    int hit = pPlaylist->HitTest(q);
    if (hit < 0) return pPlaylist->GetItemCount();
    return InsertIndexFromHit(*pPlaylist, q, hit);
}

POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
