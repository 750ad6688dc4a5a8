// The companion program as the demo and a user's setup use it.
#include "TestKit.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <algorithm>
#include <string>

using namespace testkit;

namespace {

// The log is a text file with the system's line ends.
std::string ReadLog(const std::wstring& path)
{
    std::string text = ReadBytes(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

TEST(Companion, ListenerLogsEveryContentUpdateWithItsParameters)
{
    std::wstring log = ThisProgramFolder() + L"\\content_updates.log";
    ::DeleteFileW(log.c_str());
    CProcess listener;
    ASSERT_TRUE(listener.Start(CompanionPath(), L"listen 20 " + Quote(log)));
    ASSERT_TRUE(WaitUntil([] { return ::FindWindowW(L"Wava content listener", nullptr) != nullptr; }, 20000));

    UINT msg = ::RegisterWindowMessageW(kContentUpdatedMessageName);
    ::PostMessageW(HWND_BROADCAST, msg, kContentUpdatedPlaylists, 0);
    ::PostMessageW(HWND_BROADCAST, msg, 7, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return ReadLog(log) == "content-updated wParam=203 lParam=0\n"
                                    "content-updated wParam=7 lParam=0\n";
    }, 10000)) << ReadLog(log);
    listener.Kill();
}

TEST(Companion, StartsTheToolWithItsArgumentsAndWaitsForTheWindow)
{
    CProcess companion;
    ASSERT_TRUE(companion.Start(CompanionPath(), L"start --wait -S K:\\ -N \"Companion Player\""));
    DWORD exitCode = 1;
    ASSERT_TRUE(companion.WaitForExit(30000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    HWND hWnd = WaitForToolWindows(1, 5000);
    ASSERT_NE(nullptr, hWnd);
    PressButton(hWnd, 1011);
    EXPECT_TRUE(WaitForOwnerProcessExit(hWnd, 10000));
    EXPECT_TRUE(FindToolWindows().empty());
}

}  // namespace

namespace {

TEST(Companion, QuotedArgumentsComeBackUnchanged)
{
    const std::wstring values[] = {L"E:\\", L"E:\\Music", L"Demo Player", L"a\"b", L"x\\\"y",
                                   L"", L"trailing\\\\"};
    for (const std::wstring& value : values) {
        std::wstring line = L"prog.exe " + Quote(value) + L" next";
        int argc = 0;
        wchar_t** argv = ::CommandLineToArgvW(line.c_str(), &argc);
        ASSERT_EQ(3, argc) << testing::PrintToString(line);
        EXPECT_EQ(value, argv[1]);
        EXPECT_STREQ(L"next", argv[2]);
        ::LocalFree(argv);
    }
}

}  // namespace
