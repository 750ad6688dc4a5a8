#include "handoff/HandOff.h"

#include <shlwapi.h>

namespace {
BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hWnd);
    return TRUE;
}

// Top to bottom, as a snapshot: a hand walk with GW_HWNDNEXT loses its place
// when the window it stands on is destroyed or moved to the top, and so could
// miss a running instance and let a second one serve its drive.
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}
}  // namespace

bool IsWaitDialogPresent()
{
    for (HWND hWnd : TopLevelWindows()) {
        if (::GetPropW(hWnd, kWaitDialogProperty)) return true;
    }
    return false;
}

int FindPlaylistWindows(std::vector<HWND>& windows)
{
    windows.clear();
    for (HWND hWnd : TopLevelWindows()) {
        if (::GetPropW(hWnd, kMainWindowProperty)) windows.push_back(hWnd);
    }
    return static_cast<int>(windows.size());
}

LRESULT SendShareMessage(HWND hWnd, WPARAM request, ATOM atom)
{
    const UINT shareMsg = ::RegisterWindowMessageW(kShareMessageName);
    DWORD_PTR reply = 0;
    if (!shareMsg || !::SendMessageTimeoutW(hWnd, shareMsg, request, atom, SMTO_ABORTIFHUNG,
                                            kShareReplyTimeoutMs, &reply))
        return 0;
    return static_cast<LRESULT>(reply);
}

void ActivateInstanceWindow(HWND hWnd)
{
    // Asked, not waited for: ShowWindow on another program's window waits
    // until that program has shown it, for ever if it stopped answering
    // after its reply, and this start holds the drive's start lock.
    ::ShowWindowAsync(hWnd, ::IsIconic(hWnd) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(hWnd);
    // A box open in that instance must come to the front too.
    ::SetForegroundWindow(::GetLastActivePopup(hWnd));
}

LRESULT AnswerShareMessage(WPARAM wParam, LPARAM lParam, const wchar_t* deviceRoot,
                           bool& closeRequested)
{
    switch (wParam) {
    case kShareAskSameRoot: {
        wchar_t askedRoot[MAX_PATH] = {};
        UINT length = ::GlobalGetAtomNameW(static_cast<ATOM>(lParam), askedRoot, MAX_PATH);
        askedRoot[length < MAX_PATH ? length : MAX_PATH - 1] = L'\0';
        return ::PathIsSameRootW(deviceRoot, askedRoot) ? kShareReplyYes : 0;
    }
    case kShareCloseRequest:
        closeRequested = true;
        return kShareReplyYes;
    default:
        return 0;
    }
}
