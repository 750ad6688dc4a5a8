#include "foldertree/IdList.h"

#include <cstring>

IMalloc* g_pShellMalloc = nullptr;
IShellFolder* g_pDesktopFolder = nullptr;

namespace {

// Our own count of open acquisitions decides when the global goes: the
// shell's allocator and desktop folder are static objects whose Release
// never answers 0, so their own counts cannot tell.
template <typename T>
struct CSharedRef {
    T*& global;
    LONG count;
    HRESULT(WINAPI* fetch)(T**);

    void Acquire()
    {
        if (count > 0 && global) {
            global->AddRef();
        } else if (FAILED(fetch(&global)) || !global) {
            global = nullptr;
            return;
        }
        ++count;
    }
    void Release()
    {
        if (count == 0 || !global) return;
        global->Release();
        if (--count == 0) global = nullptr;
    }
};

CSharedRef<IMalloc> s_shellMalloc = {g_pShellMalloc, 0, &SHGetMalloc};
CSharedRef<IShellFolder> s_desktopFolder = {g_pDesktopFolder, 0, &SHGetDesktopFolder};

// Brackets one operation's use of the shared allocator.
class CMallocScope {
public:
    CMallocScope() { AcquireShellMalloc(); }
    ~CMallocScope() { ReleaseShellMalloc(); }
    CMallocScope(const CMallocScope&) = delete;
    CMallocScope& operator=(const CMallocScope&) = delete;
    IMalloc* operator->() const { return g_pShellMalloc; }
    explicit operator bool() const { return g_pShellMalloc != nullptr; }
};

USHORT ItemSize(LPCITEMIDLIST pidl)
{
    USHORT cb;
    std::memcpy(&cb, pidl, sizeof(cb));   // items need not be aligned
    return cb;
}

// A new list of the given item bytes plus the terminator.
CItemIdList NewIdList(const void* first, UINT cbFirst, const void* second, UINT cbSecond)
{
    CMallocScope malloc;
    if (!malloc) return CItemIdList();
    BYTE* block = static_cast<BYTE*>(malloc->Alloc(cbFirst + cbSecond + sizeof(USHORT)));
    if (!block) return CItemIdList();
    if (cbFirst) std::memcpy(block, first, cbFirst);
    if (cbSecond) std::memcpy(block + cbFirst, second, cbSecond);
    std::memset(block + cbFirst + cbSecond, 0, sizeof(USHORT));
    return CItemIdList(reinterpret_cast<LPITEMIDLIST>(block));
}

}  // namespace

void AcquireShellMalloc() { s_shellMalloc.Acquire(); }
void ReleaseShellMalloc() { s_shellMalloc.Release(); }
void AcquireDesktopFolder() { s_desktopFolder.Acquire(); }
void ReleaseDesktopFolder() { s_desktopFolder.Release(); }

UINT GetIdListSize(LPCITEMIDLIST pidl)
{
    UINT size = 0;
    for (; pidl && ItemSize(pidl) != 0; pidl = reinterpret_cast<LPCITEMIDLIST>(
                                            reinterpret_cast<const BYTE*>(pidl) + ItemSize(pidl)))
        size += ItemSize(pidl);
    return size;
}

LPCITEMIDLIST GetNextItemId(LPCITEMIDLIST pidl)
{
    if (!pidl || ItemSize(pidl) == 0) return nullptr;
    LPCITEMIDLIST next =
        reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(pidl) + ItemSize(pidl));
    return ItemSize(next) == 0 ? nullptr : next;
}

LPCITEMIDLIST GetLastItemId(LPCITEMIDLIST pidl)
{
    LPCITEMIDLIST last = pidl;
    for (LPCITEMIDLIST next = GetNextItemId(last); next; next = GetNextItemId(last)) last = next;
    return last;
}

UINT GetIdListCount(LPCITEMIDLIST pidl)
{
    if (!pidl || ItemSize(pidl) == 0) return 0;
    UINT count = 1;
    for (LPCITEMIDLIST next = GetNextItemId(pidl); next; next = GetNextItemId(next)) ++count;
    return count;
}

bool IsSameIdList(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    if (!first || !second || GetIdListCount(first) != GetIdListCount(second)) return false;
    UINT size = GetIdListSize(first);
    if (size == GetIdListSize(second) && std::memcmp(first, second, size) == 0) return true;
    AcquireDesktopFolder();
    HRESULT hr = g_pDesktopFolder ? g_pDesktopFolder->CompareIDs(0, first, second) : E_FAIL;
    ReleaseDesktopFolder();
    return SUCCEEDED(hr) && HRESULT_CODE(hr) == 0;
}

CItemIdList::~CItemIdList()
{
    Free();
}

CItemIdList& CItemIdList::operator=(CItemIdList&& other) noexcept
{
    if (this != &other) {
        Free();
        m_pidl = other.Detach();
    }
    return *this;
}

LPITEMIDLIST CItemIdList::Detach()
{
    LPITEMIDLIST pidl = m_pidl;
    m_pidl = nullptr;
    return pidl;
}

void CItemIdList::Free()
{
    if (!m_pidl) return;
    CMallocScope malloc;
    if (malloc) malloc->Free(m_pidl);
    m_pidl = nullptr;
}

LPITEMIDLIST* CItemIdList::Receive()
{
    Free();
    return &m_pidl;
}

std::wstring GetIdListPath(LPCITEMIDLIST pidl)
{
    wchar_t path[MAX_PATH] = L"";
    if (!pidl || !::SHGetPathFromIDListW(pidl, path)) return std::wstring();
    return path;
}

CItemIdList ConcatIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    if (!first && !second) return CItemIdList();
    return NewIdList(first, GetIdListSize(first), second, GetIdListSize(second));
}

CItemIdList CopyParentIdList(LPCITEMIDLIST pidl)
{
    UINT cbParent = pidl ? static_cast<UINT>(reinterpret_cast<const BYTE*>(GetLastItemId(pidl)) -
                                             reinterpret_cast<const BYTE*>(pidl))
                         : 0;
    return NewIdList(pidl, cbParent, nullptr, 0);
}

CItemIdList PathToIdList(const wchar_t* path, HWND hWnd)
{
    wchar_t buffer[MAX_PATH] = L"";
    if (path) ::lstrcpynW(buffer, path, MAX_PATH);
    CItemIdList result;
    AcquireDesktopFolder();
    if (g_pDesktopFolder) {
        ULONG eaten = 0;
        if (FAILED(g_pDesktopFolder->ParseDisplayName(hWnd, nullptr, buffer, &eaten,
                                                      result.Receive(), nullptr)))
            result.Free();
    }
    ReleaseDesktopFolder();
    return result;
}

CDisplayName::CDisplayName()
{
    std::memset(&m_answer, 0, sizeof(m_answer));
}

CDisplayName::~CDisplayName()
{
    Reset();
}

void CDisplayName::Reset()
{
    if (m_answer.uType == STRRET_WSTR && m_answer.pOleStr) {
        CMallocScope malloc;
        if (malloc) malloc->Free(m_answer.pOleStr);
    }
    std::memset(&m_answer, 0, sizeof(m_answer));
}

STRRET* CDisplayName::Prepare(LPCITEMIDLIST pidl, UINT kind)
{
    Reset();
    // A failed copy leaves none; ToString then reads no offset answer.
    m_itemCopy = ConcatIdLists(nullptr, pidl);
    m_cbItemCopy = m_itemCopy ? GetIdListSize(m_itemCopy.Get()) + sizeof(USHORT) : 0;
    m_answer.uType = kind;
    return &m_answer;
}

namespace {
std::wstring AnsiToWide(const char* text, size_t cchMax)
{
    size_t length = 0;
    while (length < cchMax && text[length]) ++length;
    if (length == 0) return std::wstring();
    int cch = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    if (cch <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(cch), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &wide[0], cch);
    return wide;
}
}  // namespace

std::wstring CDisplayName::ToString() const
{
    switch (m_answer.uType) {
    case STRRET_WSTR:
        return m_answer.pOleStr ? std::wstring(m_answer.pOleStr) : std::wstring();
    case STRRET_OFFSET:
        // The offset comes from the folder; read only inside our copy.
        if (!m_itemCopy || m_answer.uOffset >= m_cbItemCopy) return std::wstring();
        return AnsiToWide(reinterpret_cast<const char*>(m_itemCopy.Get()) + m_answer.uOffset,
                          m_cbItemCopy - m_answer.uOffset);
    case STRRET_CSTR:
        return AnsiToWide(m_answer.cStr, sizeof(m_answer.cStr));
    default:
        return std::wstring();
    }
}
