#include "look/LoadingTreeCtrl.h"
#include "framework/Colours.h"

CLoadingTreeCtrl::CLoadingTreeCtrl() : m_strLoading(L"Loading...") {}

// The worker never outlives an expansion, so there is no thread to stop here.
CLoadingTreeCtrl::~CLoadingTreeCtrl() = default;

void CLoadingTreeCtrl::OnLoadingStart(HTREEITEM) {}
void CLoadingTreeCtrl::OnLoadingStep(BOOL, int, int) {}
void CLoadingTreeCtrl::OnLoadingEnd() {}

BOOL CLoadingTreeCtrl::NeedRefresh(HTREEITEM)
{
    return FALSE;
}

void CLoadingTreeCtrl::SetProgress(int nPhase, int nCount)
{
    m_nProgressPhase = nPhase;
    m_nProgressCount = nCount;
    Wake();
}

void CLoadingTreeCtrl::AddProgress(int n)
{
    m_nProgressCount += n;
    Wake();
}

void CLoadingTreeCtrl::Wake()
{
    if (m_hWakeEvent && !m_bWakePending.exchange(1)) ::SetEvent(m_hWakeEvent.Get());
}

int CLoadingTreeCtrl::GetProgress(int* pnPhase) const
{
    if (pnPhase) *pnPhase = m_nProgressPhase;
    return m_nProgressCount;
}

LRESULT CLoadingTreeCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND) return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    return CTreeView::WindowProc(msg, wParam, lParam);
}

bool CLoadingTreeCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result)
{
    const NMTREEVIEWW* tv = reinterpret_cast<const NMTREEVIEWW*>(header);
    switch (header->code) {
    case TVN_ITEMEXPANDINGW:
        if (tv->action & TVE_EXPAND) PrepareExpand(tv->itemNew.hItem);
        break;
    case TVN_ITEMEXPANDEDW:
        if (tv->action & TVE_EXPAND) {
            FinishExpand(tv->itemNew.hItem);
        } else if ((tv->action & TVE_COLLAPSE) && NeedRefresh(tv->itemNew.hItem)) {
            DeleteChildItems(tv->itemNew.hItem);
            SetChildrenFlag(tv->itemNew.hItem, 1);   // to be filled anew
        }
        break;
    case TVN_SINGLEEXPAND:
        // 0 lets the control's own single-expand behaviour apply.
        break;
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
        return true;
    default:
        return false;
    }
    result = 0;
    return true;
}

BOOL CLoadingTreeCtrl::OnEraseBkgnd(HDC hDc)
{
    if (!m_bHaveBackground)
        return static_cast<BOOL>(DefaultProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDc), 0));
    DrawBackground(hDc);
    Wake();
    return TRUE;
}

// The control's own colour for a selection without the focus is a light
// grey that can hardly be told from the background (Wine draws F5F5F5 on
// white); the user would not see which folder the lists show.
LRESULT CLoadingTreeCtrl::OnCustomDraw(NMTVCUSTOMDRAW& draw) const
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || ::GetFocus() == Hwnd()) return CDRF_DODEFAULT;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(draw.nmcd.dwItemSpec);
    if (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) {
        draw.clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        draw.clrTextBk = UnfocusedSelectionColour();
    }
    return CDRF_DODEFAULT;
}

void CLoadingTreeCtrl::PrepareExpand(HTREEITEM hItem)
{
    if (GetChildItem(hItem)) {
        if (!NeedRefresh(hItem)) {
            m_hExpandingItem = nullptr;
            return;
        }
        DeleteChildItems(hItem);
    }
    m_hExpandingItem = hItem;
    // Pending painting first, so that the snapshot shows a finished tree.
    // A tree not shown yet (the first fill, before the window appears) has
    // nothing to paint and nothing to keep.
    if (::IsWindowVisible(Hwnd())) ::UpdateWindow(Hwnd());
    SetRedraw(FALSE);

    TVINSERTSTRUCTW insert = {};
    insert.hParent = hItem;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = &m_strLoading[0];
    m_hPlaceholder = InsertItem(insert);
    m_nProgressPhase = 1;
    m_nProgressCount = 0;
}

void CLoadingTreeCtrl::FinishExpand(HTREEITEM hItem)
{
    if (!m_hExpandingItem) return;
    // A fill that throws (out of memory) unwinds to the window procedure,
    // which swallows it: the worker must stop and the tree paint again
    // however the fill ends.
    CScopeExit restore([this] {
        StopLoadingThread();
        DeleteBackground();
        SetRedraw(TRUE);
    });
    StartLoadingThread();
    SetRedraw(FALSE);
    if (::IsWindowVisible(Hwnd())) SaveBackground();
    // A null handle would delete every item of the tree.
    if (m_hPlaceholder) DeleteItem(m_hPlaceholder);
    m_hPlaceholder = nullptr;
    BOOL bFinal = FillChildren(hItem);
    StopLoadingThread();

    if (hItem != TVI_ROOT) {
        const bool bHasChild = GetChildItem(hItem) != nullptr;
        if (bFinal) {
            SetChildrenFlag(hItem, bHasChild ? 1 : 0);
        } else if (!bHasChild) {
            // Shown collapsed with its button, so that it can be expanded
            // (and filled) again. The button is set explicitly: some
            // controls drop it when the last child, the placeholder, goes.
            TVITEMW item = {};
            item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_CHILDREN;
            item.hItem = hItem;
            item.stateMask = TVIS_EXPANDED;
            item.cChildren = 1;
            SetItem(item);
        }
    }
}

void CLoadingTreeCtrl::StartLoadingThread()
{
    OnLoadingStart(m_hPlaceholder);
    m_bLoading = true;
    m_bStopThread = 0;
    // Both start signalled, so a new worker reports at once.
    m_bWakePending = 1;
    m_hTickEvent.Reset(::CreateEventW(nullptr, FALSE, TRUE, nullptr));
    m_hWakeEvent.Reset(::CreateEventW(nullptr, FALSE, TRUE, nullptr));
    if (m_hTickEvent && m_hWakeEvent)
        m_hThread.Reset(::CreateThread(nullptr, 0, LoadingThreadProc, this, 0, nullptr));
}

void CLoadingTreeCtrl::StopLoadingThread()
{
    if (!m_bLoading) return;
    m_bLoading = false;
    m_bStopThread = 1;
    if (m_hWakeEvent) ::SetEvent(m_hWakeEvent.Get());
    if (m_hThread) ::WaitForSingleObject(m_hThread.Get(), INFINITE);
    m_hTickEvent.Reset();
    m_hWakeEvent.Reset();
    m_hThread.Reset();
    OnLoadingEnd();
}

namespace {
// How long the worker lets reports gather after a wake-up: short beside
// anything it could show, long beside one report.
const DWORD kWakeSettleMs = 10;
}  // namespace

DWORD WINAPI CLoadingTreeCtrl::LoadingThreadProc(void* pParam)
{
    CLoadingTreeCtrl* pTree = static_cast<CLoadingTreeCtrl*>(pParam);
    const HANDLE events[2] = {pTree->m_hTickEvent.Get(), pTree->m_hWakeEvent.Get()};
    while (!pTree->m_bStopThread) {
        DWORD wait = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        if (pTree->m_bStopThread || wait > WAIT_OBJECT_0 + 1) break;
        if (wait == WAIT_OBJECT_0 + 1) {
            // Reports of the next moments fold into this one: while the wake
            // is pending the UI thread makes no system call for them. A fill
            // reports once per item, and a worker that took each at once
            // would cost a round trip to the system per item. Only a stop
            // signals the event meanwhile, and ends the settling at once.
            ::WaitForSingleObject(events[1], kWakeSettleMs);
            if (pTree->m_bStopThread) break;
            // Cleared before reading, so a report made after the reads
            // signals again.
            pTree->m_bWakePending = 0;
        }
        // Count and phase are read one after the other, not as a pair.
        int nCount = pTree->m_nProgressCount;
        int nPhase = pTree->m_nProgressPhase;
        try {
            pTree->OnLoadingStep(wait == WAIT_OBJECT_0, nPhase, nCount);
        } catch (...) {
            // Nothing may unwind out of a thread's entry point.
        }
    }
    return 0;
}

void CLoadingTreeCtrl::DeleteChildItems(HTREEITEM hItem)
{
    HTREEITEM hChild = GetChildItem(hItem);
    while (hChild) {
        HTREEITEM hNext = GetNextSiblingItem(hChild);
        DeleteItem(hChild);
        hChild = hNext;
    }
}

void CLoadingTreeCtrl::SetChildrenFlag(HTREEITEM hItem, int cChildren)
{
    TVITEMW item = {};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = cChildren;
    SetItem(item);
}

void CLoadingTreeCtrl::SaveBackground()
{
    RECT rc = {};
    ::GetClientRect(Hwnd(), &rc);
    CWindowDc dc(Hwnd());
    if (!dc) return;
    CMemoryDc memDc(::CreateCompatibleDC(dc.Get()));
    CBitmap bitmap(::CreateCompatibleBitmap(dc.Get(), rc.right, rc.bottom));
    if (!memDc || !bitmap) return;
    {
        CSelectObject select(memDc.Get(), bitmap.Get());
        ::BitBlt(memDc.Get(), 0, 0, rc.right, rc.bottom, dc.Get(), 0, 0, SRCCOPY);
    }
    m_bmpBackground = std::move(bitmap);
    m_bHaveBackground = true;
}

void CLoadingTreeCtrl::DrawBackground(HDC hDc)
{
    BITMAP info = {};
    if (!::GetObjectW(m_bmpBackground.Get(), sizeof(info), &info)) return;
    CMemoryDc memDc(::CreateCompatibleDC(hDc));
    if (!memDc) return;
    CSelectObject select(memDc.Get(), m_bmpBackground.Get());
    ::BitBlt(hDc, 0, 0, info.bmWidth, info.bmHeight, memDc.Get(), 0, 0, SRCCOPY);
}

void CLoadingTreeCtrl::DeleteBackground()
{
    m_bmpBackground.Reset();
    m_bHaveBackground = false;
}
