// English texts the program carries for the strings added to the resource
// module after its first release. A module in use may be older and lack
// them; a text is never shown empty for that reason.
#pragma once

#include "res/resource_ids.h"

#include <windows.h>

// The built-in text of a newer string id; null for the ids every module has.
inline const wchar_t* BuiltInText(UINT id)
{
    switch (id) {
    case IDS_INVALID_NAME:
        return L"This name cannot be used for a playlist. A playlist name cannot contain the "
               L"characters \\ / : * ? \" < > | or control characters, cannot be made of dots only, "
               L"and cannot be a device name such as CON, PRN, AUX, NUL, COM1 or LPT1, with or "
               L"without an extension. Please type another name.";
    case IDS_ENTRIES_LEFT_OUT:
        return L"Entries left out of the saved playlist: %d.\n\nThe names of these files contain "
               L"characters that cannot be written in a playlist on this computer, or their paths "
               L"are too long. Rename the files on the player with shorter names made of plain "
               L"letters and digits, then add them to the playlist again. Entries whose files are no longer "
               L"on the player are left out as well.";
    case IDS_CLOSE_UNSAVED:
        return L"This playlist has not been saved. If you close the window now, it is lost.\n\n"
               L"Do you want to close without saving?\n\n"
               L"Yes: close and discard the playlist.\n"
               L"No: keep the window open, so that you can save it.";
    case IDS_LINES_LEFT_OUT:
        return L"Lines of the existing playlist left out of the saved playlist: %d.\n\nThese lines did not "
               L"name a file on a drive of this computer: they named a network or device path, held control "
               L"characters or text that could not be read, or were too long. The other lines were kept.";
    case IDS_NO_PLAYLIST_FOLDER:
        return L"The playlist was not saved because the player has no folder named PLAYLIST. Create a "
               L"folder named PLAYLIST at the top of the player's drive, for example with Windows "
               L"Explorer, then press Save again.";
    case IDS_ABOUT_MENU:
        return L"About Wava Playlist...";
    case IDS_ABOUT_CAPTION:
        return L"About Wava Playlist";
    case IDS_ABOUT_TEXT:
        return L"Wava Playlist\n\nProgram version: %1\nResource module version: %2\n\nRuns from: %3";
    case IDS_VERSION_UNKNOWN:
        return L"unknown";
    case IDS_DRIVE_NOT_ANSWERING:
        return L"Wava Playlist is already open for the player on drive %1, or is starting for it, but it "
               L"does not answer. It may be busy: wait a moment, then try again.";
    case IDS_OPEN_UNSAVED:
        return L"This playlist has not been saved. If you open another playlist now, it is lost.\n\n"
               L"Do you want to open another playlist without saving this one?\n\n"
               L"Yes: open another playlist and discard this one.\n"
               L"No: keep this playlist, so that you can save it.";
    case IDS_OPEN_FILTER:
        return L"Playlists (*.m3u)";
    case IDS_OPEN_OTHER_DRIVE:
        return L"This playlist is not on the player. Only the player's own playlists can be opened here: "
               L"choose one in the folder PLAYLIST of the player.";
    case IDS_OPEN_FAILED:
        return L"The playlist could not be opened. Check that the player is still connected and that the "
               L"file can be read, then try again.";
    case IDS_OPENED_MISSING:
        return L"Entries whose files are no longer on the player: %d.\n\nThe player skips them. They are "
               L"shown struck through and marked as missing, and they are left out when the playlist is "
               L"saved. To take them out of the list, use \"Remove missing entries\" in the playlist's "
               L"context menu.";
    case IDS_OPENED_UNREADABLE:
        return L"Lines of the playlist that could not be read: %d.\n\nThey name no file that can be "
               L"played from the player (unreadable characters, a network or device path, or a line too "
               L"long). They are not in the list and are left out when the playlist is saved.";
    case IDS_MISSING_ENTRY:
        return L"%1 (missing)";
    case IDS_MENU_OPEN: return L"&Open...\tCtrl+O";
    case IDS_MENU_REMOVE_MISSING: return L"Remove missing &entries";
    case IDS_TREE_ADD_TO_PLAYLIST:
        return L"&Add to playlist";
    case IDS_DROP_NOT_TAKEN:
        return L"Items not added to the playlist: %d.\n\nA playlist can only hold audio files (.mp3, .wma, "
               L".wav) that are on the player. Copy the files to the player first, then add them from "
               L"there.";
    case IDS_PLAYLIST_COUNT_ONE: return L"&Playlist (1 entry):";
    case IDS_PLAYLIST_COUNT_MANY: return L"&Playlist (%d entries):";
    case IDS_MENU_UNDO: return L"&Undo\tCtrl+Z";
    case IDS_MENU_REDO: return L"&Redo\tCtrl+Y";
    case IDS_MENU_MOVE_UP: return L"Move U&p\tAlt+Up";
    case IDS_MENU_MOVE_DOWN: return L"Move &Down\tAlt+Down";
    case IDS_MENU_REMOVE: return L"Re&move\tDel";
    case IDS_MENU_CLEAR: return L"&Clear All";
    case IDS_MENU_SORT_BY_NAME: return L"Sort by File &Name";
    case IDS_MENU_SORT_BY_PATH: return L"Sort by Full Pa&th";
    case IDS_MENU_REVERSE: return L"Re&verse Order";
    case IDS_MENU_SHUFFLE: return L"S&huffle";
    case IDS_MENU_REMOVE_DUPLICATES: return L"Remove Dupl&icates";
    case IDS_MENU_SELECT_ALL: return L"Select &All\tCtrl+A";
    case IDS_MENU_ADD_SELECTED: return L"&Add to Playlist\tEnter";
    case IDS_MENU_ADD_ALL: return L"Add A&ll to Playlist";
    default:
        return nullptr;
    }
}
