// A list-view control bound to its object; one-line methods over the
// list-view messages.
#pragma once

#include "framework/Window.h"

class CListView : public CWindow {
public:
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    BOOL SetItemCountEx(int count, DWORD flags) const
    {
        return static_cast<BOOL>(Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags));
    }
    UINT GetSelectedCount() const { return static_cast<UINT>(Send(LVM_GETSELECTEDCOUNT)); }
    int GetNextItem(int start, UINT flags) const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    UINT GetItemState(int item, UINT mask) const
    {
        return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    BOOL SetItemState(int item, UINT state, UINT mask) const
    {
        LVITEMW lvi = {};
        lvi.stateMask = mask;
        lvi.state = state;
        return static_cast<BOOL>(Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                                      reinterpret_cast<LPARAM>(&lvi)));
    }
    BOOL EnsureVisible(int item, BOOL partialOk) const
    {
        return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
    }
    BOOL RedrawItems(int first, int last) const
    {
        return static_cast<BOOL>(Send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
    }
    int GetTopIndex() const { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }
    int InsertColumn(int column, const LVCOLUMNW& col) const
    {
        return static_cast<int>(Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                     reinterpret_cast<LPARAM>(&col)));
    }
    int GetColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    BOOL SetColumnWidth(int column, int width) const
    {
        return static_cast<BOOL>(Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
    }
    DWORD SetExtendedStyle(DWORD mask, DWORD style) const
    {
        return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style));
    }
    int HitTest(POINT pt) const
    {
        LVHITTESTINFO info = {};
        info.pt = pt;
        return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    }
    BOOL GetItemRect(int item, RECT* rect, int code) const
    {
        rect->left = code;
        return static_cast<BOOL>(Send(LVM_GETITEMRECT, static_cast<WPARAM>(item),
                                      reinterpret_cast<LPARAM>(rect)));
    }
    HIMAGELIST CreateDragImage(int item, POINT* origin) const
    {
        return reinterpret_cast<HIMAGELIST>(Send(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(item),
                                                 reinterpret_cast<LPARAM>(origin)));
    }
    BOOL Invalidate(BOOL erase = TRUE) const { return ::InvalidateRect(Hwnd(), nullptr, erase); }
};
