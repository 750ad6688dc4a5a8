// Choosing a playlist of the player to open, with the system's own Open
// dialog.
#pragma once

#include <windows.h>
#include <string>

// Shows the Open dialog over hOwner, starting in startFolder (or where the
// system chooses when that folder is missing), offering files of filterText
// ("Playlists (*.m3u)") only. True with path set to the chosen file; false
// when the user cancelled or the dialog could not be shown.
bool AskPlaylistToOpen(HWND hOwner, const wchar_t* startFolder, const std::wstring& filterText,
                       std::wstring& path);

// The name a playlist file gives the name field: its file name without
// ".m3u" in any letter case (another extension stays, as a save would keep
// it and add ".m3u").
std::wstring PlaylistNameOfFile(const std::wstring& path);
