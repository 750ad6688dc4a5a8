#include "framework/Window.h"

namespace {
thread_local CWindow* t_pBindNext = nullptr;
thread_local HHOOK t_hBindHook = nullptr;

void RemoveBindHook()
{
    if (t_hBindHook) ::UnhookWindowsHookEx(t_hBindHook);
    t_hBindHook = nullptr;
    t_pBindNext = nullptr;
}

WNDPROC WindowProcOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

// The system may make a thread's default input-method window inside the
// creation of its first top-level window, before that window itself; it is
// never the window an object asked for.
bool IsInputMethodWindow(HWND hWnd)
{
    if (::GetClassLongPtrW(hWnd, GCL_STYLE) & CS_IME) return true;
    wchar_t className[8] = {};
    return ::GetClassNameW(hWnd, className, 8) > 0 && ::lstrcmpiW(className, L"IME") == 0;
}
}

CWindow::~CWindow()
{
    Detach();
}

// The object goes into the window's user data and our procedure in front of
// the window's own. Both are plain window fields: unlike a property, reading
// them costs no round trip to the window manager on every message.
bool CWindow::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandle(hWnd)) return false;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner != ::GetCurrentProcessId()) return false;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWindowProc)));
    if (!m_pfnSuper) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        return false;
    }
    m_hWnd = hWnd;
    return true;
}

void CWindow::Detach()
{
    if (!m_hWnd) return;
    if (WindowProcOf(m_hWnd) == StaticWindowProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

CWindow* CWindow::FromHandle(HWND hWnd)
{
    if (!hWnd || WindowProcOf(hWnd) != StaticWindowProc) return nullptr;
    CWindow* pObject = reinterpret_cast<CWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return pObject && pObject->m_hWnd == hWnd ? pObject : nullptr;
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
    if (code == HCBT_CREATEWND && t_pBindNext && !IsInputMethodWindow(reinterpret_cast<HWND>(wParam))) {
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

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindow* pThis = reinterpret_cast<CWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!pThis || pThis->m_hWnd != hWnd) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = pThis->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's message dispatch.
        result = 0;
    }
    if (msg == WM_NCDESTROY && pThis->m_hWnd == hWnd) pThis->Detach();
    return result;
}

LRESULT CWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
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
