// The playlist's operations on a real owner-data list control in a hidden
// window that stands for the main dialog.
#include "ListHost.h"

#include "app/Globals.h"
#include "framework/Strings.h"
#include "lists/ListCommon.h"
#include "lists/ListMessages.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class PlaylistList : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(false, 120));
        ASSERT_FALSE(LoadResString(IDS_NOTHING_TO_ADD).empty());
        ASSERT_FALSE(LoadResString(IDS_NOTHING_TO_REMOVE).empty());
    }

    // A playlist of count entries with the given ones selected, and the
    // queue cleared of what setting it up posted.
    void Fill(int count, const std::vector<int>& selected = {})
    {
        ASSERT_TRUE(list.AddEntries(MakePaths(0, count)));
        list.DeselectAll();
        for (int i : selected) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        TakePosted(host.Hwnd(), WM_LIST_CHANGED);
    }

    // Entries named by their number in MakePaths, as in "0 2 1".
    std::wstring Order() const
    {
        std::wstring text;
        for (const std::wstring& path : list.Paths()) {
            size_t start = path.rfind(L"song") + 4;
            text += (text.empty() ? L"" : L" ") + path.substr(start, path.size() - start - 4);
        }
        return text;
    }

    void ExpectConsistent() const
    {
        EXPECT_EQ(static_cast<int>(list.Paths().size()), list.GetItemCount());
    }

    int Changes() { return TakePosted(host.Hwnd(), WM_LIST_CHANGED); }

    void ExpectBox(UINT id) const
    {
        ASSERT_EQ(1u, boxes.boxes.size());
        const CBoxRecorder::CBox& box = boxes.boxes[0];
        EXPECT_EQ(LoadResString(id), box.text);
        EXPECT_EQ(g_strMsgCaption, box.caption);
        EXPECT_EQ(list.Hwnd(), box.hOwner);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), box.type);
    }

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
    ExpectConsistent();
    EXPECT_EQ(33u, list.Paths().size());
    EXPECT_EQ(L"G:\\music\\song30.mp3", list.Paths()[30]);
    EXPECT_EQ(std::vector<int>{30}, SelectedItems(list));
    int top = list.GetTopIndex();
    EXPECT_LE(top, 30);
    EXPECT_LT(30, top + list.GetCountPerPage()) << "fully in view";
    EXPECT_EQ(1, Changes());

    ASSERT_TRUE(list.AddEntries(MakePaths(30, 1)));
    EXPECT_EQ(list.Paths()[30], list.Paths()[33]) << "the same file twice is two entries";
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PlaylistList, AddingNothingShowsItsBoxAndChangesNothing)
{
    Fill(5, {1});
    EXPECT_FALSE(list.AddEntries({}));
    ExpectBox(IDS_NOTHING_TO_ADD);
    EXPECT_EQ(5, list.GetItemCount());
    EXPECT_EQ(std::vector<int>{1}, SelectedItems(list));
    EXPECT_EQ(0, Changes());
}

TEST_F(PlaylistList, InsertSelectsExactlyTheInsertedEntries)
{
    Fill(5, {0, 4});
    ASSERT_TRUE(list.InsertEntries(2, MakePaths(10, 3)));
    ExpectConsistent();
    EXPECT_EQ(L"0 1 10 11 12 2 3 4", Order());
    EXPECT_EQ((std::vector<int>{2, 3, 4}), SelectedItems(list));
    EXPECT_EQ(1, Changes());

    ASSERT_TRUE(list.InsertEntries(100, MakePaths(20, 2)));
    EXPECT_EQ(L"0 1 10 11 12 2 3 4 20 21", Order()) << "past the end appends";
    EXPECT_EQ((std::vector<int>{8, 9}), SelectedItems(list));

    EXPECT_FALSE(list.InsertEntries(0, {}));
    EXPECT_EQ(10, list.GetItemCount());
    EXPECT_EQ((std::vector<int>{8, 9}), SelectedItems(list));
    EXPECT_TRUE(boxes.boxes.empty()) << "an empty insert is silent";
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
        if (list.GetItemCount() > 0) list.RemoveAllEntries();
        Fill(5, c.selected);
        ASSERT_TRUE(list.RemoveSelectedEntries());
        ExpectConsistent();
        EXPECT_EQ(c.order, Order());
        EXPECT_EQ(c.selectedAfter, SelectedItems(list)) << c.order;
        EXPECT_TRUE(list.Selection().empty()) << "the snapshot ends empty";
        EXPECT_EQ(1, Changes());
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PlaylistList, RemovingWithoutSelectionShowsItsBox)
{
    Fill(3);
    EXPECT_FALSE(list.RemoveSelectedEntries());
    ExpectBox(IDS_NOTHING_TO_REMOVE);
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(0, Changes());
}

TEST_F(PlaylistList, RemoveAllEmptiesAndAnEmptyPlaylistShowsTheBox)
{
    Fill(4, {2});
    ASSERT_TRUE(list.RemoveAllEntries());
    ExpectConsistent();
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_TRUE(SelectedItems(list).empty());
    EXPECT_EQ(1, Changes());
    EXPECT_TRUE(boxes.boxes.empty());

    EXPECT_FALSE(list.RemoveAllEntries());
    ExpectBox(IDS_NOTHING_TO_REMOVE);
    EXPECT_EQ(0, Changes());
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
        if (list.GetItemCount() > 0) list.RemoveAllEntries();
        Fill(6, c.selected);
        EXPECT_EQ(static_cast<int>(c.selected.size()), list.MoveSelectedEntries(c.up));
        ExpectConsistent();
        EXPECT_EQ(c.order, Order());
        EXPECT_EQ(c.selectedAfter, SelectedItems(list)) << c.order;
        EXPECT_GE(Changes(), 1) << "the selection changes reach the dialog";
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PlaylistList, EditsScrollTheirResultIntoView)
{
    // Each edit starts scrolled to the top of 40 entries, far from its result.
    struct Case {
        const char* name;
        std::function<void(CPlaylistListCtrl&)> edit;
        int item;
        bool partlyVisibleIsEnough;
    } cases[] = {
        {"insert", [](CPlaylistListCtrl& l) { l.InsertEntries(35, MakePaths(90, 2)); }, 35, false},
        {"remove", [](CPlaylistListCtrl& l) {
             l.SetItemState(36, LVIS_SELECTED, LVIS_SELECTED);
             l.RemoveSelectedEntries();
         }, 36, false},
        {"move", [](CPlaylistListCtrl& l) {
             l.SetItemState(30, LVIS_SELECTED, LVIS_SELECTED);
             l.MoveSelectedEntries(FALSE);
         }, 31, true},
    };
    for (const Case& c : cases) {
        if (list.GetItemCount() > 0) list.RemoveAllEntries();
        Fill(40);
        list.EnsureVisible(0, FALSE);
        ASSERT_EQ(0, list.GetTopIndex());
        c.edit(list);
        int top = list.GetTopIndex();
        EXPECT_LE(top, c.item) << c.name;
        int pastFullyVisible = top + list.GetCountPerPage();
        EXPECT_LE(c.item, pastFullyVisible) << c.name;
        if (!c.partlyVisibleIsEnough) {
            EXPECT_LT(c.item, pastFullyVisible) << c.name;
        }
    }
}

TEST_F(PlaylistList, MovingWithoutSelectionChangesNothingSilently)
{
    Fill(3);
    EXPECT_EQ(0, list.MoveSelectedEntries(TRUE));
    EXPECT_EQ(0, list.MoveSelectedEntries(FALSE));
    EXPECT_EQ(L"0 1 2", Order());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PlaylistList, EveryOutsideSelectionChangeIsReported)
{
    Fill(3);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(1, Changes());
    list.SetItemState(1, 0, LVIS_SELECTED);
    EXPECT_EQ(1, Changes());
}

TEST_F(PlaylistList, NotificationsNeedATarget)
{
    EXPECT_FALSE(list.SetNotifyWnd(nullptr));
    Fill(2, {0});
    EXPECT_TRUE(list.RemoveSelectedEntries());
    EXPECT_EQ(1, Changes()) << "a refused null keeps the window set before";
}

TEST_F(PlaylistList, ItemTextIsTheFileNameCutToTheBuffer)
{
    list.AddEntries({L"G:\\music\\a long file name.mp3"});
    wchar_t text[64];
    LVITEMW item = {};
    item.pszText = text;
    item.cchTextMax = 64;
    list.Send(LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(L"a long file name.mp3", text);

    std::vector<std::wstring> paths = {L"C:\\x\\abcdefgh.mp3"};
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    NMLVDISPINFOW info = {};
    info.item.mask = LVIF_TEXT;
    info.item.pszText = buffer;
    info.item.cchTextMax = 5;
    FillDisplayText(paths, &info);
    EXPECT_STREQ(L"abcd", buffer) << "cut and terminated inside the buffer";
    EXPECT_EQ(L'#', buffer[5]);

    // Requests that are not for the text of an existing item stay unanswered.
    struct Case {
        UINT mask;
        int item;
        int subItem;
    } untouched[] = {{LVIF_STATE, 0, 0}, {LVIF_TEXT, 0, 1}, {LVIF_TEXT, 1, 0}, {LVIF_TEXT, -1, 0}};
    for (const Case& c : untouched) {
        buffer[0] = L'#';
        info.item.mask = c.mask;
        info.item.iItem = c.item;
        info.item.iSubItem = c.subItem;
        FillDisplayText(paths, &info);
        EXPECT_EQ(L'#', buffer[0]) << c.mask << " " << c.item << " " << c.subItem;
    }
}

TEST_F(PlaylistList, ColumnFillsTheListWithFullRowSelection)
{
    RECT rc;
    ::GetClientRect(list.Hwnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, static_cast<int>(list.Send(LVM_GETCOLUMNWIDTH, 0)));
    EXPECT_EQ(static_cast<LRESULT>(LVS_EX_FULLROWSELECT), list.Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

}
