#include "dialog/PlaylistSave.h"
#include "dialog/PlaylistNames.h"
#include "playlist_file/PlaylistFile.h"

#include <windows.h>
#include <shlwapi.h>

namespace {
int WriteKeepingAttributes(const wchar_t* path, bool exists, std::vector<std::wstring>& entries,
                           int& leftOut)
{
    if (!exists) return WritePlaylistFile(path, entries, &leftOut);
    // The writer refuses to replace a read-only file, so the attributes are
    // cleared for the write and put back whatever it returned.
    DWORD attributes = ::GetFileAttributesW(path);
    ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    int written = WritePlaylistFile(path, entries, &leftOut);
    if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(path, attributes);
    return written;
}

// The folder is never created: a missing one is told apart from a drive
// that has gone, which has no root either.
bool IsFolderMissing(const wchar_t* folder)
{
    if (::PathIsDirectoryW(folder)) return false;
    wchar_t root[MAX_PATH] = {};
    ::lstrcpynW(root, folder, MAX_PATH);
    return ::PathStripToRootW(root) && ::PathIsDirectoryW(root);
}

int SaveResultOf(int written)
{
    switch (written) {
    case kPlaylistFileDone: return kSaved;
    case kPlaylistFileFailed: return kSaveOpenFailed;
    default: return kSaveNoPath;
    }
}
}

SaveOutcome SavePlaylistToFolder(const wchar_t* folder, const std::wstring& name,
                                 const std::vector<std::wstring>& entries,
                                 const std::function<ExistingPlaylistAnswer()>& askExisting)
{
    SaveOutcome outcome;
    wchar_t path[MAX_PATH] = {};
    if (!BuildPlaylistPath(folder, name, path)) {
        outcome.nResult = kSaveNameRefused;
        return outcome;
    }
    if (IsFolderMissing(folder)) {
        outcome.nResult = kSaveNoFolder;
        return outcome;
    }
    const bool exists = ::PathFileExistsW(path) != FALSE;
    ExistingPlaylistAnswer answer = ExistingPlaylistAnswer::kReplace;
    if (exists) {
        answer = askExisting();
        if (answer == ExistingPlaylistAnswer::kCancel) {
            outcome.nResult = kSaveCancelled;
            return outcome;
        }
    }
    RemoveLeftoverTemporaryFiles(folder);

    std::vector<std::wstring> combined;
    if (exists && answer == ExistingPlaylistAnswer::kAdd &&
        ReadPlaylistFile(path, combined, &outcome.nLinesLeftOut) == kPlaylistFileFailed) {
        outcome.nResult = kSaveOpenFailed;
        return outcome;
    }
    combined.insert(combined.end(), entries.begin(), entries.end());
    outcome.nResult = SaveResultOf(WriteKeepingAttributes(path, exists, combined, outcome.nLeftOut));
    return outcome;
}
