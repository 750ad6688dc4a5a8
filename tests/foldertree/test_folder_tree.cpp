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

// The system's small icon of a path.
int SmallIcon(const wchar_t* path, UINT extraFlags = 0)
{
    SHFILEINFOW info = {};
    ::SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
    return info.iIcon;
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
    tree.SetDeviceIconIndex(3);
    Show(kRemovable);

    EXPECT_EQ(L"My Player", ItemText(tree, hRoot));
    EXPECT_EQ(std::make_pair(3, 3), Images(tree, hRoot));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(hRoot));
    EXPECT_EQ(L"H:\\", Caption());
    EXPECT_EQ(std::vector<std::wstring>{L"H:\\song.mp3"}, SourcePaths());
}

TEST_F(FolderTree, ChildrenInNameOrderWithoutHiddenFoldersOrFiles)
{
    // The folder's name order puts punctuation first and passes over
    // hyphens; the enumeration order of the file system does neither.
    MakeFolders(kRemovable, {L"delta", L"a-c", L"Charlie", L"_under", L"ab", L"alpha", L"Bravo",
                             L".hidden"});
    MakeFiles(kRemovable, {L"song.mp3", L"notes.txt"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);

    EXPECT_EQ((std::vector<std::wstring>{L"_under", L"ab", L"a-c", L"alpha", L"Bravo", L"Charlie",
                                         L"delta"}),
              ChildTexts(tree, hRoot));
    // Icons arrive through the control's requests.
    EXPECT_EQ(SmallIcon(L"H:\\alpha"), Images(tree, Child(hRoot, L"alpha")).first);
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

    ClickExpandButton(tree, hRoot);
    EXPECT_EQ(1, tree.nFills);
    EXPECT_EQ(1, ItemChildrenFlag(tree, hRoot));
    EXPECT_FALSE(IsExpanded(tree, hRoot));

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

TEST_F(FolderTree, SelectingAFolderFillsTheSourceListAndTheCaption)
{
    MakeFolders(kRemovable, {L"Music"});
    MakeFiles(L"H:\\Music\\", {L"a.mp3", L"b.wma", L"cover.jpg"});
    Show(kRemovable);
    ClickExpandButton(tree, hRoot);
    HTREEITEM hMusic = Child(hRoot, L"Music");
    tree.SelectItem(hMusic);

    EXPECT_EQ(L"H:\\Music", tree.GetSelectedPath());
    EXPECT_EQ(SmallIcon(L"H:\\Music", SHGFI_OPENICON), Images(tree, hMusic).second);
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
