// The main dialog in the test's own process, with the real resource module.
#include "dialog/PlatformVersion.h"
#include "dialog/PlaylistDlg.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "handoff/DeviceFields.h"
#include "framework/MessageBox.h"
#include "framework/Strings.h"
#include "handoff/HandOff.h"
#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "lists/ListMessages.h"
#include "res/builtin_texts.h"
#include "res/resource_ids.h"
#include "res/version.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <dbt.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <algorithm>
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

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL);

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list)
{
    reinterpret_cast<std::vector<LANGID>*>(list)->push_back(language);
    return TRUE;
}

// The languages in which the module holds one resource.
std::vector<LANGID> ResourceLanguages(HMODULE hModule, LPCWSTR type, LPCWSTR name)
{
    std::vector<LANGID> languages;
    ::EnumResourceLanguagesW(hModule, type, name, AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list)
{
    reinterpret_cast<std::vector<UINT>*>(list)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// The ids of the module's resources of one type (all have numbers).
std::vector<UINT> ResourceIds(HMODULE hModule, LPCWSTR type)
{
    std::vector<UINT> ids;
    ::EnumResourceNamesW(hModule, type, AddName, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// A string of the module in exactly that language; empty when it lacks it.
std::wstring ModuleString(HMODULE hModule, UINT id, LANGID language)
{
    HRSRC hBlock = ::FindResourceExW(hModule, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    const std::vector<LANGID> found = ResourceLanguages(hModule, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1));
    if (!hBlock || std::find(found.begin(), found.end(), language) == found.end()) return std::wstring();
    const wchar_t* entry = static_cast<const wchar_t*>(::LockResource(::LoadResource(hModule, hBlock)));
    for (UINT i = 0; i < id % 16; ++i) entry += 1 + *entry;
    return std::wstring(entry + 1, *entry);
}

// The language the window speaks: German under a German interface (the
// run test_dialog_de, whose locale Wine turns into the interface language),
// else English.
LANGID InterfaceLanguage()
{
    wchar_t locale[8] = {};
    ::GetEnvironmentVariableW(L"LC_ALL", locale, 8);
    if (std::wstring(locale).rfind(L"de", 0) == 0) {
        EXPECT_EQ(LANG_GERMAN, PRIMARYLANGID(::GetUserDefaultUILanguage())) << "Wine ignored the locale";
    }
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_GERMAN ? kGerman : kEnglish;
}

// The tip window that the dialog owns.
HWND OwnedTip(HWND hDlg)
{
    HWND hTip = nullptr;
    while ((hTip = ::FindWindowExW(nullptr, hTip, L"WavaItemTip", nullptr)) && ::GetWindow(hTip, GW_OWNER) != hDlg) {
    }
    return hTip;
}

TEST_F(PlaylistDlgTest, WindowCarriesMarkerIconsAndLimits)
{
    CPlaylistDlg dlg;
    HWND hTip = nullptr;
    INT_PTR result = RunWith(dlg, [&hTip](HWND hWnd) {
        hTip = OwnedTip(hWnd);
        EXPECT_EQ(kMainWindowPropertyValue, ::GetPropW(hWnd, kMainWindowProperty));
        HICON big = reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(nullptr, big);
        EXPECT_EQ(big, reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0)));
        EXPECT_EQ(big, reinterpret_cast<HICON>(::SendMessageW(hWnd, WM_QUERYDRAGICON, 0, 0)));
        EXPECT_EQ(static_cast<LRESULT>(PLAYLIST_NAME_MAX_CHARS),
                  ::SendDlgItemMessageW(hWnd, IDC_PLAYLIST_NAME, EM_GETLIMITTEXT, 0, 0));

        // The skin sits on the dialog, its nine buttons and four statics,
        // with its own value in their user data, and paints the background.
        EXPECT_EQ(14, SkinCount("LiveSubclasses"));
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

        // About, from the system menu: the versions and the folder. This test
        // program carries no version of its own; the module does.
        wchar_t item[64] = {};
        ::GetMenuStringW(::GetSystemMenu(hWnd, FALSE), IDM_SYS_ABOUT, item, 64, MF_BYCOMMAND);
        EXPECT_EQ(ModuleString(s_hResources, IDS_ABOUT_MENU, InterfaceLanguage()), item);
        std::wstring aboutCaption, aboutText;
        SetMessageBoxHook([&](HWND, const std::wstring& text, const std::wstring& caption, UINT) {
            aboutCaption = caption;
            aboutText = text;
            return IDOK;
        });
        ::SendMessageW(hWnd, WM_SYSCOMMAND, IDM_SYS_ABOUT, 0);
        SetMessageBoxHook(nullptr);
        EXPECT_EQ(LoadResString(IDS_ABOUT_CAPTION), aboutCaption);
        for (const std::wstring& part : {std::wstring(L"" WAVA_VERSION_TEXT), ProgramFolder(),
                                         LoadResString(IDS_VERSION_UNKNOWN)})
            EXPECT_NE(std::wstring::npos, aboutText.find(part)) << testing::PrintToString(aboutText);

        // Enter (IDOK) does nothing; the close button ends the dialog.
        ::SendMessageW(hWnd, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(::IsWindow(hWnd));
        ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_CLOSE)));
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(dlg.ClosedByRequest());
    EXPECT_EQ(0, SkinCount("LiveSubclasses")) << "the skin's layers end with the windows";
    // The skin put a layer under the tip's binding at its creation and cut
    // it out at WM_DESTROY: the binding ended with the window all the same.
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(nullptr, CWindow::FromHandle(hTip));
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
        EXPECT_EQ(-1, ::SendMessageW(hWnd, share, 2, 0));
        // Closing, the window no longer claims its drive: a start for it
        // waits for this instance to let go, and serves the drive itself.
        EXPECT_EQ(0, ::SendMessageW(hWnd, share, 1, same));
        ::GlobalDeleteAtom(same);
        ::GlobalDeleteAtom(other);
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

// The places a format string fills ("%d", "%1"), in any order.
std::vector<std::wstring> FormatPlaces(const std::wstring& text)
{
    std::vector<std::wstring> places;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'%') places.push_back(text.substr(i, 2));
        if (text[i] == L'%') ++i;
    }
    std::sort(places.begin(), places.end());
    return places;
}

// A dialog of the module in exactly that language.
HWND CreateDialogInLanguage(HMODULE hModule, UINT id, LANGID language)
{
    HRSRC hTemplate = ::FindResourceExW(hModule, RT_DIALOG, MAKEINTRESOURCEW(id), language);
    if (!hTemplate) return nullptr;
    auto dialog = static_cast<LPCDLGTEMPLATEW>(::LockResource(::LoadResource(hModule, hTemplate)));
    return ::CreateDialogIndirectParamW(hModule, dialog, nullptr, PlainDialogProc, 0);
}

// Checks that each text of the dialog is whole in its control at the
// display's DPI; answers the dialog's controls (id and class) in order.
std::vector<std::pair<int, std::wstring>> CheckTextsFit(HWND hDlg, const std::string& where)
{
    HDC hDc = ::GetDC(hDlg);
    const int dpi = ::GetDeviceCaps(hDc, LOGPIXELSY);
    ::ReleaseDC(hDlg, hDc);
    std::vector<std::pair<int, std::wstring>> controls;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(hChild, cls, 16);
        if (::GetDlgCtrlID(hChild) != 0xFFFF) controls.emplace_back(::GetDlgCtrlID(hChild), cls);
        if (::GetWindowTextLengthW(hChild) == 0) continue;
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
        const std::string whatText = where + " at " + std::to_string(dpi) + " DPI: " +
                                     testing::PrintToString(std::wstring(what));
        EXPECT_LE(text.right + surround.cx, client.right) << whatText;
        EXPECT_LE(text.bottom + surround.cy, client.bottom) << whatText;
    }
    std::sort(controls.begin(), controls.end());
    return controls;
}

// Each text of the resource module's dialogs is whole in its control at the
// display's DPI (this program also runs at 144 DPI), in every language of
// the module; each language's dialog has the English one's controls.
TEST_F(PlaylistDlgTest, EveryTemplateTextFitsItsControl)
{
    for (UINT id : {IDD_PLAYLIST_MAIN, IDD_PLAYLIST_EXISTS}) {
        std::vector<std::pair<int, std::wstring>> english;
        HWND hEnglish = CreateDialogInLanguage(s_hResources, id, kEnglish);
        ASSERT_NE(nullptr, hEnglish);
        english = CheckTextsFit(hEnglish, std::to_string(id) + " in English");
        ::DestroyWindow(hEnglish);
        for (LANGID language : ResourceLanguages(s_hResources, RT_DIALOG, MAKEINTRESOURCEW(id))) {
            if (language == kEnglish) continue;
            HWND hDlg = CreateDialogInLanguage(s_hResources, id, language);
            ASSERT_NE(nullptr, hDlg);
            const std::string where = std::to_string(id) + " in language " + std::to_string(language);
            EXPECT_EQ(english, CheckTextsFit(hDlg, where)) << where;
            ::DestroyWindow(hDlg);
        }
    }
}

// Every dialog, menu and string of the module is there in every language
// it speaks, strings with the same places for numbers and names; the
// module speaks German.
TEST_F(PlaylistDlgTest, EveryLanguageHasEveryEnglishResource)
{
    std::vector<LANGID> languages = ResourceLanguages(s_hResources, RT_DIALOG, MAKEINTRESOURCEW(IDD_PLAYLIST_MAIN));
    ASSERT_EQ(1, std::count(languages.begin(), languages.end(), kEnglish));
    EXPECT_EQ(1, std::count_if(languages.begin(), languages.end(),
                               [](LANGID l) { return PRIMARYLANGID(l) == LANG_GERMAN; }));
    languages.erase(std::find(languages.begin(), languages.end(), kEnglish));
    for (LPCWSTR type : {RT_DIALOG, RT_MENU, RT_STRING}) {
        for (UINT id : ResourceIds(s_hResources, type)) {
            const std::vector<LANGID> found = ResourceLanguages(s_hResources, type, MAKEINTRESOURCEW(id));
            if (std::find(found.begin(), found.end(), kEnglish) == found.end()) continue;
            for (LANGID language : languages)
                EXPECT_NE(found.end(), std::find(found.begin(), found.end(), language))
                    << "type " << reinterpret_cast<ULONG_PTR>(type) << " id " << id << " language " << std::hex << language;
        }
    }
    for (UINT block : ResourceIds(s_hResources, RT_STRING)) {
        for (UINT id = (block - 1) * 16; id < block * 16; ++id) {
            const std::wstring english = ModuleString(s_hResources, id, kEnglish);
            if (english.empty()) continue;
            for (LANGID language : languages) {
                const std::wstring translated = ModuleString(s_hResources, id, language);
                EXPECT_FALSE(translated.empty()) << "string " << id << " language " << std::hex << language;
                EXPECT_EQ(FormatPlaces(english), FormatPlaces(translated)) << "string " << id;
            }
        }
    }
}

// A module of the first release lacks the newer texts; the program's own
// English for each is the module's text.
TEST_F(PlaylistDlgTest, BuiltInTextsAreTheModulesTexts)
{
    for (UINT id : {IDS_INVALID_NAME, IDS_ENTRIES_LEFT_OUT, IDS_CLOSE_UNSAVED, IDS_LINES_LEFT_OUT,
                    IDS_NO_PLAYLIST_FOLDER, IDS_ABOUT_MENU, IDS_ABOUT_CAPTION, IDS_ABOUT_TEXT,
                    IDS_VERSION_UNKNOWN, IDS_DRIVE_NOT_ANSWERING, IDS_OPEN_UNSAVED, IDS_OPEN_FILTER,
                    IDS_OPEN_OTHER_DRIVE, IDS_OPEN_FAILED, IDS_OPENED_MISSING, IDS_OPENED_UNREADABLE,
                    IDS_MISSING_ENTRY})
        EXPECT_EQ(BuiltInText(id), ModuleString(s_hResources, id, kEnglish)) << id;
}

// Stands for the system's own handling of a DPI change, which may resize
// the window to the suggested rectangle: a layer under the dialog's, put on
// when the dialog is created, that notes the window and its tree just after.
class CSystemDpiHandling {
public:
    CSystemDpiHandling() { s_hHook = ::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId()); }
    ~CSystemDpiHandling()
    {
        ::UnhookWindowsHookEx(s_hHook);
        s_pfnPrevious = nullptr;
    }
    static RECT s_window;
    static RECT s_tree;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        if (code == HCBT_CREATEWND && !s_pfnPrevious && ::GetClassNameW(hWnd, cls, 16) && !::lstrcmpW(cls, L"#32770"))
            s_pfnPrevious = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
        return ::CallNextHookEx(s_hHook, code, wParam, lParam);
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_DPICHANGED) {
            const RECT& rc = *reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            ::GetWindowRect(hWnd, &s_window);
            s_tree = ControlRect(hWnd, IDC_FOLDER_TREE);
        }
        return ::CallWindowProcW(s_pfnPrevious, hWnd, msg, wParam, lParam);
    }
    static HHOOK s_hHook;
    static WNDPROC s_pfnPrevious;
};
HHOOK CSystemDpiHandling::s_hHook = nullptr;
WNDPROC CSystemDpiHandling::s_pfnPrevious = nullptr;
RECT CSystemDpiHandling::s_window = {};
RECT CSystemDpiHandling::s_tree = {};

// A move to a screen of another DPI: the window takes the rectangle the
// system suggests, lays its controls out for the new DPI, and the tree's
// images are made anew at the new small icon size. A resize by the system's
// own handling is already laid out and held to the smallest size at the new
// DPI (a move to a lower DPI would otherwise keep the higher one's size).
TEST_F(PlaylistDlgTest, DpiChangeResizesTheWindowItsLayoutAndTreeImages)
{
    CSystemDpiHandling system;
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
        EXPECT_TRUE(::EqualRect(&suggested, &CSystemDpiHandling::s_window)) << "the system's resize";
        EXPECT_EQ(::MulDiv(tree.left, newDpi, dpi), CSystemDpiHandling::s_tree.left) << "the system's resize";

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
