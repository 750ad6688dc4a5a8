// Reading and writing ".m3u" playlist files on the player's drive.
//
// Written form: one entry per line, CR LF line ends, the system ANSI code
// page, letters a to z in upper case, the short (8.3) form of every entry that
// exists, and drive-relative lines ("\MUSIC\A.MP3") for entries on the
// playlist's own root. The reader accepts more than the writer produces.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

enum PlaylistFileResult {
    kPlaylistFileDone = 0,
    kPlaylistFileFailed = 1,   // the file could not be created, written, opened or read
    kPlaylistFileNoPath = 3,   // the playlist path was null or empty
};

// Lines, the narrow form of an entry and the line buffer all hold at most
// this many bytes, the terminator or newline included.
constexpr int kPlaylistLineBuffer = MAX_PATH;

// Writes the entries in order. Upper-cases the elements of arrEntries in
// place, so callers pass a copy made for the purpose. An entry whose narrow
// form does not fit the line buffer is left out.
//
// The target is never truncated in place: the content goes to a temporary
// file in the same folder, which replaces the target in one step once it is
// complete and flushed. On any failure the result is kPlaylistFileFailed, no
// temporary file is left behind and an existing target keeps its bytes.
int WritePlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries);

// Appends the entries of the file after what arrEntries already holds. Lines
// starting with '#', lines of 3 bytes or fewer (their newline counted) and
// lines longer than the line buffer are skipped; "X:..." lines are taken as
// they are, "\..." lines relative to the playlist's root, other lines relative
// to its folder. On failure arrEntries is left as it was.
int ReadPlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries);

// Converts pszText (to its terminator) into pszBuffer of cbBuffer bytes in
// the given code page. False, with an empty buffer, when the text does not
// fit or cannot be converted.
bool ToNarrow(char* pszBuffer, const wchar_t* pszText, int cbBuffer, UINT nCodePage);
