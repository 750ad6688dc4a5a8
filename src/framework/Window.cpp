#include "framework/Window.h"

#include <unordered_map>

namespace {
thread_local CWindow* t_pBindNext = nullptr;
thread_local HHOOK t_hBindHook = nullptr;

// Where a window's binding stands; each entry of the map holds one.
enum class BindingState {
    kBound,       // ours is in the window's chain and calls its object
    kPassingOn,   // the object let go while a later layer sat above ours:
                  // that layer calls ours, so ours stays and passes every
                  // message on until it is on top again
    kGone,        // ours has left the chain, or the window has ended: the
                  // entry is erased as it reaches this state
};

struct CBinding {
    BindingState state;
    CWindow* pObject;   // set while bound only
    WNDPROC pfnSuper;   // the procedure ours passes on to
};
using CBindingMap = std::unordered_map<HWND, CBinding>;

// Made with the thread's first binding and freed with its last, so that no
// thread ends holding a map and none needs a destructor at its exit.
thread_local CBindingMap* t_pBindings = nullptr;

CBinding* FindBinding(HWND hWnd)
{
    if (!t_pBindings || !hWnd) return nullptr;
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

void EraseBinding(HWND hWnd)
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

// A message no layer knows, so every layer passes it on: sent down the
// window's chain, it tells whether ours is still in it.
UINT ProbeMessage()
{
    static const UINT probe = ::RegisterWindowMessageW(L"Vantorel_Wava_Playlist_BindingProbe");
    return probe;
}
thread_local HWND t_hProbed = nullptr;
thread_local bool t_bProbeArrived = false;

bool ChainStillHoldsOurs(HWND hWnd)
{
    if (!ProbeMessage()) return true;
    t_hProbed = hWnd;
    t_bProbeArrived = false;
    ::SendMessageW(hWnd, ProbeMessage(), 0, 0);
    t_hProbed = nullptr;
    return t_bProbeArrived;
}
}  // namespace

// What happens to a binding, for the one function that moves it between
// its states.
enum class CWindow::BindingEvent {
    kObjectLetGo,   // Detach
    kMessage,       // a message reached ours while it passes on
    kDestroyed,     // WM_DESTROY has been through the whole chain
    kEnded,         // WM_NCDESTROY: the window's last message
};

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
        if (pBinding->state != BindingState::kPassingOn) return false;
        // Ours still passes messages on under a later layer: the object
        // takes that place again rather than adding a layer of ours on top.
        *pBinding = CBinding{BindingState::kBound, this, pBinding->pfnSuper};
    } else {
        WNDPROC pfnSuper = WindowProcOf(hWnd);
        if (!pfnSuper || !AddBinding(hWnd, CBinding{BindingState::kBound, this, pfnSuper})) return false;
        SetWindowProc(hWnd, StaticWindowProc);
    }
    m_hWnd = hWnd;
    return true;
}

void CWindow::Detach()
{
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    CBinding* pBinding = FindBinding(hWnd);
    if (pBinding && pBinding->pObject == this) OnBindingEvent(hWnd, BindingEvent::kObjectLetGo);
}

CWindow* CWindow::FromHandle(HWND hWnd)
{
    CBinding* pBinding = FindBinding(hWnd);
    return pBinding && pBinding->state == BindingState::kBound ? pBinding->pObject : nullptr;
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

LRESULT CWindow::Dispatch(CWindow* pObject, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        return pObject->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's message dispatch.
        return 0;
    }
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == ProbeMessage() && hWnd == t_hProbed) {
        t_bProbeArrived = true;
        return 0;
    }
    CBinding* pBinding = FindBinding(hWnd);
    if (!pBinding) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    LRESULT result = pBinding->state == BindingState::kBound ? Dispatch(pBinding->pObject, msg, wParam, lParam)
                                                             : PassOn(hWnd, msg, wParam, lParam);
    // The binding is looked up afresh: the object may be gone by now.
    if (msg == WM_DESTROY) OnBindingEvent(hWnd, BindingEvent::kDestroyed);
    if (msg == WM_NCDESTROY) OnBindingEvent(hWnd, BindingEvent::kEnded);
    return result;
}

// Ours without an object, left under a later layer by Detach.
LRESULT CWindow::PassOn(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = FindBinding(hWnd)->pfnSuper;
    OnBindingEvent(hWnd, BindingEvent::kMessage);
    return ::CallWindowProcW(pfnSuper, hWnd, msg, wParam, lParam);
}

// The one place where a binding changes its state.
void CWindow::OnBindingEvent(HWND hWnd, BindingEvent event)
{
    CBinding* pBinding = FindBinding(hWnd);
    if (!pBinding) return;
    const bool alive = ::IsWindow(hWnd) != FALSE;
    const bool oursOnTop = alive && WindowProcOf(hWnd) == StaticWindowProc;
    BindingState next = pBinding->state;
    switch (event) {
    case BindingEvent::kObjectLetGo:
        next = alive && !oursOnTop ? BindingState::kPassingOn : BindingState::kGone;
        break;
    case BindingEvent::kMessage:
        // The layers above have gone: ours leaves the chain as well.
        if (oursOnTop) next = BindingState::kGone;
        break;
    case BindingEvent::kDestroyed:
        // A layer below ours that restored the procedure it saved has cut
        // ours out: ours goes back on top, so that the window's last
        // message still reaches it and ends the binding. The probe ran
        // through other modules' code: the entry is looked up again.
        if (!oursOnTop && !ChainStillHoldsOurs(hWnd) && (pBinding = FindBinding(hWnd))) {
            pBinding->pfnSuper = WindowProcOf(hWnd);
            SetWindowProc(hWnd, StaticWindowProc);
        }
        return;
    case BindingEvent::kEnded:
        next = BindingState::kGone;
        break;
    }
    if (next == BindingState::kPassingOn) {
        *pBinding = CBinding{next, nullptr, pBinding->pfnSuper};
    } else if (next == BindingState::kGone) {
        if (pBinding->pObject) pBinding->pObject->m_hWnd = nullptr;
        if (oursOnTop) SetWindowProc(hWnd, pBinding->pfnSuper);
        EraseBinding(hWnd);
    }
}

LRESULT CWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    CBinding* pBinding = FindBinding(m_hWnd);
    if (!pBinding) return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
    return ::CallWindowProcW(pBinding->pfnSuper, m_hWnd, msg, wParam, lParam);
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
