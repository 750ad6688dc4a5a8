#include "lists/ListCommon.h"

#include "framework/Strings.h"

#include <shlwapi.h>

namespace {

void FillDisplayText(const std::vector<std::wstring>& paths, NMLVDISPINFOW* info)
{
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || item.iSubItem != 0 || !item.pszText || item.cchTextMax <= 0)
        return;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= paths.size()) return;
    CopyToBuffer(item.pszText, static_cast<size_t>(item.cchTextMax),
                 ::PathFindFileNameW(paths[static_cast<size_t>(item.iItem)].c_str()));
}

}

BOOL CNotifyTarget::Set(HWND hWnd)
{
    if (!hWnd) return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

void CNotifyTarget::Post(UINT msg, WPARAM wParam) const
{
    if (m_hWnd) ::PostMessageW(m_hWnd, msg, wParam, 0);
}

void InitListColumn(const CListView& list)
{
    if (!list.Hwnd()) return;
    RECT rc = {};
    ::GetClientRect(list.Hwnd(), &rc);
    wchar_t heading[1] = L"";
    LVCOLUMNW col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.fmt = LVCFMT_LEFT;
    col.cx = rc.right - rc.left;
    col.pszText = heading;
    list.InsertColumn(0, col);
    list.SetExtendedStyle(0, LVS_EX_FULLROWSELECT);
}

void FitColumnToClient(const CListView& list)
{
    RECT rc = {};
    ::GetClientRect(list.Hwnd(), &rc);
    if (rc.right > 0 && list.GetColumnWidth(0) != rc.right) list.SetColumnWidth(0, rc.right);
}

bool AnswerDisplayRequest(NMHDR* header, const std::vector<std::wstring>& paths, LRESULT& result)
{
    if (header->code != LVN_GETDISPINFOW) return false;
    FillDisplayText(paths, reinterpret_cast<NMLVDISPINFOW*>(header));
    result = 0;
    return true;
}

bool IsSelectAllKey(const CListView& list, WPARAM key)
{
    return key == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000) && ::GetFocus() == list.Hwnd();
}

size_t AppendSelectedItems(const CListView& list, CIndexArray& out)
{
    size_t count = 0;
    for (int item = list.GetNextItem(-1, LVNI_SELECTED); item >= 0;
         item = list.GetNextItem(item, LVNI_SELECTED), ++count)
        out.push_back(static_cast<unsigned int>(item));
    return count;
}

void SetAllItemsSelected(const CListView& list, bool selected)
{
    list.SetItemState(-1, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

POINT SelectionMenuPoint(const CListView& list)
{
    RECT client = {};
    ::GetClientRect(list.Hwnd(), &client);
    POINT pt = {client.left, client.top};
    int item = list.GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    if (item < 0) item = list.GetNextItem(-1, LVNI_SELECTED);
    RECT rc = {};
    if (item >= 0 && list.GetItemRect(item, &rc, LVIR_LABEL)) {
        RECT inside = {};
        if (::IntersectRect(&inside, &rc, &client)) pt = POINT{inside.left, inside.bottom};
    }
    ::ClientToScreen(list.Hwnd(), &pt);
    return pt;
}
