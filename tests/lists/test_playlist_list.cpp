// The playlist's operations on a real owner-data list control in a hidden
// window that stands for the main dialog.
#include "ListHost.h"

#include "framework/MessageBox.h"
#include "framework/Strings.h"
#include "lists/ListMessages.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class PlaylistList : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create(false, 120)); }

    // count entries with the given ones selected; the queue cleared of what
    // setting it up posted.
    void Fill(int count, const std::vector<int>& selected = {})
    {
        if (list.GetItemCount() > 0) list.RemoveAllEntries();
        ASSERT_TRUE(list.AddEntries(MakePaths(0, count)));
        list.DeselectAll();
        for (int i : selected) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        Changes();
    }

    // Entries by their number in MakePaths, as in "0 2 1".
    std::wstring Order() const
    {
        std::wstring text;
        for (const std::wstring& path : list.Paths()) {
            size_t start = path.rfind(L"song") + 4;
            text += (text.empty() ? L"" : L" ") + path.substr(start, path.size() - start - 4);
        }
        EXPECT_EQ(static_cast<int>(list.Paths().size()), list.GetItemCount());
        return text;
    }

    int Changes() { return TakePosted(host.Hwnd(), WM_LIST_CHANGED); }

    CListHost host;
    CPlaylistListCtrl& list = host.playlist;
    CBoxRecorder boxes;
};

TEST_F(PlaylistList, AddAppendsSelectsOnlyTheFirstNewEntryAndScrollsToIt)
{
    Fill(30, {3, 29});
    list.EnsureVisible(0, FALSE);
    ASSERT_LT(list.GetCountPerPage(), 30);

    ASSERT_TRUE(list.AddEntries(MakePaths(30, 3)));
    EXPECT_EQ(33u, list.Paths().size());
    EXPECT_EQ(L"G:\\music\\song30.mp3", list.Paths()[30]);
    EXPECT_EQ(std::vector<int>{30}, SelectedItems(list));
    int top = list.GetTopIndex();
    EXPECT_LE(top, 30);
    EXPECT_LT(30, top + list.GetCountPerPage()) << "fully in view";
    EXPECT_EQ(1, Changes());
}

TEST_F(PlaylistList, InsertSelectsExactlyTheInsertedEntries)
{
    Fill(5, {0, 4});
    ASSERT_TRUE(list.InsertEntries(2, MakePaths(10, 3)));
    EXPECT_EQ(L"0 1 10 11 12 2 3 4", Order());
    EXPECT_EQ((std::vector<int>{2, 3, 4}), SelectedItems(list));
    EXPECT_EQ(1, Changes());

    ASSERT_TRUE(list.InsertEntries(100, MakePaths(20, 2)));
    EXPECT_EQ(L"0 1 10 11 12 2 3 4 20 21", Order()) << "past the end appends";
    EXPECT_EQ((std::vector<int>{8, 9}), SelectedItems(list));
}

TEST_F(PlaylistList, RemoveSelectsTheEntryThatFollowedTheRemovedOnes)
{
    struct Case {
        std::vector<int> selected;
        const wchar_t* order;
        std::vector<int> selectedAfter;
    } cases[] = {
        {{1, 3}, L"0 2 4", {2}},
        {{3, 4}, L"0 1 2", {2}},
        {{0, 1, 2, 3, 4}, L"", {}},
    };
    for (const Case& c : cases) {
        Fill(5, c.selected);
        ASSERT_TRUE(list.RemoveSelectedEntries());
        EXPECT_EQ(c.order, Order());
        EXPECT_EQ(c.selectedAfter, SelectedItems(list)) << c.order;
        EXPECT_EQ(1, Changes());
    }
    Fill(4, {2});
    ASSERT_TRUE(list.RemoveAllEntries());
    EXPECT_EQ(L"", Order());
    EXPECT_EQ(1, Changes());
}

TEST_F(PlaylistList, MovesKeepTheMovedBlockSelected)
{
    struct Case {
        std::vector<int> selected;
        BOOL up;
        const wchar_t* order;
        std::vector<int> selectedAfter;
    } cases[] = {
        {{2}, TRUE, L"0 2 1 3 4 5", {1}},
        {{2}, FALSE, L"0 1 3 2 4 5", {3}},
        {{1, 3}, TRUE, L"1 3 0 2 4 5", {0, 1}},
        {{1, 3}, FALSE, L"0 2 4 1 3 5", {3, 4}},
        {{0}, TRUE, L"0 1 2 3 4 5", {0}},
        {{5}, FALSE, L"0 1 2 3 4 5", {5}},
        {{0, 2}, TRUE, L"0 2 1 3 4 5", {0, 1}},
    };
    for (const Case& c : cases) {
        Fill(6, c.selected);
        EXPECT_EQ(static_cast<int>(c.selected.size()), list.MoveSelectedEntries(c.up));
        EXPECT_EQ(c.order, Order());
        EXPECT_EQ(c.selectedAfter, SelectedItems(list)) << c.order;
        EXPECT_GE(Changes(), 1) << "the selection changes reach the dialog";
    }
}

// The boxes appear exactly when there is nothing to add or remove; the
// operation then changes nothing and posts nothing.
TEST_F(PlaylistList, BoxesOnlyWhenThereIsNothingToDo)
{
    struct Case {
        const char* name;
        int entries;
        std::function<BOOL(CPlaylistListCtrl&)> run;
        UINT box;
    } cases[] = {
        {"add nothing", 3, [](CPlaylistListCtrl& l) { return l.AddEntries({}); }, IDS_NOTHING_TO_ADD},
        {"remove unselected", 3, [](CPlaylistListCtrl& l) { return l.RemoveSelectedEntries(); },
         IDS_NOTHING_TO_REMOVE},
        {"clear empty", 0, [](CPlaylistListCtrl& l) { return l.RemoveAllEntries(); },
         IDS_NOTHING_TO_REMOVE},
        {"insert nothing", 3, [](CPlaylistListCtrl& l) { return l.InsertEntries(0, {}); }, 0},
        {"move unselected", 3, [](CPlaylistListCtrl& l) { return l.MoveSelectedEntries(TRUE); }, 0},
    };
    ASSERT_FALSE(LoadResString(IDS_NOTHING_TO_ADD).empty());
    for (const Case& c : cases) {
        if (c.entries > 0) {
            Fill(c.entries);
        } else if (list.GetItemCount() > 0) {
            list.RemoveAllEntries();
            Changes();
        }
        boxes.boxes.clear();
        EXPECT_FALSE(c.run(list)) << c.name;
        EXPECT_EQ(c.entries, list.GetItemCount()) << c.name;
        EXPECT_EQ(0, Changes()) << c.name;
        ASSERT_EQ(c.box ? 1u : 0u, boxes.boxes.size()) << c.name;
        if (!c.box) continue;
        const CBoxRecorder::CBox& box = boxes.boxes[0];
        EXPECT_EQ(LoadResString(c.box), box.text) << c.name;
        EXPECT_EQ(g_strMsgCaption, box.caption);
        EXPECT_EQ(list.Hwnd(), box.hOwner);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), box.type);
    }
}

TEST_F(PlaylistList, SelectionChangesOutsideAnEditAreReported)
{
    Fill(3);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(1, Changes());
    list.SetItemState(1, 0, LVIS_SELECTED);
    EXPECT_EQ(1, Changes());
}

TEST_F(PlaylistList, ItemTextIsTheFileNameCutToTheBuffer)
{
    list.AddEntries({L"G:\\music\\a long file name.mp3"});
    wchar_t full[64];
    LVITEMW item = {};
    item.pszText = full;
    item.cchTextMax = 64;
    list.Send(LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(L"a long file name.mp3", full);

    wchar_t text[8];
    std::fill(std::begin(text), std::end(text), L'#');
    item.pszText = text;
    item.cchTextMax = 5;
    list.Send(LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(L"a lo", text) << "cut and terminated inside the buffer";
    EXPECT_EQ(L'#', text[5]);
}

}
