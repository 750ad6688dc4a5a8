// Naming and saving the playlist into the PLAYLIST folder of the player.
#include "dialog/PlaylistDlg.h"
#include "dialog/PlaylistExistsDlg.h"
#include "dialog/PlaylistNames.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "res/resource_ids.h"
#include "res/wire_names.h"

namespace {

// Paths compared as the files they name: the Open dialog and the name field
// may spell the same file differently (short or long, any case).
bool SameFile(const std::wstring& first, const wchar_t* second)
{
    wchar_t longFirst[MAX_PATH] = {}, longSecond[MAX_PATH] = {};
    if (!::GetLongPathNameW(first.c_str(), longFirst, MAX_PATH)) CopyToBuffer(longFirst, MAX_PATH, first.c_str());
    if (!::GetLongPathNameW(second, longSecond, MAX_PATH)) CopyToBuffer(longSecond, MAX_PATH, second);
    return ::lstrcmpiW(longFirst, longSecond) == 0;
}

}

void CPlaylistDlg::SetDefaultPlaylistName()
{
    std::wstring name = FirstFreeDefaultName(LoadResString(IDS_DEFAULT_NAME_FORMAT), m_szPlaylistDir);
    HWND hName = ::GetDlgItem(Hwnd(), IDC_PLAYLIST_NAME);
    ::SetWindowTextW(hName, name.c_str());
    ::SetFocus(hName);
    ::SendMessageW(hName, EM_SETSEL, 0, 0xFFFF);
    ::SendMessageW(hName, EM_SCROLLCARET, 0, 0);
}

// Once the window is closing, the save shows nothing more.
void CPlaylistDlg::OnSave()
{
    if (m_bClosing) return;
    HWND hName = ::GetDlgItem(Hwnd(), IDC_PLAYLIST_NAME);
    std::wstring name = TrimmedPlaylistName(GetWindowTextString(hName));
    if (name.empty()) {
        ShowAppMessage(Hwnd(), IDS_EMPTY_NAME);
        ::SetFocus(hName);
        return;
    }

    SaveOutcome outcome = SavePlaylist(name);
    if (m_bClosing) return;
    switch (outcome.nResult) {
    case kSaved:
        m_playlist.MarkSaved();
        ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(kContentUpdatedMessageName),
                       kContentUpdatedPlaylists, 0);
        // One box for all that the saved file lacks: entries it could not
        // hold, and lines of the file added to that named nothing it kept.
        ShowAppCounts(Hwnd(), {{IDS_ENTRIES_LEFT_OUT, outcome.nLeftOut}, {IDS_LINES_LEFT_OUT, outcome.nLinesLeftOut}});
        if (m_bClosing) return;
        if (ShowAppMessage(Hwnd(), IDS_SAVED_ANOTHER, MB_YESNO | MB_ICONQUESTION) == IDNO || m_bClosing) {
            EndDialog(IDOK);
            return;
        }
        SetDefaultPlaylistName();
        // An undoable clear: undone, it brings back what was just saved. The
        // new playlist has never been saved, even when it comes to hold the
        // same entries as the one just saved under another name.
        if (m_listPlaylist.GetItemCount() > 0) OnRemoveAll();
        m_strOpenedPath.clear();
        break;
    case kSaveOpenFailed:
        ShowAppMessage(Hwnd(), IDS_FILE_OPEN_FAILED);
        break;
    case kSaveNoFolder:
        ShowAppMessage(Hwnd(), IDS_NO_PLAYLIST_FOLDER);
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
// Missing entries name no file, so the player could not play their lines:
// they are left out and counted with the others left out.
SaveOutcome CPlaylistDlg::SavePlaylist(const std::wstring& name)
{
    CWaitCursor wait;
    m_bSaving = true;
    CScopeExit saved([this] { m_bSaving = false; });
    std::vector<std::wstring> entries;
    int missing = 0;
    for (const std::wstring& path : m_listPlaylist.Paths()) {
        if (m_listPlaylist.Missing().IsMissing(path))
            ++missing;
        else
            entries.push_back(path);
    }
    // Saving back under the opened file's own name replaces it, most likely.
    wchar_t target[MAX_PATH] = {};
    const bool savingBack = !m_strOpenedPath.empty() && BuildPlaylistPath(m_szPlaylistDir, name, target) &&
                            SameFile(m_strOpenedPath, target);
    SaveOutcome outcome = SavePlaylistToFolder(m_szPlaylistDir, name, entries, [this, savingBack] {
        CPlaylistExistsDlg ask(Hwnd());
        if (savingBack) ask.m_nChoice = CPlaylistExistsDlg::kReplaceExisting;
        // An answer given after a close request still cancels.
        if (ask.DoModal() != IDOK || m_bClosing) return ExistingPlaylistAnswer::kCancel;
        return ask.m_nChoice == CPlaylistExistsDlg::kAddToExisting ? ExistingPlaylistAnswer::kAdd
                                                                    : ExistingPlaylistAnswer::kReplace;
    });
    if (outcome.nResult == kSaved) outcome.nLeftOut += missing;
    return outcome;
}

LRESULT CPlaylistDlg::OnSetCursor(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_bSaving) return CModalDialog::WindowProc(msg, wParam, lParam);
    // Behind the question the window is disabled; a click on it still gets
    // the system's beep.
    if (static_cast<short>(LOWORD(lParam)) == HTERROR) DefaultProc(msg, wParam, lParam);
    return SetWaitCursor();
}
