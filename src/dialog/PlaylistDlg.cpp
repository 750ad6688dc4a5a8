#include "dialog/PlaylistDlg.h"
#include "app/Globals.h"
#include "app/HandOff.h"
#include "dialog/DeviceRemoval.h"
#include "framework/App.h"
#include "res/resource_ids.h"

#include <shlwapi.h>

namespace {
// Centres a window on the desktop's work area.
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
}

CPlaylistDlg::CPlaylistDlg(HWND hParent)
    : CModalDialog(IDD_PLAYLIST_MAIN, hParent),
      m_hIcon(::LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDI_APP))),
      m_nShareMsg(::RegisterWindowMessageW(kShareMessageName))
{
}

BOOL CPlaylistDlg::OnInitDialog()
{
    ::SendDlgItemMessageW(Hwnd(), IDC_PLAYLIST_NAME, EM_LIMITTEXT, PLAYLIST_NAME_MAX_CHARS, 0);
    CenterOnDesktop(Hwnd());
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    ::lstrcpynW(m_szPlaylistDir, AppDeviceFields().m_szDeviceRoot, MAX_PATH);
    ::PathAppendW(m_szPlaylistDir, L"PLAYLIST");
    return TRUE;
}

// Enter and a default button do nothing: only Save writes a playlist.
void CPlaylistDlg::OnOK()
{
}

bool CPlaylistDlg::OnCommand(int id, UINT code, HWND hControl)
{
    if (code == BN_CLICKED && id == IDC_CLOSE) {
        OnCancel();
        return true;
    }
    return CModalDialog::OnCommand(id, code, hControl);
}

LRESULT CPlaylistDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DEVICECHANGE) {
        OnDeviceChange(wParam, lParam);
        return CModalDialog::WindowProc(msg, wParam, lParam);
    }
    if (m_nShareMsg && msg == m_nShareMsg) return OnShareMessage(wParam, lParam);

    switch (msg) {
    case WM_CREATE:
        return OnCreate(msg, wParam, lParam);
    case WM_PAINT:
        return OnPaint(msg, wParam, lParam);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    default:
        return CModalDialog::WindowProc(msg, wParam, lParam);
    }
}

LRESULT CPlaylistDlg::OnCreate(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = DefaultProc(msg, wParam, lParam);
    if (result == -1) return -1;
    // Later starts find the running instances by this marker.
    ::SetPropW(Hwnd(), kMainWindowProperty, kMainWindowPropertyValue);
    return result;
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
        EndDialog(IDOK);
}

LRESULT CPlaylistDlg::OnShareMessage(WPARAM wParam, LPARAM lParam)
{
    bool closeRequested = false;
    LRESULT reply = AnswerShareMessage(wParam, lParam, AppDeviceFields().m_szDeviceRoot, closeRequested);
    if (closeRequested) {
        EndDialog(IDOK);
        m_bClosedByRequest = true;
    }
    return reply;
}
