// The main window: the folder tree, the source list, the playlist and the
// buttons that edit and save it.
#pragma once

#include "dialog/DialogLayout.h"
#include "dialog/PlaylistSave.h"
#include "foldertree/FolderFilesSink.h"
#include "foldertree/FolderTreeCtrl.h"
#include "framework/Dialog.h"
#include "lists/FileDropTarget.h"
#include "lists/ItemTipSink.h"
#include "lists/ListMessages.h"
#include "lists/PlaylistListCtrl.h"
#include "lists/SourceListCtrl.h"
#include "look/ItemTipWnd.h"
#include "look/SkinHook.h"
#include "playlist/PlaylistModel.h"

#include <functional>
#include <string>

class CPlaylistDlg : public CModalDialog, public IItemTipSink, public IFolderFilesSink {
public:
    explicit CPlaylistDlg(HWND hParent = nullptr);

    // The source list's report of the item under the pointer; passed on to
    // the tip window once it exists.
    void ShowItemTip(CListView* pList, int item, const RECT& rcItem, const wchar_t* text,
                     BOOL selected) override;
    // The folder tree's folder: its audio files go into the source list.
    void ShowFolderFiles(const wchar_t* folder) override;

    bool ClosedByRequest() const { return m_bClosedByRequest; }

    // Called once, when the window is marked and initialised, so that it
    // answers a later start at once; also when the initialisation failed.
    void NotifyWhenReady(std::function<void()> onReady) { m_onReady = std::move(onReady); }

protected:
    void BindControls() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, UINT code, HWND hControl) override;
    bool PreTranslateKey(const MSG& msg) override;

private:
    LRESULT OnPaint(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(WPARAM event, LPARAM data);
    LRESULT OnShareMessage(WPARAM wParam, LPARAM lParam);
    void CloseWithoutAsking();
    bool OnListNotification(UINT msg, WPARAM wParam);

    void SetUpTreeImages();
    void AddAboutToSystemMenu();
    void OnAbout();
    void ApplySkin();
    void ExpandRootOnNewerSystems();

    void OnAddSelected();
    void OnAddAll();
    void OnRemoveSelected();
    void OnRemoveAll();
    void OnMove(bool up);
    void UpdateButtons();
    // The playlist differs from what was last saved or opened.
    bool HasUnsavedPlaylist() const;

    // Menus and keys (PlaylistCommands.cpp). The menu commands act on the
    // list the menu was opened for (Select All) or on the playlist.
    bool OnContextMenu(HWND hWnd, LPARAM lParam);
    bool CommandApplies(UINT command, const CListView& list) const;
    void RunCommand(UINT command, const CListView& list);
    // The count of entries in the label above the playlist.
    void UpdateCountLabel();
    // Size and DPI (DialogSizing.cpp).
    void MakeResizable();
    void CaptureLayout();
    void ApplyLayout();
    void OnGetMinMaxInfo(MINMAXINFO& info) const;
    void OnDpiChanged(const RECT& suggested);

    // Whole folders and drops (AddFolders.cpp).
    // Inserts the audio files of folder and the folders below it at index
    // (the end when negative), with the wait cursor; false when there were
    // none.
    bool AddFolderFiles(const std::wstring& folder, int index);
    void OnTreeContextMenu(LPARAM lParam);
    // What another program dropped, at index: the audio files on the
    // player's drive go in; one box tells how many items did not.
    void OnFilesDropped(int index);

    // Saving (SavePlaylist.cpp).
    void SetDefaultPlaylistName();
    void OnSave();
    SaveOutcome SavePlaylist(const std::wstring& name);
    LRESULT OnSetCursor(UINT msg, WPARAM wParam, LPARAM lParam);

    // Opening a playlist of the player (OpenPlaylist.cpp).
    void OnOpen();
    void OnRemoveMissing();

    CFolderTreeCtrl m_treeFolders;
    CSourceListCtrl m_listSource;
    // The playlist and its history; the list shows it, so it goes last.
    CPlaylistModel m_playlist;
    CPlaylistListCtrl m_listPlaylist;
    CFileDropTarget m_fileDropTarget{m_listPlaylist, WM_FILES_DROP_ON_PLAYLIST};
    HWND m_hPlaylistLabel = nullptr;
    std::wstring m_strPlaylistName;
    // The playlist file that was opened, as long as the playlist comes from
    // it; empty for a playlist made from nothing.
    std::wstring m_strOpenedPath;
    HICON m_hIcon = nullptr;
    UINT m_nShareMsg = 0;
    bool m_bClosedByRequest = false;
    // A close request or the drive's removal came: the window is closing,
    // and nothing more is written or asked.
    bool m_bClosing = false;
    bool m_bSaving = false;
    wchar_t m_szPlaylistDir[MAX_PATH] = {};
    std::function<void()> m_onReady;
    CItemTipWnd m_wndTip;
    bool m_bTipReady = false;
    // The template's layout, the controls it places, and the DPI the window
    // is shown at.
    CDialogLayout m_layout;
    std::vector<HWND> m_layoutControls;
    UINT m_nDpi = 96;
    // Last, so that it is released first, once the window is gone.
    CSkinHook m_skin;
};
