// A tree-view control bound to its object; one-line methods over the
// tree-view messages.
#pragma once

#include "framework/Window.h"

class CTreeView : public CWindow {
public:
    HTREEITEM InsertItem(const TVINSERTSTRUCTW& insert) const
    {
        return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(hItem)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    BOOL DeleteItem(HTREEITEM hItem) const
    {
        return static_cast<BOOL>(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL Expand(HTREEITEM hItem, UINT code) const
    {
        return static_cast<BOOL>(Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL SelectItem(HTREEITEM hItem) const
    {
        return static_cast<BOOL>(Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)));
    }
    BOOL GetItem(TVITEMW* item) const
    {
        return static_cast<BOOL>(Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(const TVITEMW& item) const
    {
        return static_cast<BOOL>(Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    UINT GetItemState(HTREEITEM hItem, UINT mask) const
    {
        return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), mask));
    }
    LPARAM GetItemData(HTREEITEM hItem) const
    {
        TVITEMW item = {};
        item.mask = TVIF_HANDLE | TVIF_PARAM;
        item.hItem = hItem;
        return GetItem(&item) ? item.lParam : 0;
    }
    BOOL SortChildrenCB(const TVSORTCB& sort, BOOL recurse) const
    {
        return static_cast<BOOL>(Send(TVM_SORTCHILDRENCB, recurse, reinterpret_cast<LPARAM>(&sort)));
    }
    UINT GetCount() const { return static_cast<UINT>(Send(TVM_GETCOUNT)); }
    void SetRedraw(BOOL redraw) const { Send(WM_SETREDRAW, redraw); }
};
