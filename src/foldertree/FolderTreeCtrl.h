// The folders of the player's drive on the shell namespace: one top-level
// item for the device root, children enumerated on first expansion.
// Selecting a folder shows its files through the files sink and its path in
// the caption.
#pragma once

#include "foldertree/FolderFilesSink.h"
#include "foldertree/FolderIcons.h"
#include "foldertree/IdList.h"
#include "lists/PathDropTarget.h"
#include "look/LoadingTreeCtrl.h"

#include <shlobj.h>
#include <string>
#include <vector>

class CFolderTreeCtrl : public CLoadingTreeCtrl {
public:
    // Holds a reference on the shared desktop folder for its whole life.
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Receives every folder the tree shows, from InitFolderTree on; null
    // shows the files nowhere.
    void SetFilesSink(IFolderFilesSink* pSink) { m_pFilesSink = pSink; }
    // The dialog's caption (1004) is found through hDlg. Builds the root
    // item from the device root, shows its icons (the system's small size
    // unless SetImages came first) and shows the root's files.
    void InitFolderTree(HWND hDlg);
    // The tree's images are size x size pixels, and the device root shows
    // hDeviceIcon (a copy is kept; null for none). Also later, when the
    // window moves to a screen of another DPI: the folders' icons are then
    // copied anew at the new size.
    void SetImages(int size, HICON hDeviceIcon);
    // Fits the shown folder's path to the caption's width anew.
    void RefitCaption() const;
    // The selected item's file-system path; empty when there is none.
    std::wstring GetSelectedPath() const;
    // An item's file-system path; empty for the placeholder and for items
    // outside the file system.
    std::wstring GetItemPath(HTREEITEM hItem) const;

    // Where a folder dragged out of the tree can be dropped; null: nowhere.
    // A drop is posted to the tree's parent (WM_FOLDER_DROP_ON_PLAYLIST).
    void SetDropTarget(IPathDropTarget* pTarget) { m_pDropTarget = pTarget; }

    // Item records alive in this process; each tree item owns one.
    static LONG LiveRecordCount();

protected:
    BOOL FillChildren(HTREEITEM hItem) override;
    BOOL RefillChildren(HTREEITEM hItem) override;
    BOOL ShowSelectedFolder(HTREEITEM hItem) override;
    void UpdateCaption() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

private:
    struct CFolderItemData;

    static CFolderItemData* RecordOf(LPARAM lParam) { return reinterpret_cast<CFolderItemData*>(lParam); }
    CFolderItemData* RecordOf(HTREEITEM hItem) const { return RecordOf(GetItemData(hItem)); }

    void AttachImageList();
    // The icon indices each item kept refer to a list that is gone.
    void ForgetItemIcons(HTREEITEM hParent);
    void InsertRootItem(LPCITEMIDLIST pidl);
    // bParentHasPath: the parent is a file-system folder, so that the new
    // item cannot be a drive root.
    void InsertFolderItem(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST parentIdl,
                          LPCITEMIDLIST childId, bool bParentHasPath);
    // Fills the fields that item.mask asks for; FALSE rejects the item.
    BOOL FillItem(TVITEMW& item);
    // Known by its identity: its name depends on the language, and a
    // player's folder may carry the same one.
    bool IsRecycleBin(const CFolderItemData& record);
    void FillImages(CFolderItemData& record, TVITEMW& item);
    int IconOf(CFolderItemData& record, bool bOpen);
    BOOL FillFolderChildren(HTREEITEM hItem);
    BOOL EnumChildFolders(HTREEITEM hItem, LPCITEMIDLIST pidl);
    static int CALLBACK CompareFolderItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    // Shows path in the caption, fitted so that it is never cut off.
    void SetCaptionPath(std::wstring path) const;
    void ShowFiles(const std::wstring& folder) const;

    // Shows the selected folder when it is not the one shown: the control
    // also moves its selection without telling (a collapse above it).
    void FollowSelection();
    void OnSelChanged(const NMTREEVIEWW& tv);
    void OnGetDispInfo(NMTVDISPINFOW& info);
    void OnDeleteItem(const NMTREEVIEWW& tv);

    void BeginFolderDrag(const NMTREEVIEWW& tv);
    // The mouse messages of the tree while its folder is dragged.
    void OnFolderDragMessage(UINT msg, LPARAM lParam);
    void DropFolderDrag(POINT pt);
    // What is left of a drag that the hand-off has ended.
    void EndFolderDrag();

    IFolderFilesSink* m_pFilesSink = nullptr;
    HWND m_hCaption = nullptr;
    // The item whose folder the caption and the source list show.
    HTREEITEM m_hShownItem = nullptr;
    // How many messages to the tree are being handled, one inside another.
    int m_nMessageDepth = 0;
    // Detached from the control before it is destroyed with this object.
    CFolderIcons m_icons;
    int m_nDeviceIcon = -1;
    // The Recycle Bin's absolute list, once the shell has told it.
    CItemIdList m_recycleBin;
    IPathDropTarget* m_pDropTarget = nullptr;
    // Drag image of a folder dragged out of the tree, while it lasts.
    CImageList m_dragImage;
};

// Puts the names of folder's sub-folders into the order the tree shows its
// children: the folder's own comparison of names. Names the shell cannot
// resolve keep their order, after the others.
void SortLikeFolderTree(const std::wstring& folder, std::vector<std::wstring>& names);

// The children flag of an item: 0 for a file, 1 for removable media
// without looking inside, otherwise whether the folder says it holds
// sub-folders.
int FolderChildrenFlag(IShellFolder* pFolder, LPCITEMIDLIST childId);
