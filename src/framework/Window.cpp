#include "framework/Window.h"

namespace {
// Our subclass is told apart from any other by this id with our procedure.
const UINT_PTR kSubclassId = 0x57617661;

thread_local CWindow* t_pBindNext = nullptr;
thread_local HHOOK t_hBindHook = nullptr;

void RemoveBindHook()
{
    if (t_hBindHook) ::UnhookWindowsHookEx(t_hBindHook);
    t_hBindHook = nullptr;
    t_pBindNext = nullptr;
}
}

CWindow::~CWindow()
{
    Detach();
}

bool CWindow::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandle(hWnd)) return false;
    if (!::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = hWnd;
    return true;
}

void CWindow::Detach()
{
    if (!m_hWnd) return;
    ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_hWnd = nullptr;
}

CWindow* CWindow::FromHandle(HWND hWnd)
{
    DWORD_PTR refData = 0;
    if (!hWnd || !::GetWindowSubclass(hWnd, SubclassProc, kSubclassId, &refData)) return nullptr;
    return reinterpret_cast<CWindow*>(refData);
}

HWND CWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       int x, int y, int width, int height, HWND hParent, UINT_PTR id)
{
    if (m_hWnd) return nullptr;
    CBindNextWindow bind(this);
    HWND hWnd = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, hParent,
                                  reinterpret_cast<HMENU>(id), ::GetModuleHandleW(nullptr), nullptr);
    return hWnd ? m_hWnd : nullptr;
}

CWindow::CBindNextWindow::CBindNextWindow(CWindow* pObject)
{
    RemoveBindHook();
    t_pBindNext = pObject;
    t_hBindHook = ::SetWindowsHookExW(WH_CBT, BindHookProc, nullptr, ::GetCurrentThreadId());
}

CWindow::CBindNextWindow::~CBindNextWindow()
{
    // Still set when the window was never created.
    RemoveBindHook();
}

LRESULT CALLBACK CWindow::BindHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pBindNext) {
        CWindow* pObject = t_pBindNext;
        HHOOK hHook = t_hBindHook;
        t_pBindNext = nullptr;
        t_hBindHook = nullptr;
        pObject->Attach(reinterpret_cast<HWND>(wParam));
        ::UnhookWindowsHookEx(hHook);
        return 0;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CWindow::SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR refData)
{
    CWindow* pThis = reinterpret_cast<CWindow*>(refData);
    LRESULT result = 0;
    try {
        result = pThis->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's message dispatch.
        result = 0;
    }
    if (msg == WM_NCDESTROY && pThis->m_hWnd == hWnd) {
        ::RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
        pThis->m_hWnd = nullptr;
    }
    return result;
}

LRESULT CWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(m_hWnd, msg, wParam, lParam);
}

LRESULT CWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        CWindow* pChild = header ? FromHandle(header->hwndFrom) : nullptr;
        LRESULT result = 0;
        if (pChild && pChild != this && pChild->OnReflectedNotify(header, result)) return result;
        return OnNotify(static_cast<int>(wParam), header);
    }
    case WM_COMMAND: {
        HWND hControl = reinterpret_cast<HWND>(lParam);
        CWindow* pChild = hControl ? FromHandle(hControl) : nullptr;
        LRESULT result = 0;
        if (pChild && pChild != this && pChild->OnReflectedCommand(HIWORD(wParam), result))
            return result;
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), hControl)) return 0;
        return DefaultProc(msg, wParam, lParam);
    }
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

bool CWindow::OnReflectedNotify(NMHDR*, LRESULT&)
{
    return false;
}

bool CWindow::OnReflectedCommand(UINT, LRESULT&)
{
    return false;
}

LRESULT CWindow::OnNotify(int id, NMHDR* header)
{
    return DefaultProc(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(header));
}

bool CWindow::OnCommand(int, UINT, HWND)
{
    return false;
}
