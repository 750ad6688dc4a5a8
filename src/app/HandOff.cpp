#include "app/HandOff.h"

#include <shlwapi.h>

const wchar_t kMainWindowProperty[] = L"Vantorel_Wava_Playlist_041030003";
const wchar_t kWaitDialogProperty[] = L"Vantorel_Wava_Playlist_WaitDlg_041030005";
const wchar_t kShareMessageName[] = L"ZKSHARESTRING_WAPl041030001";

namespace {
template <typename Visit>
void ForEachTopLevelWindow(Visit visit)
{
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd && ::IsWindow(hWnd);
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (!visit(hWnd)) return;
    }
}
}

bool IsWaitDialogPresent()
{
    bool found = false;
    ForEachTopLevelWindow([&](HWND hWnd) {
        found = ::GetPropW(hWnd, kWaitDialogProperty) != nullptr;
        return !found;
    });
    return found;
}

int FindPlaylistWindows(std::vector<HWND>& windows)
{
    windows.clear();
    ForEachTopLevelWindow([&](HWND hWnd) {
        if (::GetPropW(hWnd, kMainWindowProperty)) windows.push_back(hWnd);
        return true;
    });
    return static_cast<int>(windows.size());
}

void ActivateInstanceWindow(HWND hWnd)
{
    ::ShowWindow(hWnd, ::IsIconic(hWnd) ? SW_RESTORE : SW_SHOW);
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
