#include "dialog/PlaylistExistsDlg.h"
#include "res/resource_ids.h"

namespace {
bool IsRadioButton(HWND hWnd)
{
    return (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// Calls visit(button, index) for each radio button of the group until it
// answers true.
template <class Visit>
void ForEachRadioInGroup(HWND hFirst, Visit visit)
{
    int index = 0;
    for (HWND hWnd = hFirst; hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hFirst && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_GROUP)) return;
        if (IsRadioButton(hWnd) && visit(hWnd, index++)) return;
    }
}
}

int CheckedRadioIndex(HWND hFirst)
{
    int checked = -1;
    ForEachRadioInGroup(hFirst, [&](HWND hButton, int index) {
        if (::SendMessageW(hButton, BM_GETCHECK, 0, 0) != BST_CHECKED) return false;
        checked = index;
        return true;
    });
    return checked;
}

void CheckRadioIndex(HWND hFirst, int index)
{
    ForEachRadioInGroup(hFirst, [&](HWND hButton, int i) {
        ::SendMessageW(hButton, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
        return false;
    });
}

CPlaylistExistsDlg::CPlaylistExistsDlg(HWND hParent) : CModalDialog(IDD_PLAYLIST_EXISTS, hParent)
{
}

BOOL CPlaylistExistsDlg::OnInitDialog()
{
    CheckRadioIndex(::GetDlgItem(Hwnd(), IDC_CHOICE_ADD), m_nChoice);
    return TRUE;
}

void CPlaylistExistsDlg::OnOK()
{
    m_nChoice = CheckedRadioIndex(::GetDlgItem(Hwnd(), IDC_CHOICE_ADD));
    CModalDialog::OnOK();
}

LRESULT CPlaylistExistsDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETCURSOR) return SetWaitCursor();
    return CModalDialog::WindowProc(msg, wParam, lParam);
}

LRESULT SetWaitCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
}
