// Item-identifier lists of the shell namespace: byte-level operations, an
// owning holder, and the process-wide shell allocator and desktop folder
// through which every list is allocated, freed and resolved.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <string>

// Shared references. Each acquisition must be paired with one release; the
// global lives while any pair is open and is fetched anew by the first
// acquisition after the last release. Both are null while nobody holds them.
// User-interface thread only.
extern IMalloc* g_pShellMalloc;
extern IShellFolder* g_pDesktopFolder;
void AcquireShellMalloc();
void ReleaseShellMalloc();
void AcquireDesktopFolder();
void ReleaseDesktopFolder();

// Byte-level operations; every one accepts null.
// The bytes of all items, without the terminator.
UINT GetIdListSize(LPCITEMIDLIST pidl);
// The item after this one, or null when this is the last item or a terminator.
LPCITEMIDLIST GetNextItemId(LPCITEMIDLIST pidl);
// The last item; the list itself when it has at most one item.
LPCITEMIDLIST GetLastItemId(LPCITEMIDLIST pidl);
// The number of items; 0 for the empty list (the desktop) and for null.
UINT GetIdListCount(LPCITEMIDLIST pidl);

// Whether two absolute lists name the same item. Two lists of one item may
// differ in their bytes (a name's letter case, say), so lists of as many
// items that differ are compared by the desktop; false for null.
bool IsSameIdList(LPCITEMIDLIST first, LPCITEMIDLIST second);

// The file-system path of an absolute list; empty for items outside the
// file system and for null.
std::wstring GetIdListPath(LPCITEMIDLIST pidl);

// Owns one list allocated from the shared allocator.
class CItemIdList {
public:
    CItemIdList() = default;
    explicit CItemIdList(LPITEMIDLIST pidl) : m_pidl(pidl) {}
    virtual ~CItemIdList();
    CItemIdList(const CItemIdList&) = delete;
    CItemIdList& operator=(const CItemIdList&) = delete;
    CItemIdList(CItemIdList&& other) noexcept : m_pidl(other.Detach()) {}
    CItemIdList& operator=(CItemIdList&& other) noexcept;

    LPITEMIDLIST Get() const { return m_pidl; }
    explicit operator bool() const { return m_pidl != nullptr; }
    LPITEMIDLIST Detach();
    // Frees what is held; null afterwards.
    void Free();
    // For out-parameters of the shell: frees what is held first.
    LPITEMIDLIST* Receive();

    std::wstring GetPath() const { return GetIdListPath(m_pidl); }

private:
    LPITEMIDLIST m_pidl = nullptr;
};

// The items of first then second in a new list; null when both are null or
// the allocation fails.
CItemIdList ConcatIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second);
// All items but the last in a new list (the empty list for one item, the
// empty list or null); null when the allocation fails.
CItemIdList CopyParentIdList(LPCITEMIDLIST pidl);
// The absolute list of a path (cut to 259 characters); null when the shell
// cannot parse it.
CItemIdList PathToIdList(const wchar_t* path, HWND hWnd);

// Turns an answer of IShellFolder::GetDisplayNameOf into text. It keeps a
// copy of the item asked about, because an offset answer points into the
// item, which the caller may free before reading the answer.
class CDisplayName {
public:
    CDisplayName();
    virtual ~CDisplayName();
    CDisplayName(const CDisplayName&) = delete;
    CDisplayName& operator=(const CDisplayName&) = delete;

    // Frees a string the shell gave and clears the answer.
    void Reset();
    // Clears the answer, copies the item and returns the answer to pass to
    // GetDisplayNameOf together with the same item.
    STRRET* Prepare(LPCITEMIDLIST pidl, UINT kind);
    std::wstring ToString() const;

private:
    CItemIdList m_itemCopy;
    UINT m_cbItemCopy = 0;
    STRRET m_answer;
};
