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
    default:
        return nullptr;
    }
}
