#include "lists/PlaylistListCtrl.h"

#include "framework/Dpi.h"
#include "framework/MessageBox.h"
#include "lists/ListDrag.h"
#include "lists/ListMessages.h"
#include "lists/PointerHandOff.h"
#include "res/resource_ids.h"

#include <algorithm>

namespace {

// The drag image follows the pointer over the list but for its right-hand
// tenth; elsewhere it is parked by the list. The tenth is of the list's own
// width, so the area does not depend on where the window stands.
RECT DragImageArea(HWND hList)
{
    RECT rc = {};
    ::GetWindowRect(hList, &rc);
    rc.right = rc.left + 9 * (rc.right - rc.left) / 10;
    return rc;
}

}

// The control stops painting items, but it still draws its scroll bar at
// once on every change of its range and size: several times while thousands
// of entries arrive, each a costly draw outside a paint. Without its visible
// style for the while (what the default handling of WM_SETREDRAW does to any
// window) it draws nothing, and the one repaint at the end includes the frame.
CPlaylistListCtrl::CBatch::CBatch(CPlaylistListCtrl& list) : m_list(list)
{
    if (m_list.m_nBatchDepth++ > 0) return;
    m_list.Send(WM_SETREDRAW, FALSE);
    m_list.m_bHiddenInBatch = ::IsWindowVisible(m_list.Hwnd()) != FALSE;
    if (m_list.m_bHiddenInBatch) ::DefWindowProcW(m_list.Hwnd(), WM_SETREDRAW, FALSE, 0);
}

CPlaylistListCtrl::CBatch::~CBatch()
{
    if (--m_list.m_nBatchDepth > 0) return;
    m_list.Send(WM_SETREDRAW, TRUE);
    if (m_nScrollItem >= 0) m_list.EnsureVisible(m_nScrollItem, m_bPartialOk);
    if (m_list.m_bHiddenInBatch) {
        m_list.m_bHiddenInBatch = false;
        ::DefWindowProcW(m_list.Hwnd(), WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(m_list.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    } else {
        m_list.Invalidate(TRUE);
    }
    if (!m_list.m_bChangedInBatch) return;
    m_list.m_bChangedInBatch = false;
    m_list.m_notifyTarget.Post(WM_LIST_CHANGED);
}

void CPlaylistListCtrl::CBatch::ScrollTo(size_t item, BOOL partialOk)
{
    m_nScrollItem = static_cast<int>(item);
    m_bPartialOk = partialOk;
}

BOOL CPlaylistListCtrl::SetNotifyWnd(HWND hWnd)
{
    return m_notifyTarget.Set(hWnd);
}

CPlaylistListCtrl::~CPlaylistListCtrl()
{
    if (m_pModel) m_pModel->SetView(nullptr);
}

void CPlaylistListCtrl::SetModel(CPlaylistModel* pModel)
{
    if (m_pModel) m_pModel->SetView(nullptr);
    m_pModel = pModel;
    m_pModel->SetView(this);
    UpdateItemCount();
    Invalidate(TRUE);
}

void CPlaylistListCtrl::UpdateItemCount() const
{
    SetItemCountEx(static_cast<int>(m_pModel->Count()), LVSICF_NOINVALIDATEALL);
}

void CPlaylistListCtrl::DeselectAll()
{
    SetAllItemsSelected(*this, false);
}

int CPlaylistListCtrl::CollectSelection(CIndexArray& out) const
{
    int count = static_cast<int>(GetSelectedCount());
    if (count == 0) return 0;
    CIndexArray items;
    items.reserve(static_cast<size_t>(count));
    if (AppendSelectedItems(*this, items) == 0) return -1;
    out.swap(items);
    return count;
}

// A failed walk would leave an older selection in the model; editing by it
// would touch entries the user never selected.
bool CPlaylistListCtrl::ReadSelection()
{
    CPlaylistSelection selection;
    if (CollectSelection(selection.items) < 0) return false;
    selection.focus = GetNextItem(-1, LVNI_FOCUSED);
    m_pModel->SetSelection(std::move(selection));
    return true;
}

bool CPlaylistListCtrl::Edit(const std::function<bool(CPlaylistModel&)>& edit)
{
    return ReadSelection() && edit(*m_pModel);
}

void CPlaylistListCtrl::ShowSelection(bool withFocus)
{
    const CPlaylistSelection& selection = m_pModel->Selection();
    if (!selection.items.empty() && selection.items.size() == m_pModel->Count()) {
        SetAllItemsSelected(*this, true);
    } else {
        DeselectAll();
        for (unsigned int item : selection.items)
            SetItemState(static_cast<int>(item), LVIS_SELECTED, LVIS_SELECTED);
    }
    if (withFocus && selection.focus >= 0) SetItemState(selection.focus, LVIS_FOCUSED, LVIS_FOCUSED);
}

// The whole list is painted once at the end of the batch: an owner-data
// list paints only the page in view, whatever changed.
void CPlaylistListCtrl::OnPlaylistChanged(const CPlaylistChange& change)
{
    if (!Hwnd()) return;
    // An edit during a drag within the list (a key, an undo) may have moved
    // or removed the dragged entries: the drag ends, its release moves nothing.
    if (PointerHandOff().EndDrag(Hwnd())) EndInternalDrag();
    CBatch batch(*this);
    if (change.countChanged) UpdateItemCount();
    ShowSelection(change.restoresFocus);
    if (change.scrollTo < m_pModel->Count()) batch.ScrollTo(change.scrollTo, change.partialOk ? TRUE : FALSE);
    m_bChangedInBatch = true;
}

BOOL CPlaylistListCtrl::AddEntries(const std::vector<std::wstring>& arr)
{
    if (arr.empty()) {
        ShowAppMessage(Hwnd(), IDS_NOTHING_TO_ADD);
        return FALSE;
    }
    return Edit([&](CPlaylistModel& model) { return model.Insert(model.Count(), arr, 1); });
}

BOOL CPlaylistListCtrl::InsertEntries(int index, std::vector<std::wstring> arr)
{
    if (arr.empty()) return FALSE;
    size_t at = index < 0 ? m_pModel->Count() : static_cast<size_t>(index);
    size_t count = arr.size();
    return Edit([&](CPlaylistModel& model) { return model.Insert(at, std::move(arr), count); });
}

BOOL CPlaylistListCtrl::RemoveSelectedEntries()
{
    if (GetSelectedCount() == 0) {
        ShowAppMessage(Hwnd(), IDS_NOTHING_TO_REMOVE);
        return FALSE;
    }
    return Edit([](CPlaylistModel& model) { return model.RemoveSelected(); });
}

BOOL CPlaylistListCtrl::RemoveAllEntries()
{
    if (GetItemCount() == 0) {
        ShowAppMessage(Hwnd(), IDS_NOTHING_TO_REMOVE);
        return FALSE;
    }
    return Edit([](CPlaylistModel& model) { return model.RemoveAll(); });
}

// The selection is walked once: thousands of selected items are thousands
// of messages to the control.
int CPlaylistListCtrl::MoveSelectedEntries(BOOL up)
{
    if (GetSelectedCount() == 0) return 0;
    if (!ReadSelection()) return -1;
    int count = static_cast<int>(m_pModel->Selection().items.size());
    m_pModel->MoveSelectedByOne(up != FALSE);
    return count;
}

void CPlaylistListCtrl::SetMissingPaths(const std::vector<std::wstring>& paths)
{
    m_missing.Set(paths);
    Invalidate(TRUE);
}

BOOL CPlaylistListCtrl::RemoveMissingEntries()
{
    return Edit([this](CPlaylistModel& model) {
        return model.RemoveMatching([this](const std::wstring& path) { return m_missing.IsMissing(path); });
    });
}

LRESULT CPlaylistListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
        if (IsSelectAllKey(*this, wParam)) {
            SetAllItemsSelected(*this, true);
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        // Alt+Up and Alt+Down move the selection; without one, nothing moves
        // and no box interrupts the typing.
        if (wParam == VK_UP || wParam == VK_DOWN) {
            MoveSelectedEntries(wParam == VK_UP ? TRUE : FALSE);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_DELETE) RemoveSelectedEntries();
        break;
    case WM_LBUTTONDBLCLK:
        // On the empty space below the entries it means nothing.
        if (HitTest(PointFromLParam(lParam)) >= 0) m_notifyTarget.Post(WM_PLAYLIST_DBLCLK);
        break;
    case WM_SETFOCUS: {
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        FocusSomeItem(*this);
        return result;
    }
    case WM_MOUSEMOVE:
        if (PointerHandOff().IsDragOf(Hwnd())) TrackInternalDrag(PointFromLParam(lParam));
        break;
    case WM_LBUTTONUP: {
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        if (PointerHandOff().IsDragOf(Hwnd())) DropInternalDrag(PointFromLParam(lParam));
        return result;
    }
    case WM_CAPTURECHANGED:
        // No release will reach this list any more: the drag ends unmoved.
        if (PointerHandOff().OnCaptureChanged(Hwnd(), reinterpret_cast<HWND>(lParam))) EndInternalDrag();
        break;
    case WM_SIZE: {
        LRESULT result = CListView::WindowProc(msg, wParam, lParam);
        FitColumnToClient(*this);
        return result;
    }
    case WM_DESTROY:
        if (PointerHandOff().EndDrag(Hwnd())) EndInternalDrag();
        break;
    case WM_PAINT:
        return OnPaint(msg, wParam, lParam);
    default:
        break;
    }
    return CListView::WindowProc(msg, wParam, lParam);
}

bool CPlaylistListCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result)
{
    if (AnswerDisplayRequest(header, m_pModel->Paths(), result)) {
        m_missing.MarkDisplayText(header, m_pModel->Paths());
        return true;
    }
    if (header->code == NM_CUSTOMDRAW) {
        // The selection's tint without the focus, and the mark of a missing
        // entry over it.
        AnswerCustomDraw(*this, header, result);
        LRESULT missing = CDRF_DODEFAULT;
        m_missing.OnCustomDraw(header, m_pModel->Paths(), missing);
        result |= missing;
        return true;
    }
    if (header->code == LVN_BEGINDRAG) {
        BeginInternalDrag();
        result = 0;
        return true;
    }
    if (header->code != LVN_ITEMCHANGED) return false;
    if (m_nBatchDepth > 0) {
        m_bChangedInBatch = true;
    } else {
        m_notifyTarget.Post(WM_LIST_CHANGED);
    }
    result = 0;
    return true;
}

void CPlaylistListCtrl::ShowInsertMark(int index)
{
    m_bInsertMarkHidden = FALSE;
    int count = GetItemCount();
    RECT rcItem = {};
    RECT mark = m_rcInsertMark;
    // Two pixels at 96 DPI, as thick at any other.
    const int thickness = ScaleForDpi(2, WindowDpi(Hwnd()));
    if (index >= count) {
        if (!GetItemRect(count > 0 ? count - 1 : 0, &rcItem, LVIR_BOUNDS)) return;
        mark = rcItem;
        mark.top = rcItem.bottom;
        mark.bottom = rcItem.bottom + thickness;
    } else {
        if (index < 0 || !GetItemRect(index, &rcItem, LVIR_BOUNDS)) return;
        mark = rcItem;
        mark.bottom = rcItem.top + thickness;
    }
    // The old place is repainted too, so that only one bar shows.
    ::InvalidateRect(Hwnd(), &m_rcInsertMark, TRUE);
    m_rcInsertMark = mark;
    ::InvalidateRect(Hwnd(), &m_rcInsertMark, TRUE);
}

void CPlaylistListCtrl::HideInsertMark()
{
    m_bInsertMarkHidden = TRUE;
    ::InvalidateRect(Hwnd(), &m_rcInsertMark, TRUE);
}

bool CPlaylistListCtrl::GetInsertMark(RECT& rc) const
{
    rc = m_rcInsertMark;
    return !m_bInsertMarkHidden;
}

int CPlaylistListCtrl::DropIndexAt(POINT screen) const
{
    return GetTargetIndex(this, MapPointToTarget(screen, *this));
}

int CPlaylistListCtrl::GetDropIndex(POINT pt) const
{
    int hit = HitTest(pt);
    if (hit >= 0) return InsertIndexFromHit(*this, pt, hit);
    RECT rcFirst = {};
    if (GetItemRect(0, &rcFirst, LVIR_BOUNDS) && pt.y >= rcFirst.bottom - rcFirst.top)
        return GetItemCount();
    return 0;
}

BOOL CPlaylistListCtrl::IsDraggedItem(int index) const
{
    return index >= 0 &&
           std::binary_search(m_arrDragged.begin(), m_arrDragged.end(), static_cast<unsigned int>(index));
}

void CPlaylistListCtrl::BeginInternalDrag()
{
    if (CollectSelection(m_arrDragged) <= 0) return;
    m_dragImage = CreateMultiDragImage(*this, 0);
    if (!m_dragImage) return;
    // The image hangs below and to the right of the pointer.
    if (!PointerHandOff().BeginDrag(PointerState::PlaylistDrag, Hwnd(), m_dragImage.Get(), POINT{0, 0}, POINT{0, 0}))
        m_dragImage.Reset();
}

int CPlaylistListCtrl::DragIndexAt(POINT pt) const
{
    POINT screen = pt;
    ::ClientToScreen(Hwnd(), &screen);
    RECT rcWindow = {};
    ::GetWindowRect(Hwnd(), &rcWindow);
    return screen.y > rcWindow.top ? GetDropIndex(pt) : 0;
}

void CPlaylistListCtrl::TrackInternalDrag(POINT pt)
{
    int index = DragIndexAt(pt);
    if (IsDraggedItem(index)) HideInsertMark();
    else ShowInsertMark(index);

    POINT screen = pt;
    ::ClientToScreen(Hwnd(), &screen);
    RECT area = DragImageArea(Hwnd());
    if (!::PtInRect(&area, screen)) {
        // Parked under the last entry, or at the list's bottom.
        screen.x = area.left;
        screen.y = area.bottom;
        RECT rcLast = {};
        int count = GetItemCount();
        if (count > 0 && GetItemRect(count - 1, &rcLast, LVIR_BOUNDS)) {
            ::MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&rcLast), 2);
            if (rcLast.bottom > 0) screen.y = rcLast.bottom;
        }
    }
    PointerHandOff().MoveImage(screen);
}

// The whole dragged block moves, as collected when the drag began, whatever
// the keyboard did to the selection meanwhile; the block alone is selected
// afterwards.
void CPlaylistListCtrl::DropInternalDrag(POINT pt)
{
    size_t target = static_cast<size_t>(DragIndexAt(pt));
    PointerHandOff().EndDrag(Hwnd());
    EndInternalDrag();
    m_pModel->SetSelection({m_arrDragged, GetNextItem(-1, LVNI_FOCUSED)});
    m_pModel->MoveSelectedBefore(target);
}

void CPlaylistListCtrl::EndInternalDrag()
{
    HideInsertMark();
    m_dragImage.Reset();
    Invalidate(TRUE);
}

// During a drag the list paints as usual, with the drag image lifted off the
// screen meanwhile (it saved the pixels under it and would put stale ones
// back), and the mark drawn on top.
LRESULT CPlaylistListCtrl::OnPaint(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A drag from another program draws its own image, if any.
    bool imageDrag = PointerHandOff().IsDragging();
    if (!imageDrag && m_bInsertMarkHidden) return CListView::WindowProc(msg, wParam, lParam);
    if (imageDrag) ::ImageList_DragShowNolock(FALSE);
    LRESULT result = CListView::WindowProc(msg, wParam, lParam);
    if (!m_bInsertMarkHidden) {
        CWindowDc dc(Hwnd());
        if (dc) ::FillRect(dc.Get(), &m_rcInsertMark, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    if (imageDrag) ::ImageList_DragShowNolock(TRUE);
    return result;
}
