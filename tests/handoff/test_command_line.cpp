#include "handoff/CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct ParseCase {
    const char* name;
    std::vector<std::wstring> args;   // without the program
    StartMode mode;
    const wchar_t* root;
    const wchar_t* deviceName;
    const wchar_t* iconModule;
    int iconId;
};

// C:\windows exists in every prefix; Q: is never mapped.
const ParseCase kCases[] = {
    {"folder_gives_drive_root", {L"-S", L"C:\\windows\\system32", L"-N", L"My Player"},
     kStartDevice, L"C:\\", L"My Player", L"", 0},
    {"bare_drive_gets_backslash", {L"-S", L"c:"}, kStartDevice, L"C:\\", L"", L"", 0},
    {"options_ignore_case", {L"-s", L"C:\\", L"-n", L"Name"}, kStartDevice, L"C:\\", L"Name", L"", 0},
    {"later_option_wins", {L"-S", L"Q:\\", L"-S", L"C:\\"}, kStartDevice, L"C:\\", L"", L"", 0},
    {"last_option_never_read", {L"-N", L"x", L"-S"}, kStartNothing, L"", L"x", L"", 0},
    {"missing_drive_gives_nothing", {L"-S", L"Q:\\music"}, kStartNothing, L"Q:\\", L"", L"", 0},
    {"missing_icon_module_is_read_as_option",
     {L"-S", L"C:\\", L"-C", L"C:\\no\\such.dll", L"-I", L"7"}, kStartDevice, L"C:\\", L"", L"", 7},
    {"missing_icon_module_value_is_an_option", {L"-C", L"-S", L"C:\\"}, kStartDevice, L"C:\\", L"",
     L"", 0},
    {"existing_icon_module_is_kept", {L"-C", L"C:\\windows", L"-I", L"12ab", L"-S", L"C:\\"},
     kStartDevice, L"C:\\", L"", L"C:\\windows", 12},
    {"icon_id_without_digits_is_zero", {L"-S", L"C:\\", L"-I", L"ab12"}, kStartDevice, L"C:\\", L"",
     L"", 0},
    {"icon_id_skips_blanks_and_sign", {L"-S", L"C:\\", L"-I", L"  -42"}, kStartDevice, L"C:\\", L"",
     L"", -42},
    {"close_request_first", {L"-q", L"-S", L"C:\\"}, kStartCloseAll, L"", L"", L"", 0},
    {"close_request_only_as_first", {L"-S", L"C:\\", L"-Q"}, kStartDevice, L"C:\\", L"", L"", 0},
    {"unknown_arguments_are_skipped", {L"junk", L"-S", L"C:\\", L"more"}, kStartDevice, L"C:\\", L"",
     L"", 0},
    {"empty_command_line", {}, kStartNothing, L"", L"", L"", 0},
    // Every spelling of a path on a local drive gives that drive's root;
    // anything else is no device at all.
    {"forward_slashes", {L"-S", L"e:/Music/"}, kStartDevice, L"E:\\", L"", L"", 0},
    {"quoted_root_leaves_a_quote", {L"-S", L"E:\""}, kStartDevice, L"E:\\", L"", L"", 0},
    {"dot_dot_parts", {L"-S", L"E:\\Music\\..\\..\\x"}, kStartDevice, L"E:\\", L"", L"", 0},
    {"drive_relative", {L"-S", L"e:Music"}, kStartDevice, L"E:\\", L"", L"", 0},
    {"long_path_prefix", {L"-S", L"\\\\?\\e:\\"}, kStartDevice, L"E:\\", L"", L"", 0},
    {"device_prefix", {L"-S", L"\\\\.\\E:"}, kStartDevice, L"E:\\", L"", L"", 0},
    {"slashed_device_prefix", {L"-S", L"//./E:/Music"}, kStartDevice, L"E:\\", L"", L"", 0},
    {"unc_path", {L"-S", L"\\\\server\\share\\E:"}, kStartNothing, L"", L"", L"", 0},
    {"slashed_unc_path", {L"-S", L"//server/share/"}, kStartNothing, L"", L"", L"", 0},
    {"long_unc_path", {L"-S", L"\\\\?\\UNC\\server\\share"}, kStartNothing, L"", L"", L"", 0},
    {"pipe", {L"-S", L"\\\\.\\PIPE\\x"}, kStartNothing, L"", L"", L"", 0},
    {"volume_name", {L"-S", L"\\\\?\\Volume{0b1e5c3a-0000-0000-0000-100000000000}\\"}, kStartNothing,
     L"", L"", L"", 0},
    {"current_drive_root", {L"-S", L"\\"}, kStartNothing, L"", L"", L"", 0},
    {"relative_path", {L"-S", L"Music\\E:"}, kStartNothing, L"", L"", L"", 0},
    {"later_unusable_value_wins", {L"-S", L"E:\\", L"-S", L"\\\\server\\share"}, kStartNothing, L"",
     L"", L"", 0},
};

class ParseCommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, GivesModeAndFields)
{
    const ParseCase& c = GetParam();
    std::vector<const wchar_t*> argv = {L"WavaPlaylist.exe"};
    for (const std::wstring& a : c.args) argv.push_back(a.c_str());

    CDeviceFields fields;
    // Leftovers from an earlier parse must not survive.
    fields.m_nIconId = 99;
    fields.m_szDeviceName[0] = L'z';
    EXPECT_EQ(c.mode, ParseCommandLineArgs(static_cast<int>(argv.size()), argv.data(), fields));
    EXPECT_STREQ(c.root, fields.m_szDeviceRoot);
    EXPECT_STREQ(c.deviceName, fields.m_szDeviceName);
    EXPECT_STREQ(c.iconModule, fields.m_szIconModule);
    EXPECT_EQ(c.iconId, fields.m_nIconId);
}

INSTANTIATE_TEST_SUITE_P(Table, ParseCommandLineTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(ParseCommandLine, LongValuesAreCutAndTerminated)
{
    std::wstring longName(400, L'n');
    const wchar_t* argv[] = {L"p", L"-N", longName.c_str(), L"-S", L"C:\\"};
    CDeviceFields fields;
    EXPECT_EQ(kStartDevice, ParseCommandLineArgs(5, argv, fields));
    EXPECT_EQ(std::wstring(MAX_PATH - 1, L'n'), fields.m_szDeviceName);

    // A device path that fills the whole buffer must not spill into the
    // name that follows it.
    std::wstring fullPath = L"C:\\" + std::wstring(MAX_PATH - 4, L'd');
    const wchar_t* argvFull[] = {L"p", L"-N", L"Name", L"-S", fullPath.c_str()};
    EXPECT_EQ(kStartDevice, ParseCommandLineArgs(5, argvFull, fields));
    EXPECT_STREQ(L"C:\\", fields.m_szDeviceRoot);
    EXPECT_STREQ(L"Name", fields.m_szDeviceName);
}

}  // namespace
