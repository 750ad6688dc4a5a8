#include "foldertree/FolderTreeCtrl.h"
#include "framework/Strings.h"
#include "handoff/DeviceFields.h"
#include "lists/ListCommon.h"
#include "lists/SourceListCtrl.h"
#include "res/resource_ids.h"
#include "TreeTestKit.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <algorithm>
#include <functional>

namespace {

// This program's drives: H: is removable, M: fixed. Each test starts and
// ends with both empty.
const wchar_t kRemovable[] = L"H:\\";
const wchar_t kFixed[] = L"M:\\";

void ClearFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    CFindHandle find(::FindFirstFileW((folder + L"*").c_str(), &data));
    if (!find) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ClearFolder(path + L"\\");
            ::RemoveDirectoryW(path.c_str());
        } else {
            ::DeleteFileW(path.c_str());
        }
    } while (::FindNextFileW(find.Get(), &data));
}

void MakeFolders(const std::wstring& parent, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names)
        ASSERT_TRUE(::CreateDirectoryW((parent + name).c_str(), nullptr)) << name;
}

void MakeFiles(const std::wstring& parent, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        CKernelHandle file(::CreateFileW((parent + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr));
        ASSERT_NE(INVALID_HANDLE_VALUE, file.Get()) << name;
    }
}

// Shows the tree's folders in a source list, as the main dialog does.
class CSourceFiles : public IFolderFilesSink {
public:
    explicit CSourceFiles(CSourceListCtrl& list) : m_list(list) {}
    void ShowFolderFiles(const wchar_t* folder) override { m_list.FillFromFolder(folder); }

private:
    CSourceListCtrl& m_list;
};

// Counts the fills and lets a test act while the placeholder is shown.
class CObservedFolderTree : public CFolderTreeCtrl {
public:
    int nFills = 0;
    std::function<void(HTREEITEM)> onPlaceholder;

protected:
    void OnLoadingStart(HTREEITEM hPlaceholder) override
    {
        ++nFills;
        if (onPlaceholder) onPlaceholder(hPlaceholder);
    }
};

class FolderTree : public testing::Test {
protected:
    void SetUp() override
    {
        ClearFolder(kRemovable);
        ClearFolder(kFixed);
        SetAppDeviceFields(&fields);
    }
    void TearDown() override
    {
        host.Destroy();
        SetAppDeviceFields(nullptr);
        ClearFolder(kRemovable);
        ClearFolder(kFixed);
    }

    // The main dialog's three controls in a host window, then the tree's
    // initialisation on the given device root.
    void Show(const wchar_t* root, int captionWidth = 300)
    {
        CopyToBuffer(fields.m_szDeviceRoot, MAX_PATH, root);
        ASSERT_TRUE(host.Create(700, 420));
        ASSERT_TRUE(host.CreateTree(tree, 10, 30, 250, 360));
        HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                                       WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER,
                                       280, 30, 300, 360, host.Hwnd(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SOURCE_LIST)),
                                       nullptr, nullptr);
        ASSERT_TRUE(source.Attach(hList));
        InitListColumn(source);
        hCaption = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP,
                                     280, 8, captionWidth, 18, host.Hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FOLDER_CAPTION)),
                                     nullptr, nullptr);
        ::SendMessageW(hCaption, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        tree.SetFilesSink(&sourceFiles);
        tree.InitFolderTree(host.Hwnd());
        PumpMessages();
        hRoot = tree.GetRootItem();
        ASSERT_TRUE(hRoot);
    }

    HTREEITEM Child(HTREEITEM hParent, const wchar_t* text)
    {
        for (HTREEITEM h : ChildItems(tree, hParent))
            if (ItemText(tree, h) == text) return h;
        return nullptr;
    }

    // An item without sub-folders, expanded: it is filled (the fills-th
    // fill), and keeps its button, not expanded, to be filled again later.
    void ExpandEmptyKeepsTheButton(HTREEITEM hItem, int fills)
    {
        ClickExpandButton(tree, hItem);
        EXPECT_EQ(fills, tree.nFills);
        EXPECT_EQ(1, ItemChildrenFlag(tree, hItem));
        EXPECT_FALSE(IsExpanded(tree, hItem));
    }

    std::wstring Caption() const { return GetWindowTextString(hCaption); }

    std::vector<std::wstring> SourcePaths() const
    {
        std::vector<std::wstring> paths = source.Paths();
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    CDeviceFields fields;
    CTreeHost host;
    CObservedFolderTree tree;
    CSourceListCtrl source;
    CSourceFiles sourceFiles{source};
    HWND hCaption = nullptr;
    HTREEITEM hRoot = nullptr;
};

// The picture of the shell's small icon of a path.
std::vector<DWORD> ShellIcon(const wchar_t* path, UINT extraFlags = 0)
{
    SHFILEINFOW info = {};
    HIMAGELIST hList = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
        path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags));
    return ImagePixels(hList, info.iIcon);
}

// The picture of an image of the tree's own list.
std::vector<DWORD> TreeImage(const CTreeView& tree, int index)
{
    return ImagePixels(TreeView_GetImageList(tree.Hwnd(), TVSIL_NORMAL), index);
}

// The image indexes the control gets for an item, through its callbacks.
std::pair<int, int> Images(const CTreeView& tree, HTREEITEM hItem)
{
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    tree.GetItem(&item);
    return {item.iImage, item.iSelectedImage};
}

TEST_F(FolderTree, RootShowsTheDeviceNameIconAndFiles)
{
    MakeFiles(kRemovable, {L"song.mp3", L"notes.txt"});
    CopyToBuffer(fields.m_szDeviceName, MAX_PATH, L"My Player");
    HICON hDevice = ::LoadIconW(nullptr, IDI_WARNING);
    tree.SetImages(32, hDevice);
    Show(kRemovable);

    EXPECT_EQ(L"My Player", ItemText(tree, hRoot));
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(TreeView_GetImageList(tree.Hwnd(), TVSIL_NORMAL), &cx, &cy));
    EXPECT_EQ(std::make_pair(32, 32), std::make_pair(cx, cy)) << "the size the tree was set up with";
    const std::pair<int, int> images = Images(tree, hRoot);
    EXPECT_EQ(images.first, images.second);
    EXPECT_TRUE(SamePicture(IconPixels(hDevice, 32), TreeImage(tree, images.first)));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(hRoot));
    EXPECT_EQ(L"H:\\", Caption());
    EXPECT_EQ(std::vector<std::wstring>{L"H:\\song.mp3"}, SourcePaths());
}

TEST_F(FolderTree, ChildrenInNameOrderWithoutHiddenFoldersOrFiles)
{
    // The folder's name order puts punctuation first and passes over
    // hyphens; the enumeration order of the file system does neither.
    // A player's folders named like the Recycle Bin are its own.
    MakeFolders(kRemovable, {L"delta", L"a-c", L"Charlie", L"_under", L"ab", L"alpha", L"Bravo",
                             L".hidden", L"Trash", L"Recycle Bin"});
    MakeFiles(kRemovable, {L"song.mp3", L"notes.txt"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);

    EXPECT_EQ((std::vector<std::wstring>{L"_under", L"ab", L"a-c", L"alpha", L"Bravo", L"Charlie",
                                         L"delta", L"Recycle Bin", L"Trash"}),
              ChildTexts(tree, hRoot));
    // A whole folder added to the playlist walks its sub-folders in the
    // same order.
    std::vector<std::wstring> names = {L"delta", L"a-c", L"Charlie", L"_under", L"ab",
                                       L"alpha", L"Bravo", L"Trash", L"Recycle Bin"};
    SortLikeFolderTree(kRemovable, names);
    EXPECT_EQ(ChildTexts(tree, hRoot), names);
    // Icons arrive through the control's requests.
    EXPECT_EQ(ShellIcon(L"H:\\alpha"), TreeImage(tree, Images(tree, Child(hRoot, L"alpha")).first));
}

// A folder that, as the shell's do, answers only the attributes asked for.
class CAttributeFolder : public IShellFolder {
public:
    explicit CAttributeFolder(SFGAOF has) : m_has(has) {}
    int questions = 0;

    STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF* inOut) override
    {
        ++questions;
        *inOut &= m_has;
        return S_OK;
    }
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_NOTIMPL; }
    STDMETHODIMP CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_NOTIMPL; }
    STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }

private:
    SFGAOF m_has;
};

// Removable media get their button without the folder being asked about
// sub-folders; the bit is read only where it was asked for.
TEST(FolderChildrenFlag, FollowsTheAttributesAskedFor)
{
    const struct {
        SFGAOF has;
        int flag;
        int questions;
    } cases[] = {
        {SFGAO_FOLDER | SFGAO_REMOVABLE, 1, 1},
        {SFGAO_FOLDER | SFGAO_HASSUBFOLDER, 1, 2},
        {SFGAO_FOLDER, 0, 2},
        {SFGAO_REMOVABLE | SFGAO_HASSUBFOLDER, 0, 1},
    };
    const BYTE item[] = {4, 0, 'x', 'y', 0, 0};
    for (const auto& c : cases) {
        CAttributeFolder folder(c.has);
        EXPECT_EQ(c.flag, FolderChildrenFlag(&folder, reinterpret_cast<LPCITEMIDLIST>(item))) << c.has;
        EXPECT_EQ(c.questions, folder.questions) << c.has;
    }
}

TEST_F(FolderTree, ChildrenKeptAcrossCollapseAreEnumeratedOnce)
{
    MakeFolders(kRemovable, {L"Music", L"Music\\Live"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);
    ClickExpandButton(tree, hRoot);
    ClickExpandButton(tree, hRoot);
    EXPECT_EQ(1, tree.nFills);
    EXPECT_TRUE(IsExpanded(tree, hRoot));

    HTREEITEM hMusic = Child(hRoot, L"Music");
    ASSERT_TRUE(hMusic);
    EXPECT_EQ(1, ItemChildrenFlag(tree, hMusic));
    ClickExpandButton(tree, hMusic);
    EXPECT_EQ(2, tree.nFills);
    EXPECT_EQ(std::vector<std::wstring>{L"Live"}, ChildTexts(tree, hMusic));
}

TEST_F(FolderTree, EmptyRemovableRootKeepsItsButtonAndIsEnumeratedAgain)
{
    MakeFiles(kRemovable, {L"song.mp3"});
    Show(kRemovable);
    ASSERT_EQ(1, ItemChildrenFlag(tree, hRoot));

    ExpandEmptyKeepsTheButton(hRoot, 1);

    // A folder that appears meanwhile shows at the next expansion.
    MakeFolders(kRemovable, {L"New"});
    ClickExpandButton(tree, hRoot);
    EXPECT_EQ(2, tree.nFills);
    EXPECT_EQ(std::vector<std::wstring>{L"New"}, ChildTexts(tree, hRoot));
}

TEST_F(FolderTree, EmptyFixedRootLosesItsButton)
{
    MakeFiles(kFixed, {L"song.mp3"});
    Show(kFixed);
    // The shell may know at once that there is nothing inside.
    if (ItemChildrenFlag(tree, hRoot) == 1) ClickExpandButton(tree, hRoot);
    EXPECT_EQ(0, ItemChildrenFlag(tree, hRoot));
}

// Only the root of a fixed drive is final when empty. Windows answers
// DRIVE_NO_ROOT_DIR for any other folder, Wine the drive's type: an empty
// folder of a fixed drive keeps its button on both.
TEST_F(FolderTree, EmptyFolderOfAFixedDriveKeepsItsButton)
{
    MakeFolders(kFixed, {L"Empty"});
    Show(kFixed);
    ClickExpandButton(tree, hRoot);
    HTREEITEM hEmpty = Child(hRoot, L"Empty");
    ASSERT_TRUE(hEmpty);
    ASSERT_EQ(1, ItemChildrenFlag(tree, hEmpty));
    ExpandEmptyKeepsTheButton(hEmpty, 2);
}

TEST_F(FolderTree, SelectingAFolderFillsTheSourceListAndTheCaption)
{
    MakeFolders(kRemovable, {L"Music"});
    MakeFiles(L"H:\\Music\\", {L"a.mp3", L"b.wma", L"cover.jpg"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);
    HTREEITEM hMusic = Child(hRoot, L"Music");
    tree.SelectItem(hMusic);

    EXPECT_EQ(L"H:\\Music", tree.GetSelectedPath());
    EXPECT_EQ(ShellIcon(L"H:\\Music", SHGFI_OPENICON), TreeImage(tree, Images(tree, hMusic).second));
    EXPECT_EQ((std::vector<std::wstring>{L"H:\\Music\\a.mp3", L"H:\\Music\\b.wma"}), SourcePaths());
    EXPECT_EQ(L"H:\\Music", Caption());
}

TEST_F(FolderTree, CaptionKeepsTheFittedPathWhenTheFullOneIsTooWide)
{
    const wchar_t kAlbum[] = L"An Album Title Far Too Long For The Caption";
    MakeFolders(kRemovable, {L"Music", L"Music\\An Album Title Far Too Long For The Caption"});
    MakeFiles(L"H:\\Music\\An Album Title Far Too Long For The Caption\\", {L"track.mp3"});
    Show(kRemovable, 120);
    ClickExpandButton(tree, hRoot);
    HTREEITEM hMusic = Child(hRoot, L"Music");
    ClickExpandButton(tree, hMusic);
    tree.SelectItem(Child(hMusic, kAlbum));

    const std::wstring full = std::wstring(L"H:\\Music\\") + kAlbum;
    EXPECT_EQ(std::vector<std::wstring>{full + L"\\track.mp3"}, SourcePaths());
    std::wstring caption = Caption();
    EXPECT_LT(caption.size(), full.size());
    EXPECT_NE(std::wstring::npos, caption.find(L"..."));
}

TEST_F(FolderTree, SelectingThePlaceholderChangesNothing)
{
    MakeFolders(kRemovable, {L"Music"});
    MakeFiles(kRemovable, {L"root.mp3"});
    MakeFiles(L"H:\\Music\\", {L"a.mp3"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);
    tree.SelectItem(Child(hRoot, L"Music"));
    const std::wstring caption = Caption();
    const std::vector<std::wstring> paths = SourcePaths();

    bool selected = false;
    tree.onPlaceholder = [&](HTREEITEM hPlaceholder) {
        selected = tree.SelectItem(hPlaceholder) && tree.GetSelectedItem() == hPlaceholder;
        EXPECT_EQ(caption, Caption());
        EXPECT_EQ(paths, SourcePaths());
        EXPECT_EQ(L"", tree.GetSelectedPath());
    };
    MakeFolders(kRemovable, {L"Music\\Live"});
    ClickExpandButton(tree, Child(hRoot, L"Music"));
    EXPECT_TRUE(selected);
}

TEST_F(FolderTree, EveryItemOwnsOneRecordUntilTheTreeIsDestroyed)
{
    ASSERT_EQ(0, CFolderTreeCtrl::LiveRecordCount());
    MakeFolders(kRemovable, {L"a", L"b", L"c", L"c\\d"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);
    ClickExpandButton(tree, Child(hRoot, L"c"));
    EXPECT_EQ(5u, tree.GetCount());
    EXPECT_EQ(5, CFolderTreeCtrl::LiveRecordCount());

    ::DestroyWindow(tree.Hwnd());
    EXPECT_EQ(0, CFolderTreeCtrl::LiveRecordCount());
}

}  // namespace
