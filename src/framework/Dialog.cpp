#include "framework/Dialog.h"
#include "framework/App.h"

#include <algorithm>
#include <vector>

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
