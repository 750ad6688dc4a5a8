// Which paths name a file on a local drive. A playlist is text that anyone
// may have written; its lines must never lead the program to a network host,
// a device or the system's object namespace.
#pragma once

#include <string>

// A name the system takes for a device wherever it stands in a path: CON,
// PRN, AUX, NUL, CONIN$, CONOUT$, COM0 to COM9 and LPT0 to LPT9, in any case,
// with any extension and with spaces before the extension ("nul .mp3").
bool IsDeviceName(const std::wstring& strName);

// True for "X:" followed by anything, where no element between separators
// is a device name. False for network paths ("\\server\share"), the "\\?\"
// and "\\.\" prefixes, paths without a drive letter and device names: the
// file system is never to be asked about those on a playlist's behalf.
bool IsLocalDrivePath(const std::wstring& strPath);

// The one spelling of "X:..." that every reader of a playlist takes the same
// way: "X:\a\b" with single backslashes, "." elements dropped and ".."
// resolved, never above the drive's root ("X:\" for the root itself). A
// path without its separator after the colon is taken from the root. False
// when the result is not a local drive path (IsLocalDrivePath).
bool ToLocalDrivePath(const std::wstring& strPath, std::wstring& strLocal);
