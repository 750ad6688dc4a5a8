// The folder scan behind the source list: which files of a folder count as
// audio files and how their full paths are formed.
#pragma once

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
