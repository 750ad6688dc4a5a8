// The commands of the context menus and the keys of the main window.
//
// To add a command: a new id in res/resource_ids.h, its item in the menu of
// the resource module and a row in res/builtin_menus.h (text with its key
// after a tab, its string in res/builtin_texts.h), then a case in
// CommandApplies and in RunCommand. A key of the whole window goes into
// kWindowKeys; a key of one list stays in that list.
#include "dialog/PlaylistDlg.h"
#include "framework/Menu.h"
#include "framework/Strings.h"
#include "lists/ListCommon.h"
#include "res/resource_ids.h"

namespace {

struct CWindowKey {
    UINT key;
    bool ctrl;
    bool shift;
    UINT command;
};

// Keys that act wherever the focus is in the window, except in the name
// field, which has its own undo.
const CWindowKey kWindowKeys[] = {
    {'Z', true, false, ID_PLAYLIST_UNDO},
    {'Y', true, false, ID_PLAYLIST_REDO},
    {'Z', true, true, ID_PLAYLIST_REDO},
    {'O', true, false, ID_PLAYLIST_OPEN},
};

bool IsDown(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

}

bool CPlaylistDlg::PreTranslateKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.hwnd == ::GetDlgItem(Hwnd(), IDC_PLAYLIST_NAME)) return false;
    bool ctrl = IsDown(VK_CONTROL);
    bool shift = IsDown(VK_SHIFT);
    for (const CWindowKey& key : kWindowKeys) {
        if (key.key != msg.wParam || key.ctrl != ctrl || key.shift != shift) continue;
        RunCommand(key.command, m_listPlaylist);
        return true;
    }
    return false;
}

// Right button, Shift+F10 or the menu key over a list; from the keyboard the
// menu opens at the list's selection.
bool CPlaylistDlg::OnContextMenu(HWND hWnd, LPARAM lParam)
{
    const CListView* pList = nullptr;
    UINT menuId = 0;
    if (hWnd == m_listPlaylist.Hwnd()) {
        pList = &m_listPlaylist;
        menuId = IDM_PLAYLIST_CONTEXT;
    } else if (hWnd == m_listSource.Hwnd()) {
        pList = &m_listSource;
        menuId = IDM_SOURCE_CONTEXT;
    } else if (hWnd == m_treeFolders.Hwnd()) {
        OnTreeContextMenu(lParam);
        return true;
    } else {
        return false;
    }
    if (m_bTipReady) m_wndTip.HideTip();
    CContextMenu menu(menuId);
    menu.EnableCommands([&](UINT command) { return CommandApplies(command, *pList); });
    UINT command = menu.Track(Hwnd(), ContextMenuPoint(lParam, SelectionMenuPoint(*pList)));
    if (command) RunCommand(command, *pList);
    return true;
}

bool CPlaylistDlg::CommandApplies(UINT command, const CListView& list) const
{
    size_t entries = m_playlist.Count();
    bool playlistSelection = entries > 0 && m_listPlaylist.GetSelectedCount() > 0;
    switch (command) {
    case ID_PLAYLIST_UNDO: return m_playlist.CanUndo();
    case ID_PLAYLIST_REDO: return m_playlist.CanRedo();
    case ID_PLAYLIST_MOVE_UP:
    case ID_PLAYLIST_MOVE_DOWN:
    case ID_PLAYLIST_REMOVE: return playlistSelection;
    case ID_PLAYLIST_CLEAR: return entries > 0;
    case ID_PLAYLIST_SORT_BY_NAME:
    case ID_PLAYLIST_SORT_BY_PATH:
    case ID_PLAYLIST_REVERSE:
    case ID_PLAYLIST_SHUFFLE:
    case ID_PLAYLIST_REMOVE_DUPLICATES: return entries > 1;
    case ID_PLAYLIST_OPEN: return true;
    case ID_PLAYLIST_REMOVE_MISSING: return !m_listPlaylist.Missing().IndicesIn(m_playlist.Paths()).empty();
    case ID_LIST_SELECT_ALL: return list.GetItemCount() > 0;
    case ID_SOURCE_ADD_SELECTED: return m_listSource.GetSelectedCount() > 0;
    case ID_SOURCE_ADD_ALL: return m_listSource.GetItemCount() > 0;
    default: return false;
    }
}

void CPlaylistDlg::RunCommand(UINT command, const CListView& list)
{
    using Edit = bool (*)(CPlaylistModel&);
    Edit edit = nullptr;
    switch (command) {
    case ID_PLAYLIST_UNDO: m_playlist.Undo(); return;
    case ID_PLAYLIST_REDO: m_playlist.Redo(); return;
    case ID_PLAYLIST_MOVE_UP: OnMove(true); return;
    case ID_PLAYLIST_MOVE_DOWN: OnMove(false); return;
    case ID_PLAYLIST_REMOVE: OnRemoveSelected(); return;
    case ID_PLAYLIST_CLEAR: OnRemoveAll(); return;
    case ID_LIST_SELECT_ALL:
        SetAllItemsSelected(list, true);
        ::SetFocus(list.Hwnd());
        return;
    case ID_SOURCE_ADD_SELECTED: OnAddSelected(); return;
    case ID_SOURCE_ADD_ALL: OnAddAll(); return;
    case ID_PLAYLIST_OPEN: OnOpen(); return;
    case ID_PLAYLIST_REMOVE_MISSING: OnRemoveMissing(); return;
    case ID_PLAYLIST_SORT_BY_NAME: edit = [](CPlaylistModel& m) { return m.SortByFileName(); }; break;
    case ID_PLAYLIST_SORT_BY_PATH: edit = [](CPlaylistModel& m) { return m.SortByFullPath(); }; break;
    case ID_PLAYLIST_REVERSE: edit = [](CPlaylistModel& m) { return m.Reverse(); }; break;
    case ID_PLAYLIST_SHUFFLE:
        edit = [](CPlaylistModel& m) { return m.Shuffle(static_cast<uint32_t>(::GetTickCount())); };
        break;
    case ID_PLAYLIST_REMOVE_DUPLICATES: edit = [](CPlaylistModel& m) { return m.RemoveDuplicates(); }; break;
    default: return;
    }
    m_listPlaylist.Edit(edit);
}

// "Playlist (1 entry):", "Playlist (123 entries):", with the mnemonic of the
// template's label.
void CPlaylistDlg::UpdateCountLabel()
{
    if (!m_hPlaylistLabel) return;
    int count = static_cast<int>(m_playlist.Count());
    std::wstring text = count == 1 ? LoadResString(IDS_PLAYLIST_COUNT_ONE)
                                   : FormatIntText(LoadResString(IDS_PLAYLIST_COUNT_MANY), count);
    if (text != GetWindowTextString(m_hPlaylistLabel)) ::SetWindowTextW(m_hPlaylistLabel, text.c_str());
}
