// The main window's size: made resizable at run time, never smaller than
// its template, its controls placed by the template's layout, and sized
// anew when it moves to a screen of another DPI.
#include "dialog/PlaylistDlg.h"
#include "framework/Dpi.h"

namespace {

SIZE ClientSize(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

SIZE WindowSize(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace

// A template with a fixed frame gets a sizing frame and a maximize box; the
// client area keeps the template's size, the frame grows around it.
void CPlaylistDlg::MakeResizable()
{
    const LONG_PTR style = ::GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    if (!(style & WS_THICKFRAME)) {
        const SIZE client = ClientSize(Hwnd());
        ::SetWindowLongPtrW(Hwnd(), GWL_STYLE, style | WS_THICKFRAME | WS_MAXIMIZEBOX);
        const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE;
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, keep | SWP_NOSIZE | SWP_FRAMECHANGED);
        const SIZE thinner = ClientSize(Hwnd());
        const SIZE window = WindowSize(Hwnd());
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, window.cx + client.cx - thinner.cx,
                       window.cy + client.cy - thinner.cy, keep);
    }
    CaptureLayout();
}

// Taken before anything moves a control: the template's own places.
void CPlaylistDlg::CaptureLayout()
{
    m_nDpi = WindowDpi(Hwnd());
    std::vector<CLayoutItem> items;
    m_layoutControls.clear();
    for (HWND hChild = ::GetWindow(Hwnd(), GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rc = {};
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        items.push_back({::GetDlgCtrlID(hChild), rc});
        m_layoutControls.push_back(hChild);
    }
    m_layout = CDialogLayout(std::move(items), ClientSize(Hwnd()), static_cast<int>(m_nDpi));
}

void CPlaylistDlg::ApplyLayout()
{
    if (m_layout.Empty()) return;
    const std::vector<RECT> places = m_layout.Place(ClientSize(Hwnd()), static_cast<int>(m_nDpi));
    HDWP hDefer = ::BeginDeferWindowPos(static_cast<int>(places.size()));
    for (size_t i = 0; i < places.size() && hDefer; ++i) {
        const RECT& rc = places[i];
        hDefer = ::DeferWindowPos(hDefer, m_layoutControls[i], nullptr, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (hDefer) ::EndDeferWindowPos(hDefer);
    // A wider caption shows more of a long path.
    m_treeFolders.RefitCaption();
    // Moving the controls repaints neither what they uncovered nor all of
    // what they now show: the window and every control are drawn anew.
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The frame is measured as the window's size less its client area. A
// minimised window has no client area, and it still has none when the
// system asks on its way back: measured then, the whole icon-sized window
// would count as frame and the restored window would come back wider. A
// restore returns to a size that was checked when it was set.
void CPlaylistDlg::OnGetMinMaxInfo(MINMAXINFO& info) const
{
    if (m_layout.Empty()) return;
    const SIZE client = ClientSize(Hwnd());
    if (client.cx <= 0 || client.cy <= 0) return;
    const SIZE least = m_layout.MinClient(static_cast<int>(m_nDpi));
    const SIZE window = WindowSize(Hwnd());
    info.ptMinTrackSize.x = window.cx - client.cx + least.cx;
    info.ptMinTrackSize.y = window.cy - client.cy + least.cy;
}

// The suggested rectangle keeps the window where the user put it, at the
// new DPI's size; the layout, the tree's icons and the lists' columns (they
// follow their own size) are made for the new DPI, already in m_nDpi.
void CPlaylistDlg::OnDpiChanged(const RECT& suggested)
{
    ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyLayout();
    SetUpTreeImages();
}
