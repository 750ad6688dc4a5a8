#include "framework/Dialog.h"
#include "framework/App.h"

namespace {
bool IsOwnedBy(HWND hWnd, HWND hOwner)
{
    for (HWND h = ::GetWindow(hWnd, GW_OWNER); h; h = ::GetWindow(h, GW_OWNER)) {
        if (h == hOwner) return true;
    }
    return false;
}

struct COwnedDialogs {
    HWND hOwner;
    INT_PTR result;
};

BOOL CALLBACK EndIfOwned(HWND hWnd, LPARAM lParam)
{
    const COwnedDialogs& owned = *reinterpret_cast<const COwnedDialogs*>(lParam);
    wchar_t className[8] = {};
    // Message boxes are dialog boxes of the system's dialog class too.
    if (::GetClassNameW(hWnd, className, 8) && ::lstrcmpW(className, L"#32770") == 0 &&
        IsOwnedBy(hWnd, owned.hOwner))
        ::EndDialog(hWnd, owned.result);
    return TRUE;
}
}  // namespace

void EndDialogsOwnedBy(HWND hOwner, INT_PTR result)
{
    COwnedDialogs owned = {hOwner, result};
    ::EnumThreadWindows(::GetCurrentThreadId(), EndIfOwned, reinterpret_cast<LPARAM>(&owned));
}

CModalDialog::CModalDialog(UINT templateId, HWND hParent)
    : m_templateId(templateId), m_hParent(hParent)
{
}

INT_PTR CModalDialog::DoModal()
{
    if (Hwnd()) return -1;
    CBindNextWindow bind(this);
    // The object also goes with the creation parameter, for a system that
    // refuses the hook (exhausted desktop heap, a product that blocks hooks).
    return ::DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), m_hParent,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

void CModalDialog::EndDialog(INT_PTR result)
{
    if (Hwnd()) ::EndDialog(Hwnd(), result);
}

// Everything reaches a bound object through its subclass first; what it
// passes on ends here and gets the dialog manager's default handling.
INT_PTR CALLBACK CModalDialog::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_INITDIALOG) return FALSE;
    return BindAtInit(hWnd, reinterpret_cast<CModalDialog*>(lParam), wParam);
}

// WM_INITDIALOG reached the dialog's own procedure: the hook did not bind
// the window. The object takes it now, missing only its creation messages;
// a dialog that no object answers could not even be closed, so when the
// object cannot take it the dialog ends at once, with -1.
INT_PTR CModalDialog::BindAtInit(HWND hWnd, CModalDialog* pDialog, WPARAM wParam)
{
    // Bound, the object passed the message on itself.
    if (pDialog && FromHandle(hWnd) == pDialog) return FALSE;
    if (!pDialog || !pDialog->Attach(hWnd)) {
        ::EndDialog(hWnd, -1);
        return FALSE;
    }
    return Dispatch(pDialog, WM_INITDIALOG, wParam, reinterpret_cast<LPARAM>(pDialog));
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
