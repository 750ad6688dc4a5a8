#include "framework/Window.h"

#include <unordered_map>

namespace {
thread_local CWindow* t_pBindNext = nullptr;
thread_local HHOOK t_hBindHook = nullptr;

// A window whose procedure chain holds ours. pObject is null while ours only
// passes messages on (detached under a later layer).
struct CBinding {
    CWindow* pObject;
    WNDPROC pfnSuper;
};
using CBindingMap = std::unordered_map<HWND, CBinding>;

// Made with the thread's first binding and freed with its last, so that no
// thread ends holding a map and none needs a destructor at its exit.
thread_local CBindingMap* t_pBindings = nullptr;

CBinding* FindBinding(HWND hWnd)
{
    if (!t_pBindings) return nullptr;
    CBindingMap::iterator it = t_pBindings->find(hWnd);
    return it == t_pBindings->end() ? nullptr : &it->second;
}

// False when memory ran out; nothing may throw into the system's hooks.
bool AddBinding(HWND hWnd, const CBinding& binding)
{
    try {
        if (!t_pBindings) t_pBindings = new CBindingMap;
        (*t_pBindings)[hWnd] = binding;
        return true;
    } catch (...) {
        return false;
    }
}

void RemoveBinding(HWND hWnd)
{
    if (!t_pBindings) return;
    t_pBindings->erase(hWnd);
    if (!t_pBindings->empty()) return;
    delete t_pBindings;
    t_pBindings = nullptr;
}

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

void SetWindowProc(HWND hWnd, WNDPROC pfnProc)
{
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnProc));
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

bool CWindow::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd || !::IsWindow(hWnd)) return false;
    // The window's procedure runs on the thread that made it, and finds its
    // object in that thread's map.
    if (::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId()) return false;
    if (CBinding* pBinding = FindBinding(hWnd)) {
        if (pBinding->pObject) return false;
        // Ours still passes messages on under a later layer: the object
        // takes that place again rather than adding a layer of ours on top.
        pBinding->pObject = this;
        m_pfnSuper = pBinding->pfnSuper;
    } else {
        WNDPROC pfnSuper = WindowProcOf(hWnd);
        if (!pfnSuper || !AddBinding(hWnd, CBinding{this, pfnSuper})) return false;
        SetWindowProc(hWnd, StaticWindowProc);
        m_pfnSuper = pfnSuper;
    }
    m_hWnd = hWnd;
    return true;
}

void CWindow::Detach()
{
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    CBinding* pBinding = hWnd ? FindBinding(hWnd) : nullptr;
    if (!pBinding || pBinding->pObject != this) return;
    if (::IsWindow(hWnd) && WindowProcOf(hWnd) != StaticWindowProc) {
        // A later layer calls ours: cutting ours out would cut it too.
        pBinding->pObject = nullptr;
        return;
    }
    // On top, or the window ended without its last message reaching ours.
    if (::IsWindow(hWnd)) SetWindowProc(hWnd, pBinding->pfnSuper);
    RemoveBinding(hWnd);
}

CWindow* CWindow::FromHandle(HWND hWnd)
{
    CBinding* pBinding = hWnd ? FindBinding(hWnd) : nullptr;
    return pBinding ? pBinding->pObject : nullptr;
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
        // Other modules' hooks see the creation as well (a skinning module
        // may subclass there), and may refuse it.
        LRESULT refused = ::CallNextHookEx(hHook, code, wParam, lParam);
        ::UnhookWindowsHookEx(hHook);
        if (!refused) pObject->Attach(reinterpret_cast<HWND>(wParam));
        return refused;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CBinding* pBinding = FindBinding(hWnd);
    CWindow* pThis = pBinding ? pBinding->pObject : nullptr;
    if (!pThis) return PassOn(hWnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = pThis->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's message dispatch.
        result = 0;
    }
    // The object may be gone by now; the binding is looked up afresh.
    if (msg == WM_NCDESTROY) ForgetWindow(hWnd);
    return result;
}

// Ours without an object, left under a later layer by Detach.
LRESULT CWindow::PassOn(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CBinding* pBinding = FindBinding(hWnd);
    if (!pBinding) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    WNDPROC pfnSuper = pBinding->pfnSuper;
    if (msg == WM_NCDESTROY) {
        ForgetWindow(hWnd);
    } else if (WindowProcOf(hWnd) == StaticWindowProc) {
        // The layers above have gone: ours leaves the chain as well.
        SetWindowProc(hWnd, pfnSuper);
        RemoveBinding(hWnd);
    }
    return ::CallWindowProcW(pfnSuper, hWnd, msg, wParam, lParam);
}

// The window has ended: so has its binding.
void CWindow::ForgetWindow(HWND hWnd)
{
    CBinding* pBinding = FindBinding(hWnd);
    if (!pBinding) return;
    if (CWindow* pObject = pBinding->pObject) {
        pObject->m_hWnd = nullptr;
        pObject->m_pfnSuper = nullptr;
    }
    RemoveBinding(hWnd);
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
