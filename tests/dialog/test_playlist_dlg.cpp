// The main dialog in the test's own process, with the real resource module.
#include "dialog/PlatformVersion.h"
#include "dialog/PlaylistDlg.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "handoff/DeviceFields.h"
#include "framework/MessageBox.h"
#include "handoff/HandOff.h"
#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "lists/ListMessages.h"
#include "res/builtin_texts.h"
#include "res/resource_ids.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <dbt.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <functional>

namespace {

class PlaylistDlgTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_hResources = ::LoadLibraryW((ProgramFolder() + L"\\..\\..\\bin\\ZKWAPlRs.crl").c_str());
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
        ::CreateDirectoryW(L"E:\\Music", nullptr);
        ::lstrcpyW(m_fields.m_szDeviceRoot, L"E:\\");
        SetAppDeviceFields(&m_fields);
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        SetAppDeviceFields(nullptr);
    }

    // The playlist gets an entry that was never saved (as a drop would give
    // it), and any box shown from then on is counted.
    void FillPlaylistAndCountBoxes(HWND hDlg)
    {
        PointerHandOff().DraggedPaths() = {L"E:\\Music\\unsaved.mp3"};
        ::SendMessageW(hDlg, WM_DROP_ON_PLAYLIST, 0, 0);
        m_boxes = 0;
        SetMessageBoxHook([this](HWND, const std::wstring&, const std::wstring&, UINT) {
            ++m_boxes;
            return IDYES;
        });
    }

    // Runs the dialog and calls check once its modal loop runs; check ends it.
    INT_PTR RunWith(CPlaylistDlg& dlg, std::function<void(HWND)> check)
    {
        s_check = std::move(check);
        s_pDlg = &dlg;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 10, OnTimer);
        INT_PTR result = dlg.DoModal();
        ::KillTimer(nullptr, timer);
        return result;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        if (s_check) {
            auto check = std::move(s_check);
            s_check = nullptr;
            check(s_pDlg->Hwnd());
        }
    }

    CDeviceFields m_fields;
    int m_boxes = 0;
    static HMODULE s_hResources;
    static std::function<void(HWND)> s_check;
    static CPlaylistDlg* s_pDlg;
};

HMODULE PlaylistDlgTest::s_hResources = nullptr;
std::function<void(HWND)> PlaylistDlgTest::s_check;
CPlaylistDlg* PlaylistDlgTest::s_pDlg = nullptr;

// A count that the subclassing skin beside the tests reports; -1 while the
// module is not loaded.
LONG SkinCount(const char* name)
{
    HMODULE hSkin = ::GetModuleHandleW(L"HookWndU.DLL");
    FARPROC count = hSkin ? ::GetProcAddress(hSkin, name) : nullptr;
    return count ? reinterpret_cast<LONG(WINAPI*)()>(reinterpret_cast<void*>(count))() : -1;
}

TEST_F(PlaylistDlgTest, WindowCarriesMarkerIconsAndLimits)
{
    CPlaylistDlg dlg;
    INT_PTR result = RunWith(dlg, [](HWND hWnd) {
        EXPECT_EQ(kMainWindowPropertyValue, ::GetPropW(hWnd, kMainWindowProperty));
        HICON big = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(nullptr, big);
        EXPECT_EQ(big, reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_EQ(big, reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_QUERYDRAGICON, 0, 0)));
        EXPECT_EQ(static_cast<LRESULT>(PLAYLIST_NAME_MAX_CHARS),
                  ::SendDlgItemMessageW(hWnd, IDC_PLAYLIST_NAME, EM_GETLIMITTEXT, 0, 0));

        // The skin sits on the dialog, its eight buttons and four statics,
        // with its own value in their user data, and paints the background.
        EXPECT_EQ(13, SkinCount("LiveSubclasses"));
        EXPECT_NE(0, ::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        LONG painted = SkinCount("PaintedBackgrounds");
        HDC hDc = ::GetDC(hWnd);
        EXPECT_EQ(TRUE, ::SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDc), 0));
        ::ReleaseDC(hWnd, hDc);
        EXPECT_EQ(painted + 1, SkinCount("PaintedBackgrounds"));

        // Centred on the desktop.
        RECT window = {}, desktop = {};
        ::GetWindowRect(hWnd, &window);
        ::GetWindowRect(::GetDesktopWindow(), &desktop);
        EXPECT_NEAR((desktop.right + desktop.left) / 2, (window.right + window.left) / 2, 1);
        EXPECT_NEAR((desktop.bottom + desktop.top) / 2, (window.bottom + window.top) / 2, 1);

        // Enter (IDOK) does nothing; the close button ends the dialog.
        ::SendMessageW(hWnd, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(::IsWindow(hWnd));
        ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_CLOSE)));
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(dlg.ClosedByRequest());
    EXPECT_EQ(0, SkinCount("LiveSubclasses")) << "the skin's layers end with the windows";
}

TEST_F(PlaylistDlgTest, ShareMessageIsAnsweredAndNeverPassedOn)
{
    CPlaylistDlg dlg;
    INT_PTR result = RunWith(dlg, [this](HWND hWnd) {
        FillPlaylistAndCountBoxes(hWnd);
        UINT share = ::RegisterWindowMessageW(kShareMessageName);
        ATOM same = ::GlobalAddAtomW(L"e:\\Music");
        ATOM other = ::GlobalAddAtomW(L"K:\\");
        EXPECT_EQ(-1, ::SendMessageW(hWnd, share, 1, same));
        EXPECT_EQ(0, ::SendMessageW(hWnd, share, 1, other));
        EXPECT_EQ(0, ::SendMessageW(hWnd, share, 7, same));
        ::GlobalDeleteAtom(same);
        ::GlobalDeleteAtom(other);
        EXPECT_EQ(-1, ::SendMessageW(hWnd, share, 2, 0));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(dlg.ClosedByRequest());
    EXPECT_EQ(0, m_boxes) << "a close request does not ask about the unsaved playlist";
}

TEST_F(PlaylistDlgTest, RemovalOfTheDeviceDriveEndsWithOk)
{
    CPlaylistDlg dlg;
    INT_PTR result = RunWith(dlg, [this](HWND hWnd) {
        FillPlaylistAndCountBoxes(hWnd);
        DEV_BROADCAST_VOLUME volume = {};
        volume.dbcv_size = sizeof(volume);
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = 1u << 4;
        ::SendMessageW(hWnd, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(dlg.ClosedByRequest());
    EXPECT_EQ(0, m_boxes) << "the device is gone: nothing to ask";
}

// The picture the tree shows for its root.
std::vector<DWORD> RootPicture(HWND hDlg)
{
    HWND tree = ::GetDlgItem(hDlg, IDC_FOLDER_TREE);
    TVITEMW item = {};
    item.mask = TVIF_IMAGE;
    item.hItem = TreeView_GetRoot(tree);
    TreeView_GetItem(tree, &item);
    return ImagePixels(TreeView_GetImageList(tree, TVSIL_NORMAL), item.iImage);
}

// The image counts of the shell's image lists of every size.
std::vector<int> ShellImageCounts()
{
    // IImageList; not every import library carries its id.
    const IID kImageListId = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    std::vector<int> counts;
    for (int size : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_SYSSMALL, SHIL_JUMBO}) {
        HIMAGELIST list = nullptr;
        bool got = SUCCEEDED(::SHGetImageList(size, kImageListId, reinterpret_cast<void**>(&list))) && list;
        counts.push_back(got ? ImageList_GetImageCount(list) : -1);
    }
    return counts;
}

// The size of the tree's images.
int TreeImageSize(HWND hDlg)
{
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(TreeView_GetImageList(::GetDlgItem(hDlg, IDC_FOLDER_TREE), TVSIL_NORMAL), &cx, &cy);
    return cx;
}

// The device icon module of the companion has icon 201 in both sizes the
// program loads and icon 202 in the large size only. The tree shows it from
// a list of its own, at the small icon size of the window's DPI: the shell's
// lists are left as they were.
TEST_F(PlaylistDlgTest, DeviceIconShowsOnlyWhenBothSizesExist)
{
    // The drive's own icon, as the tree shows it without a device icon;
    // the shell has also put the icons of this drive in its lists by then.
    std::vector<DWORD> generic;
    {
        CPlaylistDlg plain;
        RunWith(plain, [&](HWND hWnd) {
            generic = RootPicture(hWnd);
            ::SendMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
    ASSERT_FALSE(generic.empty());
    const int size = SystemMetricForDpi(SM_CXSMICON, WindowDpi(nullptr));
    std::wstring module = ProgramFolder() + L"\\..\\..\\companion\\DeviceIcon.dll";
    ::lstrcpyW(m_fields.m_szIconModule, module.c_str());
    HMODULE hModule = ::LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hModule);
    // A bigger image is drawn down from the 32-pixel one, never blown up
    // from the 16, as an image list of that size draws it.
    const int stored = size <= 16 ? 16 : 32;
    HICON hDevice = static_cast<HICON>(::LoadImageW(hModule, MAKEINTRESOURCEW(201), IMAGE_ICON, stored, stored, 0));
    HIMAGELIST hList = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
    const std::vector<DWORD> device = ImagePixels(hList, ::ImageList_ReplaceIcon(hList, -1, hDevice));
    ::ImageList_Destroy(hList);
    ::DestroyIcon(hDevice);
    ::FreeLibrary(hModule);
    ASSERT_FALSE(SamePicture(generic, device));

    struct {
        int id;
        bool shown;
    } cases[] = {{201, true}, {202, false}, {999, false}, {201 + 0x10000, true}};
    for (const auto& c : cases) {
        m_fields.m_nIconId = c.id;
        const std::vector<int> countsBefore = ShellImageCounts();
        CPlaylistDlg dlg;
        RunWith(dlg, [&](HWND hWnd) {
            EXPECT_EQ(size, TreeImageSize(hWnd));
            EXPECT_TRUE(SamePicture(c.shown ? device : generic, RootPicture(hWnd))) << c.id;
            EXPECT_EQ(countsBefore, ShellImageCounts()) << c.id;
            ::SendMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The text's extent in the control's font: one line, or wrapped at width.
RECT TextExtent(HWND hControl, UINT format, int width)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(hControl, text, 512);
    HDC hDc = ::GetDC(hControl);
    HGDIOBJ old = ::SelectObject(hDc, reinterpret_cast<HGDIOBJ>(::SendMessageW(hControl, WM_GETFONT, 0, 0)));
    RECT rc = {0, 0, width, 0};
    ::DrawTextW(hDc, text, -1, &rc, DT_CALCRECT | format);
    ::SelectObject(hDc, old);
    ::ReleaseDC(hControl, hDc);
    return rc;
}

// The room a text needs in its control beside the text itself: a push
// button's frame, a radio button's or check box's box and the gap after it.
SIZE Surround(HWND hControl, int dpi)
{
    wchar_t cls[16] = {};
    ::GetClassNameW(hControl, cls, 16);
    if (::lstrcmpiW(cls, L"Button") != 0) return SIZE{0, 0};
    LONG type = ::GetWindowLongW(hControl, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return SIZE{::MulDiv(8, dpi, 96), ::MulDiv(4, dpi, 96)};
    return SIZE{::MulDiv(13 + 6, dpi, 96), 0};
}

// Each text of the resource module's dialogs is whole in its control at the
// display's DPI (this program also runs at 144 DPI).
TEST_F(PlaylistDlgTest, EveryTemplateTextFitsItsControl)
{
    for (UINT id : {IDD_PLAYLIST_MAIN, IDD_PLAYLIST_EXISTS}) {
        HWND hDlg = ::CreateDialogParamW(s_hResources, MAKEINTRESOURCEW(id), nullptr, PlainDialogProc, 0);
        ASSERT_NE(nullptr, hDlg);
        HDC hDc = ::GetDC(hDlg);
        const int dpi = ::GetDeviceCaps(hDc, LOGPIXELSY);
        ::ReleaseDC(hDlg, hDc);
        for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            if (::GetWindowTextLengthW(hChild) == 0) continue;
            wchar_t cls[16] = {};
            ::GetClassNameW(hChild, cls, 16);
            LONG style = ::GetWindowLongW(hChild, GWL_STYLE);
            bool wraps = ::lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
            UINT format = ((style & SS_NOPREFIX) && !::lstrcmpiW(cls, L"Static") ? DT_NOPREFIX : 0) |
                          (wraps ? DT_WORDBREAK : DT_SINGLELINE);
            RECT client = {};
            ::GetClientRect(hChild, &client);
            SIZE surround = Surround(hChild, dpi);
            RECT text = TextExtent(hChild, format, client.right - surround.cx);
            wchar_t what[512] = {};
            ::GetWindowTextW(hChild, what, 512);
            EXPECT_LE(text.right + surround.cx, client.right) << id << " at " << dpi << " DPI: " << testing::PrintToString(std::wstring(what));
            EXPECT_LE(text.bottom + surround.cy, client.bottom) << id << " at " << dpi << " DPI: " << testing::PrintToString(std::wstring(what));
        }
        ::DestroyWindow(hDlg);
    }
}

// A module of the first release lacks the newer texts; the program's own
// English for each is the module's text.
TEST_F(PlaylistDlgTest, BuiltInTextsAreTheModulesTexts)
{
    for (UINT id : {IDS_INVALID_NAME, IDS_ENTRIES_LEFT_OUT, IDS_CLOSE_UNSAVED}) {
        const wchar_t* text = nullptr;
        int length = ::LoadStringW(s_hResources, id, reinterpret_cast<LPWSTR>(&text), 0);
        EXPECT_EQ(BuiltInText(id), std::wstring(text, static_cast<size_t>(length))) << id;
    }
}

// A move to a screen of another DPI: the window takes the rectangle the
// system suggests, lays its controls out for the new DPI, and the tree's
// images are made anew at the new small icon size.
TEST_F(PlaylistDlgTest, DpiChangeResizesTheWindowItsLayoutAndTreeImages)
{
    CPlaylistDlg dlg;
    RunWith(dlg, [](HWND hWnd) {
        // Another DPI at which the window still fits the screen.
        const int dpi = static_cast<int>(WindowDpi(hWnd));
        const int newDpi = dpi > 96 ? 96 : 144;
        EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, dpi), TreeImageSize(hWnd));
        const RECT tree = ControlRect(hWnd, IDC_FOLDER_TREE);
        // The client area scaled; the frame keeps its size, as Wine draws it.
        RECT window = {}, client = {};
        ::GetWindowRect(hWnd, &window);
        ::GetClientRect(hWnd, &client);
        RECT suggested = window;
        suggested.right += ::MulDiv(client.right, newDpi, dpi) - client.right;
        suggested.bottom += ::MulDiv(client.bottom, newDpi, dpi) - client.bottom;
        ::SendMessageW(hWnd, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));

        ::GetWindowRect(hWnd, &window);
        EXPECT_TRUE(::EqualRect(&suggested, &window));
        EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, newDpi), TreeImageSize(hWnd));
        const RECT scaledTree = ControlRect(hWnd, IDC_FOLDER_TREE);
        EXPECT_EQ(::MulDiv(tree.left, newDpi, dpi), scaledTree.left);
        EXPECT_EQ(::MulDiv(tree.top, newDpi, dpi), scaledTree.top);
        EXPECT_GE(scaledTree.right - scaledTree.left, ::MulDiv(tree.right - tree.left, newDpi, dpi) - 1);
        EXPECT_FALSE(RootPicture(hWnd).empty());
        wchar_t caption[MAX_PATH] = {};
        ::GetDlgItemTextW(hWnd, IDC_FOLDER_CAPTION, caption, MAX_PATH);
        EXPECT_STREQ(L"E:\\", caption) << "the root is shown, though nothing is selected";
        ::SendMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    });
}

// The root opens at start on XP and later, but not on 2000 or Vista,
// whatever version the manifest lets the system report.
TEST(RootExpansion, FollowsTheSystemVersion)
{
    const struct {
        DWORD major, minor;
        bool expands;
    } versions[] = {
        {4, 0, false}, {4, 10, false}, {5, 0, false}, {5, 1, true},  {5, 2, true},  {6, 0, false},
        {6, 1, true},  {6, 2, true},   {6, 3, true},  {10, 0, true}, {11, 0, true},
    };
    for (const auto& v : versions)
        EXPECT_EQ(v.expands, ExpandsRootAtStart(v.major, v.minor)) << v.major << "." << v.minor;
    CPlatformVersion version;
    ASSERT_TRUE(ReadPlatformVersion(version));
    EXPECT_GE(version.dwMajor, 5u);
}

}  // namespace
