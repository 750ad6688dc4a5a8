#include "playlist_file/PlaylistFile.h"
#include "playlist_file/LongNameResolver.h"
#include "TestPaths.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cwctype>
#include <random>

namespace {

const wchar_t kPlaylistFolder[] = L"F:\\PLAYLIST";
const wchar_t kPlaylist[] = L"F:\\PLAYLIST\\T.M3U";

// An absolute line of exactly n bytes, newline not counted.
std::string LineOf(size_t n)
{
    return "C:\\" + std::string(n - 3, 'A');
}

std::string Repeated(const std::string& str, int n)
{
    std::string strOut;
    while (n-- > 0) strOut += str;
    return strOut;
}

std::wstring WideOf(const std::string& str)
{
    return std::wstring(str.begin(), str.end());
}

// The text with a UTF-16 mark, in either byte order.
std::string Utf16(const std::wstring& str, bool bBigEndian)
{
    std::string strBytes = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : str) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        strBytes += bBigEndian ? high : low;
        strBytes += bBigEndian ? low : high;
    }
    return strBytes;
}

const wchar_t kUtf16Lines[] = L"\\MUSIC\\A.MP3\r\n#X\r\nSUB\\\u00e9\u041A.MP3\nAB\n\\\\SERVER\\S\\X.MP3\r\n"
                              L"\\MUSIC\\\u0001.MP3\n\\MUSIC\\\u0085.MP3\nWXYZ\u001A\\MUSIC\\B.MP3\r\n";

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> entries;
    int refused;   // lines that are neither entries, comments nor short lines
};

const ReadCase kReadCases[] = {
    {"comment_root_folder_and_absolute_lines",
     "#EXTM3U\r\n\\MUSIC\\A.MP3\r\nSUB\\B.MP3\r\nC:\\C.MP3\r\n\r\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\SUB\\B.MP3", L"C:\\C.MP3"}, 0},
    {"lf_alone", "#EXTM3U\n\\MUSIC\\A.MP3\nSUB\\B.MP3\nC:\\C.MP3\n\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\SUB\\B.MP3", L"C:\\C.MP3"}, 0},
    {"three_characters_and_newline_count", "ABC\nAB\nAB\r\n", {L"F:\\PLAYLIST\\ABC"}, 0},
    {"last_line_without_newline_needs_four", "ABC\r\nXYZ", {L"F:\\PLAYLIST\\ABC"}, 0},
    {"last_line_of_four_without_newline", "WXYZ", {L"F:\\PLAYLIST\\WXYZ"}, 0},
    {"comment_whatever_follows", "#C:\\X.MP3\n# \\MUSIC\\Y.MP3\r\n#", {}, 0},
    {"drive_lines_get_one_spelling", "c:x\nC:\\..\\A.MP3\nC:/MUSIC//./A.MP3\\\n",
     {L"c:\\x", L"C:\\A.MP3", L"C:\\MUSIC\\A.MP3"}, 0},
    {"doubled_separators_never_start_a_network_path",
     "..\\\\\\SERVER\\SHARE\\K.MP3\r\nE:\\\\\\SERVER\\SHARE\\X3.MP3\r\n\\MUSIC\\..\\\\\\SERVER\\SHARE\\M.MP3\r\n"
     "\\.\\\\\\SERVER\\SHARE\\D.MP3\r\n",
     {L"F:\\SERVER\\SHARE\\K.MP3", L"E:\\SERVER\\SHARE\\X3.MP3", L"F:\\SERVER\\SHARE\\M.MP3",
      L"F:\\SERVER\\SHARE\\D.MP3"}, 0},
    {"system_namespace_lines_are_refused", "\\??\\UNC\\SERVER\\SHARE\\U.MP3\r\n\\??\\PIPE\\X\r\n\\??\\C:\\X.MP3\r\n",
     {}, 3},
    {"duplicates_are_kept", "C:\\A.MP3\nC:\\A.MP3\n", {L"C:\\A.MP3", L"C:\\A.MP3"}, 0},
    {"over_long_line_is_skipped_whole", LineOf(300) + "\r\nC:\\OK.MP3\n#" + std::string(600, 'x') + "\n",
     {L"C:\\OK.MP3"}, 1},
    {"longest_line_with_newline", LineOf(258) + "\n" + LineOf(259) + "\n" + LineOf(258) + "\r\n",
     {WideOf(LineOf(258)), WideOf(LineOf(258))}, 1},
    {"longest_last_line", "x\n" + LineOf(259), {WideOf(LineOf(259))}, 0},
    {"too_long_last_line", "x\n" + LineOf(260), {}, 1},
    {"nul_ends_the_text", std::string("ABCD\0EF\nABC\0\n", 13), {L"F:\\PLAYLIST\\ABCD"}, 1},
    {"network_device_and_namespace_lines_are_not_entries",
     "\\\\SERVER\\SHARE\\A.MP3\r\n\\\\?\\C:\\X.MP3\r\n\\\\.\\PIPE\\X\r\n//server/share/b.mp3\r\n"
     "\\/srv/x.mp3\n/\\srv\\x.mp3\n?:\\X.MP3\n\\MUSIC\\A.MP3\r\n",
     {L"F:\\MUSIC\\A.MP3"}, 7},
    {"device_names_are_not_entries",
     "\\MUSIC\\CON.MP3\nCOM1\nC:\\X\\nul\n\\aux \\A.MP3\nLPT1.TXT\nC:\\CONIN$\n\\MUSIC\\CONSOLE.MP3\n",
     {L"F:\\MUSIC\\CONSOLE.MP3"}, 6},
    {"dots_never_leave_the_drive",
     "..\\..\\..\\..\\MUSIC\\A.MP3\r\n\\..\\..\\B.MP3\r\n" + Repeated("../", 80) + "X.MP3\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\B.MP3", L"F:\\X.MP3"}, 0},
    {"utf8_mark_is_skipped_and_its_text_is_utf8", "\xEF\xBB\xBF\\MUSIC\\A.MP3\r\n\\\xC3\xA9T\xC3\xA9.MP3\r\n\\\xC3(.MP3\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\\u00e9T\u00e9.MP3"}, 1},
    // Without a mark: 0x81 and 0x8D are Á and Í in UTF-8 but undefined in
    // code page 1252 (the test prefix's), where they are text all the same.
    {"utf8_without_mark_is_read_as_utf8",
     "\\CAFE.MP3\r\n\\\xC3\x89T\xC3\x89.MP3\r\n\\\xC3\x81NGEL.MP3\r\n\\\xC3\x8D" "DOLO.MP3\r\n\\DAVID.MP3\r\n"
     "\\\xC2\x85NEL.MP3\r\n",
     {L"F:\\CAFE.MP3", L"F:\\\u00c9T\u00c9.MP3", L"F:\\\u00c1NGEL.MP3", L"F:\\\u00cd" L"DOLO.MP3", L"F:\\DAVID.MP3"}, 1},
    {"ansi_bytes_beyond_ascii_are_text", "\\\xC3\x81NGEL.MP3\r\n\\\xC9T\xC9.MP3\r\n\\\x8D\x8F\x90\x9D.MP3\r\n",
     {L"F:\\\u00c3\u0081NGEL.MP3", L"F:\\\u00c9T\u00c9.MP3", L"F:\\\u008d\u008f\u0090\u009d.MP3"}, 0},
    {"ctrl_z_ends_the_text", "\\MUSIC\\A.MP3\r\nWXYZ\x1A\\MUSIC\\B.MP3\r\n\\MUSIC\\C.MP3\r\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\WXYZ"}, 0},
    {"lines_with_control_characters_are_not_entries",
     "\\MUSIC\\A\x01.MP3\r\n\\MUSIC\\B\tC.MP3\n\\MUSIC\\\x7F.MP3\n\\A.MP3\r\\B.MP3\r\n\\MUSIC\\D.MP3\r\r\n"
     "\\MUSIC\\OK.MP3\n",
     {L"F:\\MUSIC\\OK.MP3"}, 5},
    {"utf16_little_endian", Utf16(kUtf16Lines, false),
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\SUB\\\u00e9\u041A.MP3", L"F:\\PLAYLIST\\WXYZ"}, 3},
    {"utf16_big_endian", Utf16(kUtf16Lines, true),
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\SUB\\\u00e9\u041A.MP3", L"F:\\PLAYLIST\\WXYZ"}, 3},
    {"utf16_mark_alone_and_odd_byte", "\xFF\xFE" "A", {}, 0},
};

class ReadPlaylistCase : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadPlaylistCase, AppendsTheEntriesOfItsLines)
{
    ASSERT_TRUE(MakeFolders(kPlaylistFolder));
    ASSERT_TRUE(WriteBytes(kPlaylist, GetParam().bytes));

    std::vector<std::wstring> arrEntries = {L"held before"};
    int nRefused = -1;
    EXPECT_EQ(kPlaylistFileDone, ReadPlaylistFile(kPlaylist, arrEntries, &nRefused));
    std::vector<std::wstring> arrExpected = {L"held before"};
    arrExpected.insert(arrExpected.end(), GetParam().entries.begin(), GetParam().entries.end());
    EXPECT_EQ(arrExpected, arrEntries);
    EXPECT_EQ(GetParam().refused, nRefused);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadPlaylistCase, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

// Entries as lines may spell them; %F and %f stand for the short names of
// the folder and of the song, as the file system reports them.
struct ResolveCase {
    const char* name;
    const wchar_t* entry;
    const wchar_t* resolved;   // null: names no file of the player
};

const wchar_t kResolvedSong[] = L"F:\\pf\\Resolve\\Long Music Folder\\Song number one.mp3";
const wchar_t kResolvedB[] = L"F:\\pf\\Resolve\\Long Music Folder\\b.mp3";

const ResolveCase kResolveCases[] = {
    {"short_upper_case", L"F:\\PF\\RESOLVE\\%F\\%f", kResolvedSong},
    {"long_as_listed", L"F:\\pf\\Resolve\\Long Music Folder\\Song number one.mp3", kResolvedSong},
    {"short_folder_long_file", L"F:\\PF\\RESOLVE\\%F\\SONG NUMBER ONE.MP3", kResolvedSong},
    {"long_folder_short_file_forward_slashes", L"F:/pf/resolve/long music folder/%f", kResolvedSong},
    {"other_case_dots_and_doubled_separators", L"f:\\PF\\.\\resolve\\\\%F\\..\\%F\\B.MP3", kResolvedB},
    {"missing_folder", L"F:\\PF\\RESOLVE\\GONE\\B.MP3", nullptr},
    {"missing_file", L"F:\\PF\\RESOLVE\\%F\\GONE.MP3", nullptr},
    {"a_folder_is_no_file", L"F:\\PF\\RESOLVE\\%F", nullptr},
    {"file_as_folder", L"F:\\PF\\RESOLVE\\%F\\B.MP3\\X.MP3", nullptr},
    {"other_drive", L"C:\\PF\\RESOLVE\\%F\\B.MP3", nullptr},
    {"network_path", L"\\\\SERVER\\SHARE\\B.MP3", nullptr},
    {"device_name", L"F:\\PF\\RESOLVE\\%F\\NUL", nullptr},
};

std::wstring LastElement(const std::wstring& strPath)
{
    return strPath.substr(strPath.rfind(L'\\') + 1);
}

class ResolveEntryCase : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveEntryCase, GivesTheLongPathOrMissing)
{
    static const bool bMade = [] {
        const std::wstring strFolder = FreshFolder(L"Resolve") + L"\\Long Music Folder";
        return MakeFolders(strFolder) && WriteBytes(kResolvedSong, "x") && WriteBytes(kResolvedB, "x");
    }();
    ASSERT_TRUE(bMade);
    std::wstring strEntry = GetParam().entry;
    for (const auto& name : {std::make_pair(L"%F", LastElement(SystemShortPath(L"F:\\pf\\Resolve\\Long Music Folder"))),
                             std::make_pair(L"%f", LastElement(SystemShortPath(kResolvedSong)))}) {
        for (size_t n; (n = strEntry.find(name.first)) != std::wstring::npos;) strEntry.replace(n, 2, name.second);
    }

    CLongNameResolver resolver(L"F:\\");
    std::wstring strLong = L"untouched";
    const bool bFound = resolver.Resolve(strEntry, strLong);
    EXPECT_EQ(GetParam().resolved != nullptr, bFound) << strEntry;
    EXPECT_EQ(GetParam().resolved ? GetParam().resolved : L"untouched", strLong);
}

INSTANTIATE_TEST_SUITE_P(Forms, ResolveEntryCase, testing::ValuesIn(kResolveCases),
                         [](const testing::TestParamInfo<ResolveCase>& info) { return info.param.name; });

TEST(ReadPlaylistFile, UnopenableFileGivesOneAndAddsNothing)
{
    const std::wstring strFolder = FreshFolder(L"Unreadable");
    const std::wstring strLocked = strFolder + L"\\locked.m3u";
    ASSERT_TRUE(WriteBytes(strLocked, "C:\\A.MP3\r\n"));
    HANDLE hLock = ::CreateFileW(strLocked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);

    for (const std::wstring& strPath : {strLocked, strFolder + L"\\missing.m3u", strFolder}) {
        std::vector<std::wstring> arrEntries = {L"held before"};
        EXPECT_EQ(kPlaylistFileFailed, ReadPlaylistFile(strPath.c_str(), arrEntries));
        EXPECT_EQ(std::vector<std::wstring>({L"held before"}), arrEntries);
    }
    ::CloseHandle(hLock);
}

TEST(PlaylistFile, WriteThenReadGivesUpperCaseShortPaths)
{
    const std::wstring strFolder = FreshFolder(L"RoundTrip");
    const std::wstring strMusic = strFolder + L"\\Long Music Folder";
    ASSERT_TRUE(MakeFolders(strMusic) && MakeFolders(strFolder + L"\\PLAYLIST"));
    std::vector<std::wstring> arrAdded = {strMusic + L"\\Song number one.mp3", strMusic + L"\\b.mp3",
                                          strMusic + L"\\Song number one.mp3"};
    for (const std::wstring& strPath : arrAdded) ASSERT_TRUE(WriteBytes(strPath, "x"));
    arrAdded.push_back(L"Q:\\Elsewhere\\Long missing name.wma");

    std::vector<std::wstring> arrExpected;
    for (size_t i = 0; i < 3; ++i) arrExpected.push_back(UpperAscii(SystemShortPath(UpperAscii(arrAdded[i]))));
    arrExpected.push_back(L"Q:\\ELSEWHERE\\LONG MISSING NAME.WMA");

    const std::wstring strPlaylist = strFolder + L"\\PLAYLIST\\Round trip.m3u";
    std::vector<std::wstring> arrCopy = arrAdded;
    ASSERT_EQ(kPlaylistFileDone, WritePlaylistFile(strPlaylist.c_str(), arrCopy));
    std::vector<std::wstring> arrRead;
    ASSERT_EQ(kPlaylistFileDone, ReadPlaylistFile(strPlaylist.c_str(), arrRead));
    EXPECT_EQ(arrExpected, arrRead);
}

// Random files never crash the reader; no entry is longer than a path
// buffer, and none comes from a comment line or an over-long line. Comment
// and over-long lines are the only ones that carry 'q' and 'z'. Every entry
// is a path on a drive, free of control characters.
TEST(ReadPlaylistFile, RandomFilesGiveOnlyEntriesOfValidLines)
{
    const std::wstring strFolder = FreshFolder(L"Random");
    const std::wstring strPlaylist = strFolder + L"\\random.m3u";
    static const char kPalette[] = "ABCxy019:\\\\\\/. #\r\x01\xE9\xFF\x81\x1A\xEF\xBB\xBF\xFE\t";
    std::mt19937 random(20241030);
    auto pick = [&random](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    auto randomText = [&](size_t n, char marker) {
        std::string str;
        for (size_t i = 0; i < n; ++i) {
            const size_t k = pick(sizeof(kPalette) + 2);
            str += k < sizeof(kPalette) - 1 ? kPalette[k] : k == sizeof(kPalette) - 1 ? '\0' : marker;
        }
        return str;
    };

    for (int nFile = 0; nFile < 3000; ++nFile) {
        std::string strBytes;
        for (size_t nLines = pick(12); nLines > 0; --nLines) {
            const size_t nKind = pick(10);
            std::string strLine;
            if (nKind == 0)
                strLine = "#" + randomText(pick(700), 'q');
            else if (nKind == 1)
                strLine = "z" + randomText(260 + pick(600), 'z');
            else
                strLine = randomText(pick(2) ? pick(8) : pick(259), 'A');
            if (!strLine.empty() && strLine[0] == '#' && nKind != 0) strLine[0] = 'A';
            // A Ctrl+Z inside an over-long line would end the file there.
            if (nKind == 1) std::replace(strLine.begin(), strLine.end(), '\x1A', 'z');
            // Only the last line may lack its newline: it would join the next one.
            const size_t nEnd = nLines == 1 ? pick(4) : 1 + pick(3);
            strBytes += strLine + (nEnd == 0 ? "" : nEnd == 1 ? "\r\n" : "\n");
        }
        // Plain text that happens to start like a UTF-16 mark would be read
        // as UTF-16, where the markers could pair up with other bytes.
        if (strBytes.size() > 1 && (strBytes[0] & 0xFE) == 0xFE && (strBytes[1] & 0xFE) == 0xFE) strBytes[0] = 'A';
        const size_t nEncoding = pick(6);
        if (nEncoding == 3) strBytes = "\xEF\xBB\xBF" + strBytes;
        if (nEncoding >= 4) strBytes = Utf16(std::wstring(strBytes.begin(), strBytes.end()), nEncoding == 5);
        ASSERT_TRUE(WriteBytes(strPlaylist, strBytes));

        std::vector<std::wstring> arrEntries;
        ASSERT_EQ(kPlaylistFileDone, ReadPlaylistFile(strPlaylist.c_str(), arrEntries));
        for (const std::wstring& strEntry : arrEntries) {
            ASSERT_LE(strEntry.size(), 259u) << "file " << nFile;
            ASSERT_EQ(std::wstring::npos, strEntry.find_first_of(L"qz")) << "file " << nFile;
            ASSERT_TRUE(std::iswalpha(strEntry[0]) && strEntry[0] < 0x80 && strEntry[1] == L':') << "file " << nFile;
            // In ANSI text 0x81 is a character; marked text never gives C1 controls.
            for (wchar_t c : strEntry)
                ASSERT_FALSE(c < 0x20 || c == 0x7F || (nEncoding >= 3 && c >= 0x80 && c <= 0x9F)) << "file " << nFile;
        }
    }
}

}
