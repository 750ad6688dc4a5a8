// A C++ object bound to a window, by subclassing: our procedure goes in
// front of the window's own, so that an object can take over a control made
// by a dialog template as well as a window it creates itself.
//
// How the binding lives beside other subclasses (a skinning module puts its
// own on the dialog and its controls, and its own value in their user data):
// - Each thread keeps a map from window handle to binding (the object and
//   the procedure ours passes on to). Our procedure finds its object there
//   whatever layers sit above or below it, and FromHandle answers from it for
//   reflected notifications. A lookup is a plain map search: no window
//   property (each a round trip to the window manager under Wine) and no
//   window field that another module may own; the user data of a bound
//   window stays free for others.
// - A window's procedure runs on the thread that made the window, so the
//   map of that thread is the one that counts: Attach refuses a window of
//   another thread, and FromHandle answers only for this thread's windows.
// - A binding is bound, passing on or gone (Window.cpp names them, and one
//   function moves an entry between them). Detach while ours is on top
//   restores the procedure it replaced. Under a later layer it cannot (the
//   layer above calls ours, and cutting ours out would cut that layer too):
//   ours stays in the chain and passes every message on unchanged, and takes
//   itself out once the layers above are gone and a message finds it on top
//   again. Attaching that window again takes the same place in the chain
//   back instead of adding a second layer.
// - A binding never outlives its window: it ends at WM_NCDESTROY, and a
//   layer below ours that restores, at WM_DESTROY, the procedure it saved
//   (cutting ours out) finds ours back on top for that last message.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CWindow {
public:
    CWindow() = default;
    // Unbinds a window that still exists; never destroys it.
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND Hwnd() const { return m_hWnd; }

    // Subclasses an existing window of this thread; fails when this object
    // or the window is already bound.
    bool Attach(HWND hWnd);
    // Ends the binding; the window keeps every other layer and its own
    // procedure. Bind, detach and destroy an object on its window's thread.
    void Detach();
    bool AttachDlgItem(HWND hDlg, int id) { return Attach(::GetDlgItem(hDlg, id)); }

    // Creates a window bound to this object from its very first message on,
    // so that WM_NCCREATE and WM_CREATE reach WindowProc.
    HWND CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  int x, int y, int width, int height, HWND hParent, UINT_PTR id);

    // The object bound to a window of this thread, or null.
    static CWindow* FromHandle(HWND hWnd);

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL Post(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }

protected:
    // The window procedure of the object. Derived classes handle what they
    // need in a switch and hand the rest to the base class.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The processing the window would have had without this object.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Calls pObject's WindowProc; nothing it throws unwinds into the system.
    static LRESULT Dispatch(CWindow* pObject, UINT msg, WPARAM wParam, LPARAM lParam);

    // A parent offers its bound child's WM_NOTIFY and WM_COMMAND to the
    // child first; answering true stops the parent's own handling.
    virtual bool OnReflectedNotify(NMHDR* header, LRESULT& result);
    virtual bool OnReflectedCommand(UINT code, LRESULT& result);

    // The parent's handlers for what its children did not take.
    virtual LRESULT OnNotify(int id, NMHDR* header);
    virtual bool OnCommand(int id, UINT code, HWND hControl);

    // Binds the next window this thread creates to pObject (see CreateEx).
    class CBindNextWindow {
    public:
        explicit CBindNextWindow(CWindow* pObject);
        ~CBindNextWindow();
        CBindNextWindow(const CBindNextWindow&) = delete;
        CBindNextWindow& operator=(const CBindNextWindow&) = delete;
    };

private:
    enum class BindingEvent;
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT PassOn(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static void OnBindingEvent(HWND hWnd, BindingEvent event);
    static LRESULT CALLBACK BindHookProc(int code, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
};
