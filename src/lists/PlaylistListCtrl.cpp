#include "lists/PlaylistListCtrl.h"

#include "app/Globals.h"
#include "framework/MessageBox.h"
#include "framework/Strings.h"
#include "lists/ListMessages.h"
#include "res/resource_ids.h"

CPlaylistListCtrl::CBatch::CBatch(CPlaylistListCtrl& list) : m_list(list)
{
    if (m_list.m_nBatchDepth++ == 0) m_list.Send(WM_SETREDRAW, FALSE);
}

CPlaylistListCtrl::CBatch::~CBatch()
{
    if (--m_list.m_nBatchDepth > 0) return;
    m_list.Send(WM_SETREDRAW, TRUE);
    if (m_nScrollItem >= 0) m_list.EnsureVisible(m_nScrollItem, m_bPartialOk);
    m_list.Invalidate(TRUE);
    if (!m_list.m_bChangedInBatch) return;
    m_list.m_bChangedInBatch = false;
    m_list.m_hWndNotify.Post(WM_LIST_CHANGED);
}

void CPlaylistListCtrl::CBatch::ScrollTo(size_t item, BOOL partialOk)
{
    m_nScrollItem = static_cast<int>(item);
    m_bPartialOk = partialOk;
}

BOOL CPlaylistListCtrl::SetNotifyWnd(HWND hWnd)
{
    return m_hWndNotify.Set(hWnd);
}

void CPlaylistListCtrl::ShowMessage(UINT id) const
{
    AppMessageBox(Hwnd(), LoadResString(id), g_strMsgCaption, MB_OK | MB_ICONINFORMATION);
}

void CPlaylistListCtrl::UpdateItemCount() const
{
    SetItemCountEx(static_cast<int>(m_arrPaths.size()), LVSICF_NOINVALIDATEALL);
}

void CPlaylistListCtrl::SelectEntries(CEntryBlock block) const
{
    for (size_t i = block.first; i < block.first + block.count; ++i)
        SetItemState(static_cast<int>(i), LVIS_SELECTED, LVIS_SELECTED);
}

void CPlaylistListCtrl::DeselectAll()
{
    SetAllItemsSelected(*this, false);
}

int CPlaylistListCtrl::CollectSelection()
{
    int count = static_cast<int>(GetSelectedCount());
    if (count == 0) return 0;
    CIndexArray items;
    items.reserve(static_cast<size_t>(count));
    if (AppendSelectedItems(*this, items) == 0) return -1;
    m_arrSelection.swap(items);
    return count;
}

void CPlaylistListCtrl::InsertEntryCopy(int at, int from)
{
    if (at < 0 || from < 0) return;
    InsertPathCopy(m_arrPaths, static_cast<size_t>(at), static_cast<size_t>(from));
}

void CPlaylistListCtrl::InsertAndSelect(size_t at, const std::vector<std::wstring>& arr,
                                        size_t selectCount)
{
    CBatch batch(*this);
    DeselectAll();
    CEntryBlock inserted = InsertPaths(m_arrPaths, at, arr);
    UpdateItemCount();
    SelectEntries({inserted.first, selectCount});
    batch.ScrollTo(inserted.first, FALSE);
    m_bChangedInBatch = true;
}

BOOL CPlaylistListCtrl::AddEntries(const std::vector<std::wstring>& arr)
{
    if (arr.empty()) {
        ShowMessage(IDS_NOTHING_TO_ADD);
        return FALSE;
    }
    InsertAndSelect(m_arrPaths.size(), arr, 1);
    return TRUE;
}

BOOL CPlaylistListCtrl::InsertEntries(int index, const std::vector<std::wstring>& arr)
{
    if (arr.empty()) return FALSE;
    InsertAndSelect(index < 0 ? m_arrPaths.size() : static_cast<size_t>(index), arr, arr.size());
    return TRUE;
}

BOOL CPlaylistListCtrl::RemoveSelectedEntries()
{
    if (GetSelectedCount() == 0) {
        ShowMessage(IDS_NOTHING_TO_REMOVE);
        return FALSE;
    }
    // A failed walk would leave an older snapshot in m_arrSelection; removing
    // by it would delete entries the user never selected.
    if (CollectSelection() <= 0) return FALSE;

    CBatch batch(*this);
    DeselectAll();
    size_t next = RemovePaths(m_arrPaths, m_arrSelection);
    m_arrSelection.clear();
    UpdateItemCount();
    if (!m_arrPaths.empty()) {
        SelectEntries({next, 1});
        batch.ScrollTo(next, FALSE);
    }
    m_bChangedInBatch = true;
    return TRUE;
}

BOOL CPlaylistListCtrl::RemoveAllEntries()
{
    if (GetItemCount() == 0) {
        ShowMessage(IDS_NOTHING_TO_REMOVE);
        return FALSE;
    }
    CBatch batch(*this);
    DeselectAll();
    m_arrPaths.clear();
    UpdateItemCount();
    m_bChangedInBatch = true;
    return TRUE;
}

int CPlaylistListCtrl::MoveSelectedEntries(BOOL up)
{
    int count = CollectSelection();
    if (count <= 0) return count;

    CBatch batch(*this);
    DeselectAll();
    CEntryBlock block = MovePathsByOne(m_arrPaths, m_arrSelection, up != FALSE);
    SelectEntries(block);
    batch.ScrollTo(block.first, TRUE);
    return count;
}

LRESULT CPlaylistListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYUP:
        if (IsSelectAllKey(*this, wParam)) {
            SetAllItemsSelected(*this, true);
        } else if (wParam == VK_DELETE) {
            RemoveSelectedEntries();
        }
        break;
    case WM_LBUTTONDBLCLK:
        m_hWndNotify.Post(WM_PLAYLIST_DBLCLK);
        break;
    default:
        break;
    }
    return CListView::WindowProc(msg, wParam, lParam);
}

bool CPlaylistListCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result)
{
    if (AnswerDisplayRequest(header, m_arrPaths, result)) return true;
    if (header->code != LVN_ITEMCHANGED) return false;
    if (m_nBatchDepth > 0) {
        m_bChangedInBatch = true;
    } else {
        m_hWndNotify.Post(WM_LIST_CHANGED);
    }
    result = 0;
    return true;
}
