// The source list's folder scan and selection on a real list control, with
// folders on the test drive G:.
#include "ListHost.h"
#include "TestFolders.h"

#include "lists/FolderScan.h"
#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "lists/ListMessages.h"

#include <gtest/gtest.h>

#include <algorithm>

const wchar_t kTestRoot[] = L"G:\\lists";

namespace {

class SourceList : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(kTestRoot);
        ASSERT_TRUE(::CreateDirectoryW(kTestRoot, nullptr));
        ASSERT_TRUE(host.Create(false));
        PointerHandOff().SetLastHoverItem(-2);
    }
    void TearDown() override
    {
        host.Destroy();
        RemoveTree(kTestRoot);
    }

    std::vector<std::wstring> Filled(const std::wstring& folder)
    {
        EXPECT_TRUE(list.FillFromFolder(folder.c_str())) << folder.c_str();
        EXPECT_EQ(static_cast<int>(list.Paths().size()), list.GetItemCount());
        return list.Paths();
    }
    int Changes() { return TakePosted(host.Hwnd(), WM_LIST_CHANGED); }

    CListHost host;
    CSourceListCtrl& list = host.source;
};

TEST_F(SourceList, ListsAudioFilesOnlyInTheFileSystemsOrder)
{
    std::wstring folder =
        MakeFolder(L"mixed", {L"zz.mp3", L"a.MP3", L"b.Wav", L"c.wma.txt", L"e.ogg", L"f", L"m.wma"});
    ASSERT_TRUE(::CreateDirectoryW((folder + L"\\d.mp3").c_str(), nullptr));
    std::vector<std::wstring> expected;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    do {
        std::wstring name = data.cFileName;
        if (name == L"zz.mp3" || name == L"a.MP3" || name == L"b.Wav" || name == L"m.wma")
            expected.push_back(folder + L"\\" + name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);

    EXPECT_EQ(expected, Filled(folder));
    EXPECT_EQ(1, Changes());
}

TEST_F(SourceList, PathsHaveExactlyOneSeparator)
{
    std::wstring folder = MakeFolder(L"dot", {L".mp3"});
    EXPECT_EQ(std::vector<std::wstring>{folder + L"\\.mp3"}, Filled(folder + L"\\"));

    ASSERT_TRUE(MakeFile(L"G:\\lists-root.mp3"));
    std::vector<std::wstring> root = Filled(L"G:\\");
    ::DeleteFileW(L"G:\\lists-root.mp3");
    EXPECT_NE(root.end(), std::find(root.begin(), root.end(), L"G:\\lists-root.mp3"));
}

// A whole folder: its own files as the list shows them, then each shown
// sub-folder in the tree's order (here: by name, ignoring case), depth first.
TEST_F(SourceList, AWholeFolderGivesItsFilesThenItsSubFoldersDepthFirst)
{
    const SubFolderOrder byName = [](const std::wstring&, std::vector<std::wstring>& names) {
        std::sort(names.begin(), names.end(),
                  [](const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; });
    };
    const struct {
        std::vector<const wchar_t*> files;  // a name ending in \ is a folder
        std::vector<const wchar_t*> expected;
    } rows[] = {
        {{L"top.mp3", L"B\\b.mp3", L"a\\a.mp3", L"a\\z\\az.mp3", L"a\\c\\ac.wav", L"C\\c.wma"},
         {L"top.mp3", L"a\\a.mp3", L"a\\c\\ac.wav", L"a\\z\\az.mp3", L"B\\b.mp3", L"C\\c.wma"}},
        // The list's filter; a folder named like a song is walked; hidden
        // folders are not shown in the tree and not walked.
        {{L"x.txt", L"sub\\y.ogg", L"sub\\y.MP3", L"sub\\d.mp3\\in.wav", L".hidden\\h.mp3", L"empty\\"},
         {L"sub\\y.MP3", L"sub\\d.mp3\\in.wav"}},
        {{L"only.txt", L"deep\\er\\"}, {}},
    };
    for (const auto& row : rows) {
        RemoveTree(std::wstring(kTestRoot) + L"\\whole");
        const std::wstring root = MakeFolder(L"whole", {});
        for (const wchar_t* file : row.files) {
            std::wstring path = root + L"\\" + file;
            ASSERT_TRUE(MakeFolders(path.substr(0, path.find_last_of(L'\\'))));
            if (path.back() != L'\\') {
                ASSERT_TRUE(MakeFile(path));
            }
        }
        ::SetFileAttributesW((root + L"\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        std::vector<std::wstring> expected;
        for (const wchar_t* file : row.expected) expected.push_back(root + L"\\" + file);
        std::vector<std::wstring> out;
        CollectFolderAudioFiles(root.c_str(), byName, out);
        EXPECT_EQ(expected, out) << row.files.front();
    }

    // Several files of one folder come as the list shows them.
    const std::wstring many = MakeFolder(L"whole\\many", {L"k.mp3", L"b.wav", L"x.wma", L"a.mp3"});
    std::vector<std::wstring> out;
    CollectFolderAudioFiles(many.c_str(), byName, out);
    EXPECT_EQ(Filled(many), out);
    out.clear();
    CollectFolderAudioFiles(L"G:\\no such folder", byName, out);
    CollectFolderAudioFiles(L"", byName, out);
    EXPECT_TRUE(out.empty());

    // Dropped by another program: songs and folders on the drive are taken,
    // in the order dropped; everything else is counted.
    ASSERT_TRUE(MakeFile(many + L"\\note.txt"));
    const std::wstring lowerCase = L"g" + many.substr(1) + L"\\a.mp3";
    std::vector<std::wstring> expected = {many + L"\\k.mp3", lowerCase};
    for (const std::wstring& path : Filled(many)) expected.push_back(path);
    EXPECT_EQ(5, TakeDroppedPaths({many + L"\\k.mp3", many + L"\\gone.mp3", many + L"\\note.txt", lowerCase,
                                   L"H:\\k.mp3", L"\\\\server\\share\\k.mp3", many, std::wstring(300, L'x')},
                                  L"G:\\", byName, out));
    EXPECT_EQ(expected, out);
}

TEST_F(SourceList, SkipsFilesWhosePathWouldNotFit)
{
    std::wstring folder = kTestRoot;
    while (folder.size() < 240) {
        folder += L"\\" + std::wstring(std::min<size_t>(60, 239 - folder.size()), L'x');
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    }
    std::wstring fits = folder + L"\\" + std::wstring(14, L'f') + L".mp3";
    ASSERT_EQ(259u, fits.size());
    ASSERT_TRUE(MakeFile(L"\\\\?\\" + fits));
    ASSERT_TRUE(MakeFile(L"\\\\?\\" + folder + L"\\" + std::wstring(15, L'l') + L".mp3"));
    EXPECT_EQ(std::vector<std::wstring>{fits}, Filled(folder));
}

TEST_F(SourceList, VanishedFolderEmptiesAndEmptyPathKeeps)
{
    std::wstring folder = MakeFolder(L"gone", {L"a.mp3", L"b.mp3"});
    Filled(folder);
    Changes();
    EXPECT_FALSE(list.FillFromFolder(L""));
    EXPECT_FALSE(list.FillFromFolder(nullptr));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ(0, Changes());

    RemoveTree(folder);
    EXPECT_FALSE(list.FillFromFolder(folder.c_str()));
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_TRUE(list.Paths().empty());
    EXPECT_GE(Changes(), 1);
}

TEST_F(SourceList, SelectionSurvivesOnlyAReloadOfTheSameFiles)
{
    std::wstring first = MakeFolder(L"first", {L"a.mp3", L"b.mp3", L"c.mp3"});
    std::wstring second = MakeFolder(L"second", {L"x.mp3", L"y.mp3", L"z.mp3"});
    Filled(first);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Filled(first);
    EXPECT_EQ(std::vector<int>{1}, SelectedItems(list));
    Filled(second);
    EXPECT_TRUE(SelectedItems(list).empty()) << "nobody picked a file of the second folder";
}

TEST_F(SourceList, SelectedAndAllPathsAppendInListOrder)
{
    Filled(MakeFolder(L"pick", {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"}));
    Changes();
    std::vector<std::wstring> out = {L"kept"};
    EXPECT_EQ(0, list.GetSelectedPaths(out));
    EXPECT_EQ(std::vector<std::wstring>{L"kept"}, out);

    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(2, Changes()) << "each selection change is reported";
    EXPECT_EQ(2, list.GetSelectedPaths(out));
    EXPECT_EQ((std::vector<std::wstring>{L"kept", list.Paths()[1], list.Paths()[3]}), out);

    out.clear();
    EXPECT_EQ(4, list.GetAllPaths(out));
    EXPECT_EQ(list.Paths(), out);

    list.SelectItemByClick(-1);
    list.SelectItemByClick(4);
    EXPECT_EQ((std::vector<int>{1, 3}), SelectedItems(list)) << "-1 must not address every item";
}

// The tip hears of each change of the item under the pointer, "no item"
// included, and of nothing while a drag is under way.
TEST_F(SourceList, ReportsTheItemUnderThePointerOncePerChange)
{
    struct CReport {
        int item;
        RECT rc;
        std::wstring text;
        BOOL selected;
    };
    struct CSink : IItemTipSink {
        void ShowItemTip(CListView*, int item, const RECT& rc, const wchar_t* text, BOOL selected) override
        {
            reports.push_back({item, rc, text, selected});
        }
        std::vector<CReport> reports;
    } sink;
    list.SetTipSink(&sink);
    Filled(MakeFolder(L"hover", {L"one.mp3", L"two.mp3"}));
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    RECT rc0 = {};
    RECT rc1 = {};
    ASSERT_TRUE(list.GetItemRect(0, &rc0, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, &rc1, LVIR_BOUNDS));
    auto moveTo = [this](int y) { list.Send(WM_MOUSEMOVE, 0, MAKELPARAM(20, y)); };

    PointerHandOff().SetLastHoverItem(-2);
    for (int y : {rc0.top + 1, rc0.bottom - 1, rc1.top + 1, rc1.bottom + 40, rc1.bottom + 50}) moveTo(y);
    CImageList image = CreateMultiDragImage(list, 0);
    ASSERT_TRUE(PointerHandOff().BeginDrag(PointerState::PlaylistDrag, host.playlist.Hwnd(), image.Get(),
                                           POINT{0, 0}, POINT{0, 0}));
    moveTo(rc0.top + 1);
    EXPECT_TRUE(PointerHandOff().EndDrag(host.playlist.Hwnd()));

    ASSERT_EQ(3u, sink.reports.size());
    EXPECT_EQ(0, sink.reports[0].item);
    EXPECT_EQ(L"one.mp3", sink.reports[0].text);
    EXPECT_FALSE(sink.reports[0].selected);
    EXPECT_EQ(1, sink.reports[1].item);
    EXPECT_EQ(L"two.mp3", sink.reports[1].text);
    EXPECT_TRUE(sink.reports[1].selected);
    ::MapWindowPoints(list.Hwnd(), nullptr, reinterpret_cast<POINT*>(&rc1), 2);
    EXPECT_TRUE(::EqualRect(&rc1, &sink.reports[1].rc)) << "the item's bounds on the screen";
    const RECT none = {};
    EXPECT_EQ(-1, sink.reports[2].item);
    EXPECT_EQ(L"", sink.reports[2].text);
    EXPECT_TRUE(::EqualRect(&none, &sink.reports[2].rc));
}

// Other files in the list take the tip away from the item last reported, so
// that a click on it cannot act on the file that now has its index; the
// same files again keep it.
TEST_F(SourceList, OtherFilesForgetTheItemUnderThePointer)
{
    struct CSink : IItemTipSink {
        void ShowItemTip(CListView*, int item, const RECT&, const wchar_t*, BOOL) override
        {
            items.push_back(item);
        }
        std::vector<int> items;
    } sink;
    list.SetTipSink(&sink);
    std::wstring first = MakeFolder(L"tip-first", {L"a.mp3", L"b.mp3"});
    std::wstring second = MakeFolder(L"tip-second", {L"x.mp3", L"y.mp3"});
    Filled(first);
    RECT rc = {};
    ASSERT_TRUE(list.GetItemRect(1, &rc, LVIR_BOUNDS));
    auto hover = [&] { list.Send(WM_MOUSEMOVE, 0, MAKELPARAM(20, rc.top + 1)); };

    hover();
    Filled(first);
    EXPECT_EQ(std::vector<int>{1}, sink.items);
    Filled(second);
    EXPECT_EQ((std::vector<int>{1, -1}), sink.items) << "the tip goes with the file";
    hover();
    EXPECT_EQ((std::vector<int>{1, -1, 1}), sink.items) << "the new file at the spot is reported";

    // Scrolling puts another file under the pointer, as other files do.
    std::wstring many = MakeFolder(L"tip-many", {});
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(MakeFile(many + L"\\song" + std::to_wstring(i) + L".mp3"));
    Filled(many);
    sink.items.clear();
    hover();
    list.Send(WM_VSCROLL, SB_LINEDOWN, 0);
    list.Send(WM_VSCROLL, SB_ENDSCROLL, 0);
    hover();
    EXPECT_EQ((std::vector<int>{1, -1, 2}), sink.items);
    list.SetTipSink(nullptr);
}

}
