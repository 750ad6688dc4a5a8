// What a companion program or a test needs to drive a running playlist tool
// from outside: start it, find its window by the marker property, send it
// messages, read its controls and answer its message boxes.
#pragma once

#include "res/wire_names.h"

#include <windows.h>
#include <string>
#include <vector>

namespace testkit {

// A started process; the handles close with the object.
class CProcess {
public:
    CProcess() = default;
    ~CProcess();
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;
    CProcess(CProcess&& other) noexcept;
    CProcess& operator=(CProcess&& other) noexcept;

    // Lets go of the handles of the process (it runs on); a new Start
    // does so first.
    void Close();
    bool Start(const std::wstring& program, const std::wstring& arguments);
    // True when the process ended within the time; exitCode receives its code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    bool IsRunning() const;
    void Kill();
    DWORD Id() const { return m_pi.dwProcessId; }
    DWORD MainThreadId() const { return m_pi.dwThreadId; }

private:
    PROCESS_INFORMATION m_pi = {};
};

// Folder of the running program (no trailing backslash).
std::wstring ThisProgramFolder();
// The playlist tool in the build's distributable folder.
std::wstring ToolPath();
// The companion program, which also plays the tool's peers in tests.
std::wstring CompanionPath();
// One argument quoted for a command line.
std::wstring Quote(const std::wstring& text);

// Top-level windows that carry the tool's marker, front to back.
std::vector<HWND> FindToolWindows();
// Waits until exactly count marked windows exist; returns the first one
// (or null for count 0) when it happens, null on timeout.
HWND WaitForToolWindows(size_t count, DWORD timeoutMs);
HWND ToolWindowOfProcess(DWORD processId);
// Waits until the process that owns the window has ended; for tools that
// another program started, whose process handle the test does not hold.
bool WaitForOwnerProcessExit(HWND hWnd, DWORD timeoutMs);

// Visible top-level dialog boxes (class #32770) of a process.
std::vector<HWND> FindDialogBoxes(DWORD processId);
// Waits for a message box of the process; null on timeout.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs);
// The text of a message box (its static text control).
std::wstring MessageBoxText(HWND hBox);
std::wstring WindowText(HWND hWnd);
// Presses a button of a dialog box by its id.
void PressButton(HWND hDialog, int id);

// Polls until the predicate holds or the time runs out.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(20);
    }
}

// Sends the system's device-removal notice for one drive letter.
LRESULT SendVolumeRemoval(HWND hWnd, DWORD unitMask, WORD flags);

}  // namespace testkit
