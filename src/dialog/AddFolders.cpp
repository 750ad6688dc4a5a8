// Whole folders into the playlist: a folder dragged from the tree, the
// tree's context menu, and files and folders dropped from other programs.
#include "dialog/PlaylistDlg.h"

#include "framework/App.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "handoff/DeviceFields.h"
#include "lists/FolderScan.h"
#include "res/resource_ids.h"

#include <windowsx.h>

namespace {

// The tree's menu from the resource module; built from the built-in text
// when the module is older than the menu.
HMENU LoadTreeMenu()
{
    HMENU hMenu = ::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(IDM_TREE_MENU));
    if (hMenu) return hMenu;
    hMenu = ::CreateMenu();
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenuW(hPopup, MF_STRING, ID_TREE_ADD_TO_PLAYLIST, LoadResString(IDS_TREE_ADD_TO_PLAYLIST).c_str());
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), L"");
    return hMenu;
}

}

bool CPlaylistDlg::AddFolderFiles(const std::wstring& folder, int index)
{
    CWaitCursor wait;
    std::vector<std::wstring> files;
    CollectFolderAudioFiles(folder.c_str(), SortLikeFolderTree, files);
    if (index < 0) index = m_listPlaylist.GetItemCount();
    if (!m_listPlaylist.InsertEntries(index, files)) return false;
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
        if (m_listPlaylist.InsertEntries(index, files)) ::SetFocus(m_listPlaylist.Hwnd());
    }
    if (notTaken > 0)
        AppMessageBox(Hwnd(), FormatIntText(LoadResString(IDS_DROP_NOT_TAKEN), notTaken), g_strMsgCaption,
                      MB_OK | MB_ICONINFORMATION);
}

// From the pointer, the folder under it; from the keyboard (no point), the
// selected one, with the menu at its name.
void CPlaylistDlg::OnTreeContextMenu(LPARAM lParam)
{
    HWND hTree = m_treeFolders.Hwnd();
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HTREEITEM hItem = nullptr;
    if (lParam == -1) {
        hItem = m_treeFolders.GetSelectedItem();
        RECT rc = {};
        if (!hItem || !TreeView_GetItemRect(hTree, hItem, &rc, TRUE)) return;
        pt = {rc.left, rc.bottom};
        ::ClientToScreen(hTree, &pt);
    } else {
        TVHITTESTINFO hit = {};
        hit.pt = pt;
        ::ScreenToClient(hTree, &hit.pt);
        hItem = reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (!(hit.flags & TVHT_ONITEM)) hItem = nullptr;
    }
    if (!hItem) return;

    HMENU hMenu = LoadTreeMenu();
    UINT command = ::TrackPopupMenu(::GetSubMenu(hMenu, 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                                    Hwnd(), nullptr);
    ::DestroyMenu(hMenu);
    if (command != ID_TREE_ADD_TO_PLAYLIST) return;
    if (!AddFolderFiles(m_treeFolders.GetItemPath(hItem), -1)) ShowAppMessage(Hwnd(), IDS_NOTHING_TO_ADD);
}
