#include "look/ItemTipWnd.h"

#include "framework/Dpi.h"
#include "framework/Raii.h"
#include "lists/PointerHandOff.h"

namespace {

const wchar_t kTipClass[] = L"WavaItemTip";

bool RegisterTipClass()
{
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTipClass;
    return ::RegisterClassW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HFONT WindowFont(HWND hWnd)
{
    return hWnd ? reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)) : nullptr;
}

}

CItemTipWnd::CItemTipWnd() : m_nDblClickTime(::GetDoubleClickTime())
{
}

CItemTipWnd::~CItemTipWnd()
{
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

BOOL CItemTipWnd::SetNotifyWnd(HWND hWnd)
{
    if (!hWnd) return FALSE;
    m_hWndNotify = hWnd;
    return TRUE;
}

// Owned by hOwner, so that it goes with the owner's window and never stands
// alone on the screen after it.
BOOL CItemTipWnd::CreateTip(HWND hOwner)
{
    if (!RegisterTipClass()) return FALSE;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTipClass, L"", WS_POPUP, 0, 0, 10, 10, hOwner, 0))
        return FALSE;
    m_hOwner = hOwner;
    return TRUE;
}

BOOL CItemTipWnd::ShowTip(CListView* pList, int nItem, const RECT* prcItem, const wchar_t* pszText,
                          BOOL bSelected)
{
    m_nItem = nItem;
    m_bShowing = TRUE;
    m_strText = pszText ? pszText : L"";
    m_bSelected = bSelected;
    m_pList = pList;
    if (m_strText.empty() || !prcItem || prcItem->right == 0 || prcItem->bottom == 0) return HideTip();

    SIZE text = {};
    {
        CWindowDc dc(Hwnd());
        if (!dc) return HideTip();
        CSelectObject font(dc.Get(), WindowFont(m_hOwner));
        ::GetTextExtentPoint32W(dc.Get(), m_strText.c_str(), static_cast<int>(m_strText.size()), &text);
    }
    const int room = ScaleForDpi(kItemTextRoom, WindowDpi(m_hOwner));
    if (prcItem->right - prcItem->left >= text.cx + room) return HideTip();

    BOOL placed = ::SetWindowPos(Hwnd(), nullptr, prcItem->left, prcItem->top, text.cx,
                                 prcItem->bottom - prcItem->top,
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_rcTip = {prcItem->left, prcItem->top, prcItem->left + text.cx, prcItem->bottom};
    if (placed) TrackPointerLeave();
    // The pointer may be off the tip by its next move, which would then go
    // to another window and leave the tip standing; holding the mouse from
    // the start, the tip hears of that move too. A capture someone else holds
    // (the list selecting with the button down) is left alone.
    if (placed && !::GetCapture()) ::SetCapture(Hwnd());
    return placed;
}

BOOL CItemTipWnd::HideTip()
{
    m_bSelected = FALSE;
    m_bShowing = FALSE;
    // The release of a press may never reach a hidden tip (the mouse went
    // elsewhere): remembered, the press would pass to the list at the next
    // plain move over a tip shown again, a press the user never made.
    PointerHandOff().OnTipHidden();
    BOOL wasVisible = ::ShowWindow(Hwnd(), SW_HIDE);
    // A hidden tip keeps no hold on the mouse: a click would otherwise act on
    // an item that nobody sees a tip for.
    if (Hwnd() && ::GetCapture() == Hwnd()) ::ReleaseCapture();
    return wasVisible;
}

// Holding the mouse alone is not enough: only the foreground window's
// capture follows the pointer over other programs, and a tip shown while the
// program is in the background would never learn that the pointer left.
// Asked for again at each move over the tip: the system may still count the
// pointer as over the list when the tip appears under it (the pointer has
// not moved since), and then ends the first request at once with a leave
// notice.
void CItemTipWnd::TrackPointerLeave() const
{
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Hwnd(), 0};
    ::TrackMouseEvent(&track);
}

// A leave notice may be late: the tip may have been shown again meanwhile
// under the pointer.
bool CItemTipWnd::PointerIsOver() const
{
    POINT pt = {};
    return ::GetCursorPos(&pt) && ::WindowFromPoint(pt) == Hwnd();
}

bool CItemTipWnd::OwnerCanHear() const
{
    return m_hOwner && m_nItem >= 0 && ::IsWindow(m_hOwner);
}

LRESULT CItemTipWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEACTIVATE:
        // The main dialog keeps the activation and the focus.
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        break;
    case WM_LBUTTONUP:
        PointerHandOff().OnTipRelease();
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        break;
    case WM_MOUSELEAVE:
        // Over the tip still: the next move asks for the leave anew.
        if (!PointerIsOver()) HideTip();
        break;
    case WM_ACTIVATEAPP:
        // Another program is in front: nothing of ours stays over it.
        if (!wParam) HideTip();
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        // A wheel turned over the tip is meant for the list beneath, which
        // then scrolls away from the item that the tip showed.
        HideTip();
        if (m_pList && m_pList->Hwnd()) return m_pList->Send(msg, wParam, lParam);
        break;
    case WM_CAPTURECHANGED:
        // Without the mouse the tip would never learn that the pointer left:
        // it would stay over the list, showing a stale name.
        if (reinterpret_cast<HWND>(lParam) != Hwnd()) HideTip();
        break;
    default:
        break;
    }
    return CWindow::WindowProc(msg, wParam, lParam);
}

void CItemTipWnd::OnLButtonDown()
{
    bool doubleClick = PointerHandOff().OnTipPress(m_nItem, m_nDblClickTime);
    if (doubleClick && OwnerCanHear())
        ::PostMessageW(m_hOwner, WM_TIP_DBLCLICK, static_cast<WPARAM>(m_nItem), 0);
    m_bSelected = TRUE;
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
    if (OwnerCanHear()) ::PostMessageW(m_hOwner, WM_TIP_CLICK, static_cast<WPARAM>(m_nItem), 0);
}

void CItemTipWnd::OnMouseMove(LPARAM lParam)
{
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    // A held press becomes the list's, at the same spot, so that the list
    // can begin its own drag.
    HWND hList = m_pList ? m_pList->Hwnd() : nullptr;
    POINT listPoint = pt;
    if (hList) ::MapWindowPoints(Hwnd(), hList, &listPoint, 1);
    if (PointerHandOff().OnTipMove(hList, listPoint)) {
        HideTip();
        return;
    }
    // The tip holds the mouse while the pointer is over it, so that it
    // learns when the pointer leaves.
    ::SetCapture(Hwnd());
    ::ClientToScreen(Hwnd(), &pt);
    if (!::PtInRect(&m_rcTip, pt)) {
        ::ReleaseCapture();
        HideTip();
        return;
    }
    TrackPointerLeave();
}

void CItemTipWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hDc = ::BeginPaint(Hwnd(), &ps);
    HFONT hFont = m_bShowing && ::IsWindow(m_hWndNotify) ? WindowFont(m_hWndNotify) : nullptr;
    if (hFont) {
        {
            CSelectObject font(hDc, hFont);
            int saved = m_bSelected ? ::SaveDC(hDc) : 0;
            if (m_bSelected) {
                ::SetBkColor(hDc, ::GetSysColor(COLOR_HIGHLIGHT));
                ::SetTextColor(hDc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
            }
            ::SetBkMode(hDc, OPAQUE);
            ::TextOutW(hDc, 0, 0, m_strText.c_str(), static_cast<int>(m_strText.size()));
            if (saved) ::RestoreDC(hDc, saved);
        }
        // Open on the left, where the item's own text begins.
        int w = m_rcTip.right - m_rcTip.left;
        int h = m_rcTip.bottom - m_rcTip.top;
        ::MoveToEx(hDc, 0, 0, nullptr);
        ::LineTo(hDc, w - 1, 0);
        ::LineTo(hDc, w - 1, h - 1);
        ::LineTo(hDc, 0, h - 1);
    }
    ::EndPaint(Hwnd(), &ps);
}
