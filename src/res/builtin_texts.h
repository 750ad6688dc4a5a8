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
               L"letters and digits, then add them to the playlist again.";
    case IDS_CLOSE_UNSAVED:
        return L"This playlist has not been saved. If you close the window now, it is lost.\n\n"
               L"Do you want to close without saving?\n\n"
               L"Yes: close and discard the playlist.\n"
               L"No: keep the window open, so that you can save it.";
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
