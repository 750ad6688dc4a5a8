#include "lists/PointerHandOff.h"

CPointerHandOff& PointerHandOff()
{
    static CPointerHandOff handOff;
    return handOff;
}

bool CPointerHandOff::OnTipPress(int item, UINT doubleClickMs)
{
    DWORD now = ::GetTickCount();
    bool doubleClick = m_nLastTipPressItem == item && now - m_dwLastTipPress < doubleClickMs;
    // A press that completed a double click starts no new one: a third
    // quick press is a single click, or it would add the files again.
    m_nLastTipPressItem = doubleClick ? -1 : item;
    m_dwLastTipPress = now;
    if (!IsDragging()) {
        m_state = PointerState::TipPressed;
        m_hOwner = nullptr;
    }
    return doubleClick;
}

void CPointerHandOff::OnTipRelease()
{
    if (m_state == PointerState::TipPressed) m_state = PointerState::Free;
}

bool CPointerHandOff::OnTipMove(HWND hList, POINT listPoint)
{
    if (m_state != PointerState::TipPressed) return false;
    m_state = PointerState::Free;
    if (!hList) return true;
    m_state = PointerState::PressHandedOver;
    m_hOwner = hList;
    ::SetCapture(hList);
    ::PostMessageW(hList, WM_LBUTTONDOWN, 0, MAKELPARAM(listPoint.x, listPoint.y));
    return true;
}

void CPointerHandOff::OnTipHidden()
{
    OnTipRelease();
}

bool CPointerHandOff::BeginDrag(PointerState drag, HWND hOwner, HIMAGELIST image, POINT hotSpot, POINT clientStart)
{
    if (IsDragging() || !::ImageList_BeginDrag(image, 0, hotSpot.x, hotSpot.y)) return false;
    m_state = drag;
    m_hOwner = hOwner;
    ::ClientToScreen(hOwner, &clientStart);
    ::ImageList_DragEnter(nullptr, clientStart.x, clientStart.y);
    ::SetCapture(hOwner);
    return true;
}

void CPointerHandOff::MoveImage(POINT screen) const
{
    ::ImageList_DragMove(screen.x, screen.y);
}

bool CPointerHandOff::EndDrag(HWND hOwner)
{
    if (!IsDragOf(hOwner)) return false;
    m_state = PointerState::Free;
    m_hOwner = nullptr;
    ::ImageList_DragLeave(nullptr);
    ::ImageList_EndDrag();
    ::ReleaseCapture();
    return true;
}

void CPointerHandOff::OnReleaseWithoutDrag(HWND hWnd)
{
    if (m_state == PointerState::PressHandedOver && m_hOwner == hWnd) {
        m_state = PointerState::Free;
        m_hOwner = nullptr;
    }
    if (::GetCapture() == hWnd) ::ReleaseCapture();
}

bool CPointerHandOff::OnCaptureChanged(HWND hWnd, HWND hNew)
{
    if (hNew == hWnd || m_hOwner != hWnd) return false;
    if (m_state == PointerState::PressHandedOver) {
        m_state = PointerState::Free;
        m_hOwner = nullptr;
        return false;
    }
    return EndDrag(hWnd);
}

void CPointerHandOff::TrackDragIn(IPathDropTarget* target, POINT screen) const
{
    if (target && ::WindowFromPoint(screen) == target->DropWindow()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        target->ShowInsertMark(target->DropIndexAt(screen));
    } else {
        ::SetCursor(::LoadCursorW(nullptr, IDC_NO));
    }
    MoveImage(screen);
}

int CPointerHandOff::DropIn(HWND hOwner, IPathDropTarget* target, POINT screen)
{
    RECT rcTarget = {};
    bool dropped = target && ::GetWindowRect(target->DropWindow(), &rcTarget) && ::PtInRect(&rcTarget, screen);
    int index = dropped ? target->DropIndexAt(screen) : -1;
    EndDrag(hOwner);
    if (target) target->HideInsertMark();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return index;
}
