// A C++ object bound to a window. Binding is by subclassing (our procedure in
// front of the window's own, the object in the window's user data), so an
// object can take over a control made by a dialog template as well as a
// window it creates itself; no global map from handles to objects is kept.
// The user data of a bound window belongs to this class.
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

    // Subclasses an existing window of this process; fails when this object
    // or the window is already bound.
    bool Attach(HWND hWnd);
    // Gives the window back to its own procedure.
    void Detach();
    bool AttachDlgItem(HWND hDlg, int id) { return Attach(::GetDlgItem(hDlg, id)); }

    // Creates a window bound to this object from its very first message on,
    // so that WM_NCCREATE and WM_CREATE reach WindowProc.
    HWND CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  int x, int y, int width, int height, HWND hParent, UINT_PTR id);

    // The object bound to a window by this class, or null.
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
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK BindHookProc(int code, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnSuper = nullptr;
};
