// Keys and clicks through real input on a shown host window: the lists must
// read the keyboard state and the focus as a person leaves them.
#include "ListHost.h"
#include "TestFolders.h"

#include "framework/Strings.h"
#include "lists/ListMessages.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

const wchar_t kTestRoot[] = L"G:\\lists-input";

namespace {

void SendKey(WORD vk, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    if (vk == VK_DELETE) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    ::SendInput(1, &input, sizeof(input));
}

void SendButton(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

class ListInput : public testing::Test {
protected:
    // One shown window for the whole suite: under Wine without a window
    // manager, destroying a shown window takes two seconds.
    static void SetUpTestSuite()
    {
        RemoveTree(kTestRoot);
        ::CreateDirectoryW(kTestRoot, nullptr);
        s_folder = MakeFolder(L"input", {L"a.mp3", L"b.mp3", L"c.mp3"});
        s_host = new CListHost;
        s_host->Create(true);
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
        RemoveTree(kTestRoot);
    }

    void SetUp() override
    {
        ASSERT_TRUE(ResetHost(host, 5, s_folder));
        ::SetFocus(host.Hwnd());
        Pump(50);
        posted.clear();
    }
    void TearDown() override
    {
        // No key may stay down for the next test.
        for (int vk : {VK_CONTROL, VK_SHIFT, VK_DELETE, int('A')}) SendKey(static_cast<WORD>(vk), false);
        Pump(50);
    }

    // Runs the thread's messages for up to ms milliseconds or until done
    // answers true, noting what was posted to the host.
    bool Pump(DWORD ms, const std::function<bool()>& done = nullptr)
    {
        DWORD start = ::GetTickCount();
        for (;;) {
            MSG m;
            while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.hwnd == host.Hwnd() && m.message >= WM_USER) posted.push_back(m.message);
                ::TranslateMessage(&m);
                ::DispatchMessageW(&m);
            }
            if (done && done()) return true;
            if (::GetTickCount() - start >= ms) return false;
            ::Sleep(5);
        }
    }

    void HoldKey(WORD vk)
    {
        SendKey(vk, true);
        ASSERT_TRUE(Pump(1000, [vk] { return (::GetKeyState(vk) & 0x8000) != 0; }));
    }
    void ReleaseKey(WORD vk)
    {
        SendKey(vk, false);
        ASSERT_TRUE(Pump(1000, [vk] { return !(::GetKeyState(vk) & 0x8000); }));
    }

    void PressCtrlA()
    {
        HoldKey(VK_CONTROL);
        HoldKey('A');
        ReleaseKey('A');
        ReleaseKey(VK_CONTROL);
    }

    void DoubleClick(const CListView& list, int item)
    {
        RECT rc;
        ASSERT_TRUE(list.GetItemRect(item, &rc, LVIR_BOUNDS));
        POINT pt = {rc.left + 10, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(list.Hwnd(), &pt);
        ::SetCursorPos(pt.x, pt.y);
        Pump(50);
        for (int i = 0; i < 2; ++i) {
            SendButton(MOUSEEVENTF_LEFTDOWN);
            SendButton(MOUSEEVENTF_LEFTUP);
        }
    }

    int PostedCount(UINT msg) const
    {
        return static_cast<int>(std::count(posted.begin(), posted.end(), msg));
    }

    static CListHost* s_host;
    static std::wstring s_folder;
    CListHost& host = *s_host;
    CBoxRecorder boxes;
    std::vector<UINT> posted;
};

CListHost* ListInput::s_host = nullptr;
std::wstring ListInput::s_folder;

TEST_F(ListInput, CtrlASelectsAllOnlyInTheFocusedList)
{
    ::SetFocus(host.source.Hwnd());
    PressCtrlA();
    EXPECT_TRUE(SelectedItems(host.playlist).empty());
    EXPECT_EQ(3u, SelectedItems(host.source).size());

    // A key press handed to the list while another window has the focus.
    HoldKey(VK_CONTROL);
    host.playlist.Send(WM_KEYDOWN, 'A', 1);
    ReleaseKey(VK_CONTROL);
    EXPECT_TRUE(SelectedItems(host.playlist).empty());

    ::SetFocus(host.playlist.Hwnd());
    PressCtrlA();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), SelectedItems(host.playlist));
    EXPECT_GE(PostedCount(WM_LIST_CHANGED), 1);
}

TEST_F(ListInput, DeleteRemovesWhenTheKeyIsPressed)
{
    ::SetFocus(host.playlist.Hwnd());
    host.playlist.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    HoldKey(VK_DELETE);
    EXPECT_EQ(4, host.playlist.GetItemCount());
    ReleaseKey(VK_DELETE);
    EXPECT_EQ(4, host.playlist.GetItemCount()) << "nothing more happens on the release";
    EXPECT_TRUE(boxes.boxes.empty());

    host.playlist.DeselectAll();
    HoldKey(VK_DELETE);
    ReleaseKey(VK_DELETE);
    ASSERT_EQ(1u, boxes.boxes.size()) << "nothing selected";
    EXPECT_EQ(LoadResString(IDS_NOTHING_TO_REMOVE), boxes.boxes[0].text);
}

TEST_F(ListInput, DoubleClicksAskTheDialogToAddOrRemove)
{
    DoubleClick(host.playlist, 2);
    EXPECT_TRUE(Pump(1000, [this] { return PostedCount(WM_PLAYLIST_DBLCLK) > 0; }));
    EXPECT_EQ(0, PostedCount(WM_SOURCE_LIST_DBLCLK));
    EXPECT_EQ(5, host.playlist.GetItemCount()) << "the dialog removes, not the list";

    posted.clear();
    DoubleClick(host.source, 1);
    EXPECT_TRUE(Pump(1000, [this] { return PostedCount(WM_SOURCE_LIST_DBLCLK) > 0; }));
    EXPECT_EQ(0, PostedCount(WM_PLAYLIST_DBLCLK));
}

TEST_F(ListInput, TipClicksFollowCtrlAndShift)
{
    CSourceListCtrl& source = host.source;
    ::SetFocus(host.playlist.Hwnd());
    source.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);

    HoldKey(VK_CONTROL);
    source.SelectItemByClick(2);
    EXPECT_EQ((std::vector<int>{0, 2}), SelectedItems(source));
    source.SelectItemByClick(0);
    EXPECT_EQ(std::vector<int>{2}, SelectedItems(source)) << "Ctrl toggles";
    EXPECT_EQ(host.playlist.Hwnd(), ::GetFocus()) << "Ctrl leaves the focus where it was";
    ReleaseKey(VK_CONTROL);

    HoldKey(VK_SHIFT);
    source.SelectItemByClick(0);
    EXPECT_EQ((std::vector<int>{0, 2}), SelectedItems(source)) << "Shift adds, no range";
    ReleaseKey(VK_SHIFT);

    source.SetItemState(2, LVIS_FOCUSED, LVIS_FOCUSED);
    source.SelectItemByClick(1);
    EXPECT_EQ(std::vector<int>{1}, SelectedItems(source)) << "a plain click selects only it";
    EXPECT_EQ(-1, source.GetNextItem(-1, LVNI_FOCUSED)) << "cleared items lose the focus mark too";
    EXPECT_EQ(source.Hwnd(), ::GetFocus());
}

}
