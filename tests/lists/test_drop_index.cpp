// Where a drop lands and where the insertion mark stands, on a real playlist
// control in a hidden window that stands for the main dialog.
#include "ListHost.h"

#include "framework/Dpi.h"
#include "lists/ListDrag.h"

#include <gtest/gtest.h>

namespace {

class DropIndex : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(false, 200));
        ASSERT_TRUE(list.AddEntries(MakePaths(0, 6)));
        ASSERT_GT(list.GetCountPerPage(), 6) << "every entry in view";
    }

    RECT Item(int i) const
    {
        RECT rc = {};
        EXPECT_TRUE(list.GetItemRect(i, &rc, LVIR_BOUNDS));
        return rc;
    }

    CListHost host;
    CPlaylistListCtrl& list = host.playlist;
};

// The source list's target and the playlist's own drop index agree over the
// entries: the upper half (middle row included) goes before the entry, the
// lower half after it.
TEST_F(DropIndex, HalvesOfAnEntryChooseBeforeOrAfterIt)
{
    for (int item : {0, 3, 5}) {
        RECT rc = Item(item);
        int middle = rc.top + (rc.bottom - rc.top) / 2;
        const struct {
            int y;
            int index;
        } cases[] = {{rc.top, item}, {middle, item}, {middle + 1, item + 1}, {rc.bottom - 1, item + 1}};
        for (const auto& c : cases) {
            POINT pt = {20, c.y};
            EXPECT_EQ(c.index, list.GetDropIndex(pt)) << "item " << item << " y " << c.y;
            EXPECT_EQ(c.index, GetTargetIndex(&list, pt)) << "item " << item << " y " << c.y;
        }
    }
}

TEST_F(DropIndex, AwayFromTheEntries)
{
    RECT first = Item(0);
    RECT last = Item(5);
    int height = first.bottom - first.top;
    POINT belowLast = {20, last.bottom + 3};
    POINT aboveTop = {20, -5};
    POINT beside = {-30, last.top + 1};

    EXPECT_EQ(6, list.GetDropIndex(belowLast));
    EXPECT_EQ(6, GetTargetIndex(&list, belowLast));
    EXPECT_EQ(0, list.GetDropIndex(aboveTop));
    EXPECT_EQ(6, list.GetDropIndex(beside)) << "an entry's height or more below the top: the end";
    EXPECT_EQ(0, list.GetDropIndex(POINT{-30, height - 1}));
    EXPECT_EQ(0, GetTargetIndex(nullptr, belowLast)) << "no playlist";

    list.RemoveAllEntries();
    EXPECT_EQ(0, list.GetDropIndex(belowLast)) << "empty playlist";
    EXPECT_EQ(0, GetTargetIndex(&list, belowLast));
}

// A source drag hit-tests in the playlist's client area; the frame and the
// scroll bar count as the client point beside them.
TEST_F(DropIndex, SourcePointsMapToThePlaylistsClientArea)
{
    RECT window = {};
    ::GetWindowRect(list.Hwnd(), &window);
    POINT origin = {0, 0};
    ::ClientToScreen(list.Hwnd(), &origin);
    ASSERT_GT(origin.y, window.top) << "the list has a frame";

    RECT item2 = Item(2);
    POINT inside = {origin.x + 15, origin.y + item2.top + 1};
    POINT q = MapPointToTarget(inside, list);
    EXPECT_EQ(15, q.x);
    EXPECT_EQ(item2.top + 1, q.y);

    q = MapPointToTarget(POINT{window.left, window.top}, list);
    EXPECT_EQ(0, q.x);
    EXPECT_EQ(0, q.y);
    EXPECT_EQ(0, GetTargetIndex(&list, q)) << "the top frame is before the first entry";

    q = MapPointToTarget(POINT{window.right - 1, origin.y + item2.top + 1}, list);
    EXPECT_EQ(2, GetTargetIndex(&list, q)) << "the right frame is beside entry 2";
}

TEST_F(DropIndex, InsertMarkStandsOverTheEntryOrUnderTheLast)
{
    RECT rc = {};
    EXPECT_FALSE(list.GetInsertMark(rc)) << "hidden at first";

    const struct {
        int index;
        int item;
        bool below;
    } cases[] = {{0, 0, false}, {2, 2, false}, {5, 5, false}, {6, 5, true}};
    for (const auto& c : cases) {
        list.ShowInsertMark(c.index);
        RECT item = Item(c.item);
        ASSERT_TRUE(list.GetInsertMark(rc)) << c.index;
        int top = c.below ? item.bottom : item.top;
        EXPECT_EQ(top, rc.top) << c.index;
        EXPECT_EQ(top + ::MulDiv(2, static_cast<int>(WindowDpi(list.Hwnd())), 96), rc.bottom) << c.index;
        EXPECT_EQ(item.left, rc.left);
        EXPECT_EQ(item.right, rc.right);
    }

    list.HideInsertMark();
    EXPECT_FALSE(list.GetInsertMark(rc));

    RECT before = rc;
    list.RemoveAllEntries();
    list.ShowInsertMark(0);
    ASSERT_TRUE(list.GetInsertMark(rc));
    EXPECT_TRUE(::EqualRect(&before, &rc)) << "an empty list keeps the last place";
}

// The image shows the selected entries in view, from the first of them to
// the last, and nothing scrolled out of view; the source list's stops one
// entry short of the page.
TEST_F(DropIndex, DragImageSpansTheSelectedEntriesInView)
{
    ASSERT_TRUE(list.AddEntries(MakePaths(6, 30)));
    list.DeselectAll();
    list.EnsureVisible(0, FALSE);
    int perPage = list.GetCountPerPage();
    ASSERT_LT(perPage, 30);
    int lastInView = perPage - 1;
    for (int i : {1, lastInView, 35}) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    RECT first = Item(1);
    RECT last = Item(lastInView);

    const struct {
        int spareItems;
        int bottom;
    } cases[] = {{0, last.bottom}, {1, first.bottom}};
    for (const auto& c : cases) {
        CImageList image = CreateMultiDragImage(list, c.spareItems);
        ASSERT_TRUE(image) << c.spareItems;
        EXPECT_EQ(1, ::ImageList_GetImageCount(image.Get()));
        int width = 0;
        int height = 0;
        ::ImageList_GetIconSize(image.Get(), &width, &height);
        EXPECT_EQ(first.right - first.left, width) << c.spareItems;
        EXPECT_EQ(c.bottom - first.top, height) << c.spareItems;
    }
}

}
