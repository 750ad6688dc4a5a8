#include "foldertree/FolderTreeCtrl.h"

#include "foldertree/IdList.h"
#include "foldertree/PathCaption.h"
#include "handoff/DeviceFields.h"
#include "lists/ListDrag.h"
#include "lists/ListMessages.h"
#include "lists/PointerHandOff.h"
#include "res/resource_ids.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <algorithm>
#include <cwchar>
#include <memory>
#include <unordered_map>

namespace {
LONG s_nLiveRecords = 0;

// A failed question answers no attributes rather than the bits asked for.
ULONG AttributesOf(IShellFolder* pFolder, LPCITEMIDLIST childId, ULONG mask)
{
    ULONG attributes = mask;
    return SUCCEEDED(pFolder->GetAttributesOf(1, &childId, &attributes)) ? attributes : 0;
}

std::wstring DisplayNameOf(IShellFolder* pFolder, LPCITEMIDLIST pidl)
{
    CDisplayName name;
    if (FAILED(pFolder->GetDisplayNameOf(pidl, SHGDN_INFOLDER, name.Prepare(pidl, STRRET_WSTR))))
        return std::wstring();
    return name.ToString();
}

// A folder that can only have the system's ordinary folder icons: a folder
// takes a picture of its own only when it is marked read-only or system (or
// is a link elsewhere). Read from the item id, without touching the disk.
bool IsPlainFolder(IShellFolder* pFolder, LPCITEMIDLIST childId)
{
    WIN32_FIND_DATAW data = {};
    if (FAILED(::SHGetDataFromIDListW(pFolder, childId, SHGDFIL_FINDDATA, &data, sizeof(data))))
        return false;
    const DWORD kOwnIconMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & kOwnIconMarks);
}

bool IsRootPath(const std::wstring& path)
{
    return !path.empty() && ::PathIsRootW(path.c_str());
}

// The shell folder of an absolute list; the desktop for the empty list.
CComPtr<IShellFolder> BindFolder(LPCITEMIDLIST pidl)
{
    CComPtr<IShellFolder> folder;
    if (!pidl || !g_pDesktopFolder) return folder;
    if (GetIdListSize(pidl) == 0) return CComPtr<IShellFolder>::Share(g_pDesktopFolder);
    g_pDesktopFolder->BindToObject(pidl, nullptr, IID_IShellFolder, folder.ReceiveVoid());
    return folder;
}

// The order of two children of one folder, by the folder's comparison of
// their names: what the tree sorts its children by.
int CompareSiblings(IShellFolder* pFolder, LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    HRESULT hr = pFolder->CompareIDs(0, first, second);
    if (FAILED(hr)) return 0;
    short order = static_cast<short>(HRESULT_CODE(hr));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// A name with the child id the folder resolved it to.
struct CNamedChild {
    std::wstring name;
    CItemIdList id;
};
}  // namespace

// Owned by its tree item (the item's lParam) and destroyed with it.
struct CFolderTreeCtrl::CFolderItemData {
    CFolderItemData() { ++s_nLiveRecords; }
    ~CFolderItemData() { --s_nLiveRecords; }
    CFolderItemData(const CFolderItemData&) = delete;
    CFolderItemData& operator=(const CFolderItemData&) = delete;

    // The item's id relative to m_pFolder.
    LPCITEMIDLIST LastId() const { return GetLastItemId(m_idl.Get()); }

    // The folder that holds the item.
    CComPtr<IShellFolder> m_pFolder;
    // The item's absolute list.
    CItemIdList m_idl;
    // A root such as a drive's: it shows the device's name and icon.
    bool m_bRoot = false;

    // The closed (0) and open (1) small icon; -1 until asked for.
    int m_nIcons[2] = {-1, -1};
};

LONG CFolderTreeCtrl::LiveRecordCount()
{
    return s_nLiveRecords;
}

CFolderTreeCtrl::CFolderTreeCtrl()
{
    AcquireDesktopFolder();
}

CFolderTreeCtrl::~CFolderTreeCtrl()
{
    // Records belong to items; free them while this object still answers
    // the deletion notices. The control never destroys its image list.
    if (Hwnd()) {
        DeleteItem(TVI_ROOT);
        Send(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    }
    ReleaseDesktopFolder();
}

void CFolderTreeCtrl::InitFolderTree(HWND hDlg)
{
    const wchar_t* root = AppDeviceFields().m_szDeviceRoot;
    m_hCaption = ::GetDlgItem(hDlg, IDC_FOLDER_CAPTION);
    AttachImageList();

    SetRedraw(FALSE);
    CItemIdList pidl = PathToIdList(root, Hwnd());
    InsertRootItem(pidl.Get());
    m_hShownItem = GetRootItem();
    ShowFiles(root);
    SetCaptionPath(root);
    SetRedraw(TRUE);
}

// The control is given the new list before the old one is destroyed, so
// that it never paints from a list that is gone.
void CFolderTreeCtrl::SetImages(int size, HICON hDeviceIcon)
{
    CFolderIcons icons;
    if (!icons.Create(size)) return;
    const int deviceIcon = icons.AddIcon(hDeviceIcon);
    CFolderIcons old = std::move(m_icons);
    m_icons = std::move(icons);
    m_nDeviceIcon = deviceIcon;
    if (!Hwnd() || !Send(TVM_GETIMAGELIST, TVSIL_NORMAL)) return;
    ForgetItemIcons(TVI_ROOT);
    AttachImageList();
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

void CFolderTreeCtrl::AttachImageList()
{
    if (!m_icons.Get()) SetImages(::GetSystemMetrics(SM_CXSMICON), nullptr);
    if (m_icons.Get()) Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_icons.Get()));
}

void CFolderTreeCtrl::ForgetItemIcons(HTREEITEM hParent)
{
    for (HTREEITEM hItem = GetChildItem(hParent); hItem; hItem = GetNextSiblingItem(hItem)) {
        if (CFolderItemData* pRecord = RecordOf(hItem)) pRecord->m_nIcons[0] = pRecord->m_nIcons[1] = -1;
        ForgetItemIcons(hItem);
    }
}

void CFolderTreeCtrl::InsertRootItem(LPCITEMIDLIST pidl)
{
    // A device root the shell cannot resolve gives an empty tree.
    if (!pidl) return;
    CItemIdList parent = CopyParentIdList(pidl);
    CComPtr<IShellFolder> folder = BindFolder(parent.Get());
    if (folder) InsertFolderItem(TVI_ROOT, folder.Get(), nullptr, pidl, false);
}

void CFolderTreeCtrl::InsertFolderItem(HTREEITEM hParent, IShellFolder* pFolder,
                                       LPCITEMIDLIST parentIdl, LPCITEMIDLIST childId,
                                       bool bParentHasPath)
{
    std::unique_ptr<CFolderItemData> record(new CFolderItemData);
    record->m_idl = ConcatIdLists(parentIdl, childId);
    if (!record->m_idl) return;
    record->m_pFolder = CComPtr<IShellFolder>::Share(pFolder);
    // Asking for a path costs about a millisecond; the sub-folders of a
    // file-system folder are never roots.
    record->m_bRoot = !bParentHasPath && IsRootPath(record->m_idl.GetPath());

    wchar_t text[MAX_PATH] = L"";
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;
    insert.item.pszText = text;
    insert.item.cchTextMax = MAX_PATH;
    insert.item.lParam = reinterpret_cast<LPARAM>(record.get());
    if (!FillItem(insert.item)) return;
    // An icon costs milliseconds; the control asks for it through
    // TVN_GETDISPINFOW only when it draws the item.
    insert.item.mask |= TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    if (InsertItem(insert)) record.release();
}

BOOL CFolderTreeCtrl::FillItem(TVITEMW& item)
{
    CFolderItemData* pRecord = RecordOf(item.lParam);
    if (!pRecord) return FALSE;
    IShellFolder* pFolder = pRecord->m_pFolder.Get();
    LPCITEMIDLIST lastId = pRecord->LastId();

    if (item.mask & TVIF_TEXT) {
        std::wstring name = pRecord->m_bRoot ? AppDeviceFields().m_szDeviceName : L"";
        if (name.empty()) name = DisplayNameOf(pFolder, lastId);
        ::lstrcpynW(item.pszText, name.c_str(), item.cchTextMax);
        // An item without a name cannot be told from its neighbours.
        if (name.empty() || IsRecycleBin(*pRecord)) return FALSE;
    }

    if (item.mask & TVIF_STATE) {
        ULONG attributes = AttributesOf(pFolder, lastId, SFGAO_SHARE | SFGAO_LINK | SFGAO_GHOSTED);
        if (attributes & SFGAO_GHOSTED) {
            item.state |= TVIS_CUT;
            item.stateMask |= TVIS_CUT;
        }
        if (attributes & (SFGAO_SHARE | SFGAO_LINK)) {
            item.state = (item.state & ~TVIS_OVERLAYMASK) |
                         INDEXTOOVERLAYMASK((attributes & SFGAO_SHARE) ? 1 : 2);
            item.stateMask |= TVIS_OVERLAYMASK;
        }
    }

    if (item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) FillImages(*pRecord, item);

    if (item.mask & TVIF_CHILDREN) item.cChildren = FolderChildrenFlag(pFolder, lastId);
    return TRUE;
}

// An answer holds only the attributes asked for: the removable bit is read
// from the first question, so that question asks for it.
int FolderChildrenFlag(IShellFolder* pFolder, LPCITEMIDLIST childId)
{
    ULONG attributes = AttributesOf(pFolder, childId, SFGAO_FOLDER | SFGAO_REMOVABLE);
    if (!(attributes & SFGAO_FOLDER)) return 0;
    // Removable media: a button without looking inside.
    if (attributes & SFGAO_REMOVABLE) return 1;
    return (AttributesOf(pFolder, childId, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) ? 1 : 0;
}

// Asking the shell for an item's icon costs milliseconds; the answer for one
// plain folder serves every other plain folder of the tree.
int CFolderTreeCtrl::IconOf(CFolderItemData& record, bool bOpen)
{
    int& nIcon = record.m_nIcons[bOpen ? 1 : 0];
    if (nIcon >= 0) return nIcon;
    if (!record.m_bRoot && IsPlainFolder(record.m_pFolder.Get(), record.LastId()))
        return nIcon = m_icons.PlainFolderIcon(record.m_idl.Get(), bOpen);
    return nIcon = m_icons.ItemIcon(record.m_idl.Get(), bOpen);
}

void CFolderTreeCtrl::FillImages(CFolderItemData& record, TVITEMW& item)
{
    if (record.m_bRoot && m_nDeviceIcon >= 0) {
        if (item.mask & TVIF_IMAGE) item.iImage = m_nDeviceIcon;
        if (item.mask & TVIF_SELECTEDIMAGE) item.iSelectedImage = m_nDeviceIcon;
        return;
    }
    if (item.mask & TVIF_IMAGE) item.iImage = IconOf(record, false);
    if (item.mask & TVIF_SELECTEDIMAGE) {
        // Only the selected item shows its selected image, so the open
        // icon is asked for that one alone; the others get the closed one
        // until they are selected.
        bool bOpen = item.hItem && GetSelectedItem() == item.hItem &&
                     (AttributesOf(record.m_pFolder.Get(), record.LastId(), SFGAO_FOLDER) & SFGAO_FOLDER);
        item.iSelectedImage = IconOf(record, bOpen);
    }
}

bool CFolderTreeCtrl::IsRecycleBin(const CFolderItemData& record)
{
    // Asked again at the next item when the shell cannot tell it yet.
    if (!m_recycleBin &&
        FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, m_recycleBin.Receive()))) {
        m_recycleBin.Free();
        return false;
    }
    return IsSameIdList(record.m_idl.Get(), m_recycleBin.Get());
}

BOOL CFolderTreeCtrl::FillChildren(HTREEITEM hItem)
{
    return FillFolderChildren(hItem);
}

BOOL CFolderTreeCtrl::RefillChildren(HTREEITEM hItem)
{
    return FillFolderChildren(hItem);
}

BOOL CFolderTreeCtrl::FillFolderChildren(HTREEITEM hItem)
{
    CFolderItemData* pRecord = hItem == TVI_ROOT ? nullptr : RecordOf(hItem);
    if (!pRecord) return TRUE;
    BOOL bEnumerated = EnumChildFolders(hItem, pRecord->m_idl.Get());
    // Only the root of a fixed drive is final when empty; a removable
    // drive's folders may get sub-folders while the tree is shown.
    std::wstring path = pRecord->m_idl.GetPath();
    bool bFixedRoot = IsRootPath(path) && ::GetDriveTypeW(path.c_str()) == DRIVE_FIXED;
    if (bEnumerated && !path.empty() && !bFixedRoot) return FALSE;
    return TRUE;
}

BOOL CFolderTreeCtrl::EnumChildFolders(HTREEITEM hItem, LPCITEMIDLIST pidl)
{
    CComPtr<IShellFolder> folder = BindFolder(pidl);
    if (!folder) return FALSE;
    CComPtr<IEnumIDList> items;
    if (SUCCEEDED(folder->EnumObjects(Hwnd(), SHCONTF_FOLDERS, items.Receive())) && items) {
        SetProgress(0, 0);
        const bool bHasPath = !GetIdListPath(pidl).empty();
        LPITEMIDLIST child = nullptr;
        while (items->Next(1, &child, nullptr) == S_OK) {
            CItemIdList childId(child);
            InsertFolderItem(hItem, folder.Get(), pidl, childId.Get(), bHasPath);
            AddProgress(1);
        }
    }
    if (GetProgress(nullptr) > 0) {
        TVSORTCB sort = {};
        sort.hParent = hItem;
        sort.lpfnCompare = CompareFolderItems;
        SortChildrenCB(sort, FALSE);
    }
    ShowFiles(GetSelectedPath());
    SetProgress(1, 1);
    return TRUE;
}

int CALLBACK CFolderTreeCtrl::CompareFolderItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const CFolderItemData* p1 = RecordOf(lParam1);
    const CFolderItemData* p2 = RecordOf(lParam2);
    if (!p1 || !p2) return 0;
    return CompareSiblings(p2->m_pFolder.Get(), p1->LastId(), p2->LastId());
}

void SortLikeFolderTree(const std::wstring& folder, std::vector<std::wstring>& names)
{
    if (names.size() < 2) return;
    AcquireDesktopFolder();
    CScopeExit release([] { ReleaseDesktopFolder(); });
    CItemIdList pidl = PathToIdList(folder.c_str(), nullptr);
    CComPtr<IShellFolder> shellFolder = BindFolder(pidl.Get());
    if (!shellFolder) return;

    // One listing of the folder's sub-folders gives their ids, found by
    // name: cheaper than resolving each name on its own.
    std::vector<CNamedChild> children;
    children.reserve(names.size());
    std::unordered_map<std::wstring, size_t> byName;
    for (std::wstring& name : names) {
        byName.emplace(name, children.size());
        children.push_back({std::move(name), CItemIdList()});
    }
    CComPtr<IEnumIDList> items;
    if (SUCCEEDED(shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS, items.Receive())) && items) {
        LPITEMIDLIST child = nullptr;
        while (items->Next(1, &child, nullptr) == S_OK) {
            CItemIdList id(child);
            WIN32_FIND_DATAW data = {};
            if (FAILED(::SHGetDataFromIDListW(shellFolder.Get(), id.Get(), SHGDFIL_FINDDATA, &data, sizeof(data))))
                continue;
            auto found = byName.find(data.cFileName);
            if (found != byName.end()) children[found->second].id = std::move(id);
        }
    }
    IShellFolder* pFolder = shellFolder.Get();
    std::stable_sort(children.begin(), children.end(), [pFolder](const CNamedChild& a, const CNamedChild& b) {
        if (!a.id || !b.id) return a.id && !b.id;
        return CompareSiblings(pFolder, a.id.Get(), b.id.Get()) < 0;
    });
    for (size_t i = 0; i < names.size(); ++i) names[i] = std::move(children[i].name);
}

std::wstring CFolderTreeCtrl::GetSelectedPath() const
{
    return GetItemPath(GetSelectedItem());
}

std::wstring CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    const CFolderItemData* pRecord = hItem ? RecordOf(hItem) : nullptr;
    return pRecord ? pRecord->m_idl.GetPath() : std::wstring();
}

// A folder without a path has no files to add: it does not leave the tree.
void CFolderTreeCtrl::BeginFolderDrag(const NMTREEVIEWW& tv)
{
    std::wstring path = GetItemPath(tv.itemNew.hItem);
    if (path.empty() || !m_pDropTarget) return;
    // The item's icon and name as the tree shows them.
    RECT area = {};
    if (!TreeView_GetItemRect(Hwnd(), tv.itemNew.hItem, &area, TRUE)) return;
    int iconSize = 0;
    ::ImageList_GetIconSize(m_icons.Get(), &iconSize, &iconSize);
    area.left = std::max(0L, area.left - iconSize - 3);
    m_dragImage = CreateAreaDragImage(Hwnd(), area);
    if (!m_dragImage) return;
    PointerHandOff().DraggedPaths() = {path};
    // The image hangs to the right of the pointer, centred on it vertically.
    IMAGEINFO info = {};
    ::ImageList_GetImageInfo(m_dragImage.Get(), 0, &info);
    POINT hotSpot = {0, (info.rcImage.bottom - info.rcImage.top) / 2};
    if (!PointerHandOff().BeginDrag(PointerState::FolderDrag, Hwnd(), m_dragImage.Get(), hotSpot, tv.ptDrag))
        m_dragImage.Reset();
}

void CFolderTreeCtrl::DropFolderDrag(POINT pt)
{
    ::ClientToScreen(Hwnd(), &pt);
    int index = PointerHandOff().DropIn(Hwnd(), m_pDropTarget, pt);
    EndFolderDrag();
    if (index >= 0)
        ::PostMessageW(::GetParent(Hwnd()), WM_FOLDER_DROP_ON_PLAYLIST, static_cast<WPARAM>(index), 0);
}

void CFolderTreeCtrl::OnFolderDragMessage(UINT msg, LPARAM lParam)
{
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
    case WM_MOUSEMOVE:
        ::ClientToScreen(Hwnd(), &pt);
        PointerHandOff().TrackDragIn(m_pDropTarget, pt);
        break;
    case WM_LBUTTONUP:
        DropFolderDrag(pt);
        break;
    case WM_CAPTURECHANGED:
        if (PointerHandOff().OnCaptureChanged(Hwnd(), reinterpret_cast<HWND>(lParam))) EndFolderDrag();
        break;
    case WM_DESTROY:
        PointerHandOff().EndDrag(Hwnd());
        EndFolderDrag();
        break;
    default:
        break;
    }
}

void CFolderTreeCtrl::EndFolderDrag()
{
    if (m_pDropTarget) m_pDropTarget->HideInsertMark();
    m_dragImage.Reset();
}

BOOL CFolderTreeCtrl::ShowSelectedFolder(HTREEITEM hItem)
{
    const CFolderItemData* pRecord = hItem == TVI_ROOT ? nullptr : RecordOf(hItem);
    if (pRecord) {
        std::wstring path = pRecord->m_idl.GetPath();
        ShowFiles(path);
        SetCaptionPath(path);
    }
    return TRUE;
}

void CFolderTreeCtrl::UpdateCaption()
{
    SetCaptionPath(GetSelectedPath());
}

void CFolderTreeCtrl::ShowFiles(const std::wstring& folder) const
{
    if (m_pFilesSink) m_pFilesSink->ShowFolderFiles(folder.c_str());
}

// The folder shown is the root at start, before anything is selected.
void CFolderTreeCtrl::RefitCaption() const
{
    const CFolderItemData* pRecord = m_hShownItem ? RecordOf(m_hShownItem) : nullptr;
    if (pRecord) SetCaptionPath(pRecord->m_idl.GetPath());
}

void CFolderTreeCtrl::SetCaptionPath(std::wstring path) const
{
    if (!m_hCaption) return;
    if (!path.empty()) {
        FitPathToControl(&path[0], m_hCaption);
        path.resize(std::wcslen(path.c_str()));
    }
    ::SetWindowTextW(m_hCaption, path.c_str());
}

// Only a message from outside is followed by the comparison: the ones sent
// to the tree while it handles another (each insertion of a fill, each
// question asked while it paints or notifies) are covered by the comparison
// after that one, which runs once the control has finished its work rather
// than in the middle of it. FollowSelection's own questions arrive nested
// as well.
LRESULT CFolderTreeCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    ++m_nMessageDepth;
    CScopeExit leave([this] { --m_nMessageDepth; });
    if (PointerHandOff().IsDragOf(Hwnd())) OnFolderDragMessage(msg, lParam);
    LRESULT result = CLoadingTreeCtrl::WindowProc(msg, wParam, lParam);
    if (m_nMessageDepth == 1 && msg != WM_DESTROY && msg != WM_NCDESTROY) FollowSelection();
    return result;
}

// Whatever moved the selection (a click, a key, a collapse, a deletion),
// the folder shown is the one selected, so that Add All never takes files
// from a folder other than the highlighted one.
void CFolderTreeCtrl::FollowSelection()
{
    HTREEITEM hSelected = GetSelectedItem();
    // The "Loading..." placeholder and an empty selection have no record.
    if (!hSelected || hSelected == m_hShownItem || !RecordOf(hSelected)) return;
    m_hShownItem = hSelected;
    ShowSelectedFolder(hSelected);
}

bool CFolderTreeCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case TVN_DELETEITEMW:
        OnDeleteItem(*reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_GETDISPINFOW:
        OnGetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(header));
        break;
    case TVN_SELCHANGEDW:
        OnSelChanged(*reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_BEGINDRAGW:
        BeginFolderDrag(*reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    default:
        return CLoadingTreeCtrl::OnReflectedNotify(header, result);
    }
    result = 0;
    return true;
}

void CFolderTreeCtrl::OnSelChanged(const NMTREEVIEWW& tv)
{
    // The "Loading..." placeholder and an empty selection have no record.
    if (!tv.itemNew.lParam) return;
    m_hShownItem = tv.itemNew.hItem;
    // The caption keeps the fitted path: a path that fits stays whole, a
    // longer one is never shown cut off at the control's edge.
    UpdateCaption();
    ShowFiles(GetSelectedPath());
}

void CFolderTreeCtrl::OnGetDispInfo(NMTVDISPINFOW& info)
{
    // Not kept by the control (no TVIF_DI_SETITEM): the selected image
    // changes with the selection. Repeated requests are answered from the
    // record without asking the shell again.
    FillItem(info.item);
}

void CFolderTreeCtrl::OnDeleteItem(const NMTREEVIEWW& tv)
{
    // A later item may get the same handle.
    if (tv.itemOld.hItem == m_hShownItem) m_hShownItem = nullptr;
    delete RecordOf(tv.itemOld.lParam);
}
