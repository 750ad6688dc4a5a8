// Drags made with the real pointer on a shown host window: from the source
// list into the playlist, and within the playlist. The host does with a drop
// what the main dialog does: it inserts the dragged paths at the index.
#include "ListHost.h"
#include "PointerInput.h"
#include "TestFolders.h"

#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "lists/ListMessages.h"
#include "look/ItemTipWnd.h"

#include <gtest/gtest.h>

#include <functional>

const wchar_t kTestRoot[] = L"G:\\lists-drag";

namespace {

// Entries by their number in MakePaths, as in "0 2 1".
std::wstring Order(const CPlaylistListCtrl& list)
{
    std::wstring text;
    for (const std::wstring& path : list.Paths()) {
        size_t start = path.rfind(L"song") + 4;
        text += (text.empty() ? L"" : L" ") + path.substr(start, path.size() - start - 4);
    }
    return text;
}

enum class Where { Upper, Lower, BelowLast, AboveList, OutsideRight };

class DragInput : public testing::Test {
protected:
    // One shown window for the whole suite: under Wine without a window
    // manager, destroying a shown window takes two seconds.
    static void SetUpTestSuite()
    {
        RemoveTree(kTestRoot);
        ::CreateDirectoryW(kTestRoot, nullptr);
        s_folder = MakeFolder(L"drag", {L"a.mp3", L"b.mp3", L"c.mp3", L"d.mp3"});
        s_host = new CListHost;
        s_host->Create(true, 200);
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
        RemoveTree(kTestRoot);
    }

    void SetUp() override
    {
        ASSERT_TRUE(ResetHost(host, 6, s_folder));
        ::SetForegroundWindow(host.Hwnd());
        ::SetFocus(host.Hwnd());
        Pump(50);
        drops = 0;
    }
    void TearDown() override
    {
        if (LeftButtonDown()) SendMouse(MOUSEEVENTF_LEFTUP);
        Pump(50);
        EXPECT_NE(PointerState::SourceDrag, PointerHandOff().State()) << "no drag outlives its test";
    }

    // Runs the thread's messages for up to ms milliseconds or until done
    // answers true. A drop is inserted as the main dialog inserts it.
    bool Pump(DWORD ms, const std::function<bool()>& done = nullptr)
    {
        return PumpUntil(ms, done, [this](const MSG& m) {
            if (m.hwnd != host.Hwnd() || m.message != WM_DROP_ON_PLAYLIST) return;
            ++drops;
            host.playlist.InsertEntries(static_cast<int>(m.wParam), PointerHandOff().DraggedPaths());
        });
    }

    void MoveTo(POINT target)
    {
        ASSERT_TRUE(MovePointerTo(target, [this](DWORD ms, const std::function<bool()>& done) {
            return Pump(ms, done);
        }));
    }

    static POINT OnItem(const CListView& list, int item, Where where = Where::Upper)
    {
        RECT rc = {};
        list.GetItemRect(item, &rc, LVIR_BOUNDS);
        POINT pt = {rc.left + 30, rc.top + 2};
        if (where == Where::Lower) pt.y = rc.bottom - 2;
        if (where == Where::BelowLast) pt.y = rc.bottom + 20;
        if (where == Where::AboveList) pt.y = -20;
        if (where == Where::OutsideRight) pt.x = rc.right + 40;
        ::ClientToScreen(list.Hwnd(), &pt);
        return pt;
    }

    // Presses on item of list and moves far enough for the list to begin
    // its drag.
    void PressAndStartDrag(const CListView& list, int item, const std::function<bool()>& dragging)
    {
        // Each press a little away from the one before, or a quick second
        // press on the same spot would be a double click and begin no drag.
        POINT start = OnItem(list, item);
        start.x += (s_presses++ % 3) * 20;
        MoveTo(start);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(Pump(1000, LeftButtonDown));
        Pump(30);
        MoveTo(POINT{start.x + 12, start.y + 3});
        ASSERT_TRUE(Pump(1000, dragging)) << "the drag began";
    }

    void Release()
    {
        SendMouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(Pump(1000, [] { return !LeftButtonDown(); }));
        Pump(50);
    }

    static CListHost* s_host;
    static std::wstring s_folder;
    static int s_presses;
    CListHost& host = *s_host;
    int drops = 0;
};

CListHost* DragInput::s_host = nullptr;
std::wstring DragInput::s_folder;
int DragInput::s_presses = 0;

TEST_F(DragInput, SourceDropInsertsAtThePointerWithAllInsertedSelected)
{
    const struct {
        int item;
        Where where;
        int index;
    } cases[] = {{3, Where::Upper, 3}, {3, Where::Lower, 4}, {5, Where::BelowLast, 6}, {0, Where::Upper, 0}};
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR no = ::LoadCursorW(nullptr, IDC_NO);
    for (const auto& c : cases) {
        SetUp();
        host.source.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        host.source.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
        PressAndStartDrag(host.source, 1, [] { return PointerHandOff().State() == PointerState::SourceDrag; });
        EXPECT_EQ(no, ::GetCursor()) << "not over the playlist";

        MoveTo(OnItem(host.playlist, c.item, c.where));
        RECT mark = {};
        EXPECT_TRUE(host.playlist.GetInsertMark(mark)) << c.index;
        EXPECT_EQ(arrow, ::GetCursor()) << "over the playlist";
        Release();
        ASSERT_TRUE(Pump(1000, [this] { return drops > 0; })) << c.index;

        EXPECT_NE(PointerState::SourceDrag, PointerHandOff().State());
        EXPECT_FALSE(host.playlist.GetInsertMark(mark)) << "the mark goes with the drag";
        ASSERT_EQ(8u, host.playlist.Paths().size());
        EXPECT_EQ(host.source.Paths()[1], host.playlist.Paths()[c.index]) << c.index;
        EXPECT_EQ(host.source.Paths()[3], host.playlist.Paths()[c.index + 1]) << c.index;
        EXPECT_EQ((std::vector<int>{c.index, c.index + 1}), SelectedItems(host.playlist)) << c.index;
    }
}

TEST_F(DragInput, SourceDragReleasedOutsideThePlaylistChangesNothing)
{
    for (bool overSource : {true, false}) {
        SetUp();
        host.source.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        PressAndStartDrag(host.source, 0, [] { return PointerHandOff().State() == PointerState::SourceDrag; });
        // Over the playlist first, so that its mark shows and must go.
        MoveTo(OnItem(host.playlist, 2));
        RECT window = {};
        ::GetWindowRect(host.Hwnd(), &window);
        MoveTo(overSource ? OnItem(host.source, 2) : POINT{window.right + 30, window.top + 40});
        EXPECT_EQ(::LoadCursorW(nullptr, IDC_NO), ::GetCursor());
        Release();
        Pump(100);

        EXPECT_EQ(0, drops) << overSource;
        EXPECT_EQ(L"0 1 2 3 4 5", Order(host.playlist));
        RECT mark = {};
        EXPECT_FALSE(host.playlist.GetInsertMark(mark)) << "no bar left over the playlist";
    }
}

TEST_F(DragInput, InternalDragMovesTheSelectionAsOneBlock)
{
    const struct {
        std::vector<int> selection;
        int pressOn;
        int item;
        Where where;
        bool markShown; // hidden while it would stand before a dragged entry
        const wchar_t* order;
        std::vector<int> selected;
    } cases[] = {
        {{1}, 1, 4, Where::Upper, true, L"0 2 3 1 4 5", {3}},
        {{4}, 4, 1, Where::Upper, true, L"0 4 1 2 3 5", {1}},
        {{1, 3}, 1, 3, Where::Upper, false, L"0 2 1 3 4 5", {2, 3}},
        {{2, 3}, 2, 4, Where::Upper, true, L"0 1 2 3 4 5", {2, 3}},
        {{2, 3}, 2, 2, Where::Lower, false, L"0 1 2 3 4 5", {2, 3}},
        {{3, 4}, 3, 0, Where::AboveList, true, L"3 4 0 1 2 5", {0, 1}},
        {{0, 1}, 0, 5, Where::BelowLast, true, L"2 3 4 5 0 1", {4, 5}},
    };
    for (const auto& c : cases) {
        SetUp();
        for (int i : c.selection) host.playlist.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        PressAndStartDrag(host.playlist, c.pressOn, [this] { return ::GetCapture() == host.playlist.Hwnd(); });
        MoveTo(OnItem(host.playlist, c.item, c.where));
        RECT mark = {};
        EXPECT_EQ(c.markShown, host.playlist.GetInsertMark(mark)) << c.order;
        Release();
        EXPECT_EQ(c.order, Order(host.playlist)) << c.order;
        EXPECT_EQ(c.selected, SelectedItems(host.playlist)) << c.order;
        EXPECT_NE(host.playlist.Hwnd(), ::GetCapture());
    }
}

// The dragged entries are those collected when the drag began: a selection
// changed meanwhile (by the keyboard) moves no fewer of them.
TEST_F(DragInput, InternalDropMovesTheEntriesDraggedEvenIfTheSelectionChanged)
{
    host.playlist.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    host.playlist.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    PressAndStartDrag(host.playlist, 1, [this] { return ::GetCapture() == host.playlist.Hwnd(); });
    host.playlist.SetItemState(3, 0, LVIS_SELECTED);
    MoveTo(OnItem(host.playlist, 5));
    Release();
    EXPECT_EQ(L"0 2 4 1 3 5", Order(host.playlist));
    EXPECT_EQ((std::vector<int>{3, 4}), SelectedItems(host.playlist));
}

// An edit while entries are dragged within the playlist (Delete released,
// Alt+Down) moves or removes them: the drag ends, and the release moves
// nothing that was not dragged.
TEST_F(DragInput, AnEditDuringAnInternalDragEndsIt)
{
    const struct {
        std::function<BOOL(CPlaylistListCtrl&)> edit;
        const wchar_t* order;
    } cases[] = {
        {[](CPlaylistListCtrl& l) { return l.RemoveSelectedEntries(); }, L"0 2 3 4 5"},
        {[](CPlaylistListCtrl& l) { return l.MoveSelectedEntries(FALSE) > 0; }, L"0 2 1 3 4 5"},
    };
    for (const auto& c : cases) {
        SetUp();
        host.playlist.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        PressAndStartDrag(host.playlist, 1, [this] { return ::GetCapture() == host.playlist.Hwnd(); });
        MoveTo(OnItem(host.playlist, 4));
        ASSERT_TRUE(c.edit(host.playlist)) << c.order;
        EXPECT_NE(host.playlist.Hwnd(), ::GetCapture()) << c.order;
        RECT mark = {};
        EXPECT_FALSE(host.playlist.GetInsertMark(mark)) << c.order;
        MoveTo(OnItem(host.playlist, 0));
        Release();
        EXPECT_EQ(c.order, Order(host.playlist));
    }
}

// A drag whose list loses the mouse can never see its release: it ends at
// once and drops nothing.
TEST_F(DragInput, LosingTheMouseEndsADragWithoutADrop)
{
    host.source.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    PressAndStartDrag(host.source, 0, [] { return PointerHandOff().State() == PointerState::SourceDrag; });
    MoveTo(OnItem(host.playlist, 2));
    ::SetCapture(host.Hwnd());
    EXPECT_NE(PointerState::SourceDrag, PointerHandOff().State());
    RECT mark = {};
    EXPECT_FALSE(host.playlist.GetInsertMark(mark));
    ::ReleaseCapture();
    Release();
    EXPECT_EQ(0, drops);
    EXPECT_EQ(L"0 1 2 3 4 5", Order(host.playlist));
}

// A press on the tip followed by a small move hands the press, and the
// mouse, to the list; released before any drag began, the mouse must be
// free again, or every later click in the window would go to the list.
TEST_F(DragInput, APressHandedOverByTheTipFreesTheMouseWhenNoDragFollows)
{
    CItemTipWnd tip;
    ASSERT_TRUE(tip.CreateTip(host.Hwnd()));
    tip.SetNotifyWnd(host.Hwnd());
    RECT rcItem = {};
    ASSERT_TRUE(host.source.GetItemRect(1, &rcItem, LVIR_BOUNDS));
    ::MapWindowPoints(host.source.Hwnd(), nullptr, reinterpret_cast<POINT*>(&rcItem), 2);
    const std::wstring name(80, L'n');
    ASSERT_TRUE(tip.ShowTip(&host.source, 1, &rcItem, name.c_str(), FALSE));

    POINT start = OnItem(host.source, 1);
    MoveTo(start);
    ASSERT_TRUE(::IsWindowVisible(tip.Hwnd()));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(Pump(1000, LeftButtonDown));
    MoveTo(POINT{start.x + 1, start.y + 1});
    EXPECT_FALSE(::IsWindowVisible(tip.Hwnd())) << "the press went over to the list";
    Release();

    EXPECT_NE(PointerState::SourceDrag, PointerHandOff().State());
    EXPECT_EQ(nullptr, ::GetCapture());
}

}
