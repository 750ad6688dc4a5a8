// Opening one of the player's playlists to edit it and save it back.
#include "dialog/PlaylistDlg.h"
#include "dialog/PlaylistOpen.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "handoff/DeviceFields.h"
#include "playlist_file/LongNameResolver.h"
#include "playlist_file/PlaylistFile.h"
#include "res/resource_ids.h"

#include <cwctype>

namespace {

// Drive letters compared, so that a device root given as "E:" or "E:\"
// both match.
bool IsOnDrive(const std::wstring& path, const wchar_t* root)
{
    return path.size() >= 2 && root[0] && root[1] == L':' && path[1] == L':' &&
           std::towupper(path[0]) == std::towupper(root[0]);
}

}

// A playlist that is opened replaces the one in the window, which is why
// unsaved entries are asked about first, as closing does.
void CPlaylistDlg::OnOpen()
{
    if (m_bClosing) return;
    if (HasUnsavedPlaylist() &&
        ShowAppMessage(Hwnd(), IDS_OPEN_UNSAVED, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    std::wstring path;
    if (!AskPlaylistToOpen(Hwnd(), m_szPlaylistDir, LoadResString(IDS_OPEN_FILTER), path)) return;
    // A close request or the drive's removal may have come meanwhile.
    if (m_bClosing) return;
    const wchar_t* root = AppDeviceFields().m_szDeviceRoot;
    if (!IsOnDrive(path, root)) {
        ShowAppMessage(Hwnd(), IDS_OPEN_OTHER_DRIVE);
        return;
    }

    COpenedPlaylist opened;
    {
        CWaitCursor wait;
        if (OpenPlaylistFile(path.c_str(), root, opened) != kPlaylistFileDone) {
            ShowAppMessage(Hwnd(), IDS_OPEN_FAILED);
            return;
        }
    }
    std::vector<std::wstring> missing;
    for (size_t index : opened.arrMissing) missing.push_back(opened.arrEntries[index]);
    m_listPlaylist.SetMissingPaths(missing);
    // A playlist of its own: no history to undo into, and as saved.
    m_playlist.Reset(std::move(opened.arrEntries));
    m_strOpenedPath = path;
    ::SetDlgItemTextW(Hwnd(), IDC_PLAYLIST_NAME, PlaylistNameOfFile(path).c_str());
    ::SetFocus(m_listPlaylist.Hwnd());
    // One box for all that the file does not give the player, or none.
    ShowAppCounts(Hwnd(), {{IDS_OPENED_MISSING, static_cast<int>(opened.arrMissing.size())},
                           {IDS_OPENED_UNREADABLE, opened.nUnreadable}});
}


void CPlaylistDlg::OnRemoveMissing()
{
    m_listPlaylist.RemoveMissingEntries();
}
