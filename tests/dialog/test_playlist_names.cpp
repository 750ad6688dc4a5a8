// The rules for playlist file names: which typed names make a file in the
// PLAYLIST folder, and which default name is proposed.
#include "dialog/PlaylistNames.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// K: belongs to the dialog tests and the start-up tests, which never run at
// the same time.
const std::wstring kFolder = L"K:\\NameRules";

std::wstring Parent(const wchar_t* path)
{
    wchar_t parent[MAX_PATH] = {};
    ::lstrcpynW(parent, path, MAX_PATH);
    ::PathRemoveFileSpecW(parent);
    return parent;
}

TEST(PlaylistNames, EveryAcceptedNameMakesAFileDirectlyInTheFolder)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(BuildPlaylistPath(kFolder.c_str(), L"Road Trip", path));
    EXPECT_STREQ(L"K:\\NameRules\\Road Trip.m3u", path);
    ASSERT_TRUE(BuildPlaylistPath(kFolder.c_str(), L"trip.M3U", path));
    EXPECT_STREQ(L"K:\\NameRules\\trip.M3U", path);

    // Canonicalisation of dot names differs between systems; whatever it
    // makes of them, the file must not land outside the folder.
    for (const wchar_t* name : {L".", L"..", L"...", L".. ", L" .."}) {
        if (BuildPlaylistPath(kFolder.c_str(), name, path)) {
            EXPECT_EQ(kFolder, Parent(path)) << name << L" -> " << path;
        }
    }
    EXPECT_FALSE(BuildPlaylistPath(kFolder.c_str(), L"..", path)) << path;

    for (const wchar_t* name : {L"..\\Up", L"a/b", L"K:x", L"a*", L"a?", L"<a>", L"a|b", L"\"a\""})
        EXPECT_FALSE(BuildPlaylistPath(kFolder.c_str(), name, path)) << name;
    EXPECT_FALSE(BuildPlaylistPath(kFolder.c_str(), std::wstring(250, L'a'), path));
}

TEST(PlaylistNames, NamesOfDevicesAndControlCharactersAreRefused)
{
    wchar_t path[MAX_PATH] = {};
    for (const wchar_t* name : {L"nul", L"CON", L"Com1", L"lpt9.txt", L"aux .m3u", L"PRN.M3U", L"a\tb"})
        EXPECT_FALSE(BuildPlaylistPath(kFolder.c_str(), name, path)) << name;
    for (const wchar_t* name : {L"console", L"COM10", L"com", L"Null", L"My.nul", L"LPTX"})
        EXPECT_TRUE(BuildPlaylistPath(kFolder.c_str(), name, path)) << name;
}

TEST(PlaylistNames, SurroundingSpacesAreNotPartOfTheName)
{
    EXPECT_EQ(L"", TrimmedPlaylistName(L""));
    EXPECT_EQ(L"", TrimmedPlaylistName(L"   "));
    EXPECT_EQ(L"Road Trip", TrimmedPlaylistName(L"  Road Trip   "));
    EXPECT_EQ(L"a", TrimmedPlaylistName(L"a"));
}

TEST(PlaylistNames, DefaultNameWithoutANumberIsTriedOnce)
{
    RemoveTree(kFolder);
    ASSERT_TRUE(MakeFolders(kFolder));
    ASSERT_TRUE(WriteBytes(kFolder + L"\\Playlist.m3u", ""));
    ASSERT_TRUE(WriteBytes(kFolder + L"\\Mix 1.m3u", ""));

    // Taken, but no other name can come of it: used at once instead of asking
    // about the same file a hundred million times.
    EXPECT_EQ(L"Playlist", FirstFreeDefaultName(L"Playlist", kFolder.c_str()));
    EXPECT_EQ(L"", FirstFreeDefaultName(L"", kFolder.c_str()));
    EXPECT_EQ(L"Mix 2", FirstFreeDefaultName(L"Mix %d", kFolder.c_str()));
    RemoveTree(kFolder);
}

}  // namespace
