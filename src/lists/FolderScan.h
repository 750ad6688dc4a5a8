// The folder scan behind the source list: which files of a folder count as
// audio files and how their full paths are formed; and the audio files of a
// whole folder with everything below it.
#pragma once

#include <functional>
#include <string>
#include <vector>

// ".mp3", ".wma" or ".wav" after the last dot of the name, in any letter
// case. A name that is only the extension counts.
bool IsAudioFileName(const wchar_t* name);

// Appends the full paths of the audio files directly in folder, in the order
// the file system enumerates them. Sub-folders are skipped; so is a file whose
// full path would not fit in MAX_PATH - 1 characters, since no later step
// could open it. A folder that cannot be enumerated appends nothing.
void ScanAudioFiles(const wchar_t* folder, std::vector<std::wstring>& out);

// The same scan, which also appends to subFolders the names of the folders
// that the folder tree shows below folder (not the hidden ones), in the
// order the file system enumerates them: one listing serves both.
void ScanAudioFiles(const wchar_t* folder, std::vector<std::wstring>& out, std::vector<std::wstring>& subFolders);

// Puts the names of folder's sub-folders into the order the tree shows them.
using SubFolderOrder = std::function<void(const std::wstring& folder, std::vector<std::wstring>& names)>;

// Appends the audio files of folder and of the folders below it, depth
// first: a folder's own files as the source list shows them, then each
// sub-folder in the tree's order with everything below it. Folders that are
// links elsewhere (junctions, mount points) are not entered, so that a link
// to a folder above never makes the walk endless.
void CollectFolderAudioFiles(const wchar_t* folder, const SubFolderOrder& order, std::vector<std::wstring>& out);

// Paths dropped from another program, for a playlist of the drive whose root
// is driveRoot: an audio file on that drive is taken, a folder on it gives
// its audio files as above, in the order dropped. Answers how many of the
// dropped paths were not taken (other files, anything elsewhere or gone).
int TakeDroppedPaths(const std::vector<std::wstring>& dropped, const wchar_t* driveRoot,
                     const SubFolderOrder& order, std::vector<std::wstring>& out);
