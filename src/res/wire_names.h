// Names and numbers exchanged with other programs: the running instances of
// this tool, the companion program and whoever shows the wait dialog. They
// are a contract with programs built apart from this one and never change.
#pragma once

#include <windows.h>

// Marks every main window of the tool, with the value below.
inline constexpr wchar_t kMainWindowProperty[] = L"Vantorel_Wava_Playlist_041030003";
inline const HANDLE kMainWindowPropertyValue = reinterpret_cast<HANDLE>(101);

// Another program's wait dialog carries this property; no start goes on
// while one exists.
inline constexpr wchar_t kWaitDialogProperty[] = L"Vantorel_Wava_Playlist_WaitDlg_041030005";

// The registered message by which a start asks the running instances.
inline constexpr wchar_t kShareMessageName[] = L"ZKSHARESTRING_WAPl041030001";
// Its wParam values, and the reply that means "mine" (or "closing").
inline constexpr WPARAM kShareAskSameRoot = 1;
inline constexpr WPARAM kShareCloseRequest = 2;
inline constexpr LRESULT kShareReplyYes = -1;

// One start at a time per drive: a mutex in the session's own namespace,
// named by this prefix and the drive's letter in upper case ("..._E").
inline constexpr wchar_t kStartLockNamePrefix[] = L"Local\\Vantorel_Wava_Playlist_Start_";
// Held by the instance that serves a drive for its whole life, named the
// same way ("..._Serving_E").
inline constexpr wchar_t kServingLockNamePrefix[] = L"Local\\Vantorel_Wava_Playlist_Serving_";

// Broadcast after every save, so the companion rereads the player's playlists.
inline constexpr wchar_t kContentUpdatedMessageName[] = L"ZKWINMSG_QRSContentUpdated";
inline constexpr WPARAM kContentUpdatedPlaylists = 203;
