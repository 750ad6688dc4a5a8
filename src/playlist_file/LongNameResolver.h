// The files a playlist's entries name, by their long names. A line may name
// its file in any form (short or long names, any case, either separator,
// "." and ".." elements): each folder on the way is listed once, and every
// element is looked up in its folder's listing by either of its names.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class CLongNameResolver {
public:
    // Only entries below strDriveRoot ("E:\") are looked up; an entry
    // anywhere else names no file of the drive, and the file system is never
    // asked about it.
    explicit CLongNameResolver(const std::wstring& strDriveRoot);

    // True with strLong set to the file's path as the file system spells it
    // (long names, their own case, backslashes) when strEntry names a file
    // below the root; false when a folder on the way or the file is missing,
    // or the entry names a folder.
    // Listings are kept for the resolver's lifetime, so it must not outlive
    // the moment it describes.
    bool Resolve(const std::wstring& strEntry, std::wstring& strLong);

private:
    struct CName {
        std::wstring strLong;
        bool bFolder;
    };
    struct CListing {
        std::vector<CName> arrNames;
        // Both names of each element, upper-cased, to its place in arrNames.
        std::unordered_map<std::wstring, size_t> mapByName;
        const CName* Find(const std::wstring& strName) const;
    };

    const CListing& Listing(const std::wstring& strFolder);

    std::wstring m_strRoot;   // "X:", without the backslash
    // By the folder's long path as this resolver built it.
    std::unordered_map<std::wstring, CListing> m_mapListings;
};

// A playlist file read for editing: its entries by their long paths, in
// order; the entries that name no file of the drive stay as the line gave
// them and are listed in arrMissing (ascending indices).
struct COpenedPlaylist {
    std::vector<std::wstring> arrEntries;
    std::vector<size_t> arrMissing;
    // Lines that named no file that may be read at all (see ReadPlaylistFile).
    int nUnreadable = 0;
};

// Reads the playlist at pszPath and resolves its entries below
// strDriveRoot. Answers the reader's result; on failure opened is empty.
int OpenPlaylistFile(const wchar_t* pszPath, const std::wstring& strDriveRoot, COpenedPlaylist& opened);
