// Small owning wrappers for window-side handles (icons, image lists, GDI
// objects, device contexts), COM pointers and the wait cursor. Copying is
// deleted everywhere so that ownership is visible in the type; moving hands
// the handle over.
#pragma once

#include "framework/Handles.h"

#include <commctrl.h>
#include <objbase.h>

struct CIconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct CImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::ImageList_Destroy(h); }
};
template <typename T>
struct CGdiObjectTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct CMemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};

using CIcon = CUniqueHandle<CIconTraits>;
using CImageList = CUniqueHandle<CImageListTraits>;
using CBitmap = CUniqueHandle<CGdiObjectTraits<HBITMAP>>;
using CBrush = CUniqueHandle<CGdiObjectTraits<HBRUSH>>;
using CMemoryDc = CUniqueHandle<CMemoryDcTraits>;

// A window's device context from GetDC, given back with ReleaseDC.
class CWindowDc {
public:
    explicit CWindowDc(HWND hWnd) : m_hWnd(hWnd), m_hDc(::GetDC(hWnd)) {}
    ~CWindowDc() { if (m_hDc) ::ReleaseDC(m_hWnd, m_hDc); }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const { return m_hDc; }
    explicit operator bool() const { return m_hDc != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDc;
};

// Selects a GDI object into a DC for the guard's scope; a null object
// selects nothing.
class CSelectObject {
public:
    CSelectObject(HDC hDc, HGDIOBJ hObject)
        : m_hDc(hDc), m_hOld(hObject ? ::SelectObject(hDc, hObject) : nullptr) {}
    ~CSelectObject() { if (m_hOld) ::SelectObject(m_hDc, m_hOld); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDc;
    HGDIOBJ m_hOld;
};

// An owned COM interface pointer.
template <typename T>
class CComPtr {
public:
    CComPtr() = default;
    // Takes over a reference the caller already holds.
    static CComPtr Adopt(T* p) { CComPtr c; c.m_p = p; return c; }
    // Adds a reference of its own.
    static CComPtr Share(T* p) { if (p) p->AddRef(); return Adopt(p); }
    ~CComPtr() { Reset(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_p(other.Detach()) {}
    CComPtr& operator=(CComPtr&& other) noexcept {
        if (this != &other) { Reset(); m_p = other.Detach(); }
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: releases what is held first.
    T** Receive() { Reset(); return &m_p; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }
    void Reset() { if (m_p) { m_p->Release(); m_p = nullptr; } }

private:
    T* m_p = nullptr;
};

// Shows the wait cursor for the guard's scope.
class CWaitCursor {
public:
    CWaitCursor() : m_hOld(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOld ? m_hOld : ::LoadCursorW(nullptr, IDC_ARROW)); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};

// Runs a function when the scope ends, by return or by exception: state that
// a failure must not leave behind (a worker thread, redrawing switched off).
template <typename F>
class CScopeExit {
public:
    explicit CScopeExit(F f) : m_f(std::move(f)) {}
    ~CScopeExit() { m_f(); }
    CScopeExit(const CScopeExit&) = delete;
    CScopeExit& operator=(const CScopeExit&) = delete;

private:
    F m_f;
};
