// The main dialog's buttons and its save workflow, driven the way a user
// works through it, on real controls and a mapped removable drive.
#include "dialog/PlaylistDlg.h"
#include "dialog/PlaylistExistsDlg.h"
#include "framework/App.h"
#include "framework/MessageBox.h"
#include "framework/Strings.h"
#include "handoff/DeviceFields.h"
#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "lists/ListMessages.h"
#include "res/resource_ids.h"
#include "res/wire_names.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <dbt.h>
#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>
#include <vector>

namespace {

using Step = std::function<void(HWND)>;

void Click(HWND hDlg, int id)
{
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, id)));
}

bool Enabled(HWND hDlg, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(hDlg, id)) != FALSE;
}

int ItemCount(HWND hDlg, int id)
{
    return static_cast<int>(::SendDlgItemMessageW(hDlg, id, LVM_GETITEMCOUNT, 0, 0));
}

void SelectItem(HWND hDlg, int listId, int item)
{
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendDlgItemMessageW(hDlg, listId, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                          reinterpret_cast<LPARAM>(&state));
}

// The child of parent (expanded first) that has the given text.
HTREEITEM FindFolder(HWND tree, HTREEITEM parent, const wchar_t* name)
{
    TreeView_Expand(tree, parent, TVE_EXPAND);
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = text;
        tvi.cchTextMax = MAX_PATH;
        TreeView_GetItem(tree, &tvi);
        if (::lstrcmpiW(text, name) == 0) return item;
    }
    return nullptr;
}

// The entries of the playlist as shown, separated by spaces.
std::wstring ShownEntries(HWND hDlg)
{
    HWND list = ::GetDlgItem(hDlg, IDC_PLAYLIST_LIST);
    std::wstring shown;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        wchar_t text[MAX_PATH] = {};
        ListView_GetItemText(list, i, 0, text, MAX_PATH);
        shown += (shown.empty() ? L"" : L" ") + std::wstring(text);
    }
    return shown;
}

std::vector<int> Selected(HWND hDlg, int listId)
{
    std::vector<int> items;
    HWND list = ::GetDlgItem(hDlg, listId);
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(list, i, LVNI_SELECTED))
        items.push_back(i);
    return items;
}

// Real key presses, queued: the keys of chord go down in order and up in
// reverse, after the step has returned to the dialog's loop.
void PressKeys(std::initializer_list<WORD> chord)
{
    std::vector<INPUT> inputs;
    for (bool down : {true, false}) {
        std::vector<WORD> keys(chord);
        if (!down) std::reverse(keys.begin(), keys.end());
        for (WORD vk : keys) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
            input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
            if (vk == VK_UP || vk == VK_DOWN || vk == VK_APPS) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            inputs.push_back(input);
        }
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::wstring LabelAbovePlaylist(HWND hDlg)
{
    return GetWindowTextString(::GetWindow(::GetDlgItem(hDlg, IDC_PLAYLIST_LIST), GW_HWNDPREV));
}

// Selects the child of the tree's root that has the given text.
bool SelectFolder(HWND hDlg, const wchar_t* name)
{
    HWND tree = ::GetDlgItem(hDlg, IDC_FOLDER_TREE);
    HTREEITEM item = FindFolder(tree, TreeView_GetRoot(tree), name);
    return item && TreeView_SelectItem(tree, item);
}

// A top-level window of the test that counts the content-updated broadcast.
class CBroadcastCounter {
public:
    CBroadcastCounter()
    {
        s_message = ::RegisterWindowMessageW(kContentUpdatedMessageName);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TestBroadcastCounter";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        s_count = 0;
    }
    ~CBroadcastCounter() { ::DestroyWindow(m_hWnd); }
    static int s_count;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == s_message && wParam == kContentUpdatedPlaylists && lParam == 0) ++s_count;
        return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }
    static UINT s_message;
    HWND m_hWnd;
};
int CBroadcastCounter::s_count = 0;
UINT CBroadcastCounter::s_message = 0;

// K: is a removable drive of the test prefix that only these tests and the
// start-up tests (never at the same time) use.
const std::wstring kRoot = L"K:\\";
const std::wstring kAlbum = kRoot + L"Album";
const std::wstring kPlaylists = kRoot + L"PLAYLIST";

class DialogWorkflowTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hResources = ::LoadLibraryW((ProgramFolder() + L"\\..\\..\\bin\\ZKWAPlRs.crl").c_str());
        ASSERT_NE(nullptr, s_hResources);
        SetResourceModule(s_hResources);
        g_strMsgCaption = LoadResString(IDS_MSG_CAPTION);
        // The Open dialog is a COM object, as in the program.
        ::CoInitialize(nullptr);
    }
    static void TearDownTestSuite()
    {
        ::CoUninitialize();
        SetResourceModule(nullptr);
        ::FreeLibrary(s_hResources);
    }

    void SetUp() override
    {
        RemoveTree(kAlbum);
        RemoveTree(kPlaylists);
        ::CreateDirectoryW(kAlbum.c_str(), nullptr);
        ::CreateDirectoryW(kPlaylists.c_str(), nullptr);
        for (const wchar_t* name : {L"a.mp3", L"b.mp3", L"c.wma"}) WriteBytes(kAlbum + L"\\" + name, "x");
        ::lstrcpyW(m_fields.m_szDeviceRoot, kRoot.c_str());
        SetAppDeviceFields(&m_fields);
        SetMessageBoxHook([this](HWND, const std::wstring& text, const std::wstring&, UINT type) {
            m_boxes.push_back(text);
            return (type & MB_YESNO) ? m_yesNoAnswer : IDOK;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        SetAppDeviceFields(nullptr);
    }

    // Runs the dialog; each step runs on its own timer tick, so that the
    // messages posted by one step are handled before the next. A step that
    // opens a modal box lets the next step run inside that box's loop.
    INT_PTR Run(CPlaylistDlg& dlg, std::vector<Step> steps)
    {
        s_steps = std::move(steps);
        s_next = 0;
        s_pDlg = &dlg;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 40, OnTimer);
        INT_PTR result = dlg.DoModal();
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(s_steps.size(), s_next) << "the dialog ended before every step ran";
        return result;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_next >= s_steps.size() || !s_pDlg->Hwnd()) return;
        size_t step = s_next++;
        s_steps[step](s_pDlg->Hwnd());
    }

    std::wstring Text(UINT id) const { return LoadResString(id); }

    CDeviceFields m_fields;
    std::vector<std::wstring> m_boxes;
    int m_yesNoAnswer = IDYES;

    static HMODULE s_hResources;
    static std::vector<Step> s_steps;
    static size_t s_next;
    static CPlaylistDlg* s_pDlg;
};

HMODULE DialogWorkflowTest::s_hResources = nullptr;
std::vector<Step> DialogWorkflowTest::s_steps;
size_t DialogWorkflowTest::s_next = 0;
CPlaylistDlg* DialogWorkflowTest::s_pDlg = nullptr;

// Whether the window shows the wait cursor when the mouse moves over it
// (at the hit-test code given).
bool KeepsWaitCursor(HWND hWnd, short hitTest)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ::SendMessageW(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(hitTest, WM_MOUSEMOVE));
    return ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT);
}

// Answers the add-or-replace question once it shows. The save's wait
// cursor stays over the question, its buttons and the window behind it.
Step AnswerExistsDialog(int radioId, int buttonId, int preselectedId = IDC_CHOICE_ADD)
{
    return [=](HWND hDlg) {
        HWND ask = ::FindWindowW(L"#32770", L"Playlist Exists");
        ASSERT_NE(nullptr, ask);
        EXPECT_TRUE(KeepsWaitCursor(ask, HTCLIENT));
        EXPECT_TRUE(KeepsWaitCursor(::GetDlgItem(ask, IDOK), HTCLIENT));
        EXPECT_TRUE(KeepsWaitCursor(hDlg, HTERROR));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(ask, preselectedId)) << "preselected";
        if (radioId) ::CheckRadioButton(ask, IDC_CHOICE_ADD, IDC_CHOICE_REPLACE, radioId);
        Click(ask, buttonId);
    };
}

HWND OpenDialogOver(HWND hDlg)
{
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hDlg && ::GetWindow(hWnd, GW_OWNER) == hDlg && ::IsWindowVisible(hWnd)) return hWnd;
    }
    return nullptr;
}

// Picks a file in the system's Open dialog as a user does: types its name
// (relative to the folder the dialog shows, or a full path) and presses Open
// (at once when pressNow: in a dialog already ended, a posted press is lost).
void TypeNameAndPressOpen(HWND open, const std::wstring& name, bool pressNow = false)
{
    HWND edit = ::FindWindowExW(open, nullptr, L"Edit", nullptr);
    for (HWND combo = nullptr; !edit && (combo = ::FindWindowExW(open, combo, L"ComboBox", nullptr));)
        edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, edit) << "no file name field";
    ::SetWindowTextW(edit, name.c_str());
    const WPARAM press = MAKEWPARAM(IDOK, BN_CLICKED);
    const LPARAM button = reinterpret_cast<LPARAM>(::GetDlgItem(open, IDOK));
    if (pressNow)
        ::SendMessageW(open, WM_COMMAND, press, button);
    else
        ::PostMessageW(open, WM_COMMAND, press, button);
}

Step ChooseInOpenDialog(const std::wstring& name)
{
    return [=](HWND hDlg) {
        HWND open = OpenDialogOver(hDlg);
        ASSERT_NE(nullptr, open) << "no Open dialog";
        TypeNameAndPressOpen(open, name);
    };
}

// Ctrl held while the key is pressed in the window, as the modal loop will
// see it; the next step lets Ctrl go again (ReleaseCtrl).
void PressWithCtrl(HWND target, WPARAM key)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] |= 0x80;
    ::SetKeyboardState(keys);
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
}

void ReleaseCtrl()
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] &= 0x7F;
    ::SetKeyboardState(keys);
}

// The playlist's item texts, as the list shows them.
std::vector<std::wstring> PlaylistTexts(HWND hDlg)
{
    std::vector<std::wstring> texts;
    HWND list = ::GetDlgItem(hDlg, IDC_PLAYLIST_LIST);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        wchar_t text[MAX_PATH] = {};
        ListView_GetItemText(list, i, 0, text, MAX_PATH);
        texts.push_back(text);
    }
    return texts;
}

// The longest horizontal run of pixels of the colour in a row of the list,
// as the list paints it: a struck-through text has one as long as the line.
int LongestRunInRow(HWND list, int row, COLORREF colour)
{
    RECT client = {}, item = {};
    ::GetClientRect(list, &client);
    ListView_GetItemRect(list, row, &item, LVIR_BOUNDS);
    HDC screen = ::GetDC(list);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    int longest = 0;
    for (int y = item.top; y < item.bottom; ++y) {
        int run = 0;
        for (int x = 0; x < client.right; ++x) {
            run = ::GetPixel(memory, x, y) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(list, screen);
    return longest;
}

std::string UpperShortPathBelowRoot(const std::wstring& path)
{
    wchar_t shortPath[MAX_PATH] = {};
    ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    std::string line;
    for (const wchar_t* p = shortPath + 2; *p; ++p) line += static_cast<char>(::towupper(*p));
    return line;
}

// A playlist as people and other programs write them: a short upper-case
// line, long lower-case lines, a line relative to the playlist with forward
// slashes, a file that is gone, a network line and a binary line.
struct CHandWrittenPlaylist {
    std::wstring path = kPlaylists + L"\\Mixed.m3u";
    std::wstring longSong = kRoot + L"Long Folder Name\\Some Long Song Title.mp3";
    CHandWrittenPlaylist()
    {
        ::CreateDirectoryW((kRoot + L"Long Folder Name").c_str(), nullptr);
        WriteBytes(longSong, "x");
        WriteBytes(path, "#EXTM3U\r\n" + UpperShortPathBelowRoot(longSong) +
                             "\r\n\\album\\b.mp3\r\n../Album/c.wma\n\\ALBUM\\GONE.MP3\r\n"
                             "\\\\SERVER\\SHARE\\X.MP3\r\n\\album\\a.mp3\r\n\x01\x02\xFF\xFE\x7F\x10\r\n");
    }
    ~CHandWrittenPlaylist() { RemoveTree(kRoot + L"Long Folder Name"); }
};

// The resource module fixes only the first radio button's id; the choice is
// the checked button's place in the group, as another module may number the
// second button differently.
TEST(PlaylistExistsRadios, ChoiceIsTheButtonsPlaceInItsGroup)
{
    HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    auto add = [host](const wchar_t* cls, DWORD style, int id) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 10, 10, host,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    HWND first = add(L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, IDC_CHOICE_ADD);
    add(L"STATIC", 0, 1039);
    HWND second = add(L"BUTTON", BS_AUTORADIOBUTTON, 1040);
    add(L"BUTTON", BS_PUSHBUTTON | WS_GROUP, IDOK);
    HWND outside = add(L"BUTTON", BS_AUTORADIOBUTTON, 1041);
    ::SendMessageW(outside, BM_SETCHECK, BST_CHECKED, 0);

    EXPECT_EQ(-1, CheckedRadioIndex(first));
    CheckRadioIndex(first, 1);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(first, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(second, BM_GETCHECK, 0, 0));
    EXPECT_EQ(1, CheckedRadioIndex(first));
    CheckRadioIndex(first, 0);
    EXPECT_EQ(0, CheckedRadioIndex(first));
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(outside, BM_GETCHECK, 0, 0)) << "another group is left alone";
    ::DestroyWindow(host);
}

TEST_F(DialogWorkflowTest, ButtonsFollowTheListsAndSavingStartsAnotherPlaylist)
{
    CBroadcastCounter broadcasts;
    CPlaylistDlg dlg;
    INT_PTR result = Run(dlg, {
        [](HWND hDlg) { ASSERT_TRUE(SelectFolder(hDlg, L"Album")); },
        [](HWND hDlg) {
            EXPECT_EQ(3, ItemCount(hDlg, IDC_SOURCE_LIST));
            EXPECT_TRUE(Enabled(hDlg, IDC_ADD_ALL));
            for (int id : {IDC_ADD_SELECTED, IDC_REMOVE_SELECTED, IDC_REMOVE_ALL, IDC_MOVE_UP, IDC_MOVE_DOWN})
                EXPECT_FALSE(Enabled(hDlg, id)) << id;
            SelectItem(hDlg, IDC_SOURCE_LIST, 1);
        },
        [](HWND hDlg) {
            EXPECT_TRUE(Enabled(hDlg, IDC_ADD_SELECTED));
            Click(hDlg, IDC_ADD_ALL);
            Click(hDlg, IDC_ADD_SELECTED);
        },
        [this](HWND hDlg) {
            EXPECT_EQ(4, ItemCount(hDlg, IDC_PLAYLIST_LIST));
            for (int id : {IDC_REMOVE_SELECTED, IDC_REMOVE_ALL, IDC_MOVE_UP, IDC_MOVE_DOWN})
                EXPECT_TRUE(Enabled(hDlg, id)) << id;
            EXPECT_EQ(L"Playlist 1", GetWindowTextString(::GetDlgItem(hDlg, IDC_PLAYLIST_NAME)));
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"Road Trip");
            m_yesNoAnswer = IDYES;
            Click(hDlg, IDC_SAVE);
        },
        [this](HWND hDlg) {
            EXPECT_EQ((std::vector<std::wstring>{Text(IDS_SAVED_ANOTHER)}), m_boxes);
            EXPECT_EQ("\\ALBUM\\A.MP3\r\n\\ALBUM\\B.MP3\r\n\\ALBUM\\C.WMA\r\n\\ALBUM\\B.MP3\r\n",
                      ReadBytes(kPlaylists + L"\\Road Trip.m3u"));
            EXPECT_EQ(1, CBroadcastCounter::s_count);
            // Yes starts a fresh playlist.
            EXPECT_EQ(0, ItemCount(hDlg, IDC_PLAYLIST_LIST));
            EXPECT_EQ(L"Playlist 1", GetWindowTextString(::GetDlgItem(hDlg, IDC_PLAYLIST_NAME)));
            EXPECT_EQ(::GetDlgItem(hDlg, IDC_ADD_SELECTED), ::GetFocus());
            Click(hDlg, IDC_ADD_ALL);
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"road trip.M3U");
            m_yesNoAnswer = IDNO;
            Click(hDlg, IDC_SAVE);   // opens the add-or-replace question
        },
        AnswerExistsDialog(IDC_CHOICE_REPLACE, IDOK),
    });
    // No to another playlist closes the window.
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("\\ALBUM\\A.MP3\r\n\\ALBUM\\B.MP3\r\n\\ALBUM\\C.WMA\r\n", ReadBytes(kPlaylists + L"\\Road Trip.m3u"));
}

// The existing file's line that names a network share is not an entry;
// dropped paths the code page cannot hold are left out, and one box says
// how many of each. The file is UTF-8 without a mark: "\xC3\x81" is one
// letter, not two bytes of code page 1252 of which one is undefined.
TEST_F(DialogWorkflowTest, AddingToAReadOnlyPlaylistKeepsItsEntriesAndAttributes)
{
    std::wstring old = kPlaylists + L"\\Old.m3u";
    WriteBytes(old, "#EXTM3U\r\n\\ALBUM\\B.MP3\r\n\\\\SERVER\\SHARE\\X.MP3\r\n\\\xC3\x81NGEL.MP3\r\n");
    ::SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_READONLY);
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) { ASSERT_TRUE(SelectFolder(hDlg, L"Album")); },
        [](HWND hDlg) {
            SelectItem(hDlg, IDC_SOURCE_LIST, 0);
            Click(hDlg, IDC_ADD_SELECTED);
            PointerHandOff().DraggedPaths() = {kAlbum + L"\\\u65e5\u672c.mp3", kAlbum + L"\\\u03a9.mp3"};
            ::PostMessageW(hDlg, WM_DROP_ON_PLAYLIST, 1, 0);
        },
        [](HWND hDlg) {
            EXPECT_EQ(3, ItemCount(hDlg, IDC_PLAYLIST_LIST));
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"Old");
            Click(hDlg, IDC_SAVE);
        },
        AnswerExistsDialog(0, IDOK),
        [](HWND hDlg) {
            EXPECT_FALSE(KeepsWaitCursor(hDlg, HTCLIENT)) << "the save is over";
            Click(hDlg, IDC_CLOSE);
        },
    });
    EXPECT_EQ((std::vector<std::wstring>{FormatIntText(Text(IDS_ENTRIES_LEFT_OUT), 2) + L"\n\n" +
                                             FormatIntText(Text(IDS_LINES_LEFT_OUT), 1),
                                         Text(IDS_SAVED_ANOTHER)}),
              m_boxes);
    EXPECT_EQ("\\ALBUM\\B.MP3\r\n\\\xC1NGEL.MP3\r\n\\ALBUM\\A.MP3\r\n", ReadBytes(old));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              ::GetFileAttributesW(old.c_str()) & FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DialogWorkflowTest, RefusalsExplainThemselvesAndChangeNothing)
{
    std::wstring existing = kPlaylists + L"\\Keep.m3u";
    WriteBytes(existing, "\\ALBUM\\C.WMA\r\n");
    std::wstring atRoot = kRoot + L".m3u";
    ::DeleteFileW(atRoot.c_str());
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) {
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"");
            Click(hDlg, IDC_SAVE);
            EXPECT_EQ(::GetDlgItem(hDlg, IDC_PLAYLIST_NAME), ::GetFocus());
            Click(hDlg, IDC_MOVE_UP);
            Click(hDlg, IDC_REMOVE_ALL);
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"Keep");
            Click(hDlg, IDC_SAVE);
        },
        AnswerExistsDialog(IDC_CHOICE_REPLACE, IDCANCEL),
        [](HWND hDlg) {
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"..\\Escape");
            Click(hDlg, IDC_SAVE);
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"..");
            Click(hDlg, IDC_SAVE);
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"   ");
            Click(hDlg, IDC_SAVE);
            EXPECT_EQ(::GetDlgItem(hDlg, IDC_PLAYLIST_NAME), ::GetFocus());
            // A player without its PLAYLIST folder is told just that.
            const std::wstring away = kRoot + L"Moved away";
            RemoveTree(away);
            ASSERT_TRUE(::MoveFileW(kPlaylists.c_str(), away.c_str()));
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"Keep");
            Click(hDlg, IDC_SAVE);
            ASSERT_TRUE(::MoveFileW(away.c_str(), kPlaylists.c_str()));
            Click(hDlg, IDC_CLOSE);
        },
    });
    // Refused names have a text of their own, not the one for a failed write.
    EXPECT_EQ((std::vector<std::wstring>{Text(IDS_EMPTY_NAME), Text(IDS_MOVE_NO_SELECTION),
                                         Text(IDS_NOTHING_TO_REMOVE), Text(IDS_INVALID_NAME),
                                         Text(IDS_INVALID_NAME), Text(IDS_EMPTY_NAME),
                                         Text(IDS_NO_PLAYLIST_FOLDER)}),
              m_boxes);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((kPlaylists + L"\\   .m3u").c_str()));
    EXPECT_EQ("\\ALBUM\\C.WMA\r\n", ReadBytes(existing));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((kRoot + L"Escape.m3u").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(atRoot.c_str()));
}

// A close request (the companion sends one before it syncs or ejects the
// player) or the drive's removal while the add-or-replace question or the
// Open dialog is up: it ends as Cancel at once, an OK that races it saves or
// opens nothing either, no box follows, and the window closes.
TEST_F(DialogWorkflowTest, CloseRequestOrRemovalDuringTheQuestionSavesNothing)
{
    CHandWrittenPlaylist playlist;
    DEV_BROADCAST_VOLUME removal = {sizeof(DEV_BROADCAST_VOLUME), DBT_DEVTYP_VOLUME, 0, 1u << (kRoot[0] - L'A'), 0};
    const std::function<void(HWND)> closes[] = {
        [](HWND hDlg) { ::SendMessageW(hDlg, ::RegisterWindowMessageW(kShareMessageName), kShareCloseRequest, 0); },
        [&](HWND hDlg) {
            ::SendMessageW(hDlg, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&removal));
        },
    };
    const std::wstring existing = kPlaylists + L"\\Keep.m3u";
    WriteBytes(existing, "\\ALBUM\\C.WMA\r\n");
    for (const auto& close : closes) {
        CPlaylistDlg dlg;
        INT_PTR result = Run(dlg, {
            [](HWND hDlg) { ASSERT_TRUE(SelectFolder(hDlg, L"Album")); },
            [](HWND hDlg) {
                Click(hDlg, IDC_ADD_ALL);
                ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"Keep");
                Click(hDlg, IDC_SAVE);
            },
            [&](HWND hDlg) {
                HWND ask = ::FindWindowW(L"#32770", L"Playlist Exists");
                ASSERT_NE(nullptr, ask);
                close(hDlg);
                EXPECT_FALSE(::IsWindowVisible(ask)) << "the question is still open";
                Click(ask, IDOK);
            },
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(std::vector<std::wstring>(), m_boxes);
        EXPECT_EQ("\\ALBUM\\C.WMA\r\n", ReadBytes(existing));
    }
    for (const auto& close : closes) {
        CPlaylistDlg dlg;
        INT_PTR result = Run(dlg, {
            [](HWND hDlg) { Click(hDlg, IDC_OPEN); },
            [&](HWND hDlg) {
                HWND open = OpenDialogOver(hDlg);
                ASSERT_NE(nullptr, open) << "no Open dialog";
                close(hDlg);
                EXPECT_FALSE(::IsWindowVisible(open)) << "the Open dialog is still up";
                TypeNameAndPressOpen(open, L"Mixed.m3u", true);
            },
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(std::vector<std::wstring>(), m_boxes) << "the playlist with missing entries was opened";
    }
}

// However the tree's selection moves, the caption and the source list show
// the selected folder: a collapse above it moves it to the collapsed folder.
TEST_F(DialogWorkflowTest, FileListFollowsTheTreesSelection)
{
    ::CreateDirectoryW((kAlbum + L"\\Disc 2").c_str(), nullptr);
    WriteBytes(kAlbum + L"\\Disc 2\\d.mp3", "x");
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) {
            HWND tree = ::GetDlgItem(hDlg, IDC_FOLDER_TREE);
            HTREEITEM disc = FindFolder(tree, FindFolder(tree, TreeView_GetRoot(tree), L"Album"), L"Disc 2");
            ASSERT_NE(nullptr, disc);
            TreeView_SelectItem(tree, disc);
            EXPECT_EQ(1, ItemCount(hDlg, IDC_SOURCE_LIST));
            EXPECT_EQ(kAlbum + L"\\Disc 2", GetWindowTextString(::GetDlgItem(hDlg, IDC_FOLDER_CAPTION)));
            TreeView_Expand(tree, TreeView_GetParent(tree, disc), TVE_COLLAPSE);
        },
        [](HWND hDlg) {
            HWND tree = ::GetDlgItem(hDlg, IDC_FOLDER_TREE);
            HTREEITEM album = FindFolder(tree, TreeView_GetRoot(tree), L"Album");
            EXPECT_EQ(album, TreeView_GetSelection(tree));
            EXPECT_EQ(kAlbum, GetWindowTextString(::GetDlgItem(hDlg, IDC_FOLDER_CAPTION)));
            EXPECT_EQ(3, ItemCount(hDlg, IDC_SOURCE_LIST));
            Click(hDlg, IDC_CLOSE);
        },
    });
}

// Each list's column is as wide as what shows of the list, with the
// vertical scroll bar or without: no horizontal scroll bar cuts the names.
void ExpectColumnsFit(HWND hDlg, const char* when)
{
    for (int id : {IDC_SOURCE_LIST, IDC_PLAYLIST_LIST}) {
        HWND list = ::GetDlgItem(hDlg, id);
        RECT client = {};
        ::GetClientRect(list, &client);
        EXPECT_EQ(client.right, ListView_GetColumnWidth(list, 0)) << when << ", list " << id;
        EXPECT_FALSE(::GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) << when << ", list " << id;
    }
}

bool HasVerticalScrollBar(HWND hDlg, int id)
{
    return (::GetWindowLongW(::GetDlgItem(hDlg, id), GWL_STYLE) & WS_VSCROLL) != 0;
}

// The window's client area as the screen shows it.
std::vector<DWORD> ScreenPixels(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rc.right - rc.left;
    info.bmiHeader.biHeight = rc.top - rc.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateDIBSection(hMem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, rc.right - rc.left, rc.bottom - rc.top, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + (rc.right - rc.left) * (rc.bottom - rc.top));
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return pixels;
}

// Paints what waits to be painted and lets it reach the screen; the steps'
// timer stays in the queue.
void LetPaintingSettle(HWND hDlg)
{
    for (int i = 0; i < 20; ++i) {
        ::RedrawWindow(hDlg, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               ::PeekMessageW(&m, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        ::Sleep(15);
    }
}

// After a layout the window shows what a full repaint of it and of all its
// controls shows: nothing uncovered or moved is left unpainted.
void ExpectDrawnCompletely(HWND hDlg, const char* when)
{
    // Neither a hot control nor the tip under the pointer, nor a caret.
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ::SetFocus(::GetDlgItem(hDlg, IDC_FOLDER_TREE));
    LetPaintingSettle(hDlg);
    const std::vector<DWORD> shown = ScreenPixels(hDlg);
    ::RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    LetPaintingSettle(hDlg);
    const std::vector<DWORD> repainted = ScreenPixels(hDlg);
    ASSERT_EQ(shown.size(), repainted.size()) << when;
    size_t differ = 0;
    for (size_t i = 0; i < shown.size(); ++i) differ += shown[i] != repainted[i];
    EXPECT_EQ(0u, differ) << "pixels left unpainted " << when;
}

// The window grows, never below its template's size: the tree and the lists
// take the extra room, the buttons keep their places beside them, and the
// columns follow the lists and their scroll bars. Each layout is drawn whole.
TEST_F(DialogWorkflowTest, WindowGrowsWithItsListsAndColumns)
{
    const std::wstring many = kRoot + L"Many";
    RemoveTree(many);
    ::CreateDirectoryW(many.c_str(), nullptr);
    PointerHandOff().DraggedPaths().clear();
    for (int i = 0; i < 60; ++i) {
        std::wstring file = many + L"\\" + std::to_wstring(i) + L" a name long enough to need an ellipsis.mp3";
        WriteBytes(file, "x");
        PointerHandOff().DraggedPaths().push_back(file);
    }
    const int ids[] = {IDC_FOLDER_TREE, IDC_SOURCE_LIST, IDC_PLAYLIST_LIST, IDC_FOLDER_CAPTION, IDC_ADD_SELECTED,
                       IDC_MOVE_UP, IDC_REMOVE_ALL, IDC_PLAYLIST_NAME, IDC_SAVE, IDC_CLOSE, IDC_OPEN};
    std::vector<RECT> before;
    RECT window = {};
    int dx = 0, dy = 0;
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) {
            const LONG style = ::GetWindowLongW(hDlg, GWL_STYLE);
            EXPECT_TRUE((style & WS_THICKFRAME) && (style & WS_MAXIMIZEBOX));
            RECT client = {}, dialogUnits = {0, 0, 540, 274};
            ::GetClientRect(hDlg, &client);
            ::MapDialogRect(hDlg, &dialogUnits);
            EXPECT_TRUE(::EqualRect(&dialogUnits, &client)) << "the client area is the template's";
            EXPECT_FALSE(HasVerticalScrollBar(hDlg, IDC_SOURCE_LIST));
            ExpectColumnsFit(hDlg, "empty");
            ASSERT_TRUE(SelectFolder(hDlg, L"Many"));
            ::SendMessageW(hDlg, WM_DROP_ON_PLAYLIST, 0, 0);
        },
        [&](HWND hDlg) {
            EXPECT_TRUE(HasVerticalScrollBar(hDlg, IDC_SOURCE_LIST));
            EXPECT_TRUE(HasVerticalScrollBar(hDlg, IDC_PLAYLIST_LIST));
            ExpectColumnsFit(hDlg, "full");
            for (int id : ids) before.push_back(ControlRect(hDlg, id));
            ::GetWindowRect(hDlg, &window);
            // Within the screen, which a window does not outgrow.
            dx = std::min(300, static_cast<int>(::GetSystemMetrics(SM_CXSCREEN) - window.right + window.left) / 2);
            dy = std::min(120, static_cast<int>(::GetSystemMetrics(SM_CYSCREEN) - window.bottom + window.top) / 2);
            ASSERT_GT(dx, 20);
            ASSERT_GT(dy, 20);
            ::SetWindowPos(hDlg, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                           SWP_NOMOVE | SWP_NOZORDER);
            std::vector<RECT> after;
            for (int id : ids) after.push_back(ControlRect(hDlg, id));
            auto grew = [&](size_t i, int left, int right, int top, int bottom) {
                EXPECT_EQ(before[i].left + left, after[i].left) << ids[i];
                EXPECT_EQ(before[i].right + right, after[i].right) << ids[i];
                EXPECT_EQ(before[i].top + top, after[i].top) << ids[i];
                EXPECT_EQ(before[i].bottom + bottom, after[i].bottom) << ids[i];
            };
            // The three share the extra width; each takes some of it.
            const int treeGrowth = after[0].right - before[0].right;
            const int sourceRight = after[1].right - before[1].right;
            EXPECT_GT(treeGrowth, 0);
            EXPECT_GT(sourceRight, treeGrowth);
            EXPECT_LT(sourceRight, dx);
            grew(0, 0, treeGrowth, 0, dy);
            grew(1, treeGrowth, sourceRight, 0, dy);
            grew(2, sourceRight, dx, 0, dy);
            grew(3, treeGrowth, sourceRight, 0, 0);
            grew(4, sourceRight, sourceRight, dy / 2, dy / 2);
            grew(5, dx, dx, 0, 0);
            grew(6, dx, dx, 0, 0);
            grew(7, treeGrowth, dx, dy, dy);
            grew(8, dx, dx, dy, dy);
            grew(9, dx, dx, dy, dy);
            grew(10, dx, dx, 0, 0);
            ExpectColumnsFit(hDlg, "grown");
            ExpectDrawnCompletely(hDlg, "after growing");
            ::ShowWindow(hDlg, SW_MAXIMIZE);
            ExpectDrawnCompletely(hDlg, "maximised");
            ::ShowWindow(hDlg, SW_RESTORE);
            ExpectDrawnCompletely(hDlg, "restored");
            // Smaller than the template it does not go.
            ::SetWindowPos(hDlg, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
            RECT smallest = {};
            ::GetWindowRect(hDlg, &smallest);
            EXPECT_EQ(window.right - window.left, smallest.right - smallest.left);
            EXPECT_EQ(window.bottom - window.top, smallest.bottom - smallest.top);
            for (size_t i = 0; i < before.size(); ++i) {
                RECT now = ControlRect(hDlg, ids[i]);
                EXPECT_TRUE(::EqualRect(&before[i], &now)) << ids[i];
            }
            // Minimised and restored, it comes back at the size it had.
            ::ShowWindow(hDlg, SW_MINIMIZE);
            ::ShowWindow(hDlg, SW_RESTORE);
            RECT restored = {};
            ::GetWindowRect(hDlg, &restored);
            EXPECT_EQ(smallest.right - smallest.left, restored.right - restored.left);
            EXPECT_EQ(smallest.bottom - smallest.top, restored.bottom - restored.top);
            Click(hDlg, IDC_REMOVE_ALL);
        },
        [this](HWND hDlg) {
            EXPECT_FALSE(HasVerticalScrollBar(hDlg, IDC_PLAYLIST_LIST));
            ExpectColumnsFit(hDlg, "emptied");
            m_yesNoAnswer = IDYES;
            Click(hDlg, IDC_CLOSE);
        },
    });
    RemoveTree(many);
}

// A playlist of the player opened, shown by long names with what no longer
// plays marked, cleaned up, reordered and saved back over itself.
TEST_F(DialogWorkflowTest, OpeningAPlaylistShowsWhatIsMissingAndSavesItBack)
{
    CHandWrittenPlaylist playlist;
    const std::wstring missingMark = L"GONE.MP3 (missing)";
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) {
            EXPECT_NE(nullptr, ::GetDlgItem(hDlg, IDC_OPEN));
            Click(hDlg, IDC_OPEN);
        },
        ChooseInOpenDialog(L"Mixed.m3u"),
        [&](HWND hDlg) {
            EXPECT_EQ((std::vector<std::wstring>{L"Some Long Song Title.mp3", L"b.mp3", L"c.wma", missingMark,
                                                 L"a.mp3"}),
                      PlaylistTexts(hDlg));
            EXPECT_EQ((std::vector<std::wstring>{FormatIntText(Text(IDS_OPENED_MISSING), 1) + L"\n\n" +
                                                 FormatIntText(Text(IDS_OPENED_UNREADABLE), 2)}),
                      m_boxes);
            EXPECT_EQ(L"Mixed", GetWindowTextString(::GetDlgItem(hDlg, IDC_PLAYLIST_NAME)));
            // Grey, and struck through: a line of grey longer than any letter.
            HWND list = ::GetDlgItem(hDlg, IDC_PLAYLIST_LIST);
            EXPECT_GT(LongestRunInRow(list, 3, ::GetSysColor(COLOR_GRAYTEXT)), 40);
            EXPECT_EQ(0, LongestRunInRow(list, 4, ::GetSysColor(COLOR_GRAYTEXT)));
            m_boxes.clear();
            // The menu key over the playlist opens its context menu.
            ::SetFocus(list);
            ::PostMessageW(hDlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
        },
        [](HWND) {
            HWND menu = ::FindWindowW(L"#32768", nullptr);
            ASSERT_NE(nullptr, menu) << "no context menu";
            ::PostMessageW(menu, WM_CHAR, L'e', 0);   // Remove missing &entries
        },
        [&](HWND hDlg) {
            const std::vector<std::wstring> cleaned = {L"Some Long Song Title.mp3", L"b.mp3", L"c.wma", L"a.mp3"};
            EXPECT_EQ(cleaned, PlaylistTexts(hDlg));
            // One edit: one undo brings every missing entry back, marked.
            ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(ID_PLAYLIST_UNDO, 0), 0);
            EXPECT_EQ(missingMark, PlaylistTexts(hDlg).at(3));
            ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(ID_PLAYLIST_REDO, 0), 0);
            EXPECT_EQ(cleaned, PlaylistTexts(hDlg));
            SelectItem(hDlg, IDC_PLAYLIST_LIST, 0);
            Click(hDlg, IDC_MOVE_DOWN);
            m_yesNoAnswer = IDNO;
            Click(hDlg, IDC_SAVE);
        },
        AnswerExistsDialog(0, IDOK, IDC_CHOICE_REPLACE),
    });
    EXPECT_EQ((std::vector<std::wstring>{Text(IDS_SAVED_ANOTHER)}), m_boxes);
    EXPECT_EQ("\\ALBUM\\B.MP3\r\n" + UpperShortPathBelowRoot(playlist.longSong) +
                  "\r\n\\ALBUM\\C.WMA\r\n\\ALBUM\\A.MP3\r\n",
              ReadBytes(playlist.path));
}

// Opening asks about unsaved entries as closing does and takes only the
// player's playlists. An opened playlist counts as saved: closing asks once
// it differs from the file, and saving it leaves the missing entries out.
TEST_F(DialogWorkflowTest, AnOpenedPlaylistAsksOnlyOnceItDiffersFromItsFile)
{
    CHandWrittenPlaylist playlist;
    const std::wstring otherDrive = ProgramFolder() + L"\\Elsewhere.m3u";
    WriteBytes(otherDrive, "\\ALBUM\\A.MP3\r\n");
    CPlaylistDlg dlg;
    INT_PTR result = Run(dlg, {
        [](HWND hDlg) { ASSERT_TRUE(SelectFolder(hDlg, L"Album")); },
        [this](HWND hDlg) {
            Click(hDlg, IDC_ADD_ALL);
            m_yesNoAnswer = IDNO;
            Click(hDlg, IDC_OPEN);
            m_yesNoAnswer = IDYES;
            Click(hDlg, IDC_OPEN);
        },
        ChooseInOpenDialog(otherDrive),
        [this](HWND hDlg) {
            EXPECT_EQ((std::vector<std::wstring>{Text(IDS_OPEN_UNSAVED), Text(IDS_OPEN_UNSAVED),
                                                 Text(IDS_OPEN_OTHER_DRIVE)}),
                      m_boxes);
            EXPECT_EQ(3, ItemCount(hDlg, IDC_PLAYLIST_LIST));
            Click(hDlg, IDC_OPEN);
        },
        ChooseInOpenDialog(L"Mixed.m3u"),
        [this](HWND hDlg) {
            EXPECT_EQ(5, ItemCount(hDlg, IDC_PLAYLIST_LIST));
            m_boxes.clear();
            Click(hDlg, IDC_SAVE);
        },
        AnswerExistsDialog(0, IDOK, IDC_CHOICE_REPLACE),
        [&](HWND hDlg) {
            EXPECT_EQ((std::vector<std::wstring>{FormatIntText(Text(IDS_ENTRIES_LEFT_OUT), 1),
                                                 Text(IDS_SAVED_ANOTHER)}),
                      m_boxes);
            EXPECT_EQ(UpperShortPathBelowRoot(playlist.longSong) + "\r\n\\ALBUM\\B.MP3\r\n\\ALBUM\\C.WMA\r\n"
                                                                   "\\ALBUM\\A.MP3\r\n",
                      ReadBytes(playlist.path));
            m_boxes.clear();
            // A module without the button: Ctrl+O still opens.
            ::DestroyWindow(::GetDlgItem(hDlg, IDC_OPEN));
            PressWithCtrl(::GetDlgItem(hDlg, IDC_PLAYLIST_LIST), 'O');
        },
        [](HWND) { ReleaseCtrl(); },
        ChooseInOpenDialog(L"Mixed.m3u"),
        [this](HWND hDlg) {
            SelectItem(hDlg, IDC_PLAYLIST_LIST, 1);
            Click(hDlg, IDC_MOVE_UP);
            m_yesNoAnswer = IDNO;
            Click(hDlg, IDC_CLOSE);
            ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(ID_PLAYLIST_UNDO, 0), 0);
            Click(hDlg, IDC_CLOSE);
        },
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ((std::vector<std::wstring>{Text(IDS_CLOSE_UNSAVED)}), m_boxes) << "undone to as opened, it closes at once";
    ::DeleteFileW(otherDrive.c_str());
}

// Every way a user closes the window asks while the playlist would be lost:
// the Close button, Escape and the close box (Alt+F4 and the system menu
// send the same command). No keeps the window and the playlist.
TEST_F(DialogWorkflowTest, ClosingAnUnsavedPlaylistAsksFirst)
{
    CPlaylistDlg dlg;
    // Escape and the close box reach the dialog through its modal loop.
    auto closeThreeWaysAndSayNo = [this](HWND hDlg) {
        m_yesNoAnswer = IDNO;
        Click(hDlg, IDC_CLOSE);
        ::PostMessageW(::GetDlgItem(hDlg, IDC_PLAYLIST_NAME), WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    INT_PTR result = Run(dlg, {
        [](HWND hDlg) { ASSERT_TRUE(SelectFolder(hDlg, L"Album")); },
        [](HWND hDlg) { Click(hDlg, IDC_ADD_ALL); },
        [this](HWND hDlg) {
            m_yesNoAnswer = IDYES;
            ::SetDlgItemTextW(hDlg, IDC_PLAYLIST_NAME, L"Earlier");
            Click(hDlg, IDC_SAVE);
        },
        // The new playlist after a save holds the saved one's entries, but
        // it has never been saved itself.
        [this](HWND hDlg) {
            EXPECT_EQ((std::vector<std::wstring>{Text(IDS_SAVED_ANOTHER)}), m_boxes);
            m_boxes.clear();
            Click(hDlg, IDC_ADD_ALL);
        },
        closeThreeWaysAndSayNo,
        [this](HWND hDlg) {
            EXPECT_EQ(std::vector<std::wstring>(3, Text(IDS_CLOSE_UNSAVED)), m_boxes);
            EXPECT_EQ(3, ItemCount(hDlg, IDC_PLAYLIST_LIST));
            m_boxes.clear();
            // Fewer entries are still a playlist that was never saved.
            SelectItem(hDlg, IDC_PLAYLIST_LIST, 0);
            Click(hDlg, IDC_REMOVE_SELECTED);
        },
        closeThreeWaysAndSayNo,
        [this](HWND hDlg) {
            EXPECT_EQ(3u, m_boxes.size());
            m_boxes.clear();
            m_yesNoAnswer = IDYES;
            Click(hDlg, IDC_CLOSE);
        },
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ((std::vector<std::wstring>{Text(IDS_CLOSE_UNSAVED)}), m_boxes);
}

// The keyboard alone builds and orders a playlist: select all and add with
// Enter, move with Alt+Down, undo and redo, and a command from the context
// menu that Shift+F10 opens. The label above the playlist counts the entries.
TEST_F(DialogWorkflowTest, KeyboardAndContextMenuEditThePlaylist)
{
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) {
            EXPECT_EQ(L"&Playlist (0 entries):", LabelAbovePlaylist(hDlg));
            ASSERT_TRUE(SelectFolder(hDlg, L"Album"));
            ::SetForegroundWindow(hDlg);
            ::SetFocus(::GetDlgItem(hDlg, IDC_SOURCE_LIST));
            PressKeys({VK_CONTROL, 'A'});
            PressKeys({VK_RETURN});
        },
        [](HWND hDlg) {
            EXPECT_EQ((std::vector<int>{0, 1, 2}), Selected(hDlg, IDC_SOURCE_LIST));
            EXPECT_EQ(L"a.mp3 b.mp3 c.wma", ShownEntries(hDlg)) << "Enter added, and pressed no button";
            EXPECT_EQ(L"&Playlist (3 entries):", LabelAbovePlaylist(hDlg));
            ::SetFocus(::GetDlgItem(hDlg, IDC_PLAYLIST_LIST));
            PressKeys({VK_MENU, VK_DOWN});
        },
        [](HWND hDlg) {
            EXPECT_EQ(L"b.mp3 a.mp3 c.wma", ShownEntries(hDlg));
            EXPECT_EQ(std::vector<int>{1}, Selected(hDlg, IDC_PLAYLIST_LIST));
            PressKeys({VK_CONTROL, 'Z'});
        },
        [](HWND hDlg) {
            EXPECT_EQ(L"a.mp3 b.mp3 c.wma", ShownEntries(hDlg));
            EXPECT_EQ(std::vector<int>{0}, Selected(hDlg, IDC_PLAYLIST_LIST));
            PressKeys({VK_CONTROL, 'Y'});
        },
        [](HWND hDlg) {
            EXPECT_EQ(L"b.mp3 a.mp3 c.wma", ShownEntries(hDlg));
            // The menu opens at the selection; V is Reverse Order there.
            PressKeys({VK_SHIFT, VK_F10});
            PressKeys({'V'});
        },
        [this](HWND hDlg) {
            EXPECT_EQ(L"c.wma a.mp3 b.mp3", ShownEntries(hDlg));
            EXPECT_EQ(std::vector<int>{1}, Selected(hDlg, IDC_PLAYLIST_LIST)) << "the selection follows";
            EXPECT_TRUE(m_boxes.empty());
            m_yesNoAnswer = IDYES;
            Click(hDlg, IDC_CLOSE);
        },
    });
}

TEST_F(DialogWorkflowTest, DefaultNameIsTheFirstThatIsFree)
{
    WriteBytes(kPlaylists + L"\\Playlist 1.m3u", "");
    WriteBytes(kPlaylists + L"\\Playlist 2.m3u", "");
    CPlaylistDlg dlg;
    Run(dlg, {
        [](HWND hDlg) {
            HWND name = ::GetDlgItem(hDlg, IDC_PLAYLIST_NAME);
            EXPECT_EQ(L"Playlist 3", GetWindowTextString(name));
            EXPECT_EQ(name, ::GetFocus());
            DWORD start = 0, end = 0;
            ::SendMessageW(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(0u, start);
            EXPECT_EQ(10u, end);
            Click(hDlg, IDC_CLOSE);
        },
    });
}

}  // namespace
