// Whole folders into the playlist: a folder dragged from the tree, the
// tree's context menu, and files and folders dropped from other programs.
#include "dialog/PlaylistDlg.h"

#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "handoff/DeviceFields.h"
#include "lists/FolderScan.h"
#include "res/resource_ids.h"

#include <windowsx.h>

bool CPlaylistDlg::AddFolderFiles(const std::wstring& folder, int index)
{
    CWaitCursor wait;
    std::vector<std::wstring> files;
    CollectFolderAudioFiles(folder.c_str(), SortLikeFolderTree, files);
    if (index < 0) index = m_listPlaylist.GetItemCount();
    if (!m_listPlaylist.InsertEntries(index, std::move(files))) return false;
    ::SetFocus(m_listPlaylist.Hwnd());
    return true;
}

void CPlaylistDlg::OnFilesDropped(int index)
{
    std::vector<std::wstring> files;
    int notTaken = 0;
    {
        CWaitCursor wait;
        notTaken = TakeDroppedPaths(m_fileDropTarget.DroppedPaths(), AppDeviceFields().m_szDeviceRoot,
                                    SortLikeFolderTree, files);
        if (m_listPlaylist.InsertEntries(index, std::move(files))) ::SetFocus(m_listPlaylist.Hwnd());
    }
    if (notTaken > 0)
        AppMessageBox(Hwnd(), FormatIntText(LoadResString(IDS_DROP_NOT_TAKEN), notTaken), g_strMsgCaption,
                      MB_OK | MB_ICONINFORMATION);
}

// From the pointer, the folder under it; from the keyboard, the selected
// one, with the menu under its name.
void CPlaylistDlg::OnTreeContextMenu(LPARAM lParam)
{
    HWND hTree = m_treeFolders.Hwnd();
    HTREEITEM hItem = m_treeFolders.GetSelectedItem();
    RECT rcItem = {};
    POINT keyboardPoint = {};
    if (hItem && TreeView_GetItemRect(hTree, hItem, &rcItem, TRUE)) {
        keyboardPoint = {rcItem.left, rcItem.bottom};
        ::ClientToScreen(hTree, &keyboardPoint);
    }
    POINT pt = ContextMenuPoint(lParam, keyboardPoint);
    if (lParam != -1) {
        TVHITTESTINFO hit = {};
        hit.pt = pt;
        ::ScreenToClient(hTree, &hit.pt);
        hItem = TreeView_HitTest(hTree, &hit);
        if (!(hit.flags & TVHT_ONITEM)) hItem = nullptr;
    }
    if (!hItem) return;
    if (m_bTipReady) m_wndTip.HideTip();
    if (CContextMenu(IDM_TREE_CONTEXT).Track(Hwnd(), pt) != ID_TREE_ADD_TO_PLAYLIST) return;
    if (!AddFolderFiles(m_treeFolders.GetItemPath(hItem), -1)) ShowAppMessage(Hwnd(), IDS_NOTHING_TO_ADD);
}
