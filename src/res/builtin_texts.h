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
        return L"A playlist name cannot contain the characters \\ / : * ? \" < > | or control "
               L"characters, cannot be made of dots only, and cannot be a device name such as CON, "
               L"PRN, AUX, NUL, COM1 or LPT1. Please type another name.";
    case IDS_ENTRIES_LEFT_OUT:
        return L"%d entries were left out of the saved playlist: their names contain characters "
               L"that cannot be written in a playlist on this computer, and the player has no "
               L"short names for them. Rename those files on the player and add them again.";
    case IDS_CLOSE_UNSAVED:
        return L"This playlist has not been saved. If you close the window now, it is lost.\n\n"
               L"Do you want to close without saving?\n\n"
               L"Yes: close and discard the playlist.\n"
               L"No: keep the window open, so that you can save it.";
    default:
        return nullptr;
    }
}
