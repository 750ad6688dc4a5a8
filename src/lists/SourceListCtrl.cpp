#include "lists/SourceListCtrl.h"

#include "lists/FolderScan.h"
#include "lists/ListDrag.h"
#include "lists/ListMessages.h"
#include "lists/PointerHandOff.h"

#include <shlwapi.h>

CSourceListCtrl::CSourceListCtrl() = default;

BOOL CSourceListCtrl::SetNotifyWnd(HWND hWnd)
{
    return m_notifyTarget.Set(hWnd);
}

BOOL CSourceListCtrl::FillFromFolder(const wchar_t* folder)
{
    if (!folder || !*folder) return FALSE;

    std::vector<std::wstring> paths;
    BOOL exists = ::PathFileExistsW(folder);
    if (exists) ScanAudioFiles(folder, paths);

    // An owner-data control keeps its selected states by index across a new
    // item count; on other files they would mark files nobody picked. The
    // same files again (the tree reloads the shown folder after expanding an
    // item) keep the selection the user made.
    bool otherFiles = paths != m_arrPaths;
    if (otherFiles) SetAllItemsSelected(*this, false);
    m_arrPaths.swap(paths);
    if (otherFiles) ForgetHoverItem();
    ShowNewContent();
    m_notifyTarget.Post(WM_LIST_CHANGED);
    return exists;
}

void CSourceListCtrl::ShowNewContent()
{
    SetItemCountEx(static_cast<int>(m_arrPaths.size()), LVSICF_NOINVALIDATEALL);
    Invalidate(TRUE);
    EnsureVisible(0, FALSE);
}

int CSourceListCtrl::GetSelectedPaths(std::vector<std::wstring>& out) const
{
    int count = static_cast<int>(GetSelectedCount());
    if (count == 0) return 0;
    CIndexArray items;
    if (AppendSelectedItems(*this, items) == 0) return -1;
    for (unsigned int item : items) {
        if (item < m_arrPaths.size()) out.push_back(m_arrPaths[item]);
    }
    return count;
}

int CSourceListCtrl::GetAllPaths(std::vector<std::wstring>& out) const
{
    out.insert(out.end(), m_arrPaths.begin(), m_arrPaths.end());
    return static_cast<int>(m_arrPaths.size());
}

void CSourceListCtrl::SelectItemByClick(int item)
{
    // Index -1 would address every item at once.
    if (item < 0 || item >= GetItemCount()) return;
    if (::GetKeyState(VK_CONTROL) & 0x8000) {
        UINT state = GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED;
        SetItemState(item, state ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        return;
    }
    if (!(::GetKeyState(VK_SHIFT) & 0x8000)) ClearSelection();
    SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    ::SetFocus(Hwnd());
}

void CSourceListCtrl::ClearSelection()
{
    // Every selected item loses its selected and focused states: the focus
    // only where it sat on a selected item, then the selection in one
    // message instead of one per item.
    int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0 && (GetItemState(focused, LVIS_SELECTED) & LVIS_SELECTED))
        SetItemState(focused, 0, LVIS_FOCUSED);
    SetAllItemsSelected(*this, false);
}

namespace {
// Messages after which the list may show other items under the pointer.
bool MayScroll(UINT msg)
{
    switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case LVM_SCROLL:
    case LVM_ENSUREVISIBLE:
        return true;
    default:
        return false;
    }
}
}  // namespace

// Where the first item stands in the client area; it moves when the view
// scrolls, whichever way.
POINT CSourceListCtrl::ViewOrigin() const
{
    RECT rc = {};
    if (GetItemCount() == 0 || !GetItemRect(0, &rc, LVIR_BOUNDS)) return POINT{0, 0};
    return POINT{rc.left, rc.top};
}

// Ctrl+A selects all; Enter adds the selection to the playlist.
bool CSourceListCtrl::OnKeyDown(WPARAM key)
{
    if (IsSelectAllKey(*this, key)) {
        SetAllItemsSelected(*this, true);
        return true;
    }
    if (key != VK_RETURN) return false;
    m_notifyTarget.Post(WM_SOURCE_LIST_DBLCLK);
    return true;
}

LRESULT CSourceListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_KEYDOWN && OnKeyDown(wParam)) return 0;
    if (MayScroll(msg)) {
        // A tip over the item once under the pointer would now show the name
        // of another file than the one beneath it.
        POINT before = ViewOrigin();
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        POINT after = ViewOrigin();
        if (before.x != after.x || before.y != after.y) ForgetHoverItem();
        return result;
    }
    switch (msg) {
    case WM_GETDLGCODE: {
        // Enter adds the selection here; the dialog must not take it for its
        // default button.
        const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = CListView::WindowProc(msg, wParam, lParam);
        if (pMsg && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_LBUTTONDBLCLK:
        // On the empty space below the files it means nothing.
        if (HitTest(PointFromLParam(lParam)) >= 0) m_notifyTarget.Post(WM_SOURCE_LIST_DBLCLK);
        break;
    case WM_SETFOCUS: {
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        FocusSomeItem(*this);
        return result;
    }
    case WM_MOUSEMOVE:
        if (PointerHandOff().IsDragOf(Hwnd())) TrackSourceDrag(PointFromLParam(lParam));
        else if (!PointerHandOff().IsDragging()) UpdateItemTip(PointFromLParam(lParam));
        break;
    case WM_LBUTTONUP: {
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        if (PointerHandOff().IsDragOf(Hwnd())) DropSourceDrag(PointFromLParam(lParam));
        else PointerHandOff().OnReleaseWithoutDrag(Hwnd());
        return result;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a box, a switch of programs): no
        // release will reach this list, so the drag must not outlive it.
        if (PointerHandOff().OnCaptureChanged(Hwnd(), reinterpret_cast<HWND>(lParam))) EndSourceDrag();
        break;
    case WM_SIZE: {
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        FitColumnToClient(*this);
        return result;
    }
    case WM_DESTROY:
        if (PointerHandOff().EndDrag(Hwnd())) EndSourceDrag();
        m_arrPaths.clear();
        break;
    default:
        break;
    }
    return CListView::WindowProc(msg, wParam, lParam);
}

void CSourceListCtrl::BeginSourceDrag()
{
    std::vector<std::wstring>& paths = PointerHandOff().DraggedPaths();
    paths.clear();
    if (GetSelectedPaths(paths) <= 0) return;
    // This list's image stops one item short of the page's last item.
    m_dragImage = CreateMultiDragImage(*this, 1);
    if (!m_dragImage) return;
    IMAGEINFO info = {};
    ::ImageList_GetImageInfo(m_dragImage.Get(), 0, &info);
    // The image hangs to the right of the pointer, centred on it vertically.
    POINT hotSpot = {0, (info.rcImage.bottom - info.rcImage.top) / 2};
    if (!PointerHandOff().BeginDrag(PointerState::SourceDrag, Hwnd(), m_dragImage.Get(), hotSpot, hotSpot))
        m_dragImage.Reset();
}

void CSourceListCtrl::TrackSourceDrag(POINT pt)
{
    POINT screen = pt;
    ::ClientToScreen(Hwnd(), &screen);
    // Without the dialog's wiring the image moves and nothing else shows.
    if (!m_notifyTarget.Get()) return PointerHandOff().MoveImage(screen);
    PointerHandOff().TrackDragIn(m_pDropTarget, screen);
}

void CSourceListCtrl::DropSourceDrag(POINT pt)
{
    POINT screen = pt;
    ::ClientToScreen(Hwnd(), &screen);
    int index = PointerHandOff().DropIn(Hwnd(), m_pDropTarget, screen);
    EndSourceDrag();
    if (index >= 0) m_notifyTarget.Post(WM_DROP_ON_PLAYLIST, static_cast<WPARAM>(index));
}

// After the hand-off has ended the drag: the playlist's mark goes whatever
// the drop, or a drag released elsewhere would leave the bar drawn there.
void CSourceListCtrl::EndSourceDrag()
{
    if (m_pDropTarget) m_pDropTarget->HideInsertMark();
    m_dragImage.Reset();
}

// A tip still showing the name of a file that has left the list would, when
// clicked, act on whatever file now has its index: it goes, and the next
// move over the list reports its item afresh.
void CSourceListCtrl::ForgetHoverItem()
{
    if (PointerHandOff().LastHoverItem() < 0) return;
    PointerHandOff().SetLastHoverItem(-1);
    ReportHoverItem(-1);
}

void CSourceListCtrl::UpdateItemTip(POINT pt)
{
    int item = HitTest(pt);
    if (item == PointerHandOff().LastHoverItem()) return;
    PointerHandOff().SetLastHoverItem(item);
    ReportHoverItem(item);
}

void CSourceListCtrl::ReportHoverItem(int item)
{
    RECT rcItem = {};
    const wchar_t* text = L"";
    BOOL selected = FALSE;
    if (item >= 0 && static_cast<size_t>(item) < m_arrPaths.size()) {
        text = ::PathFindFileNameW(m_arrPaths[static_cast<size_t>(item)].c_str());
        if (GetItemRect(item, &rcItem, LVIR_BOUNDS))
            ::MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&rcItem), 2);
        selected = (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    }
    if (m_notifyTarget.Get() && m_pTipSink) m_pTipSink->ShowItemTip(this, item, rcItem, text, selected);
}

bool CSourceListCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result)
{
    if (AnswerDisplayRequest(header, m_arrPaths, result) || AnswerCustomDraw(*this, header, result)) return true;
    if (header->code == LVN_BEGINDRAG) {
        BeginSourceDrag();
        result = 0;
        return true;
    }
    if (header->code != LVN_ITEMCHANGED) return false;
    m_notifyTarget.Post(WM_LIST_CHANGED);
    result = 0;
    return true;
}
