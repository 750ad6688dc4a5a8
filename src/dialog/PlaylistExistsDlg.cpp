#include "dialog/PlaylistExistsDlg.h"
#include "res/resource_ids.h"

CPlaylistExistsDlg::CPlaylistExistsDlg(HWND hParent) : CModalDialog(IDD_PLAYLIST_EXISTS, hParent)
{
}

BOOL CPlaylistExistsDlg::OnInitDialog()
{
    ::CheckRadioButton(Hwnd(), IDC_CHOICE_ADD, IDC_CHOICE_REPLACE, IDC_CHOICE_ADD + m_nChoice);
    return TRUE;
}

void CPlaylistExistsDlg::OnOK()
{
    m_nChoice = ::IsDlgButtonChecked(Hwnd(), IDC_CHOICE_REPLACE) == BST_CHECKED ? kReplaceExisting
                                                                                : kAddToExisting;
    CModalDialog::OnOK();
}
