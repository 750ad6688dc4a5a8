#include "lists/SourceListCtrl.h"

#include "lists/FolderScan.h"
#include "lists/ListMessages.h"

#include <shlwapi.h>

CSourceListCtrl::CSourceListCtrl()
    : m_hCursorArrow(::LoadCursorW(nullptr, IDC_ARROW)), m_hCursorNo(::LoadCursorW(nullptr, IDC_NO))
{
}

BOOL CSourceListCtrl::SetNotifyWnd(HWND hWnd)
{
    return m_hWndNotify.Set(hWnd);
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
    if (paths != m_arrPaths) SetAllItemsSelected(*this, false);
    m_arrPaths.swap(paths);
    ShowNewContent();
    m_hWndNotify.Post(WM_LIST_CHANGED);
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

LRESULT CSourceListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYUP:
        if (IsSelectAllKey(*this, wParam)) SetAllItemsSelected(*this, true);
        break;
    case WM_LBUTTONDBLCLK:
        m_hWndNotify.Post(WM_SOURCE_LIST_DBLCLK);
        break;
    case WM_DESTROY:
        m_pDragImage.Reset();
        m_arrPaths.clear();
        break;
    default:
        break;
    }
    return CListView::WindowProc(msg, wParam, lParam);
}

bool CSourceListCtrl::OnReflectedNotify(NMHDR* header, LRESULT& result)
{
    if (AnswerDisplayRequest(header, m_arrPaths, result)) return true;
    if (header->code != LVN_ITEMCHANGED) return false;
    m_hWndNotify.Post(WM_LIST_CHANGED);
    result = 0;
    return true;
}
