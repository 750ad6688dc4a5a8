// Naming and saving the playlist into the PLAYLIST folder of the player.
#include "dialog/PlaylistDlg.h"
#include "dialog/PlaylistExistsDlg.h"
#include "dialog/PlaylistNames.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "playlist_file/PlaylistFile.h"
#include "res/resource_ids.h"
#include "res/wire_names.h"

#include <shlwapi.h>

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
    std::wstring name = GetWindowTextString(hName);
    if (name.empty()) {
        ShowAppMessage(Hwnd(), IDS_EMPTY_NAME);
        ::SetFocus(hName);
        return;
    }
    if (m_bClosedByRequest) return;

    switch (SavePlaylist(name)) {
    case kSaved:
        m_arrSavedPaths = m_listPlaylist.Paths();
        ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(kContentUpdatedMessageName),
                       kContentUpdatedPlaylists, 0);
        if (ShowAppMessage(Hwnd(), IDS_SAVED_ANOTHER, MB_YESNO | MB_ICONQUESTION) == IDNO) {
            EndDialog(IDOK);
            return;
        }
        SetDefaultPlaylistName();
        if (m_listPlaylist.GetItemCount() > 0) OnRemoveAll();
        break;
    case kSaveOpenFailed:
        ShowAppMessage(Hwnd(), IDS_FILE_OPEN_FAILED);
        break;
    case kSaveNoPath:
        ShowAppMessage(Hwnd(), IDS_WRITER_NO_PATH);
        break;
    default:
        break;
    }
}

// An existing file is replaced only once the new content is complete: the
// writer puts it in place in one step, so a failed save leaves the old
// playlist as it was. Its attributes carry over to the new file.
int CPlaylistDlg::SavePlaylist(const std::wstring& name)
{
    CWaitCursor wait;
    wchar_t path[MAX_PATH] = {};
    if (!BuildPlaylistPath(m_szPlaylistDir, name, path)) return kSaveOpenFailed;
    bool exists = ::PathFileExistsW(path) != FALSE;

    int choice = CPlaylistExistsDlg::kReplaceExisting;
    if (exists) {
        CPlaylistExistsDlg ask(Hwnd());
        if (ask.DoModal() != IDOK) return kSaveCancelled;
        choice = ask.m_nChoice;
    }

    std::vector<std::wstring> entries;
    if (exists && choice == CPlaylistExistsDlg::kAddToExisting &&
        ReadPlaylistFile(path, entries) == kPlaylistFileFailed)
        return kSaveOpenFailed;
    const std::vector<std::wstring>& playlist = m_listPlaylist.Paths();
    entries.insert(entries.end(), playlist.begin(), playlist.end());

    int written;
    if (exists) {
        DWORD attributes = ::GetFileAttributesW(path);
        ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
        written = WritePlaylistFile(path, entries);
        if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(path, attributes);
    } else {
        written = WritePlaylistFile(path, entries);
    }
    switch (written) {
    case kPlaylistFileDone: return kSaved;
    case kPlaylistFileFailed: return kSaveOpenFailed;
    default: return kSaveNoPath;
    }
}
