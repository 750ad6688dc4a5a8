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
// place, so callers pass a copy made for the purpose. An entry is left out
// when no line could name it: it is not a path on a local drive (see
// LocalPath.h), or its narrow form does not fit the line buffer or needs
// characters the system code page lacks (a name outside the code page whose
// file has no short name that avoids them). Empty entries are skipped.
// *pnLeftOut, when given, receives the number left out once the file is
// written, and 0 otherwise.
//
// The target is never truncated in place: the content goes to a temporary
// file in the same folder, which replaces the target in one step once it is
// complete and flushed. On any failure the result is kPlaylistFileFailed, no
// temporary file is left behind and an existing target keeps its bytes.
int WritePlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries, int* pnLeftOut = nullptr);

// Removes from the folder the temporary files that a write stopped half-way
// (a killed process, a lost drive) left behind: exactly the names the writer
// gives them, and nothing else.
void RemoveLeftoverTemporaryFiles(const wchar_t* pszFolder);

// Appends the entries of the file after what arrEntries already holds.
//
// The text is in the system ANSI code page; after a UTF-8 mark it is UTF-8,
// after a UTF-16 mark (either byte order) UTF-16. It ends at the end of the
// file or at a Ctrl+Z. Lines end with LF or CR LF. Lines starting with '#',
// lines of 3 characters or fewer (their newline counted), lines longer than
// the line buffer and lines holding a control character are skipped. "X:..."
// lines are taken as they are, "\..." lines relative to the playlist's root,
// other lines relative to its folder; a line that would not give a path on
// a local drive (a network or device path, a device name) is skipped too.
// On failure arrEntries is left as it was. *pnUnreadable, when given,
// receives the number of skipped lines that were neither comments nor too
// short to be entries.
int ReadPlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries, int* pnUnreadable = nullptr);

// Converts pszText (to its terminator) into pszBuffer of cbBuffer bytes in
// the given code page. False, with an empty buffer, when the text does not
// fit or the code page cannot hold it exactly (no best-fit substitutes).
bool ToNarrow(char* pszBuffer, const wchar_t* pszText, int cbBuffer, UINT nCodePage);
