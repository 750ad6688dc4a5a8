// The source list's folder scan and selection on a real list control, with
// folders on the test drive G:.
#include "ListHost.h"
#include "TestFolders.h"

#include "lists/ListMessages.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

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
    }
    void TearDown() override
    {
        host.Destroy();
        RemoveTree(kTestRoot);
    }

    int Changes() { return TakePosted(host.Hwnd(), WM_LIST_CHANGED); }
    void ExpectConsistent() const
    {
        EXPECT_EQ(static_cast<int>(list.Paths().size()), list.GetItemCount());
    }

    CListHost host;
    CSourceListCtrl& list = host.source;
    CBoxRecorder boxes;
};

TEST_F(SourceList, ListsOnlyAudioFilesAndNoFolders)
{
    std::wstring folder = MakeFolder(L"mixed", {L"a.MP3", L"b.Wav", L"c.wma.txt", L"e.ogg", L"f"});
    ASSERT_TRUE(::CreateDirectoryW((folder + L"\\d.mp3").c_str(), nullptr));

    EXPECT_TRUE(list.FillFromFolder(folder.c_str()));
    ExpectConsistent();
    std::vector<std::wstring> paths = list.Paths();
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ((std::vector<std::wstring>{folder + L"\\a.MP3", folder + L"\\b.Wav"}), paths);
    EXPECT_EQ(1, Changes());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SourceList, KeepsTheFileSystemOrder)
{
    std::wstring folder = MakeFolder(L"order", {L"zz.mp3", L"a.wma", L"M.wav", L"b.mp3", L"c.txt"});
    std::vector<std::wstring> expected;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        if (std::wstring(data.cFileName) != L"c.txt" && data.cFileName[0] != L'.')
            expected.push_back(folder + L"\\" + data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);

    EXPECT_TRUE(list.FillFromFolder(folder.c_str()));
    EXPECT_EQ(expected, list.Paths());
}

TEST_F(SourceList, ANameThatIsOnlyTheExtensionCounts)
{
    std::wstring folder = MakeFolder(L"dot", {L".mp3"});
    EXPECT_TRUE(list.FillFromFolder((folder + L"\\").c_str())) << "a trailing separator is fine";
    EXPECT_EQ(std::vector<std::wstring>{folder + L"\\.mp3"}, list.Paths());
}

TEST_F(SourceList, DriveRootGivesOneSeparator)
{
    ASSERT_TRUE(MakeFile(L"G:\\lists-root-song.mp3"));
    EXPECT_TRUE(list.FillFromFolder(L"G:\\"));
    ::DeleteFileW(L"G:\\lists-root-song.mp3");
    EXPECT_NE(list.Paths().end(),
              std::find(list.Paths().begin(), list.Paths().end(), L"G:\\lists-root-song.mp3"));
    for (const std::wstring& path : list.Paths()) EXPECT_EQ(std::wstring::npos, path.find(L"\\\\"));
}

TEST_F(SourceList, SkipsFilesWhosePathWouldNotFit)
{
    // A folder path of 240 characters: room for names of up to 18.
    std::wstring folder = kTestRoot;
    while (folder.size() < 240) {
        folder += L"\\" + std::wstring(std::min<size_t>(60, 239 - folder.size()), L'x');
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    }
    ASSERT_EQ(240u, folder.size());
    std::wstring fits = folder + L"\\" + std::wstring(14, L'f') + L".mp3";
    std::wstring tooLong = folder + L"\\" + std::wstring(15, L'l') + L".mp3";
    ASSERT_EQ(259u, fits.size());
    ASSERT_TRUE(MakeFile(L"\\\\?\\" + fits));
    ASSERT_TRUE(MakeFile(L"\\\\?\\" + tooLong));

    EXPECT_TRUE(list.FillFromFolder(folder.c_str()));
    EXPECT_EQ(std::vector<std::wstring>{fits}, list.Paths());
}

TEST_F(SourceList, AVanishedFolderEmptiesTheList)
{
    std::wstring folder = MakeFolder(L"gone", {L"a.mp3", L"b.mp3"});
    ASSERT_TRUE(list.FillFromFolder(folder.c_str()));
    Changes();
    RemoveTree(folder);

    EXPECT_FALSE(list.FillFromFolder(folder.c_str()));
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_TRUE(list.Paths().empty());
    EXPECT_GE(Changes(), 1);
}

TEST_F(SourceList, AnEmptyPathKeepsTheListAndPostsNothing)
{
    std::wstring folder = MakeFolder(L"keep", {L"a.mp3"});
    ASSERT_TRUE(list.FillFromFolder(folder.c_str()));
    Changes();

    EXPECT_FALSE(list.FillFromFolder(L""));
    EXPECT_FALSE(list.FillFromFolder(nullptr));
    EXPECT_EQ(1, list.GetItemCount());
    EXPECT_EQ(0, Changes());
}

TEST_F(SourceList, SelectionSurvivesOnlyAReloadOfTheSameFiles)
{
    std::wstring first = MakeFolder(L"first", {L"a.mp3", L"b.mp3", L"c.mp3"});
    std::wstring second = MakeFolder(L"second", {L"x.mp3", L"y.mp3", L"z.mp3"});
    ASSERT_TRUE(list.FillFromFolder(first.c_str()));
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);

    ASSERT_TRUE(list.FillFromFolder(first.c_str()));
    EXPECT_EQ(std::vector<int>{1}, SelectedItems(list));
    ASSERT_TRUE(list.FillFromFolder(second.c_str()));
    EXPECT_TRUE(SelectedItems(list).empty()) << "nobody picked a file of the second folder";
}

TEST_F(SourceList, SelectedAndAllPathsAppendInListOrder)
{
    std::wstring folder = MakeFolder(L"pick", {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"});
    ASSERT_TRUE(list.FillFromFolder(folder.c_str()));
    std::vector<std::wstring> out = {L"kept"};
    EXPECT_EQ(0, list.GetSelectedPaths(out));
    EXPECT_EQ(std::vector<std::wstring>{L"kept"}, out);

    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(2, list.GetSelectedPaths(out));
    EXPECT_EQ((std::vector<std::wstring>{L"kept", list.Paths()[1], list.Paths()[3]}), out);

    out.clear();
    EXPECT_EQ(4, list.GetAllPaths(out));
    EXPECT_EQ(list.Paths(), out);
}

TEST_F(SourceList, SelectionChangesAreReportedAndAClickOutsideTheListIsIgnored)
{
    std::wstring folder = MakeFolder(L"click", {L"a.mp3", L"b.mp3", L"c.mp3"});
    ASSERT_TRUE(list.FillFromFolder(folder.c_str()));
    Changes();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(1, Changes());

    list.SelectItemByClick(-1);
    list.SelectItemByClick(3);
    EXPECT_EQ(std::vector<int>{0}, SelectedItems(list)) << "-1 must not address every item";
}

}
