#include "TreeTestKit.h"

#include "res/resource_ids.h"

#include <cstring>

CTreeHost::~CTreeHost()
{
    Destroy();
}

bool CTreeHost::Create(int width, int height)
{
    if (!CreateEx(0, L"STATIC", L"", WS_POPUP, 20, 20, width, height, nullptr, 0)) return false;
    // Without a window manager, destroying an active window waits seconds
    // for the focus to move.
    ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(Hwnd());
    return true;
}

HWND CTreeHost::CreateTree(CTreeView& tree, int x, int y, int width, int height)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS |
                        TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", style, x, y, width, height, Hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FOLDER_TREE)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!hTree || !tree.Attach(hTree)) return nullptr;
    return hTree;
}

void CTreeHost::Destroy()
{
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

void ClickExpandButton(const CTreeView& tree, HTREEITEM hItem)
{
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    RECT rc = {};
    std::memcpy(&rc, &hItem, sizeof(hItem));
    if (!tree.Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc))) return;
    TVHITTESTINFO hit = {};
    hit.pt.y = (rc.top + rc.bottom) / 2;
    for (hit.pt.x = 0; hit.pt.x < rc.left; ++hit.pt.x) {
        tree.Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem == hItem && (hit.flags & TVHT_ONITEMBUTTON)) {
            LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
            tree.Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
            tree.Send(WM_LBUTTONUP, 0, at);
            return;
        }
    }
}

HTREEITEM InsertTextItem(const CTreeView& tree, HTREEITEM hParent, const wchar_t* text, int cChildren)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.cChildren = cChildren;
    insert.item.lParam = 1;
    return tree.InsertItem(insert);
}

std::wstring ItemText(const CTreeView& tree, HTREEITEM hItem)
{
    wchar_t text[MAX_PATH] = L"";
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    return tree.GetItem(&item) ? text : L"";
}

int ItemChildrenFlag(const CTreeView& tree, HTREEITEM hItem)
{
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    return tree.GetItem(&item) ? item.cChildren : -1;
}

bool IsExpanded(const CTreeView& tree, HTREEITEM hItem)
{
    return (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

std::vector<HTREEITEM> ChildItems(const CTreeView& tree, HTREEITEM hItem)
{
    std::vector<HTREEITEM> children;
    for (HTREEITEM h = tree.GetChildItem(hItem); h; h = tree.GetNextSiblingItem(h)) children.push_back(h);
    return children;
}

std::vector<std::wstring> ChildTexts(const CTreeView& tree, HTREEITEM hItem)
{
    std::vector<std::wstring> texts;
    for (HTREEITEM h : ChildItems(tree, hItem)) texts.push_back(ItemText(tree, h));
    return texts;
}
