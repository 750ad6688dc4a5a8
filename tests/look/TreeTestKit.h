// Test support for tree views: a host window that reflects its children's
// notifications to their objects, as the main dialog does, and expansion as
// a user's click does it.
#pragma once

#include "TestSupport.h"

#include "framework/TreeView.h"

#include <string>
#include <vector>

class CTreeHost : public CWindow {
public:
    ~CTreeHost() override;
    // A shown top-level window; a tree view made in it gets the main
    // dialog's styles and the folder tree's control id.
    bool Create(int width = 400, int height = 400);
    HWND CreateTree(CTreeView& tree, int x, int y, int width, int height);
    void Destroy();
};

// Clicks the item's expand button. Unlike TVM_EXPAND, a click notifies the
// parent at every expansion, not only at the first.
void ClickExpandButton(const CTreeView& tree, HTREEITEM hItem);

HTREEITEM InsertTextItem(const CTreeView& tree, HTREEITEM hParent, const wchar_t* text,
                         int cChildren = 0);
std::wstring ItemText(const CTreeView& tree, HTREEITEM hItem);
int ItemChildrenFlag(const CTreeView& tree, HTREEITEM hItem);
bool IsExpanded(const CTreeView& tree, HTREEITEM hItem);
std::vector<HTREEITEM> ChildItems(const CTreeView& tree, HTREEITEM hItem);
std::vector<std::wstring> ChildTexts(const CTreeView& tree, HTREEITEM hItem);

