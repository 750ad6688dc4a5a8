// The item tip on a shown screen: when it shows, and what its presses and
// moves tell the owner and the list beneath. Its place and its leaving are
// seen with the real pointer in the main dialog's tests.
#include "../lists/PointerInput.h"

#include "framework/ListView.h"
#include "framework/Dpi.h"
#include "look/ItemTipWnd.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const wchar_t kOwnerClass[] = L"WavaTipTestOwner";
const wchar_t kLongName[] = L"A rather long file name that no narrow item can hold.mp3";

// Stands for the main dialog: it has a font and receives the tip's posts.
class COwner : public CWindow {
public:
    bool Create()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kOwnerClass;
        ::RegisterClassW(&wc);
        return CreateEx(0, kOwnerClass, L"", WS_POPUP | WS_VISIBLE, 600, 600, 300, 200, nullptr, 0) !=
               nullptr;
    }
    HFONT Font() const { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_GETFONT) return reinterpret_cast<LRESULT>(Font());
        return CWindow::WindowProc(msg, wParam, lParam);
    }
};

class ItemTip : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
    }

    void SetUp() override
    {
        // The real pointer stays away from every window of the test.
        ::SetCursorPos(5, 5);
        ASSERT_TRUE(owner.Create());
        HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 200,
                                       150, owner.Hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(list.Attach(hList));
        ASSERT_TRUE(tip.CreateTip(owner.Hwnd()));
        tip.SetNotifyWnd(owner.Hwnd());
        EXPECT_FALSE(::IsWindowVisible(tip.Hwnd())) << "created hidden";
    }
    void TearDown() override { ::DestroyWindow(owner.Hwnd()); }

    int TextWidth(const wchar_t* text) const
    {
        HDC hDc = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(hDc, owner.Font());
        SIZE size = {};
        ::GetTextExtentPoint32W(hDc, text, lstrlenW(text), &size);
        ::SelectObject(hDc, old);
        ::ReleaseDC(nullptr, hDc);
        return size.cx;
    }

    BOOL Show(int item, const wchar_t* text = kLongName)
    {
        return tip.ShowTip(&list, item, &m_rcItem, text, FALSE);
    }

    // What the tip posted to the owner, in order, with the item of each.
    std::vector<std::pair<UINT, int>> TakePosts()
    {
        std::vector<std::pair<UINT, int>> posts;
        MSG m;
        while (::PeekMessageW(&m, owner.Hwnd(), WM_TIP_CLICK, WM_TIP_DBLCLICK, PM_REMOVE))
            posts.emplace_back(m.message, static_cast<int>(m.wParam));
        return posts;
    }

    void Press() { tip.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); }
    void PressAndRelease()
    {
        Press();
        tip.Send(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }

    COwner owner;
    CListView list;
    CItemTipWnd tip;
    RECT m_rcItem = {300, 200, 400, 217};
};

TEST_F(ItemTip, ShowsOnlyANameWiderThanItsItem)
{
    const RECT none = {};
    // A list cuts a name that leaves its item less room beside it.
    const int room = ::MulDiv(kItemTextRoom, static_cast<int>(WindowDpi(owner.Hwnd())), 96);
    const RECT wide = {300, 200, 300 + TextWidth(L"short.mp3") + room, 217};
    const struct {
        const wchar_t* what;
        int item;
        RECT rc;
        const wchar_t* text;
    } hidden[] = {
        {L"a name that just fits", 2, wide, L"short.mp3"},
        {L"no item", -1, none, L""},
        {L"empty name", 2, m_rcItem, L""},
        {L"no rectangle", 2, none, kLongName},
    };
    for (const auto& c : hidden) {
        ASSERT_TRUE(Show(1));
        ASSERT_TRUE(::IsWindowVisible(tip.Hwnd())) << c.what;
        EXPECT_TRUE(tip.ShowTip(&list, c.item, &c.rc, c.text, FALSE)) << "was visible: " << c.what;
        EXPECT_FALSE(::IsWindowVisible(tip.Hwnd())) << c.what;
    }
    RECT cut = wide;
    --cut.right;
    tip.ShowTip(&list, 2, &cut, L"short.mp3", FALSE);
    EXPECT_TRUE(::IsWindowVisible(tip.Hwnd())) << "a name the list cuts";
}

TEST_F(ItemTip, QuickSecondPressOnTheSameItemIsADoubleClick)
{
    const UINT click = WM_TIP_CLICK;
    const UINT dbl = WM_TIP_DBLCLICK;
    using Posts = std::vector<std::pair<UINT, int>>;

    Show(2);
    PressAndRelease();
    PressAndRelease();
    EXPECT_EQ((Posts{{click, 2}, {dbl, 2}, {click, 2}}), TakePosts());
    PressAndRelease();
    EXPECT_EQ((Posts{{click, 2}}), TakePosts()) << "a third quick press starts over";
    EXPECT_TRUE(::IsWindowVisible(tip.Hwnd())) << "a press without a move leaves the tip";
    EXPECT_TRUE(tip.IsHighlighted());

    // The memory of the last press survives hiding and showing the tip.
    tip.HideTip();
    Show(2);
    EXPECT_FALSE(tip.IsHighlighted());
    PressAndRelease();
    EXPECT_EQ((Posts{{dbl, 2}, {click, 2}}), TakePosts());

    Show(3);
    PressAndRelease();
    Show(4);
    PressAndRelease();
    EXPECT_EQ((Posts{{click, 3}, {click, 4}}), TakePosts()) << "different items";

    ::Sleep(::GetDoubleClickTime() + 50);
    PressAndRelease();
    EXPECT_EQ((Posts{{click, 4}}), TakePosts()) << "too slow";

    Show(-1, kLongName);
    ::Sleep(::GetDoubleClickTime() + 50);
    PressAndRelease();
    EXPECT_TRUE(TakePosts().empty()) << "no item, nothing to tell";
}

TEST_F(ItemTip, PressThenMoveHandsThePressToTheList)
{
    Show(1);
    Press();
    TakePosts();
    tip.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, 4));

    EXPECT_FALSE(::IsWindowVisible(tip.Hwnd()));
    EXPECT_EQ(list.Hwnd(), ::GetCapture());
    MSG m = {};
    ASSERT_TRUE(::PeekMessageW(&m, list.Hwnd(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    POINT expected = {m_rcItem.left + 7, m_rcItem.top + 4};
    ::ScreenToClient(list.Hwnd(), &expected);
    EXPECT_EQ(expected.x, static_cast<short>(LOWORD(m.lParam)));
    EXPECT_EQ(expected.y, static_cast<short>(HIWORD(m.lParam)));
    ::ReleaseCapture();

    // The press is spent: a later plain move over a shown tip keeps it, and
    // holds the mouse.
    Show(1);
    tip.Send(WM_MOUSEMOVE, 0, MAKELPARAM(7, 4));
    EXPECT_TRUE(::IsWindowVisible(tip.Hwnd()));
    EXPECT_EQ(tip.Hwnd(), ::GetCapture());
    ::SetCapture(owner.Hwnd());
    EXPECT_FALSE(::IsWindowVisible(tip.Hwnd())) << "a tip that lost the mouse hides";
    ::ReleaseCapture();

    // A press whose release went elsewhere goes with the hidden tip: a plain
    // move over the next tip passes no press to the list.
    Show(1);
    Press();
    ::SetCapture(owner.Hwnd());
    ::ReleaseCapture();
    Show(1);
    tip.Send(WM_MOUSEMOVE, 0, MAKELPARAM(7, 4));
    EXPECT_TRUE(::IsWindowVisible(tip.Hwnd()));
    EXPECT_FALSE(::PeekMessageW(&m, list.Hwnd(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
}

// A pointer that crosses the item quickly is outside the tip by its next
// move, which then reaches some other window: the tip must still hear of it
// and go, not stay on top of everything until the pointer comes back.
TEST_F(ItemTip, HidesWhenThePointerHasLeftBeforeItsFirstMove)
{
    ASSERT_TRUE(Show(1));
    ASSERT_TRUE(::IsWindowVisible(tip.Hwnd()));
    SendMouse(MOUSEEVENTF_MOVE, POINT{120, 90});
    EXPECT_TRUE(PumpUntil(1000, [this] { return !::IsWindowVisible(tip.Hwnd()); }));
    EXPECT_NE(tip.Hwnd(), ::GetCapture()) << "the mouse is free again";

    ASSERT_TRUE(Show(1));
    EXPECT_EQ(tip.Hwnd(), ::GetCapture()) << "held from the start";
    Show(2, L"");
    EXPECT_NE(tip.Hwnd(), ::GetCapture()) << "a hidden tip takes no clicks";

    // Windows may end the leave tracking asked for when the tip appears at
    // once, the pointer still counting as over the list: a move over the
    // tip asks for it again.
    ::SetCursorPos(m_rcItem.left + 5, m_rcItem.top + 5);
    ASSERT_TRUE(Show(1));
    TRACKMOUSEEVENT ended = {sizeof(ended), TME_CANCEL | TME_LEAVE, tip.Hwnd(), 0};
    ASSERT_TRUE(::TrackMouseEvent(&ended));
    tip.Send(WM_MOUSELEAVE);
    EXPECT_TRUE(::IsWindowVisible(tip.Hwnd())) << "the pointer is over it";
    tip.Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    TRACKMOUSEEVENT tracking = {sizeof(tracking), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(::TrackMouseEvent(&tracking));
    EXPECT_EQ(tip.Hwnd(), tracking.hwndTrack);
    EXPECT_TRUE(tracking.dwFlags & TME_LEAVE);
}

}
