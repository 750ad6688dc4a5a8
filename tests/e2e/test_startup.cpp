// The program as a user's companion program starts it: real processes,
// real windows, messages across processes.
#include "TestKit.h"
#include "res/version.h"

#include <gtest/gtest.h>
#include <dbt.h>
#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace testkit;

namespace {

const DWORD kStartTimeoutMs = 20000;
// E: and K: are removable drives of the test prefix, mapped to build folders.
const wchar_t kDeviceFolder[] = L"E:\\Music";
const wchar_t kDeviceRoot[] = L"E:\\";
const wchar_t kOtherDrive[] = L"K:\\";
const DWORD kDriveE = 1u << 4;

class StartupTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(kDeviceFolder, nullptr);
        // A process killed by an earlier run may have left its atom behind.
        for (const wchar_t* root : {kDeviceRoot, kOtherDrive}) {
            while (ATOM atom = ::GlobalFindAtomW(root)) ::GlobalDeleteAtom(atom);
        }
        ASSERT_TRUE(WaitForToolWindows(0, 5000) || FindToolWindows().empty())
            << "a tool window of an earlier test is still open";
    }

    // Closes what is still open the way a user would, so that every
    // instance runs its shutdown; kills only what does not end.
    void TearDown() override
    {
        for (HWND hWnd : FindToolWindows()) PressButton(hWnd, 1011);
        for (auto& p : m_processes) {
            if (!p->WaitForExit(5000)) p->Kill();
        }
        WaitForToolWindows(0, 5000);
    }

    CProcess& Start(const std::wstring& arguments, const std::wstring& program = ToolPath())
    {
        m_processes.push_back(std::make_unique<CProcess>());
        EXPECT_TRUE(m_processes.back()->Start(program, arguments)) << "error " << ::GetLastError();
        return *m_processes.back();
    }

    // Starts an instance for a drive and waits for its window to show, which
    // it does once the dialog is initialised.
    HWND StartInstance(const std::wstring& arguments, CProcess** process = nullptr)
    {
        CProcess& p = Start(arguments);
        HWND hWnd = nullptr;
        WaitUntil([&] {
            hWnd = ToolWindowOfProcess(p.Id());
            return (hWnd && ::IsWindowVisible(hWnd)) || !p.IsRunning();
        }, kStartTimeoutMs);
        if (process) *process = &p;
        DWORD exitCode = 0;
        if (!hWnd && p.WaitForExit(0, &exitCode))
            ADD_FAILURE() << "the program ended without a window, exit code " << exitCode;
        return hWnd;
    }

    // A start that can neither serve its drive nor reach the instance that
    // does: no window, but a box that names the drive, until answered.
    void ExpectRefusedNamingTheDrive(CProcess& p, const std::wstring& drive)
    {
        HWND box = WaitForMessageBox(p.Id(), kStartTimeoutMs);
        ASSERT_NE(nullptr, box);
        EXPECT_NE(std::wstring::npos, MessageBoxText(box).find(L"drive " + drive)) << testing::PrintToString(MessageBoxText(box));
        EXPECT_EQ(nullptr, ToolWindowOfProcess(p.Id()));
        PressButton(box, IDOK);
        EXPECT_TRUE(p.WaitForExit(kStartTimeoutMs));
    }

    // A start that must end by itself without ever showing a window.
    void ExpectEndsWithoutWindow(CProcess& p)
    {
        DWORD exitCode = 1;
        EXPECT_TRUE(p.WaitForExit(kStartTimeoutMs, &exitCode));
        EXPECT_EQ(0u, exitCode);
        EXPECT_TRUE(FindDialogBoxes(p.Id()).empty());
    }

    // Starts every command line at once (ten starts reach the search for
    // running instances together) and waits until each start has ended or
    // shows its window. Answers the indexes of those still running.
    std::vector<size_t> StartAtOnce(const std::vector<std::wstring>& arguments)
    {
        std::vector<CProcess*> started;
        for (const std::wstring& a : arguments) started.push_back(&Start(a));
        auto settled = [](const CProcess* p) {
            HWND hWnd = ToolWindowOfProcess(p->Id());
            return !p->IsRunning() || (hWnd && ::IsWindowVisible(hWnd));
        };
        EXPECT_TRUE(WaitUntil([&] { return std::all_of(started.begin(), started.end(), settled); }, 60000));
        std::vector<size_t> running;
        for (size_t i = 0; i < started.size(); ++i) {
            DWORD exitCode = 0;
            if (started[i]->IsRunning()) {
                running.push_back(i);
            } else {
                started[i]->WaitForExit(0, &exitCode);
                EXPECT_EQ(0u, exitCode) << "start " << i;
            }
        }
        return running;
    }

    // Closes the instance's window and waits for its process to end.
    void CloseInstance(CProcess& p)
    {
        PressButton(ToolWindowOfProcess(p.Id()), 1011);
        EXPECT_TRUE(p.WaitForExit(kStartTimeoutMs));
    }

    std::vector<std::unique_ptr<CProcess>> m_processes;
};

std::wstring Args(const std::wstring& root, const std::wstring& name = L"Test Player")
{
    return L"-S " + Quote(root) + L" -N " + Quote(name);
}

// The error mode of another process: SetErrorMode run there as a thread
// (one parameter, as a thread's start) answers it, and a second run puts
// it back.
UINT ErrorModeOf(DWORD processId)
{
    HANDLE hProcess = ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    EXPECT_NE(nullptr, hProcess);
    auto setErrorMode = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetErrorMode")));
    auto run = [&](UINT mode) {
        DWORD result = 0xFFFFFFFF;
        HANDLE hThread = ::CreateRemoteThread(hProcess, nullptr, 0, setErrorMode,
                                              reinterpret_cast<void*>(static_cast<UINT_PTR>(mode)), 0, nullptr);
        EXPECT_NE(nullptr, hThread) << "error " << ::GetLastError();
        if (hThread && ::WaitForSingleObject(hThread, 5000) == WAIT_OBJECT_0) ::GetExitCodeThread(hThread, &result);
        if (hThread) ::CloseHandle(hThread);
        return static_cast<UINT>(result);
    };
    const UINT mode = run(0);
    run(mode);
    if (hProcess) ::CloseHandle(hProcess);
    return mode;
}

TEST_F(StartupTest, StartShowsOneMarkedWindow)
{
    CProcess* p = nullptr;
    HWND hWnd = StartInstance(Args(kDeviceFolder), &p);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(1u, FindToolWindows().size());
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_EQ(kMainWindowPropertyValue, ::GetPropW(hWnd, kMainWindowProperty));
    // The device's atom lives as long as the instance.
    EXPECT_NE(0, ::GlobalFindAtomW(kDeviceRoot));
    // No "no disk" box from the system, whatever drive a playlist names.
    const UINT boxesOff = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(boxesOff, ErrorModeOf(p->Id()) & boxesOff);
}

// The program draws itself at every scale, so that the system never
// stretches it: per monitor where the system can, else at the system's DPI.
// Wine treats every program as aware per monitor; the declaration is read.
TEST(ProgramFile, DeclaresItsDpiAwareness)
{
    HMODULE hProgram = ::LoadLibraryExW(ToolPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, hProgram);
    HRSRC hManifest = ::FindResourceW(hProgram, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(nullptr, hManifest);
    const char* text = static_cast<const char*>(::LockResource(::LoadResource(hProgram, hManifest)));
    std::string manifest(text, ::SizeofResource(hProgram, hManifest));
    ::FreeLibrary(hProgram);
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, System</dpiAwareness>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>")) << manifest;
}

// A text of a file's version details, read the way the file's properties
// read it.
std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name)
{
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
        return std::wstring();
    return std::wstring(text, length && !text[length - 1] ? length - 1 : length);
}

// The program and both modules carry the project's version, the product's
// name and a copyright line.
TEST(ProgramFile, EveryFileCarriesItsVersionDetails)
{
    std::wstring folder = ToolPath();
    folder.resize(folder.find_last_of(L'\\') + 1);
    const struct {
        const wchar_t* file;
        DWORD type;
    } files[] = {{L"WavaPlaylist.exe", VFT_APP}, {L"ZKWAPlRs.crl", VFT_DLL}, {L"HookWndU.DLL", VFT_DLL}};
    const DWORD versionMs = MAKELONG(WAVA_VERSION_MINOR, WAVA_VERSION_MAJOR);
    const DWORD versionLs = MAKELONG(0, WAVA_VERSION_PATCH);
    for (const auto& f : files) {
        const std::wstring path = folder + f.file;
        DWORD ignored = 0;
        std::vector<BYTE> info(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(info.empty()) << testing::PrintToString(path);
        ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(versionMs, fixed->dwFileVersionMS);
        EXPECT_EQ(versionLs, fixed->dwFileVersionLS);
        EXPECT_EQ(versionMs, fixed->dwProductVersionMS);
        EXPECT_EQ(versionLs, fixed->dwProductVersionLS);
        EXPECT_EQ(f.type, fixed->dwFileType);
        EXPECT_EQ(L"Wava Playlist", VersionString(info, L"ProductName"));
        EXPECT_EQ(L"" WAVA_VERSION_TEXT, VersionString(info, L"FileVersion"));
        EXPECT_EQ(L"" WAVA_VERSION_TEXT, VersionString(info, L"ProductVersion"));
        EXPECT_EQ(f.file, VersionString(info, L"OriginalFilename"));
        EXPECT_FALSE(VersionString(info, L"FileDescription").empty());
        EXPECT_EQ(0u, VersionString(info, L"LegalCopyright").find(L"Copyright"));
    }
}

TEST_F(StartupTest, SecondStartForTheSameDriveBringsTheFirstBack)
{
    HWND first = StartInstance(Args(kDeviceFolder));
    ASSERT_NE(nullptr, first);
    ::ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(first) != FALSE; }, 5000));

    CProcess& second = Start(Args(L"e:"));
    ExpectEndsWithoutWindow(second);
    EXPECT_EQ(std::vector<HWND>{first}, FindToolWindows());
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(first); }, 5000)) << "not restored";
}

TEST_F(StartupTest, StartForAnotherDriveRunsBesideTheFirst)
{
    HWND first = StartInstance(Args(kDeviceFolder));
    ASSERT_NE(nullptr, first);
    HWND second = StartInstance(Args(kOtherDrive, L"Other"));
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(2u, FindToolWindows().size());
}

// A quoted root, "E:\", arrives as E:" in the program's arguments.
const wchar_t kQuotedRootArgs[] = L"-N Quoted -S \"E:\\\"";

TEST_F(StartupTest, OtherSpellingsOfTheDriveFindTheSameInstance)
{
    CProcess* p = nullptr;
    ASSERT_NE(nullptr, StartInstance(Args(L"e:/Music/"), &p));
    ExpectEndsWithoutWindow(Start(Args(kDeviceRoot)));
    EXPECT_EQ(1u, FindToolWindows().size());
    CloseInstance(*p);

    ASSERT_NE(nullptr, StartInstance(Args(kDeviceRoot)));
    for (const std::wstring& odd : {Args(L"e:/Music/"), std::wstring(kQuotedRootArgs), Args(L"\\\\.\\E:"),
                                    Args(L"\\\\?\\e:\\Music\\..")})
        ExpectEndsWithoutWindow(Start(odd));
    EXPECT_EQ(1u, FindToolWindows().size());
}

TEST_F(StartupTest, SimultaneousStartsForOneDriveGiveOneWindow)
{
    const std::wstring spellings[] = {Args(kDeviceRoot), Args(L"e:/Music/"), Args(L"\\\\?\\E:\\"),
                                      kQuotedRootArgs, Args(kDeviceFolder)};
    for (size_t round = 0; round < 5; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        std::vector<std::wstring> arguments;
        for (size_t i = 0; i < 10; ++i) arguments.push_back(spellings[(i + round) % 5]);
        const size_t first = m_processes.size();
        std::vector<size_t> running = StartAtOnce(arguments);
        ASSERT_EQ(1u, running.size());
        EXPECT_EQ(1u, FindToolWindows().size());
        CloseInstance(*m_processes[first + running[0]]);
    }
}

TEST_F(StartupTest, SimultaneousStartsForTwoDrivesGiveTwoWindows)
{
    std::vector<std::wstring> arguments;
    for (size_t i = 0; i < 10; ++i) arguments.push_back(Args(i % 2 ? kOtherDrive : kDeviceFolder));
    std::vector<size_t> running = StartAtOnce(arguments);
    ASSERT_EQ(2u, running.size());
    EXPECT_NE(running[0] % 2, running[1] % 2) << "both windows serve one drive";
    EXPECT_EQ(2u, FindToolWindows().size());
}

// A marked window that never answers stands in front of every other, so
// each start and each close request asks it first.
TEST_F(StartupTest, HungInstanceStopsNeitherAStartNorACloseRequest)
{
    CProcess& hung = Start(L"hung-window 120", CompanionPath());
    HWND hungWnd = WaitForToolWindows(1, kStartTimeoutMs);
    ASSERT_NE(nullptr, hungWnd);

    CProcess* a = nullptr;
    CProcess* b = nullptr;
    ASSERT_NE(nullptr, StartInstance(Args(kDeviceFolder), &a));
    ExpectEndsWithoutWindow(Start(Args(kDeviceRoot)));
    ASSERT_NE(nullptr, StartInstance(Args(kOtherDrive), &b));

    ExpectEndsWithoutWindow(Start(L"-Q"));
    EXPECT_TRUE(a->WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(b->WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(std::vector<HWND>{hungWnd}, FindToolWindows());
    hung.Kill();

    // One that claims the drive and hangs at once: bringing it to the front
    // must not wait for it either.
    CProcess& claiming = Start(L"hung-window 120 claims", CompanionPath());
    ASSERT_TRUE(WaitUntil([&] { return ToolWindowOfProcess(claiming.Id()) != nullptr; }, kStartTimeoutMs));
    ExpectEndsWithoutWindow(Start(Args(kDeviceRoot)));
    claiming.Kill();

    // One that serves the drive and does not answer, as a busy instance:
    // its drive gets no second window, another drive gets its own, and once
    // it is gone its drive is free again.
    CProcess& busy = Start(L"hung-window 120 serves E", CompanionPath());
    ASSERT_TRUE(WaitUntil([&] { return ToolWindowOfProcess(busy.Id()) != nullptr; }, kStartTimeoutMs));
    ExpectRefusedNamingTheDrive(Start(Args(kDeviceFolder)), L"E:");
    ASSERT_NE(nullptr, StartInstance(Args(kOtherDrive)));
    busy.Kill();
    ASSERT_NE(nullptr, StartInstance(Args(kDeviceFolder)));

    // A start stopped while it holds the drive's start lock: a later start
    // can neither decide nor reach an owner, and says so.
    const std::wstring lockName = std::wstring(kStartLockNamePrefix) + L"L";
    HANDLE startLock = ::CreateMutexW(nullptr, TRUE, lockName.c_str());
    ExpectRefusedNamingTheDrive(Start(Args(L"L:\\")), L"L:");
    ::ReleaseMutex(startLock);
    ::CloseHandle(startLock);

    // An instance that has let its window go and is ending still serves the
    // drive for a moment: a start then serves the drive once it is free.
    HANDLE ending = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread endingInstance([ending] {
        HANDLE servingLock = ::CreateMutexW(nullptr, TRUE, (std::wstring(kServingLockNamePrefix) + L"L").c_str());
        ::SetEvent(ending);
        ::Sleep(1000);
        ::ReleaseMutex(servingLock);
        ::CloseHandle(servingLock);
    });
    ::WaitForSingleObject(ending, INFINITE);
    EXPECT_NE(nullptr, StartInstance(Args(L"L:\\")));
    endingInstance.join();
    ::CloseHandle(ending);
}

TEST_F(StartupTest, CloseRequestClosesEveryInstanceAndShowsNothing)
{
    CProcess* a = nullptr;
    CProcess* b = nullptr;
    ASSERT_NE(nullptr, StartInstance(Args(kDeviceFolder), &a));
    ASSERT_NE(nullptr, StartInstance(Args(kOtherDrive), &b));

    CProcess& closer = Start(L"-Q");
    ExpectEndsWithoutWindow(closer);
    EXPECT_TRUE(a->WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(b->WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(FindToolWindows().empty());
}

TEST_F(StartupTest, CloseRequestCountsOnlyAsFirstArgument)
{
    HWND first = StartInstance(Args(kDeviceFolder));
    ASSERT_NE(nullptr, first);
    // "-Q" after a device is an ordinary start for that device: it hands
    // off to the running instance instead of closing it.
    CProcess& late = Start(Args(kDeviceRoot) + L" -Q");
    ExpectEndsWithoutWindow(late);
    EXPECT_EQ(std::vector<HWND>{first}, FindToolWindows());
}

TEST_F(StartupTest, StartsWithoutUsableDeviceEndSilently)
{
    ExpectEndsWithoutWindow(Start(L""));
    ExpectEndsWithoutWindow(Start(L"-S Q:\\nowhere"));
    ExpectEndsWithoutWindow(Start(L"-N Name -S"));
    // No local drive: the current drive's root, a network share.
    ExpectEndsWithoutWindow(Start(L"-S \\"));
    ExpectEndsWithoutWindow(Start(L"-S \\\\server\\share"));
    EXPECT_TRUE(FindToolWindows().empty());
    EXPECT_EQ(0, ::GlobalFindAtomW(L"Q:\\"));
}

LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

// Another program's wait dialog, made by the test itself.
class CWaitDialog {
public:
    CWaitDialog()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TestWaitDialog";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Please wait", WS_POPUP, 0, 0, 50, 50,
                                   nullptr, nullptr, wc.hInstance, nullptr);
        ::SetPropW(m_hWnd, kWaitDialogProperty, reinterpret_cast<HANDLE>(1));
    }
    ~CWaitDialog()
    {
        ::RemovePropW(m_hWnd, kWaitDialogProperty);
        ::DestroyWindow(m_hWnd);
    }

private:
    HWND m_hWnd;
};

TEST_F(StartupTest, WaitDialogRefusesTheStartBeforeAnythingElse)
{
    HWND first = StartInstance(Args(kOtherDrive));
    ASSERT_NE(nullptr, first);
    ::ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(first) != FALSE; }, 5000));
    {
        CWaitDialog wait;
        // Neither a new device nor a hand-off nor a close request gets through.
        ExpectEndsWithoutWindow(Start(Args(kDeviceFolder)));
        ExpectEndsWithoutWindow(Start(Args(kOtherDrive)));
        ExpectEndsWithoutWindow(Start(L"-Q"));
        EXPECT_EQ(std::vector<HWND>{first}, FindToolWindows());
        EXPECT_TRUE(::IsIconic(first)) << "the running instance was asked something";
        EXPECT_EQ(0, ::GlobalFindAtomW(kDeviceRoot));
    }
    HWND second = StartInstance(Args(kDeviceFolder));
    EXPECT_NE(nullptr, second) << "the start is refused only while the wait dialog is up";
}

// Copies the program alone into a folder of its own, without its modules.
std::wstring LoneProgramCopy()
{
    std::wstring folder = ThisProgramFolder() + L"\\lone_program";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring copy = folder + L"\\WavaPlaylist.exe";
    ::CopyFileW(ToolPath().c_str(), copy.c_str(), FALSE);
    return copy;
}

std::wstring SystemText(DWORD error)
{
    wchar_t* text = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                     reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring result = text ? text : L"";
    if (text) ::LocalFree(text);
    return result;
}

TEST_F(StartupTest, MissingResourceModuleShowsOneBoxWithTheLiteralCaption)
{
    CProcess& p = Start(Args(kDeviceFolder), LoneProgramCopy());
    HWND box = WaitForMessageBox(p.Id(), kStartTimeoutMs);
    ASSERT_NE(nullptr, box);
    ::Sleep(300);   // a second box would have appeared by now
    EXPECT_EQ(1u, FindDialogBoxes(p.Id()).size());
    EXPECT_EQ(L"Vantorel Playlist in Wava", WindowText(box));
    std::wstring text = MessageBoxText(box);
    EXPECT_FALSE(text.empty());
    // The system's own words for a module that is not there.
    std::wstring expected = SystemText(ERROR_MOD_NOT_FOUND);
    while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r')) expected.pop_back();
    EXPECT_NE(std::wstring::npos, text.find(expected)) << "box says: " << testing::PrintToString(text);

    PressButton(box, IDOK);
    EXPECT_TRUE(p.WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(FindToolWindows().empty());
    EXPECT_EQ(0, ::GlobalFindAtomW(kDeviceRoot)) << "the atom outlived the refused start";
}

TEST_F(StartupTest, RemovalOfTheDeviceDriveClosesTheWindowAndNothingElseDoes)
{
    CProcess* p = nullptr;
    HWND hWnd = StartInstance(Args(kDeviceFolder), &p);
    ASSERT_NE(nullptr, hWnd);

    const DWORD kDriveA = 1u << 0, kDriveB = 1u << 1, kDriveK = 1u << 10;
    SendVolumeRemoval(hWnd, kDriveA | kDriveB, 0);
    SendVolumeRemoval(hWnd, kDriveE, DBTF_MEDIA);
    SendVolumeRemoval(hWnd, kDriveE, DBTF_NET);
    SendVolumeRemoval(hWnd, kDriveK, 0);
    ::Sleep(300);
    EXPECT_TRUE(p->IsRunning());
    EXPECT_TRUE(::IsWindow(hWnd));

    SendVolumeRemoval(hWnd, kDriveK | kDriveE, 0);
    EXPECT_TRUE(p->WaitForExit(kStartTimeoutMs));
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(StartupTest, EnterDoesNothingAndEscapeOrCloseEndsTheProgram)
{
    CProcess* p = nullptr;
    HWND hWnd = StartInstance(Args(kDeviceFolder), &p);
    ASSERT_NE(nullptr, hWnd);
    HWND name = ::GetDlgItem(hWnd, 1007);
    ASSERT_NE(nullptr, name);

    // Keys reach the dialog through its own modal loop.
    ::PostMessageW(name, WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageW(name, WM_KEYUP, VK_RETURN, 0xC0000001);
    ::Sleep(500);
    EXPECT_TRUE(p->IsRunning());

    ::PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(p->WaitForExit(kStartTimeoutMs));

    CProcess* q = nullptr;
    hWnd = StartInstance(Args(kDeviceFolder), &q);
    ASSERT_NE(nullptr, hWnd);
    PressButton(hWnd, 1011);
    EXPECT_TRUE(q->WaitForExit(kStartTimeoutMs));
}

TEST_F(StartupTest, ShutdownDeletesTheAtomAlsoAfterARefusedStart)
{
    CProcess* first = nullptr;
    HWND hWnd = StartInstance(Args(kDeviceFolder), &first);
    ASSERT_NE(nullptr, hWnd);
    ASSERT_NE(0, ::GlobalFindAtomW(kDeviceRoot));

    // The refused start adds to the same atom and must take its share back.
    ExpectEndsWithoutWindow(Start(Args(kDeviceRoot)));
    PressButton(hWnd, 1011);
    ASSERT_TRUE(first->WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(0, ::GlobalFindAtomW(kDeviceRoot));
}

}  // namespace
