#include "handoff/HandOff.h"
#include "handoff/DriveLock.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {

class AtomGuard {
public:
    explicit AtomGuard(const wchar_t* text) : m_atom(::GlobalAddAtomW(text)) {}
    ~AtomGuard() { if (m_atom) ::GlobalDeleteAtom(m_atom); }
    ATOM Get() const { return m_atom; }

private:
    ATOM m_atom;
};

TEST(AnswerShareMessage, SameRootIsClaimed)
{
    AtomGuard atom(L"E:\\");
    ASSERT_NE(0, atom.Get());
    bool close = false;
    EXPECT_EQ(kShareReplyYes, AnswerShareMessage(kShareAskSameRoot, atom.Get(), L"e:\\", close));
    EXPECT_FALSE(close);
}

TEST(AnswerShareMessage, OtherRootOrUnknownAtomIsNotClaimed)
{
    AtomGuard atom(L"F:\\");
    bool close = false;
    EXPECT_EQ(0, AnswerShareMessage(kShareAskSameRoot, atom.Get(), L"E:\\", close));
    // An atom that does not exist reads as empty text.
    EXPECT_EQ(0, AnswerShareMessage(kShareAskSameRoot, 0xBEEF, L"E:\\", close));
    EXPECT_FALSE(close);
}

TEST(AnswerShareMessage, CloseRequestNeedsNoAtom)
{
    bool close = false;
    EXPECT_EQ(kShareReplyYes, AnswerShareMessage(kShareCloseRequest, 0, L"E:\\", close));
    EXPECT_TRUE(close);
}

TEST(AnswerShareMessage, OtherRequestsAreIgnored)
{
    bool close = false;
    EXPECT_EQ(0, AnswerShareMessage(3, 0, L"E:\\", close));
    EXPECT_EQ(0, AnswerShareMessage(0, 0, L"E:\\", close));
    EXPECT_FALSE(close);
}

LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

HWND MakeTopLevel()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HandOffTestWindow";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

TEST(FindPlaylistWindows, FindsMarkedWindowsOnlyAndEmptiesTheArray)
{
    HWND marked = MakeTopLevel();
    HWND plain = MakeTopLevel();
    ASSERT_TRUE(marked && plain);
    ::SetPropW(marked, kMainWindowProperty, kMainWindowPropertyValue);

    std::vector<HWND> windows = {plain, plain};
    int count = FindPlaylistWindows(windows);
    EXPECT_EQ(static_cast<int>(windows.size()), count);
    EXPECT_NE(windows.end(), std::find(windows.begin(), windows.end(), marked));
    EXPECT_EQ(windows.end(), std::find(windows.begin(), windows.end(), plain));

    EXPECT_FALSE(IsWaitDialogPresent());
    ::SetPropW(plain, kWaitDialogProperty, reinterpret_cast<HANDLE>(1));
    EXPECT_TRUE(IsWaitDialogPresent());
    ::RemovePropW(plain, kWaitDialogProperty);
    ::DestroyWindow(marked);
    ::DestroyWindow(plain);
}

// Another program keeps raising and lowering its windows while an instance
// looks for the running ones: a marked window must never be missed.
TEST(FindPlaylistWindows, FindsAMarkedWindowWhileTheZOrderChanges)
{
    HWND marked = nullptr;
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> stop{false};
    std::thread shuffler([&] {
        std::vector<HWND> crowd;
        for (int i = 0; i < 40; ++i) crowd.push_back(MakeTopLevel());
        marked = MakeTopLevel();
        ::SetPropW(marked, kMainWindowProperty, kMainWindowPropertyValue);
        ::SetEvent(ready);
        const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        for (bool top = true; !stop; top = !top)
            ::SetWindowPos(marked, top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, flags);
        ::DestroyWindow(marked);
        for (HWND hWnd : crowd) ::DestroyWindow(hWnd);
    });
    ::WaitForSingleObject(ready, INFINITE);

    int misses = 0;
    std::vector<HWND> windows;
    for (int i = 0; i < 2000; ++i) {
        FindPlaylistWindows(windows);
        if (std::find(windows.begin(), windows.end(), marked) == windows.end()) ++misses;
    }
    stop = true;
    shuffler.join();
    ::CloseHandle(ready);
    EXPECT_EQ(0, misses) << "of 2000 searches";
}

// Another start holds the drive's lock and then dies without letting go.
TEST(StartLock, WaitsForTheDriveOnlyAndTakesOverAnAbandonedLock)
{
    HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE die = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE mutex = nullptr;
    std::thread other([&] {
        mutex = ::CreateMutexW(nullptr, TRUE, (std::wstring(kStartLockNamePrefix) + L"E").c_str());
        ::SetEvent(held);
        ::WaitForSingleObject(die, INFINITE);
    });
    ::WaitForSingleObject(held, INFINITE);

    CDriveLock lock(kStartLockNamePrefix);
    EXPECT_EQ(CDriveLock::kBusy, lock.Acquire(L"E:\\", 100));
    EXPECT_FALSE(lock.IsHeld());
    EXPECT_EQ(CDriveLock::kAcquired, lock.Acquire(L"F:\\", 100)) << "another drive";
    ::SetEvent(die);
    other.join();
    EXPECT_EQ(CDriveLock::kAcquired, lock.Acquire(L"E:\\", 1000));
    EXPECT_TRUE(lock.IsHeld());
    lock.Release();
    std::thread([] {
        CDriveLock again(kStartLockNamePrefix);
        EXPECT_EQ(CDriveLock::kAcquired, again.Acquire(L"E:\\", 0)) << "released for good";
    }).join();
    ::CloseHandle(mutex);
    ::CloseHandle(held);
    ::CloseHandle(die);
}

// A lock made by an instance with higher rights, which this one may not
// open, takes the drive all the same.
TEST(DriveLock, ALockThatMayNotBeOpenedIsTaken)
{
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ACL noAccess;
    ::InitializeAcl(&noAccess, sizeof(noAccess), ACL_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, &noAccess, FALSE);
    SECURITY_ATTRIBUTES sa = {sizeof(sa), &sd, FALSE};
    HANDLE mutex = ::CreateMutexW(&sa, FALSE, (std::wstring(kServingLockNamePrefix) + L"G").c_str());
    ASSERT_NE(nullptr, mutex);
    CDriveLock lock(kServingLockNamePrefix);
    EXPECT_EQ(CDriveLock::kBusy, lock.Acquire(L"G:\\", 0));
    ::CloseHandle(mutex);
}

}  // namespace
