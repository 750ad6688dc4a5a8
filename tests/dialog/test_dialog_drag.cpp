// The main dialog with the real pointer: the tip over a source item whose
// name is too long for it, a double click on that tip, and a drag from the
// source list into the playlist, all handled by the dialog itself.
#include "../lists/PointerInput.h"

#include "app/Globals.h"
#include "dialog/PlaylistDlg.h"
#include "framework/App.h"
#include "lists/ListDrag.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>

namespace {

// A drive of this program's own, so that no other test sees its files.
const wchar_t kRoot[] = L"J:\\";
const wchar_t kLongName[] =
    L"A recording whose file name is far too long for the narrow source list of the dialog.mp3";

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

void MakeFile(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path.c_str();
    ::CloseHandle(h);
}

std::wstring ItemText(HWND hList, int item)
{
    wchar_t text[MAX_PATH] = {};
    LVITEMW lvi = {};
    lvi.pszText = text;
    lvi.cchTextMax = MAX_PATH;
    ::SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return text;
}

int FindItem(HWND hList, const std::wstring& text)
{
    int count = static_cast<int>(::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (ItemText(hList, i) == text) return i;
    }
    return -1;
}

RECT ItemBoundsOnScreen(HWND hList, int item)
{
    RECT rc = {};
    rc.left = LVIR_BOUNDS;
    ::SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rc));
    ::MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

HWND FindTip()
{
    return ::FindWindowW(L"WavaItemTip", nullptr);
}

bool Pump(DWORD ms, const std::function<bool()>& done)
{
    return PumpUntil(ms, done);
}

bool MoveTo(POINT target)
{
    return MovePointerTo(target, Pump);
}

bool Click()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    return Pump(1000, [] { return !LeftButtonDown(); });
}

class DialogDrag : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hResources = ::LoadLibraryW((ExeFolder() + L"\\..\\bin\\ZKWAPlRs.crl").c_str());
        ASSERT_NE(nullptr, s_hResources);
        SetResourceModule(s_hResources);
    }
    static void TearDownTestSuite()
    {
        SetResourceModule(nullptr);
        ::FreeLibrary(s_hResources);
    }
    void SetUp() override
    {
        for (const wchar_t* name : {kLongName, L"short.mp3"}) MakeFile(std::wstring(kRoot) + name);
        ::lstrcpyW(m_fields.m_szDeviceRoot, kRoot);
        SetAppDeviceFields(&m_fields);
    }
    void TearDown() override
    {
        SetAppDeviceFields(nullptr);
        for (const wchar_t* name : {kLongName, L"short.mp3"}) ::DeleteFileW((std::wstring(kRoot) + name).c_str());
    }

    // Runs the dialog and calls check once its modal loop runs; the dialog
    // is closed afterwards.
    void RunWith(const std::function<void(HWND)>& check)
    {
        s_check = check;
        CPlaylistDlg dlg;
        s_pDlg = &dlg;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 10, OnTimer);
        dlg.DoModal();
        ::KillTimer(nullptr, timer);
    }

    // The modal loop shows the dialog once it first runs out of messages;
    // the pointer can only reach it after that.
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND hDlg = s_pDlg->Hwnd();
        if (!hDlg || !::IsWindowVisible(hDlg)) return;
        ::KillTimer(nullptr, id);
        if (!s_check) return;
        auto check = std::move(s_check);
        s_check = nullptr;
        ::SetForegroundWindow(hDlg);
        check(hDlg);
        if (LeftButtonDown()) SendMouse(MOUSEEVENTF_LEFTUP);
        ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDC_CLOSE)));
    }

    CDeviceFields m_fields;
    static HMODULE s_hResources;
    static std::function<void(HWND)> s_check;
    static CPlaylistDlg* s_pDlg;
};

HMODULE DialogDrag::s_hResources = nullptr;
std::function<void(HWND)> DialogDrag::s_check;
CPlaylistDlg* DialogDrag::s_pDlg = nullptr;

TEST_F(DialogDrag, TipOverALongNameAndADoubleClickOnItAddsTheFile)
{
    RunWith([](HWND hDlg) {
        HWND hSource = ::GetDlgItem(hDlg, IDC_SOURCE_LIST);
        HWND hPlaylist = ::GetDlgItem(hDlg, IDC_PLAYLIST_LIST);
        int item = FindItem(hSource, kLongName);
        ASSERT_GE(item, 0);
        RECT rcItem = ItemBoundsOnScreen(hSource, item);
        HWND hTip = FindTip();
        ASSERT_NE(nullptr, hTip) << "the dialog made its tip";

        ASSERT_TRUE(MoveTo(POINT{rcItem.left + 20, rcItem.top + 3}));
        ASSERT_TRUE(Pump(1000, [hTip] { return ::IsWindowVisible(hTip) != FALSE; }));
        RECT rcTip = {};
        ::GetWindowRect(hTip, &rcTip);
        EXPECT_EQ(rcItem.left, rcTip.left);
        EXPECT_EQ(rcItem.top, rcTip.top);
        EXPECT_EQ(rcItem.bottom, rcTip.bottom);
        EXPECT_GT(rcTip.right, rcItem.right);
        EXPECT_EQ(hDlg, ::GetForegroundWindow()) << "the tip takes no activation";

        // Onto the tip itself, then a double click there.
        ASSERT_TRUE(MoveTo(POINT{rcItem.left + 24, rcItem.top + 4}));
        ASSERT_TRUE(Click());
        ASSERT_TRUE(Click());
        ASSERT_TRUE(Pump(1000, [hPlaylist] { return ::SendMessageW(hPlaylist, LVM_GETITEMCOUNT, 0, 0) == 1; }));
        EXPECT_EQ(kLongName, ItemText(hPlaylist, 0));
        EXPECT_EQ(LVIS_SELECTED, ::SendMessageW(hSource, LVM_GETITEMSTATE, item, LVIS_SELECTED));

        // Off the tip, onto the playlist: it hides.
        RECT rcPlaylist = {};
        ::GetWindowRect(hPlaylist, &rcPlaylist);
        ASSERT_TRUE(MoveTo(POINT{rcPlaylist.left + 30, rcPlaylist.bottom - 10}));
        EXPECT_TRUE(Pump(1000, [hTip] { return !::IsWindowVisible(hTip); }));
    });
}

TEST_F(DialogDrag, SourceItemsDroppedOnThePlaylistAreInsertedThere)
{
    RunWith([](HWND hDlg) {
        HWND hSource = ::GetDlgItem(hDlg, IDC_SOURCE_LIST);
        HWND hPlaylist = ::GetDlgItem(hDlg, IDC_PLAYLIST_LIST);
        ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDC_ADD_ALL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDC_ADD_ALL)));
        ASSERT_EQ(2, ::SendMessageW(hPlaylist, LVM_GETITEMCOUNT, 0, 0));

        int item = FindItem(hSource, L"short.mp3");
        ASSERT_GE(item, 0);
        RECT rcItem = ItemBoundsOnScreen(hSource, item);
        POINT start = {rcItem.left + 20, rcItem.top + 3};
        ASSERT_TRUE(MoveTo(start));
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(Pump(1000, LeftButtonDown));
        ASSERT_TRUE(MoveTo(POINT{start.x + 15, start.y + 4}));
        ASSERT_TRUE(Pump(1000, [] { return g_bSourceDragging != FALSE; }));

        // The lower half of the first entry: after it.
        RECT rcFirst = ItemBoundsOnScreen(hPlaylist, 0);
        ASSERT_TRUE(MoveTo(POINT{rcFirst.left + 20, rcFirst.bottom - 2}));
        SendMouse(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(Pump(1000, [hPlaylist] { return ::SendMessageW(hPlaylist, LVM_GETITEMCOUNT, 0, 0) == 3; }));
        EXPECT_EQ(L"short.mp3", ItemText(hPlaylist, 1));
        EXPECT_EQ(1, ::SendMessageW(hPlaylist, LVM_GETSELECTEDCOUNT, 0, 0));
        EXPECT_EQ(LVIS_SELECTED, ::SendMessageW(hPlaylist, LVM_GETITEMSTATE, 1, LVIS_SELECTED));
        EXPECT_EQ(hPlaylist, ::GetFocus()) << "the playlist takes the focus after a drop";
    });
}

}
