// Naming and saving the playlist into the PLAYLIST folder of the player.
#include "dialog/PlaylistDlg.h"
#include "dialog/PlaylistExistsDlg.h"
#include "dialog/PlaylistNames.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "res/resource_ids.h"
#include "res/wire_names.h"

void CPlaylistDlg::SetDefaultPlaylistName()
{
    std::wstring name = FirstFreeDefaultName(LoadResString(IDS_DEFAULT_NAME_FORMAT), m_szPlaylistDir);
    HWND hName = ::GetDlgItem(Hwnd(), IDC_PLAYLIST_NAME);
    ::SetWindowTextW(hName, name.c_str());
    ::SetFocus(hName);
    ::SendMessageW(hName, EM_SETSEL, 0, 0xFFFF);
    ::SendMessageW(hName, EM_SCROLLCARET, 0, 0);
}

void CPlaylistDlg::OnSave()
{
    if (m_bClosedByRequest) return;
    HWND hName = ::GetDlgItem(Hwnd(), IDC_PLAYLIST_NAME);
    std::wstring name = TrimmedPlaylistName(GetWindowTextString(hName));
    if (name.empty()) {
        ShowAppMessage(Hwnd(), IDS_EMPTY_NAME);
        ::SetFocus(hName);
        return;
    }
    if (m_bClosedByRequest) return;

    SaveOutcome outcome = SavePlaylist(name);
    switch (outcome.nResult) {
    case kSaved:
        m_playlist.MarkSaved();
        ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(kContentUpdatedMessageName),
                       kContentUpdatedPlaylists, 0);
        if (outcome.nLeftOut > 0) {
            AppMessageBox(Hwnd(), FormatIntText(LoadResString(IDS_ENTRIES_LEFT_OUT), outcome.nLeftOut),
                          g_strMsgCaption, MB_OK | MB_ICONINFORMATION);
        }
        if (ShowAppMessage(Hwnd(), IDS_SAVED_ANOTHER, MB_YESNO | MB_ICONQUESTION) == IDNO) {
            EndDialog(IDOK);
            return;
        }
        SetDefaultPlaylistName();
        // An undoable clear: undone, it brings back what was just saved. The
        // new playlist has never been saved, even when it comes to hold the
        // same entries as the one just saved under another name.
        if (m_listPlaylist.GetItemCount() > 0) OnRemoveAll();
        break;
    case kSaveOpenFailed:
        ShowAppMessage(Hwnd(), IDS_FILE_OPEN_FAILED);
        break;
    case kSaveNameRefused:
        ShowAppMessage(Hwnd(), IDS_INVALID_NAME);
        break;
    case kSaveNoPath:
        ShowAppMessage(Hwnd(), IDS_WRITER_NO_PATH);
        break;
    default:
        break;
    }
}

// The wait cursor stays up for the whole save, the question included.
SaveOutcome CPlaylistDlg::SavePlaylist(const std::wstring& name)
{
    CWaitCursor wait;
    m_bSaving = true;
    CScopeExit saved([this] { m_bSaving = false; });
    return SavePlaylistToFolder(m_szPlaylistDir, name, m_listPlaylist.Paths(), [this] {
        CPlaylistExistsDlg ask(Hwnd());
        if (ask.DoModal() != IDOK) return ExistingPlaylistAnswer::kCancel;
        return ask.m_nChoice == CPlaylistExistsDlg::kAddToExisting ? ExistingPlaylistAnswer::kAdd
                                                                    : ExistingPlaylistAnswer::kReplace;
    });
}

LRESULT CPlaylistDlg::OnSetCursor(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_bSaving) return CModalDialog::WindowProc(msg, wParam, lParam);
    // Behind the question the window is disabled; a click on it still gets
    // the system's beep.
    if (static_cast<short>(LOWORD(lParam)) == HTERROR) DefaultProc(msg, wParam, lParam);
    return SetWaitCursor();
}
