// Names and paths of the playlist files in the player's PLAYLIST folder.
// Text and file-existence rules only; no window is involved.
#pragma once

#include <windows.h>
#include <string>

// The file for a name the user typed: the folder, the name, and ".m3u"
// unless the name already ends in it (in any letter case). False for a name
// the folder cannot hold: one with a character no file system takes, one the
// system reads as a device ("nul", "com1"), one that leads out of the folder
// (".."), or one too long for a path.
bool BuildPlaylistPath(const wchar_t* folder, const std::wstring& name, wchar_t (&path)[MAX_PATH]);

// The name as the user meant it: without the spaces before and after it,
// which are easy to type by mistake and hard to see in a file name (Windows
// drops trailing ones from a file name anyway). Empty for spaces alone.
std::wstring TrimmedPlaylistName(const std::wstring& typed);

// The first name made from format with n = 1, 2, ... whose file the folder
// does not hold yet. The counter stays below 100000000; when every name is
// taken, the last one tried is used. A format without a number gives only
// one name, so that name is used at once, taken or not.
std::wstring FirstFreeDefaultName(const std::wstring& format, const wchar_t* folder);
