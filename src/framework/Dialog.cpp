#include "framework/Dialog.h"
#include "framework/App.h"

CModalDialog::CModalDialog(UINT templateId, HWND hParent)
    : m_templateId(templateId), m_hParent(hParent)
{
}

INT_PTR CModalDialog::DoModal()
{
    if (Hwnd()) return -1;
    CBindNextWindow bind(this);
    return ::DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), m_hParent,
                             DialogProc, 0);
}

void CModalDialog::EndDialog(INT_PTR result)
{
    if (Hwnd()) ::EndDialog(Hwnd(), result);
}

// Everything reaches the object through its subclass first; what it passes
// on ends here and gets the dialog manager's default handling.
INT_PTR CALLBACK CModalDialog::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

LRESULT CModalDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        BindControls();
        return OnInitDialog();
    }
    return CWindow::WindowProc(msg, wParam, lParam);
}

bool CModalDialog::OnCommand(int id, UINT code, HWND)
{
    // Buttons send BN_CLICKED; Enter and Escape arrive with code 0.
    if (code != BN_CLICKED && code != 0) return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}
