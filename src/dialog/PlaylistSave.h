// Saving the playlist into the player's PLAYLIST folder. Files only; the
// dialog puts the add-or-replace question and shows the outcome.
#pragma once

#include <functional>
#include <string>
#include <vector>

enum SaveResult {
    kSaved = 0,
    kSaveCancelled = 1,     // the user cancelled the question; nothing was changed
    kSaveOpenFailed = 2,    // the existing file could not be read, or the new one not written
    kSaveNoPath = 6,        // the writer got no path
    kSaveNameRefused = 7,   // no file can have that name (BuildPlaylistPath); nothing was changed
    kSaveNoFolder = 8,      // the drive is there but has no PLAYLIST folder; nothing was changed
};

enum class ExistingPlaylistAnswer { kAdd, kReplace, kCancel };

struct SaveOutcome {
    int nResult = kSaved;
    // Entries the saved file could not hold (see WritePlaylistFile).
    int nLeftOut = 0;
    // Lines of the existing file that named no entry, when adding to it
    // (see ReadPlaylistFile); comments and blank lines are not counted.
    int nLinesLeftOut = 0;
};

// Writes the entries to the playlist file for name in folder. When that
// file exists, askExisting is called once, before anything changes: adding
// puts the file's own entries first. Leftover temporary files of earlier
// saves are removed once the save goes ahead. An existing file is replaced
// only when the new content is complete, and its attributes (read-only
// included) carry over to the new file.
SaveOutcome SavePlaylistToFolder(const wchar_t* folder, const std::wstring& name,
                                 const std::vector<std::wstring>& entries,
                                 const std::function<ExistingPlaylistAnswer()>& askExisting);
