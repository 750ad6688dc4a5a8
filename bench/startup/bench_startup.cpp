// Starting the tool on a player drive whose root holds 300 folders, from the
// process's creation to its marked window shown, as the player's companion
// program starts it (with a name and an icon for the drive), against the
// companion's bare showing of the same dialog template from the resource
// module. The two alternate, so that a busy moment of the machine falls on
// both alike.
#include "TestKit.h"
#include "TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testkit;

namespace {

const int kFolders = 300;
const int kRounds = 15;
const DWORD kShowTimeoutMs = 30000;
// A removable drive of the build's prefix that no test program uses.
const wchar_t kDrive[] = L"I:\\";

// What a player holds: artists' folders, each with an album of one file,
// out of name order, and the folder for playlists.
std::vector<std::wstring> FolderNames()
{
    std::vector<std::wstring> names = {L"PLAYLIST"};
    for (int i = 1; i < kFolders; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"Artist %03d", (i * 7919) % kFolders);
        names.push_back(name);
    }
    return names;
}

bool MakeDrive()
{
    for (const std::wstring& name : FolderNames()) {
        const std::wstring folder = kDrive + name;
        if (name == L"PLAYLIST") {
            if (!MakeFolders(folder)) return false;
            continue;
        }
        if (!MakeFolders(folder + L"\\First Album") ||
            !WriteBytes(folder + L"\\First Album\\01 Opening.mp3", "audio"))
            return false;
    }
    return true;
}

void ClearDrive()
{
    for (const std::wstring& name : FolderNames()) RemoveTree(kDrive + name);
}

BOOL CALLBACK TakeShownMarkedWindow(HWND hWnd, LPARAM found)
{
    if (!::GetPropW(hWnd, kMainWindowProperty) || !::IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hWnd;
    return FALSE;
}

// Asks about one thread's windows only: a walk over every window of the
// desktop at each look would load the system that the measured start uses.
HWND ShownMarkedWindow(DWORD threadId)
{
    HWND hWnd = nullptr;
    ::EnumThreadWindows(threadId, TakeShownMarkedWindow, reinterpret_cast<LPARAM>(&hWnd));
    return hWnd;
}

// Milliseconds from the start of the process to its marked window shown;
// negative when it never showed. The window is closed again as a user
// closes it, and the process waited for.
double TimeToWindow(const std::wstring& program, const std::wstring& arguments)
{
    CProcess process;
    const double start = NowMs();
    if (!process.Start(program, arguments)) return -1;
    double shownAfter = -1;
    HWND hWnd = nullptr;
    while (NowMs() - start < kShowTimeoutMs && process.IsRunning()) {
        hWnd = ShownMarkedWindow(process.MainThreadId());
        if (hWnd) {
            shownAfter = NowMs() - start;
            break;
        }
        ::Sleep(1);
    }
    if (hWnd) PressButton(hWnd, IDCANCEL);
    if (!process.WaitForExit(10000)) process.Kill();
    return shownAfter;
}

}  // namespace

int wmain()
{
    if (!FindToolWindows().empty()) {
        std::printf("close the running tool windows first\n");
        return 1;
    }
    ClearDrive();
    if (!MakeDrive()) {
        std::printf("cannot make the folders on %ls\n", kDrive);
        ClearDrive();
        return 1;
    }
    const std::wstring toolArguments = L"-S " + Quote(kDrive) + L" -N \"Bench Player\" -C " +
                                       Quote(ThisProgramFolder() + L"\\..\\companion\\DeviceIcon.dll") +
                                       L" -I 201";
    auto runTool = [&] { return TimeToWindow(ToolPath(), toolArguments); };
    auto runBaseline = [] { return TimeToWindow(CompanionPath(), L"show-template"); };

    // The first start of each reads its files from the disk.
    runBaseline();
    runTool();
    std::vector<double> tool, baseline;
    for (int round = 0; round < kRounds; ++round) {
        baseline.push_back(runBaseline());
        tool.push_back(runTool());
    }
    ClearDrive();
    if (*std::min_element(tool.begin(), tool.end()) < 0 ||
        *std::min_element(baseline.begin(), baseline.end()) < 0) {
        std::printf("a window did not show\n");
        return 1;
    }
    const double toolMs = Median(tool), baselineMs = Median(baseline);
    std::printf("startup-%d-folders: %.1f ms, baseline %.1f ms, ratio %.2f\n", kFolders, toolMs, baselineMs,
                toolMs / baselineMs);
    return 0;
}
