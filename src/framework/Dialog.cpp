#include "framework/Dialog.h"
#include "framework/App.h"

#include <algorithm>
#include <vector>

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

namespace {
// The dialogs running modally on this thread, innermost last, and the
// filter that is set while any runs.
thread_local std::vector<CModalDialog*> t_running;
thread_local HHOOK t_hKeyFilter = nullptr;
}

class CModalDialog::CRunning {
public:
    explicit CRunning(CModalDialog* pDialog) : m_pDialog(pDialog)
    {
        if (t_running.empty())
            t_hKeyFilter = ::SetWindowsHookExW(WH_MSGFILTER, KeyFilterProc, nullptr, ::GetCurrentThreadId());
        t_running.push_back(pDialog);
    }
    ~CRunning()
    {
        t_running.erase(std::find(t_running.begin(), t_running.end(), m_pDialog));
        if (!t_running.empty() || !t_hKeyFilter) return;
        ::UnhookWindowsHookEx(t_hKeyFilter);
        t_hKeyFilter = nullptr;
    }
    CRunning(const CRunning&) = delete;
    CRunning& operator=(const CRunning&) = delete;

private:
    CModalDialog* m_pDialog;
};

LRESULT CALLBACK CModalDialog::KeyFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && pMsg && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)) {
        for (auto it = t_running.rbegin(); it != t_running.rend(); ++it) {
            HWND hDlg = (*it)->Hwnd();
            if (!hDlg || (pMsg->hwnd != hDlg && !::IsChild(hDlg, pMsg->hwnd))) continue;
            // Nothing throws through user32.
            try {
                if ((*it)->PreTranslateKey(*pMsg)) return 1;
            } catch (...) {
            }
            break;
        }
    }
    return ::CallNextHookEx(t_hKeyFilter, code, wParam, lParam);
}

CModalDialog::CModalDialog(UINT templateId, HWND hParent)
    : m_templateId(templateId), m_hParent(hParent)
{
}

INT_PTR CModalDialog::DoModal()
{
    if (Hwnd()) return -1;
    CBindNextWindow bind(this);
    CRunning running(this);
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
