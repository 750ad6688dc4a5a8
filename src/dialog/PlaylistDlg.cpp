#include "dialog/PlaylistDlg.h"
#include "dialog/DeviceIcon.h"
#include "dialog/DeviceRemoval.h"
#include "dialog/PlatformVersion.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "framework/VersionInfo.h"
#include "handoff/DeviceFields.h"
#include "handoff/HandOff.h"
#include "lists/ListCommon.h"
#include "lists/ListDrag.h"
#include "lists/PointerHandOff.h"
#include "lists/ListMessages.h"
#include "res/resource_ids.h"

#include <shellapi.h>
#include <shlwapi.h>

namespace {
// Centres a window on the desktop.
void CenterOnDesktop(HWND hWnd)
{
    RECT window = {};
    RECT desktop = {};
    ::GetWindowRect(hWnd, &window);
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    int x = desktop.left + ((desktop.right - desktop.left) - (window.right - window.left)) / 2;
    int y = desktop.top + ((desktop.bottom - desktop.top) - (window.bottom - window.top)) / 2;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A module's version, or the module's word for a file that carries none.
std::wstring VersionOrUnknown(HMODULE hModule)
{
    std::wstring version = ModuleVersionText(hModule);
    return version.empty() ? LoadResString(IDS_VERSION_UNKNOWN) : version;
}
}

CPlaylistDlg::CPlaylistDlg(HWND hParent)
    : CModalDialog(IDD_PLAYLIST_MAIN, hParent),
      m_hIcon(::LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDI_APP))),
      m_nShareMsg(::RegisterWindowMessageW(kShareMessageName))
{
}

void CPlaylistDlg::BindControls()
{
    m_treeFolders.AttachDlgItem(Hwnd(), IDC_FOLDER_TREE);
    m_listSource.AttachDlgItem(Hwnd(), IDC_SOURCE_LIST);
    m_listPlaylist.AttachDlgItem(Hwnd(), IDC_PLAYLIST_LIST);
    m_listPlaylist.SetModel(&m_playlist);
    // The label has no id of its own: it is the static just before the list.
    HWND hLabel = ::GetWindow(m_listPlaylist.Hwnd(), GW_HWNDPREV);
    wchar_t className[16] = {};
    if (hLabel && ::GetClassNameW(hLabel, className, 16) && ::lstrcmpiW(className, L"Static") == 0)
        m_hPlaylistLabel = hLabel;
    ::SetDlgItemTextW(Hwnd(), IDC_PLAYLIST_NAME, m_strPlaylistName.c_str());
    ::SendDlgItemMessageW(Hwnd(), IDC_PLAYLIST_NAME, EM_LIMITTEXT, PLAYLIST_NAME_MAX_CHARS, 0);
}

// Returns FALSE: the name field has the focus by then.
BOOL CPlaylistDlg::OnInitDialog()
{
    // However the initialisation ends, the window answers from now on.
    CScopeExit ready([this] {
        if (m_onReady) m_onReady();
        m_onReady = nullptr;
    });
    // Later starts find the running instances by this marker. Set here, not
    // at WM_CREATE: a window bound only now (the creation hook refused)
    // never sees that.
    ::SetPropW(Hwnd(), kMainWindowProperty, kMainWindowPropertyValue);
    MakeResizable();
    CenterOnDesktop(Hwnd());
    m_wndTip.SetNotifyWnd(Hwnd());
    m_listSource.SetNotifyWnd(Hwnd());
    m_listPlaylist.SetNotifyWnd(Hwnd());
    // The controls reach each other through the dialog's wiring only.
    m_listSource.SetTipSink(this);
    m_listSource.SetDropTarget(&m_listPlaylist);
    m_treeFolders.SetDropTarget(&m_listPlaylist);
    // Without OLE on this thread (a host that never started it) the
    // playlist takes no drops from other programs; all else works.
    m_fileDropTarget.SetNotifyWnd(Hwnd());
    m_fileDropTarget.Register();
    m_treeFolders.SetFilesSink(this);
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    AddAboutToSystemMenu();

    SetUpTreeImages();
    ::SetWindowLongPtrW(m_treeFolders.Hwnd(), GWL_STYLE,
                        ::GetWindowLongPtrW(m_treeFolders.Hwnd(), GWL_STYLE) | TVS_SINGLEEXPAND);
    InitListColumn(m_listSource);
    InitListColumn(m_listPlaylist);
    m_treeFolders.InitFolderTree(Hwnd());
    ExpandRootOnNewerSystems();

    ::lstrcpynW(m_szPlaylistDir, AppDeviceFields().m_szDeviceRoot, MAX_PATH);
    ::PathAppendW(m_szPlaylistDir, L"PLAYLIST");
    SetDefaultPlaylistName();
    ApplySkin();
    m_bTipReady = m_wndTip.CreateTip(Hwnd()) != FALSE;
    UpdateCountLabel();
    return FALSE;
}

void CPlaylistDlg::ShowItemTip(CListView* pList, int item, const RECT& rcItem, const wchar_t* text,
                               BOOL selected)
{
    if (m_bTipReady) m_wndTip.ShowTip(pList, item, &rcItem, text, selected);
}

void CPlaylistDlg::ShowFolderFiles(const wchar_t* folder)
{
    m_listSource.FillFromFolder(folder);
}

// The window keeps its plain look when the skinning module is missing.
void CPlaylistDlg::ApplySkin()
{
    wchar_t bundlePath[MAX_PATH] = {};
    SKINPARAMS params;
    if (MakeProgramSkinParams(bundlePath, params)) m_skin.AttachSkin(Hwnd(), &params, nullptr);
}

// The tree's images have the size of the system's small icons at the
// window's DPI: 16 pixels at 96 DPI, 24 at 144.
void CPlaylistDlg::SetUpTreeImages()
{
    const CDeviceFields& device = AppDeviceFields();
    const int size = SystemMetricForDpi(SM_CXSMICON, m_nDpi);
    CIcon deviceIcon = LoadDeviceIcon(device.m_szIconModule, device.m_nIconId, size);
    m_treeFolders.SetImages(size, deviceIcon.Get());
}

void CPlaylistDlg::ExpandRootOnNewerSystems()
{
    HTREEITEM hRoot = m_treeFolders.GetRootItem();
    if (!hRoot) return;
    CPlatformVersion version;
    if (ReadPlatformVersion(version) && ExpandsRootAtStart(version.dwMajor, version.dwMinor))
        m_treeFolders.Expand(hRoot, TVE_EXPAND);
}

void CPlaylistDlg::AddAboutToSystemMenu()
{
    HMENU hMenu = ::GetSystemMenu(Hwnd(), FALSE);
    if (!hMenu) return;
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_STRING, IDM_SYS_ABOUT, LoadResString(IDS_ABOUT_MENU).c_str());
}

// The versions of the program and of the resource module it found, and the
// folder both come from: what a user reads out when asking for help.
void CPlaylistDlg::OnAbout()
{
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) folder[0] = L'\0';
    ::PathRemoveFileSpecW(folder);
    const std::wstring text =
        FormatPlaceholders(LoadResString(IDS_ABOUT_TEXT), {VersionOrUnknown(::GetModuleHandleW(nullptr)),
                                                           VersionOrUnknown(ResourceModule()), folder});
    AppMessageBox(Hwnd(), text, LoadResString(IDS_ABOUT_CAPTION), MB_OK | MB_ICONINFORMATION);
}

// Enter and a default button do nothing: only Save writes a playlist.
void CPlaylistDlg::OnOK()
{
}

// Escape, the Close button, the close box and Alt+F4 all come here; a close
// requested by another start or the removal of the device does not. A
// playlist that would be lost goes only when the user says so; No, the
// default, keeps the window so that a second stray key loses nothing either.
void CPlaylistDlg::OnCancel()
{
    // Escape during a drag ends the drag and nothing more: the window that
    // drags ends it when it loses the mouse.
    if (PointerHandOff().IsDragging()) {
        ::ReleaseCapture();
        return;
    }
    if (HasUnsavedPlaylist() &&
        ShowAppMessage(Hwnd(), IDS_CLOSE_UNSAVED, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    CModalDialog::OnCancel();
}

bool CPlaylistDlg::HasUnsavedPlaylist() const
{
    // An opened playlist counts as changed when it was emptied too.
    return !m_playlist.IsSaved() && (m_playlist.Count() > 0 || !m_strOpenedPath.empty());
}

bool CPlaylistDlg::OnCommand(int id, UINT code, HWND hControl)
{
    if (code != BN_CLICKED) return CModalDialog::OnCommand(id, code, hControl);
    switch (id) {
    case IDC_SAVE: OnSave(); return true;
    case IDC_CLOSE: OnCancel(); return true;
    case IDC_ADD_SELECTED: OnAddSelected(); return true;
    case IDC_ADD_ALL: OnAddAll(); return true;
    case IDC_REMOVE_SELECTED: OnRemoveSelected(); return true;
    case IDC_REMOVE_ALL: OnRemoveAll(); return true;
    case IDC_MOVE_UP: OnMove(true); return true;
    case IDC_MOVE_DOWN: OnMove(false); return true;
    case IDC_OPEN: OnOpen(); return true;
    default: break;
    }
    if (id >= ID_FIRST_COMMAND && id <= ID_LAST_COMMAND) {
        RunCommand(static_cast<UINT>(id), m_listPlaylist);
        return true;
    }
    return CModalDialog::OnCommand(id, code, hControl);
}

void CPlaylistDlg::OnAddSelected()
{
    std::vector<std::wstring> paths;
    m_listSource.GetSelectedPaths(paths);
    m_listPlaylist.AddEntries(paths);
}

void CPlaylistDlg::OnAddAll()
{
    std::vector<std::wstring> paths;
    m_listSource.GetAllPaths(paths);
    m_listPlaylist.AddEntries(paths);
}

void CPlaylistDlg::OnRemoveSelected()
{
    m_listPlaylist.RemoveSelectedEntries();
    if (m_listPlaylist.GetItemCount() == 0) ::SetFocus(::GetDlgItem(Hwnd(), IDC_ADD_SELECTED));
}

void CPlaylistDlg::OnRemoveAll()
{
    m_listPlaylist.RemoveAllEntries();
    ::SetFocus(::GetDlgItem(Hwnd(), IDC_ADD_SELECTED));
}

void CPlaylistDlg::OnMove(bool up)
{
    int moved = m_listPlaylist.MoveSelectedEntries(up ? TRUE : FALSE);
    if (moved == 0) ShowAppMessage(Hwnd(), IDS_MOVE_NO_SELECTION);
    else if (moved < 0) ShowAppMessage(Hwnd(), IDS_MOVE_NO_ITEM);
}

// Reads the controls only, so any number of change notices in a row give
// the same state.
void CPlaylistDlg::UpdateButtons()
{
    bool sourceHasItems = m_listSource.GetItemCount() > 0;
    bool sourceHasSelection = sourceHasItems && m_listSource.GetSelectedCount() > 0;
    bool playlistHasItems = m_listPlaylist.GetItemCount() > 0;
    bool playlistHasSelection = playlistHasItems && m_listPlaylist.GetSelectedCount() > 0;
    UpdateCountLabel();
    const struct {
        int id;
        bool enabled;
    } buttons[] = {
        {IDC_ADD_ALL, sourceHasItems},         {IDC_ADD_SELECTED, sourceHasSelection},
        {IDC_REMOVE_ALL, playlistHasItems},    {IDC_REMOVE_SELECTED, playlistHasSelection},
        {IDC_MOVE_UP, playlistHasSelection},   {IDC_MOVE_DOWN, playlistHasSelection},
    };
    for (const auto& button : buttons) ::EnableWindow(::GetDlgItem(Hwnd(), button.id), button.enabled);
}

// The lists' posted notices; each is handled after the list's own handler
// has returned.
bool CPlaylistDlg::OnListNotification(UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_DROP_ON_PLAYLIST:
        if (m_listPlaylist.InsertEntries(static_cast<int>(wParam), PointerHandOff().DraggedPaths()))
            ::SetFocus(m_listPlaylist.Hwnd());
        return true;
    case WM_FOLDER_DROP_ON_PLAYLIST:
        if (!PointerHandOff().DraggedPaths().empty())
            AddFolderFiles(PointerHandOff().DraggedPaths().front(), static_cast<int>(wParam));
        return true;
    case WM_FILES_DROP_ON_PLAYLIST:
        OnFilesDropped(static_cast<int>(wParam));
        return true;
    case WM_TIP_CLICK:
        m_listSource.SelectItemByClick(static_cast<int>(wParam));
        return true;
    case WM_TIP_DBLCLICK:
    case WM_SOURCE_LIST_DBLCLK:
        OnAddSelected();
        return true;
    case WM_PLAYLIST_DBLCLK:
        OnRemoveSelected();
        return true;
    case WM_LIST_CHANGED:
        UpdateButtons();
        return true;
    default:
        return false;
    }
}

LRESULT CPlaylistDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DEVICECHANGE) {
        OnDeviceChange(wParam, lParam);
        return CModalDialog::WindowProc(msg, wParam, lParam);
    }
    if (m_nShareMsg && msg == m_nShareMsg) return OnShareMessage(wParam, lParam);
    if (OnListNotification(msg, wParam)) return 0;

    switch (msg) {
    case WM_PAINT:
        return OnPaint(msg, wParam, lParam);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_SIZE: {
        LRESULT result = CModalDialog::WindowProc(msg, wParam, lParam);
        if (wParam != SIZE_MINIMIZED) ApplyLayout();
        return result;
    }
    case WM_GETMINMAXINFO: {
        LRESULT result = CModalDialog::WindowProc(msg, wParam, lParam);
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return result;
    }
    case WM_DPICHANGED: {
        // The new DPI before the system's own handling (for a dialog it sends
        // the controls fonts made for that DPI): a resize it makes meanwhile
        // is laid out and held to the smallest size at the new DPI already.
        const UINT dpi = HIWORD(wParam);
        if (dpi) m_nDpi = dpi;
        LRESULT result = CModalDialog::WindowProc(msg, wParam, lParam);
        if (dpi) OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return result;
    }
    case WM_ACTIVATE:
        // A window of this program in front (a message box, say): the tip
        // goes, as it does when another program comes to the front.
        if (LOWORD(wParam) == WA_INACTIVE && m_bTipReady) m_wndTip.HideTip();
        return CModalDialog::WindowProc(msg, wParam, lParam);
    case WM_SETCURSOR:
        return OnSetCursor(msg, wParam, lParam);
    case WM_SYSCOMMAND:
        // The system uses the low four bits of its own commands.
        if ((wParam & 0xFFF0) == IDM_SYS_ABOUT) {
            OnAbout();
            return 0;
        }
        return CModalDialog::WindowProc(msg, wParam, lParam);
    case WM_DESTROY:
        m_fileDropTarget.Revoke();
        return CModalDialog::WindowProc(msg, wParam, lParam);
    case WM_CONTEXTMENU:
        if (OnContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
        return CModalDialog::WindowProc(msg, wParam, lParam);
    default:
        return CModalDialog::WindowProc(msg, wParam, lParam);
    }
}

// While minimised the window shows its icon centred in the client area.
LRESULT CPlaylistDlg::OnPaint(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!::IsIconic(Hwnd())) return DefaultProc(msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hDc = ::BeginPaint(Hwnd(), &ps);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDc), 0);
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(hDc, x, y, m_hIcon);
    ::EndPaint(Hwnd(), &ps);
    return 0;
}

void CPlaylistDlg::OnDeviceChange(WPARAM event, LPARAM data)
{
    if (IsDeviceRootRemoved(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data),
                            AppDeviceFields().m_szDeviceRoot))
        CloseWithoutAsking();
}

LRESULT CPlaylistDlg::OnShareMessage(WPARAM wParam, LPARAM lParam)
{
    // A start for the drive that this closing window claimed would end
    // without a window; unclaimed, it waits for this instance to let go.
    if (m_bClosing && wParam == kShareAskSameRoot) return 0;
    bool closeRequested = false;
    LRESULT reply = AnswerShareMessage(wParam, lParam, AppDeviceFields().m_szDeviceRoot, closeRequested);
    if (closeRequested) {
        m_bClosedByRequest = true;
        CloseWithoutAsking();
    }
    return reply;
}

// Either may come while a question is open (the add-or-replace question, a
// box of the save): it ends as Cancel, and the save that asked it writes
// nothing more, to a drive that may be gone or about to be synced.
void CPlaylistDlg::CloseWithoutAsking()
{
    m_bClosing = true;
    EndDialogsOwnedBy(Hwnd(), IDCANCEL);
    EndDialog(IDOK);
}
