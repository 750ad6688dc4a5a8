// Test support: the real pointer, moved and pressed through SendInput, and a
// message pump that waits for a condition instead of a fixed time.
#pragma once

#include <windows.h>

#include <functional>

// Left button down or up, or a move to a screen point (flags with
// MOUSEEVENTF_MOVE).
inline void SendMouse(DWORD flags, POINT screen = {})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        // Absolute coordinates run from 0 to 65535 across the screen.
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &input, sizeof(input));
}

// Runs the thread's messages for up to ms milliseconds or until done answers
// true; seen is shown each message before it is dispatched.
inline bool PumpUntil(DWORD ms, const std::function<bool()>& done,
                      const std::function<void(const MSG&)>& seen = nullptr)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (seen) seen(m);
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        if (done && done()) return true;
        if (::GetTickCount() - start >= ms) return false;
        ::Sleep(5);
    }
}

inline bool PointerIsAt(POINT target)
{
    POINT now = {};
    ::GetCursorPos(&now);
    return now.x == target.x && now.y == target.y;
}

inline bool LeftButtonDown()
{
    return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

// Moves the pointer to target in a few steps, running pump between them;
// answers whether it got there.
inline bool MovePointerTo(POINT target, const std::function<bool(DWORD, const std::function<bool()>&)>& pump)
{
    POINT from = {};
    ::GetCursorPos(&from);
    for (int step = 1; step <= 4; ++step) {
        POINT pt = {from.x + (target.x - from.x) * step / 4, from.y + (target.y - from.y) * step / 4};
        SendMouse(MOUSEEVENTF_MOVE, pt);
        pump(15, nullptr);
    }
    bool arrived = pump(1000, [target] { return PointerIsAt(target); });
    pump(30, nullptr);
    return arrived;
}
