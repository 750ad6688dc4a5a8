// The main dialog with the real pointer: the tip over a source item whose
// name is too long for it, a double click on that tip, a drag from the
// source list into the playlist, one within the playlist and a folder of the
// tree dragged into it, and files dragged from another program (the
// companion's drag source), all handled by the dialog itself.
#include "../lists/PointerInput.h"
#include "TestKit.h"
#include "TestSupport.h"

#include "dialog/PlaylistDlg.h"
#include "framework/App.h"
#include "framework/MessageBox.h"
#include "handoff/DeviceFields.h"
#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// A drive of this program's own, so that no other test sees its files.
const std::wstring kRoot = L"J:\\";
const wchar_t kLongName[] =
    L"A recording whose file name is far too long for the narrow source list of the dialog.mp3";

std::wstring ItemText(HWND hList, int item)
{
    wchar_t text[MAX_PATH] = {};
    LVITEMW lvi = {};
    lvi.pszText = text;
    lvi.cchTextMax = MAX_PATH;
    ::SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return text;
}

// The item's bounds on the screen; answers the item showing text.
int FindItem(HWND hList, const std::wstring& text, RECT& rc)
{
    int count = static_cast<int>(::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (ItemText(hList, i) != text) continue;
        rc.left = LVIR_BOUNDS;
        ::SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
        ::MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return i;
    }
    return -1;
}

int TextWidth(HWND hFontOwner, const wchar_t* text)
{
    HDC hDc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hDc, reinterpret_cast<HGDIOBJ>(::SendMessageW(hFontOwner, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(hDc, text, lstrlenW(text), &size);
    ::SelectObject(hDc, old);
    ::ReleaseDC(nullptr, hDc);
    return size.cx;
}

bool Pump(DWORD ms, const std::function<bool()>& done)
{
    return PumpUntil(ms, done);
}

bool MoveTo(POINT target)
{
    return MovePointerTo(target, Pump);
}

// Presses at start and moves on, far enough for a drag to begin there.
void PressAndMove(POINT start)
{
    ASSERT_TRUE(MoveTo(start));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(Pump(1000, LeftButtonDown));
    ASSERT_TRUE(MoveTo(POINT{start.x + 15, start.y + 4}));
}

// The source item showing name dragged until the pointer is over the top of
// the playlist, the button still held.
void DragSourceItemOverPlaylist(HWND hSource, const wchar_t* name, const RECT& rcPlaylist)
{
    RECT rcItem = {};
    ASSERT_GE(FindItem(hSource, name, rcItem), 0);
    ASSERT_NO_FATAL_FAILURE(PressAndMove(POINT{rcItem.left + 20, rcItem.top + 3}));
    ASSERT_TRUE(Pump(1000, [] { return PointerHandOff().State() == PointerState::SourceDrag; }));
    ASSERT_TRUE(MoveTo(POINT{rcPlaylist.left + 30, rcPlaylist.top + 4}));
}

bool Click()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    return Pump(1000, [] { return !LeftButtonDown(); });
}

// Runs the messages the way the dialog's modal loop does: keys go through
// the dialog manager, which turns Escape into the dialog's Cancel.
bool PumpDialog(HWND hDlg, DWORD ms, const std::function<bool()>& done)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (::IsDialogMessageW(hDlg, &m)) continue;
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        if (done()) return true;
        if (::GetTickCount() - start >= ms) return false;
        ::Sleep(5);
    }
}

void PressKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

int ItemCount(HWND hList)
{
    return static_cast<int>(::SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
}

// A top-level window on a thread of its own, standing for another program's
// window at the top-left corner of the screen.
class COtherProgram {
public:
    COtherProgram() : m_thread([this] { Run(); })
    {
        Pump(2000, [this] { return m_hWnd != nullptr; });
    }
    ~COtherProgram()
    {
        ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }
    HWND Hwnd() const { return m_hWnd; }
    POINT Centre() const { return POINT{100, 75}; }

private:
    void Run()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"WavaOtherProgram";
        ::RegisterClassW(&wc);
        m_threadId = ::GetCurrentThreadId();
        HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Other", WS_POPUP | WS_BORDER, 0, 0, 200, 150, nullptr,
                                      nullptr, wc.hInstance, nullptr);
        ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
        m_hWnd = hWnd;
        MSG m;
        while (::GetMessageW(&m, nullptr, 0, 0) > 0) ::DispatchMessageW(&m);
        ::DestroyWindow(hWnd);
    }

    std::atomic<HWND> m_hWnd{nullptr};
    std::atomic<DWORD> m_threadId{0};
    std::thread m_thread;
};

// Puts the pointer over the item from elsewhere in the list, so that the
// list reports the item again; answers whether the tip then shows.
bool HoverItem(HWND hSource, HWND hTip, const RECT& rcItem)
{
    RECT rcList = {};
    ::GetWindowRect(hSource, &rcList);
    return MoveTo(POINT{rcList.left + 20, rcList.bottom - 10}) &&
           MoveTo(POINT{rcItem.left + 20, rcItem.top + 3}) &&
           Pump(1000, [hTip] { return ::IsWindowVisible(hTip) != FALSE; });
}

std::function<void(HWND)> g_check;
CPlaylistDlg* g_pDlg = nullptr;

// The modal loop shows the dialog once it first runs out of messages; the
// pointer can only reach it after that.
void CALLBACK RunCheck(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND hDlg = g_pDlg->Hwnd();
    if (!hDlg || !::IsWindowVisible(hDlg)) return;
    ::KillTimer(nullptr, id);
    auto check = std::move(g_check);
    g_check = nullptr;
    ::SetForegroundWindow(hDlg);
    if (check) check(hDlg);
    if (LeftButtonDown()) SendMouse(MOUSEEVENTF_LEFTUP);
    g_pDlg->EndDialog(IDCANCEL);
}

void Scenario(HWND hDlg)
{
    HWND hSource = ::GetDlgItem(hDlg, IDC_SOURCE_LIST);
    HWND hPlaylist = ::GetDlgItem(hDlg, IDC_PLAYLIST_LIST);
    HWND hTip = ::FindWindowW(L"WavaItemTip", nullptr);
    ASSERT_NE(nullptr, hTip) << "the dialog made its tip";
    RECT rcItem = {};
    int item = FindItem(hSource, kLongName, rcItem);
    ASSERT_GE(item, 0);

    ASSERT_TRUE(MoveTo(POINT{rcItem.left + 20, rcItem.top + 3}));
    ASSERT_TRUE(Pump(1000, [hTip] { return ::IsWindowVisible(hTip) != FALSE; }));
    RECT rcTip = {};
    ::GetWindowRect(hTip, &rcTip);
    const RECT expected = {rcItem.left, rcItem.top, rcItem.left + TextWidth(hDlg, kLongName), rcItem.bottom};
    EXPECT_TRUE(::EqualRect(&expected, &rcTip)) << rcTip.left << " " << rcTip.top << " " << rcTip.right << " "
                                                << rcTip.bottom;
    EXPECT_EQ(hDlg, ::GetForegroundWindow()) << "the tip takes no activation";

    // A double click on the tip selects the item beneath and adds it.
    ASSERT_TRUE(MoveTo(POINT{rcItem.left + 24, rcItem.top + 4}));
    ASSERT_TRUE(Click());
    ASSERT_TRUE(Click());
    ASSERT_TRUE(Pump(1000, [hPlaylist] { return ItemCount(hPlaylist) == 1; }));
    EXPECT_EQ(kLongName, ItemText(hPlaylist, 0));
    EXPECT_EQ(LVIS_SELECTED, ::SendMessageW(hSource, LVM_GETITEMSTATE, item, LVIS_SELECTED));

    // Off the tip, it hides.
    RECT rcPlaylist = {};
    ::GetWindowRect(hPlaylist, &rcPlaylist);
    ASSERT_TRUE(MoveTo(POINT{rcPlaylist.left + 30, rcPlaylist.bottom - 10}));
    EXPECT_TRUE(Pump(1000, [hTip] { return !::IsWindowVisible(hTip); }));

    // The tip never stays over another program: not when that program
    // comes to the front, and not when the pointer moves onto its window
    // while this one is in the background (the list still shows tips then).
    {
        COtherProgram other;
        ASSERT_TRUE(other.Hwnd());
        ASSERT_TRUE(HoverItem(hSource, hTip, rcItem));
        ::SetForegroundWindow(other.Hwnd());
        EXPECT_TRUE(Pump(1000, [hTip] { return !::IsWindowVisible(hTip); })) << "deactivated";
        ASSERT_TRUE(HoverItem(hSource, hTip, rcItem));
        SendMouse(MOUSEEVENTF_MOVE, other.Centre());
        EXPECT_TRUE(Pump(1000, [hTip] { return !::IsWindowVisible(hTip); })) << "onto another window";
    }
    ::SetForegroundWindow(hDlg);
    ASSERT_TRUE(Pump(1000, [hDlg] { return ::GetForegroundWindow() == hDlg; }));

    // The short name dragged onto the upper half of the first entry.
    ASSERT_NO_FATAL_FAILURE(DragSourceItemOverPlaylist(hSource, L"short.mp3", rcPlaylist));
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Pump(1000, [hPlaylist] { return ItemCount(hPlaylist) == 2; }));
    EXPECT_EQ(L"short.mp3", ItemText(hPlaylist, 0));
    EXPECT_EQ(LVIS_SELECTED, ::SendMessageW(hPlaylist, LVM_GETITEMSTATE, 0, LVIS_SELECTED));
    EXPECT_EQ(1, ::SendMessageW(hPlaylist, LVM_GETSELECTEDCOUNT, 0, 0));
    EXPECT_EQ(hPlaylist, ::GetFocus()) << "the playlist takes the focus after a drop";

    // Within the playlist: the dropped entry dragged under the last one.
    auto* pPlaylist = dynamic_cast<CPlaylistListCtrl*>(CWindow::FromHandle(hPlaylist));
    ASSERT_NE(nullptr, pPlaylist);
    RECT rcLast = {};
    ASSERT_EQ(1, FindItem(hPlaylist, kLongName, rcLast));
    ASSERT_EQ(0, FindItem(hPlaylist, L"short.mp3", rcItem));
    ASSERT_NO_FATAL_FAILURE(PressAndMove(POINT{rcItem.left + 50, rcItem.top + 3}));
    ASSERT_TRUE(MoveTo(POINT{rcLast.left + 50, rcLast.bottom - 2}));
    RECT rcMark = {};
    ASSERT_TRUE(Pump(1000, [&] { return pPlaylist->GetInsertMark(rcMark); })) << "the drag shows its mark";
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Pump(1000, [hPlaylist] { return ItemText(hPlaylist, 1) == L"short.mp3"; }));
    EXPECT_EQ(kLongName, ItemText(hPlaylist, 0));

    // Escape during a drag ends the drag and nothing more: no question about
    // closing the window with its unsaved playlist, and the release that
    // follows drops nothing.
    int escapeBoxes = 0;
    SetMessageBoxHook([&escapeBoxes](HWND, const std::wstring&, const std::wstring&, UINT) {
        ++escapeBoxes;
        return IDNO;
    });
    ASSERT_NO_FATAL_FAILURE(DragSourceItemOverPlaylist(hSource, L"short.mp3", rcPlaylist));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpDialog(hDlg, 1000, [] { return PointerHandOff().State() == PointerState::Free; })) << "the drag ended";
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpDialog(hDlg, 300, [] { return false; });
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(0, escapeBoxes);
    EXPECT_EQ(2, ItemCount(hPlaylist));

    // A folder of the tree onto the upper half of the second entry: its own
    // file, then its sub-folder's, go in before that entry.
    HWND hTree = ::GetDlgItem(hDlg, IDC_FOLDER_TREE);
    HTREEITEM hAlbum = TreeView_GetChild(hTree, TreeView_GetRoot(hTree));
    RECT rcAlbum = {};
    ASSERT_TRUE(hAlbum && TreeView_GetItemRect(hTree, hAlbum, &rcAlbum, TRUE));
    ::MapWindowPoints(hTree, nullptr, reinterpret_cast<POINT*>(&rcAlbum), 2);
    POINT start = {rcAlbum.left + 6, (rcAlbum.top + rcAlbum.bottom) / 2};
    ASSERT_TRUE(MoveTo(start));
    // The tree waits for the pointer's next move within its press, before
    // this thread could make it: both are made first.
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_MOVE, POINT{start.x + 15, start.y + 4});
    ASSERT_TRUE(Pump(1000, [] { return PointerHandOff().State() == PointerState::FolderDrag; }));
    ASSERT_EQ(1, FindItem(hPlaylist, L"short.mp3", rcItem));
    ASSERT_TRUE(MoveTo(POINT{rcItem.left + 50, rcItem.top + 2}));
    EXPECT_TRUE(pPlaylist->GetInsertMark(rcMark));
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(Pump(2000, [hPlaylist] { return ItemCount(hPlaylist) == 4; }));
    EXPECT_EQ(L"one.mp3", ItemText(hPlaylist, 1));
    EXPECT_EQ(L"two.wma", ItemText(hPlaylist, 2));
    EXPECT_EQ(L"short.mp3", ItemText(hPlaylist, 3));
    EXPECT_EQ(2, ::SendMessageW(hPlaylist, LVM_GETSELECTEDCOUNT, 0, 0)) << "the folder's files are selected";
    EXPECT_EQ(PointerState::Free, PointerHandOff().State());
    EXPECT_FALSE(pPlaylist->GetInsertMark(rcMark));

    // Another program's file list onto the upper half of the second entry:
    // the song and the folder on the player go in there, in the order
    // dropped; a text file and a song on another drive are counted in one
    // box.
    std::vector<std::wstring> boxes;
    SetMessageBoxHook([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
        boxes.push_back(text);
        return IDOK;
    });
    testkit::CProcess source;
    ASSERT_TRUE(source.Start(ProgramFolder() + L"\\..\\..\\companion\\WavaCompanion.exe",
                             L"drag-files 60 J:\\drop.mp3 J:\\readme.txt M:\\elsewhere.mp3 J:\\Album"));
    HWND hOther = nullptr;
    ASSERT_TRUE(Pump(10000, [&] { return (hOther = ::FindWindowW(L"Wava drag source", nullptr)) != nullptr; }));
    RECT rcSource = {};
    ::GetWindowRect(hOther, &rcSource);
    ASSERT_NO_FATAL_FAILURE(PressAndMove(POINT{rcSource.left + 40, rcSource.top + 40}));
    ASSERT_EQ(1, FindItem(hPlaylist, L"one.mp3", rcItem));
    ASSERT_TRUE(MoveTo(POINT{rcItem.left + 40, rcItem.top + 3}));
    EXPECT_TRUE(Pump(2000, [&] { return pPlaylist->GetInsertMark(rcMark); })) << "the mark shows";
    ASSERT_TRUE(MoveTo(POINT{rcItem.left + 50, rcItem.top + 2}));
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(Pump(5000, [hPlaylist] { return ItemCount(hPlaylist) == 7; }));
    source.Kill();
    SetMessageBoxHook(nullptr);
    const wchar_t* order[] = {kLongName, L"drop.mp3", L"one.mp3", L"two.wma", L"one.mp3", L"two.wma", L"short.mp3"};
    for (int i = 0; i < ItemCount(hPlaylist) && i < 7; ++i) EXPECT_EQ(order[i], ItemText(hPlaylist, i)) << i;
    EXPECT_EQ(3, ::SendMessageW(hPlaylist, LVM_GETSELECTEDCOUNT, 0, 0)) << "what went in is selected";
    EXPECT_FALSE(pPlaylist->GetInsertMark(rcMark));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(0u, boxes[0].find(L"Items not added to the playlist: 2.")) << boxes[0];
    // The drop, folder and all, is one step to undo.
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(ID_PLAYLIST_UNDO, 0), 0);
    EXPECT_EQ(4, ItemCount(hPlaylist));

    // The tree's menu on the folder: "Add to playlist" adds it at the end.
    // The menu waits for its choice on this thread, so the key goes first.
    ASSERT_TRUE(MoveTo(POINT{rcAlbum.left + 6, (rcAlbum.top + rcAlbum.bottom) / 2}));
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = 'A';
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, key, sizeof(INPUT));
    ASSERT_TRUE(Pump(3000, [hPlaylist] { return ItemCount(hPlaylist) == 6; }));
    EXPECT_EQ(L"one.mp3", ItemText(hPlaylist, 4));
    EXPECT_EQ(L"two.wma", ItemText(hPlaylist, 5));
}

TEST(DialogDrag, TipDoubleClickAndDropFillThePlaylist)
{
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring resources(exe);
    resources = resources.substr(0, resources.find_last_of(L'\\')) + L"\\..\\..\\bin\\ZKWAPlRs.crl";
    HMODULE hResources = ::LoadLibraryW(resources.c_str());
    ASSERT_NE(nullptr, hResources);
    SetResourceModule(hResources);
    for (const wchar_t* name : {kLongName, L"short.mp3"}) {
        HANDLE h = ::CreateFileW((kRoot + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        ::CloseHandle(h);
    }
    ASSERT_TRUE(MakeFolders(kRoot + L"Album\\Disc 2"));
    ASSERT_TRUE(WriteBytes(kRoot + L"Album\\one.mp3", ""));
    ASSERT_TRUE(WriteBytes(kRoot + L"Album\\notes.txt", ""));
    ASSERT_TRUE(WriteBytes(kRoot + L"Album\\Disc 2\\two.wma", ""));
    CDeviceFields fields;
    ::lstrcpyW(fields.m_szDeviceRoot, kRoot.c_str());
    SetAppDeviceFields(&fields);

    // Drops from other programs need OLE on the dialog's thread.
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    for (const std::wstring& file : {kRoot + L"drop.mp3", kRoot + L"readme.txt", std::wstring(L"M:\\elsewhere.mp3")})
        ASSERT_TRUE(WriteBytes(file, ""));
    CPlaylistDlg dlg;
    g_pDlg = &dlg;
    g_check = Scenario;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, RunCheck);
    dlg.DoModal();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(g_check) << "the scenario ran";

    SetAppDeviceFields(nullptr);
    SetResourceModule(nullptr);
    ::FreeLibrary(hResources);
    for (const wchar_t* name : {kLongName, L"short.mp3"}) ::DeleteFileW((kRoot + name).c_str());
    RemoveTree(kRoot + L"Album");
    for (const std::wstring& file : {kRoot + L"drop.mp3", kRoot + L"readme.txt", std::wstring(L"M:\\elsewhere.mp3")})
        ::DeleteFileW(file.c_str());
    ::OleUninitialize();
}

}
