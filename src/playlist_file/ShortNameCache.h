// Short (8.3) forms of existing paths, answered from one enumeration per
// folder instead of one directory search per path component per entry.
#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

class CShortNameCache {
public:
    // Answers as PathFileExistsW and GetShortPathNameW would: false when the
    // path does not exist; otherwise true with strShort set to its short
    // form (each component as the file system lists it: its short alias, or
    // its own name when that is already 8.3), or to the path itself when the
    // system gives no short form.
    // A path that is not on a local drive (LocalPath.h), or whose letter
    // names a network share or no drive at all, counts as missing, and the
    // file system is never asked about it. Each letter's drive type is asked
    // once.
    // Listings are taken once and kept for the cache's lifetime, so it must
    // not outlive the moment it describes.
    bool Resolve(const std::wstring& strPath, std::wstring& strShort);

private:
    struct CName {
        std::wstring strLong;
        std::wstring strShort;   // empty when the long name is already 8.3
    };
    struct CKey {
        size_t nName;
        bool bShort;
    };
    struct CFolder {
        bool bListed = false;
        std::vector<CName> arrNames;   // in the order the file system lists them
        std::vector<CKey> arrIndex;    // both names of each entry, ordered without regard to case
        const CName* Find(const std::wstring& strName) const;
        const std::wstring& KeyText(const CKey& key) const;
    };

    struct CShortForm {
        bool bKnown = false;
        std::wstring strShort;
    };

    enum class DriveUse : unsigned char { kNotAsked, kAsk, kLeaveAlone };

    bool MayAsk(wchar_t drive);
    CFolder& Folder(const std::wstring& strFolder);
    const std::wstring* FolderShortForm(const std::wstring& strFolder);
    bool ResolvePlain(const std::wstring& strPath, std::wstring& strShort);

    // Listings by the folder's short form; short forms by any spelling.
    // Elements of both keep their address while others are added.
    std::unordered_map<std::wstring, CFolder> m_mapFolders;
    std::unordered_map<std::wstring, CShortForm> m_mapShortForms;
    std::array<DriveUse, 26> m_arrDrives{};
};
