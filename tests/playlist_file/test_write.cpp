#include "playlist_file/PlaylistFile.h"
#include "TestPaths.h"

#include <gtest/gtest.h>
#include <cwchar>

namespace {

// The line the player expects for an entry on the playlist's own drive,
// built with one GetShortPathNameW call per entry.
std::string ReferenceLine(const std::wstring& strEntry)
{
    const std::wstring strUpper = UpperAscii(strEntry);
    const std::wstring strForm =
        ::PathFileExistsW(strUpper.c_str()) ? UpperAscii(SystemShortPath(strUpper)) : strUpper;
    return "\\" + AnsiOf(strForm.substr(3));
}

std::vector<std::string> WriteAndSplit(const std::wstring& strPlaylist, std::vector<std::wstring> arrEntries,
                                       int* pnLeftOut = nullptr)
{
    EXPECT_EQ(kPlaylistFileDone, WritePlaylistFile(strPlaylist.c_str(), arrEntries, pnLeftOut));
    return SplitCrLf(ReadBytes(strPlaylist));
}

TEST(WritePlaylistFile, ShortFormsMatchTheSystemForEveryEntry)
{
    const std::wstring strRoot = FreshFolder(L"ShortNames");
    const std::wstring strLong = strRoot + L"\\Music Collection Long Folder";
    const std::vector<std::wstring> arrFiles = {
        L"Music Collection Long Folder\\Song one.mp3",
        L"Music Collection Long Folder\\a.mp3",
        L"Music Collection Long Folder\\B.MP3",
        L"Music Collection Long Folder\\MiXed.Mp3",
        L"Music Collection Long Folder\\A B.mp3",
        L"Music Collection Long Folder\\x.y.mp3",
        L"Music Collection Long Folder\\.hidden.mp3",
        L"Music Collection Long Folder\\a+b.mp3",
        L"Music Collection Long Folder\\noext",
        L"Music Collection Long Folder\\\u00e9t\u00e9.mp3",
        L"Music Collection Long Folder\\\u00c9t\u00e9 long title.mp3",
        L"Music Collection Long Folder\\\u03a9mega song.mp3",
        L"SHORT\\Long name inside.wma",
        L"SHORT\\SONG.WAV",
        L"Folder.With.Dots\\file",
        L"deep\\Long Folder Two\\third level folder\\track.mp3",
        L"deep\\Long Folder Two\\Track Number Two.mp3",
    };
    std::vector<std::wstring> arrEntries;
    for (const std::wstring& strFile : arrFiles) {
        const std::wstring strPath = strRoot + L"\\" + strFile;
        ASSERT_TRUE(MakeFolders(strPath.substr(0, strPath.find_last_of(L'\\'))));
        ASSERT_TRUE(WriteBytes(strPath, "x")) << "cannot create a test file";
        arrEntries.push_back(strPath);
    }
    // Enough similar long names in one folder that lookups must find the
    // right one among many.
    for (int i = 0; i < 300; ++i) {
        wchar_t szName[64];
        std::swprintf(szName, 64, L"\\Generated track %03d with a long name.mp3", i);
        ASSERT_TRUE(WriteBytes(strLong + szName, ""));
        if (i % 7 == 0) arrEntries.push_back(strLong + szName);
    }
    const std::wstring strLongShort = SystemShortPath(UpperAscii(strLong));
    const std::wstring strSongShort = SystemShortPath(UpperAscii(strLong + L"\\Song one.mp3"));
    const std::vector<std::wstring> arrMore = {
        strRoot + L"\\deep\\Long Folder Two",                        // a folder
        strRoot + L"\\music collection long folder\\song one.mp3",   // other case
        strLongShort + L"\\Song one.mp3",                            // a folder's short alias
        strLong + strSongShort.substr(strSongShort.rfind(L'\\')),     // a file's short alias
        strLong + L"\\missing file.mp3",
        strRoot + L"\\No Such Folder\\x.mp3",
        strRoot + L"\\SHORT\\NOPE.MP3",
        strRoot + L"\\SHORT\\SONG.WAV\\below a file.mp3",
        strRoot + L"\\deep\\..\\SHORT\\SONG.WAV",                    // left to the system
    };
    arrEntries.insert(arrEntries.end(), arrMore.begin(), arrMore.end());

    std::vector<std::string> arrExpected;
    for (const std::wstring& strEntry : arrEntries) arrExpected.push_back(ReferenceLine(strEntry));
    // The line form collapses "X\.." as the path functions do.
    arrExpected.back() = ReferenceLine(strRoot + L"\\SHORT\\SONG.WAV");

    const std::wstring strOut = FreshFolder(L"ShortNamesOut");
    EXPECT_EQ(arrExpected, WriteAndSplit(strOut + L"\\list.m3u", arrEntries));
}

TEST(WritePlaylistFile, SameDriveIsRelativeShortOtherDriveAbsoluteLong)
{
    const std::wstring strFolder = FreshFolder(L"Lines");
    const std::wstring strSong = strFolder + L"\\Music Folder\\Song one.mp3";
    ASSERT_TRUE(MakeFolders(strFolder + L"\\Music Folder"));
    ASSERT_TRUE(WriteBytes(strSong, "x"));

    // N: is a network drive of the test prefix: its files are never asked
    // about, so an existing one is written as its long name.
    const std::wstring strRemote = FreshFolder(L"Remote", L"N:") + L"\\Long remote name.mp3";
    ASSERT_TRUE(WriteBytes(strRemote, "x"));
    std::wstring strDotsAboveRoot = L"F:";
    for (int i = 0; i < 80; ++i) strDotsAboveRoot += L"/..";

    std::vector<std::wstring> arrEntries = {strSong, L"D:\\Other\\b.wma", strFolder + L"\\gone.mp3", strRemote,
                                            strFolder + L"\\..\\\\\\SERVER\\SHARE\\K.MP3",
                                            L"E:\\\\\\SERVER\\SHARE\\X3.MP3", L"F:\\MUSIC\\..\\\\\\SERVER\\SHARE\\M.MP3",
                                            L"F:\\.\\\\\\SERVER\\SHARE\\D.MP3", strDotsAboveRoot + L"/x.mp3"};
    const std::wstring strPlaylist = strFolder + L"\\list.m3u";
    ASSERT_EQ(kPlaylistFileDone, WritePlaylistFile(strPlaylist.c_str(), arrEntries));

    const std::string strShort = AnsiOf(UpperAscii(SystemShortPath(UpperAscii(strSong))).substr(2));
    EXPECT_EQ(strShort +
                  "\r\nD:\\OTHER\\B.WMA\r\n\\PF\\LINES\\GONE.MP3\r\nN:\\PF\\REMOTE\\LONG REMOTE NAME.MP3\r\n"
                  "\\PF\\SERVER\\SHARE\\K.MP3\r\nE:\\SERVER\\SHARE\\X3.MP3\r\n\\SERVER\\SHARE\\M.MP3\r\n"
                  "\\SERVER\\SHARE\\D.MP3\r\n\\X.MP3\r\n",
              ReadBytes(strPlaylist));
    EXPECT_EQ(std::wstring(L"D:\\OTHER\\B.WMA"), arrEntries[1]) << "entries are upper-cased in place";
}

// A line that would not name its file is left out and counted: too long,
// outside the code page (the test prefix uses 1252) with no short name to
// avoid it, not a path on a local drive, or a line that the reader refuses
// ("\??\" is the system's namespace) or drops (a root gives "\"). The file system is never asked
// about the last kind: the "\\?\" and "\\.\" spellings of an existing file
// would otherwise come back as its short form.
TEST(WritePlaylistFile, LeavesOutWhatDoesNotFitAndUpperCasesOnlyAToZ)
{
    const std::wstring strFolder = FreshFolder(L"Fit");
    const std::wstring strTooLong = L"Q:\\" + std::wstring(300, L'a') + L".mp3";
    // The longest line the reader takes back with its newline: 258 bytes.
    const std::wstring strAtLimit = L"Q:\\" + std::wstring(254, L'b') + L"\u00e9";
    const std::wstring strHeld = strFolder + L"\\held.mp3";
    const std::wstring strWide = strFolder + L"\\\u65e5\u672c \u03a9.mp3";   // has an ASCII short name
    ASSERT_TRUE(WriteBytes(strHeld, "x") && WriteBytes(strWide, "x"));
    int nLeftOut = -1;
    const std::vector<std::string> arrLines = WriteAndSplit(
        strFolder + L"\\fit.m3u",
        {strTooLong, L"q:\\dir\\\u00e9t\u00e9.mp3", strAtLimit, strAtLimit + L"c", L"", L"Q:\\\u65e5\u672c.mp3",
         L"Q:\\\u03a9.mp3", strWide, L"\\\\?\\" + strHeld, L"\\\\.\\" + strHeld, strFolder + L"\\con.mp3",
         L"F:\\??\\UNC\\SERVER\\SHARE\\U.MP3", L"F:\\??\\PIPE\\X", L"F:\\??\\C:\\X.MP3", L"F:\\"},
        &nLeftOut);
    const std::vector<std::string> arrExpected = {AnsiOf(L"Q:\\DIR\\\u00e9T\u00e9.MP3"),
                                                  AnsiOf(UpperAscii(strAtLimit)), ReferenceLine(strWide)};
    EXPECT_EQ(arrExpected, arrLines);
    EXPECT_EQ(11, nLeftOut);
}

// A file whose bytes are all valid UTF-8 is read as UTF-8: a line whose
// ANSI bytes would read so as another name, or as a control, is left out;
// one byte that is no UTF-8 keeps the whole file ANSI, and every line with it.
TEST(WritePlaylistFile, LeavesOutLinesThatUtf8WouldReadOtherwise)
{
    const std::wstring strPlaylist = FreshFolder(L"Utf8") + L"\\utf8.m3u";
    const std::wstring strGarbled = L"Q:\\BEYONC\u00c3\u00a9.MP3";   // C3 A9: "BEYONC\u00e9" in UTF-8
    const std::wstring strControl = L"Q:\\\u00c2\u20ac.MP3";         // C2 80: U+0080 in UTF-8
    const std::wstring strAnsiOnly = L"Q:\\\u00e9T\u00e9.MP3";       // E9: no UTF-8
    const struct {
        std::vector<std::wstring> arrEntries;
        std::vector<std::string> arrExpected;
        int nLeftOut;
    } kCases[] = {
        {{strGarbled, L"Q:\\PLAIN.MP3", strControl}, {"Q:\\PLAIN.MP3"}, 2},
        {{strGarbled, strControl, strAnsiOnly}, {AnsiOf(strGarbled), AnsiOf(strControl), AnsiOf(strAnsiOnly)}, 0},
    };
    for (const auto& c : kCases) {
        int nLeftOut = -1;
        EXPECT_EQ(c.arrExpected, WriteAndSplit(strPlaylist, c.arrEntries, &nLeftOut));
        EXPECT_EQ(c.nLeftOut, nLeftOut);
        std::vector<std::wstring> arrRead;
        ASSERT_EQ(kPlaylistFileDone, ReadPlaylistFile(strPlaylist.c_str(), arrRead));
        EXPECT_EQ(c.arrExpected.size(), arrRead.size()) << "the reader takes every line back";
    }
}

TEST(WritePlaylistFile, EmptyListGivesEmptyFile)
{
    const std::wstring strPlaylist = FreshFolder(L"Empty") + L"\\empty.m3u";
    bool bExists = false;
    EXPECT_EQ(std::vector<std::string>(), WriteAndSplit(strPlaylist, {}));
    EXPECT_EQ("", ReadBytes(strPlaylist, &bExists));
    EXPECT_TRUE(bExists);
}

TEST(PlaylistFile, NoPathGivesThree)
{
    std::vector<std::wstring> arrEntries = {L"C:\\A.MP3"};
    EXPECT_EQ(kPlaylistFileNoPath, WritePlaylistFile(nullptr, arrEntries));
    EXPECT_EQ(kPlaylistFileNoPath, WritePlaylistFile(L"", arrEntries));
    EXPECT_EQ(kPlaylistFileNoPath, ReadPlaylistFile(nullptr, arrEntries));
    EXPECT_EQ(kPlaylistFileNoPath, ReadPlaylistFile(L"", arrEntries));
    EXPECT_EQ(1u, arrEntries.size());
}

TEST(WritePlaylistFile, ReplacesTheTargetWholeThroughAFreeShortTemporaryName)
{
    const std::wstring strFolder = FreshFolder(L"Replace");
    const std::wstring strPlaylist = strFolder + L"\\My playlist.m3u";
    ASSERT_TRUE(WriteBytes(strPlaylist, std::string(5000, 'o')));
    ASSERT_TRUE(WriteBytes(strFolder + L"\\PL000001.TMP", "someone else's"));

    EXPECT_EQ(std::vector<std::string>({"Q:\\NEW.MP3"}), WriteAndSplit(strPlaylist, {L"q:\\new.mp3"}));
    EXPECT_EQ("someone else's", ReadBytes(strFolder + L"\\PL000001.TMP"));
    EXPECT_EQ(std::vector<std::wstring>({L"PL000001.TMP"}), TemporaryFilesIn(strFolder));
}

struct WriteFault {
    const char* name;
    const wchar_t* target;   // below the test folder
    void (*prepare)(const std::wstring& strTarget);
};

const WriteFault kWriteFaults[] = {
    {"missing_folder", L"\\no folder\\list.m3u", nullptr},
    {"target_is_a_folder", L"\\list.m3u",
     [](const std::wstring& strTarget) { ASSERT_TRUE(::CreateDirectoryW(strTarget.c_str(), nullptr)); }},
    {"read_only_target", L"\\list.m3u",
     [](const std::wstring& strTarget) {
         ASSERT_TRUE(WriteBytes(strTarget, "\\OLD\\LIST.MP3\r\n"));
         ASSERT_TRUE(::SetFileAttributesW(strTarget.c_str(), FILE_ATTRIBUTE_READONLY));
     }},
    {"no_file_name", L"\\", nullptr},
};

class WritePlaylistFault : public testing::TestWithParam<WriteFault> {};

TEST_P(WritePlaylistFault, GivesOneAndLeavesTheTargetAsItWas)
{
    const std::wstring strFolder = FreshFolder(L"Fault");
    const std::wstring strTarget = strFolder + GetParam().target;
    if (GetParam().prepare) GetParam().prepare(strTarget);
    bool bExisted = false;
    const std::string strBefore = ReadBytes(strTarget, &bExisted);
    const DWORD nAttributesBefore = ::GetFileAttributesW(strTarget.c_str());

    std::vector<std::wstring> arrEntries = {L"Q:\\A.MP3", L"Q:\\B.MP3"};
    EXPECT_EQ(kPlaylistFileFailed, WritePlaylistFile(strTarget.c_str(), arrEntries));

    bool bExists = false;
    EXPECT_EQ(strBefore, ReadBytes(strTarget, &bExists));
    EXPECT_EQ(bExisted, bExists);
    EXPECT_EQ(nAttributesBefore, ::GetFileAttributesW(strTarget.c_str()));
    EXPECT_EQ(std::vector<std::wstring>(), TemporaryFilesIn(strFolder));
    ::SetFileAttributesW(strTarget.c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(Faults, WritePlaylistFault, testing::ValuesIn(kWriteFaults),
                         [](const testing::TestParamInfo<WriteFault>& info) { return info.param.name; });

// L: is a 64 KB tmpfs that a CTest fixture mounts for this test.
TEST(WritePlaylistFile, FullDiskGivesOneAndKeepsTheOldPlaylist)
{
    ULARGE_INTEGER nFree, nTotal;
    if (!::GetDiskFreeSpaceExW(L"L:\\", &nFree, &nTotal, nullptr) || nTotal.QuadPart > 1024 * 1024)
        GTEST_SKIP() << "L: is not the small tmpfs of the test fixture (mounting it needs root)";

    const std::wstring strFolder = FreshFolder(L"Full", L"L:");
    const std::wstring strPlaylist = strFolder + L"\\FULL.M3U";
    std::vector<std::wstring> arrSmall = {L"Q:\\OLD\\ONE.MP3", L"Q:\\OLD\\TWO.MP3"};
    ASSERT_EQ(kPlaylistFileDone, WritePlaylistFile(strPlaylist.c_str(), arrSmall));
    const std::string strBefore = ReadBytes(strPlaylist);

    std::vector<std::wstring> arrLarge;
    for (int i = 0; i < 4000; ++i) {
        wchar_t szEntry[80];
        std::swprintf(szEntry, 80, L"Q:\\MISSING\\TRACK NUMBER %04d WITH A LONG NAME.MP3", i);
        arrLarge.push_back(szEntry);
    }
    std::vector<std::wstring> arrCopy = arrLarge;
    EXPECT_EQ(kPlaylistFileFailed, WritePlaylistFile(strPlaylist.c_str(), arrCopy));
    EXPECT_EQ(strBefore, ReadBytes(strPlaylist));
    EXPECT_EQ(kPlaylistFileFailed, WritePlaylistFile((strFolder + L"\\NEW.M3U").c_str(), arrLarge));
    EXPECT_FALSE(::PathFileExistsW((strFolder + L"\\NEW.M3U").c_str()));
    EXPECT_EQ(std::vector<std::wstring>(), TemporaryFilesIn(strFolder));

    // The space the failed writes took is given back.
    EXPECT_EQ(kPlaylistFileDone, WritePlaylistFile(strPlaylist.c_str(), arrSmall));
    RemoveTree(strFolder);
}

}
