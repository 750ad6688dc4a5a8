#include "TestKit.h"

#include <dbt.h>
#include <utility>

namespace testkit {

CProcess::~CProcess()
{
    Close();
}

CProcess::CProcess(CProcess&& other) noexcept : m_pi(std::exchange(other.m_pi, PROCESS_INFORMATION()))
{
}

CProcess& CProcess::operator=(CProcess&& other) noexcept
{
    if (this != &other) {
        Close();
        m_pi = std::exchange(other.m_pi, PROCESS_INFORMATION());
    }
    return *this;
}

void CProcess::Close()
{
    if (m_pi.hProcess) ::CloseHandle(m_pi.hProcess);
    if (m_pi.hThread) ::CloseHandle(m_pi.hThread);
    m_pi = PROCESS_INFORMATION();
}

bool CProcess::Start(const std::wstring& program, const std::wstring& arguments)
{
    Close();
    std::wstring commandLine = Quote(program);
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    return ::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &m_pi) != FALSE;
}

bool CProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const
{
    if (!m_pi.hProcess) return true;
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(m_pi.hProcess, exitCode);
    return true;
}

bool CProcess::IsRunning() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

void CProcess::Kill()
{
    if (IsRunning()) {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
}

std::wstring ThisProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash);
}

// Test and companion programs live in sibling folders of the build's bin.
std::wstring ToolPath()
{
    return ThisProgramFolder() + L"\\..\\bin\\WavaPlaylist.exe";
}

std::wstring CompanionPath()
{
    return ThisProgramFolder() + L"\\..\\companion\\WavaCompanion.exe";
}

// Backslashes count as escapes only in front of a quote, so those must be
// doubled; "E:\" would otherwise swallow its closing quote.
std::wstring Quote(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

namespace {
BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hWnd);
    return TRUE;
}

// A snapshot: a hand walk with GW_HWNDNEXT skips a window that is activated,
// and so moved to the top, while the walk is behind it; a test would see it
// gone.
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
}  // namespace

std::vector<HWND> FindToolWindows()
{
    std::vector<HWND> windows;
    for (HWND hWnd : TopLevelWindows()) {
        if (::GetPropW(hWnd, kMainWindowProperty)) windows.push_back(hWnd);
    }
    return windows;
}

HWND WaitForToolWindows(size_t count, DWORD timeoutMs)
{
    HWND first = nullptr;
    bool reached = WaitUntil([&] {
        std::vector<HWND> windows = FindToolWindows();
        if (windows.size() != count) return false;
        first = windows.empty() ? nullptr : windows.front();
        return true;
    }, timeoutMs);
    return reached ? first : nullptr;
}

HWND ToolWindowOfProcess(DWORD processId)
{
    for (HWND hWnd : FindToolWindows()) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hWnd, &owner);
        if (owner == processId) return hWnd;
    }
    return nullptr;
}

bool WaitForOwnerProcessExit(HWND hWnd, DWORD timeoutMs)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return processId == 0;  // the window, and so its owner, is already gone
    bool ended = ::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

std::vector<HWND> FindDialogBoxes(DWORD processId)
{
    std::vector<HWND> boxes;
    for (HWND hWnd : TopLevelWindows()) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hWnd, &owner);
        if (owner != processId || !::IsWindowVisible(hWnd)) continue;
        wchar_t className[64] = {};
        ::GetClassNameW(hWnd, className, 64);
        if (::lstrcmpW(className, L"#32770") == 0 && !::GetPropW(hWnd, kMainWindowProperty))
            boxes.push_back(hWnd);
    }
    return boxes;
}

// A box counts once its message is there: a loaded machine may show us the
// box's window before the box has set its text.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    HWND box = nullptr;
    WaitUntil([&] {
        std::vector<HWND> boxes = FindDialogBoxes(processId);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr && !MessageBoxText(box).empty();
    }, timeoutMs);
    return box;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[1024] = {};
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          5000, nullptr);
    return text;
}

std::wstring MessageBoxText(HWND hBox)
{
    // The box's message is its static control with id 0xFFFF.
    HWND hText = ::GetDlgItem(hBox, 0xFFFF);
    return hText ? WindowText(hText) : std::wstring();
}

void PressButton(HWND hDialog, int id)
{
    ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, id)));
}

LRESULT SendVolumeRemoval(HWND hWnd, DWORD unitMask, WORD flags)
{
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = unitMask;
    volume.dbcv_flags = flags;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hWnd, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                          reinterpret_cast<LPARAM>(&volume), SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

}  // namespace testkit
