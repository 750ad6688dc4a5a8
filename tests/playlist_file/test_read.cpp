#include "playlist_file/PlaylistFile.h"
#include "TestPaths.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const wchar_t kPlaylistFolder[] = L"F:\\PLAYLIST";
const wchar_t kPlaylist[] = L"F:\\PLAYLIST\\T.M3U";

// An absolute line of exactly n bytes, newline not counted.
std::string LineOf(size_t n)
{
    return "C:\\" + std::string(n - 3, 'A');
}

std::wstring WideOf(const std::string& str)
{
    return std::wstring(str.begin(), str.end());
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> entries;
};

const ReadCase kReadCases[] = {
    {"comment_root_folder_and_absolute_lines",
     "#EXTM3U\r\n\\MUSIC\\A.MP3\r\nSUB\\B.MP3\r\nC:\\C.MP3\r\n\r\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\SUB\\B.MP3", L"C:\\C.MP3"}},
    {"lf_alone", "#EXTM3U\n\\MUSIC\\A.MP3\nSUB\\B.MP3\nC:\\C.MP3\n\n",
     {L"F:\\MUSIC\\A.MP3", L"F:\\PLAYLIST\\SUB\\B.MP3", L"C:\\C.MP3"}},
    {"three_characters_and_newline_count", "ABC\nAB\nAB\r\n", {L"F:\\PLAYLIST\\ABC"}},
    {"last_line_without_newline_needs_four", "ABC\r\nXYZ", {L"F:\\PLAYLIST\\ABC"}},
    {"last_line_of_four_without_newline", "WXYZ", {L"F:\\PLAYLIST\\WXYZ"}},
    {"comment_whatever_follows", "#C:\\X.MP3\n# \\MUSIC\\Y.MP3\r\n#", {}},
    {"colon_second_is_taken_unchanged", "c:x\nC:\\..\\A.MP3\n", {L"c:x", L"C:\\..\\A.MP3"}},
    {"duplicates_are_kept", "C:\\A.MP3\nC:\\A.MP3\n", {L"C:\\A.MP3", L"C:\\A.MP3"}},
    {"over_long_line_is_skipped_whole", LineOf(300) + "\r\nC:\\OK.MP3\n#" + std::string(600, 'x') + "\n",
     {L"C:\\OK.MP3"}},
    {"longest_line_with_newline", LineOf(258) + "\n" + LineOf(259) + "\n" + LineOf(258) + "\r\n",
     {WideOf(LineOf(258)), WideOf(LineOf(258))}},
    {"longest_last_line", "x\n" + LineOf(259), {WideOf(LineOf(259))}},
    {"too_long_last_line", "x\n" + LineOf(260), {}},
    {"nul_ends_the_text", std::string("ABCD\0EF\nABC\0\n", 13), {L"F:\\PLAYLIST\\ABCD"}},
};

class ReadPlaylistCase : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadPlaylistCase, AppendsTheEntriesOfItsLines)
{
    ASSERT_TRUE(MakeFolders(kPlaylistFolder));
    ASSERT_TRUE(WriteBytes(kPlaylist, GetParam().bytes));

    std::vector<std::wstring> arrEntries = {L"held before"};
    EXPECT_EQ(kPlaylistFileDone, ReadPlaylistFile(kPlaylist, arrEntries));
    std::vector<std::wstring> arrExpected = {L"held before"};
    arrExpected.insert(arrExpected.end(), GetParam().entries.begin(), GetParam().entries.end());
    EXPECT_EQ(arrExpected, arrEntries);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadPlaylistCase, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

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
// and over-long lines are the only ones that carry 'q' and 'z'.
TEST(ReadPlaylistFile, RandomFilesGiveOnlyEntriesOfValidLines)
{
    const std::wstring strFolder = FreshFolder(L"Random");
    const std::wstring strPlaylist = strFolder + L"\\random.m3u";
    static const char kPalette[] = "ABCxy019:\\\\\\/. #\r\x01\xE9\xFF\x81";
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
            // Only the last line may lack its newline: it would join the next one.
            const size_t nEnd = nLines == 1 ? pick(4) : 1 + pick(3);
            strBytes += strLine + (nEnd == 0 ? "" : nEnd == 1 ? "\r\n" : "\n");
        }
        ASSERT_TRUE(WriteBytes(strPlaylist, strBytes));

        std::vector<std::wstring> arrEntries;
        ASSERT_EQ(kPlaylistFileDone, ReadPlaylistFile(strPlaylist.c_str(), arrEntries));
        for (const std::wstring& strEntry : arrEntries) {
            ASSERT_LE(strEntry.size(), 259u) << "file " << nFile;
            ASSERT_EQ(std::wstring::npos, strEntry.find_first_of(L"qz")) << "file " << nFile;
        }
    }
}

}
