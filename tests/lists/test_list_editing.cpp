// The editing rules without a window: where entries go and which end up
// selected.
#include "lists/FolderScan.h"
#include "playlist/ListEditing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Entries named by their original index, so that an order reads "0 2 1".
CPathArray Numbered(int count)
{
    CPathArray paths;
    for (int i = 0; i < count; ++i) paths.push_back(std::to_wstring(i));
    return paths;
}

std::wstring Joined(const CPathArray& paths)
{
    std::wstring text;
    for (const std::wstring& p : paths) text += (text.empty() ? L"" : L" ") + p;
    return text;
}

TEST(ListEditing, InsertPlacesEntriesInOrderAndClampsTheIndex)
{
    struct Case {
        size_t index;
        const wchar_t* order;
        size_t first;
    } cases[] = {
        {5, L"0 1 2 3 4 a b a", 5}, // appending to five; the same file twice
        {99, L"0 1 2 3 4 a b a", 5},
        {0, L"a b a 0 1 2 3 4", 0},
        {2, L"0 1 a b a 2 3 4", 2},
    };
    for (const Case& c : cases) {
        CPathArray paths = Numbered(5);
        CEntryBlock block = InsertPaths(paths, c.index, {L"a", L"b", L"a"});
        EXPECT_EQ(c.order, Joined(paths)) << c.index;
        EXPECT_EQ(c.first, block.first) << c.index;
        EXPECT_EQ(3u, block.count);
    }
}

TEST(ListEditing, RemoveNamesTheEntryThatFollowedTheRemovedOnes)
{
    struct Case {
        CIndexArray selection;
        const wchar_t* order;
        size_t next;
    } cases[] = {
        {{1, 3}, L"0 2 4", 2},
        {{3, 4}, L"0 1 2", 2}, // nothing followed: the new last entry
        {{0, 1, 2, 3, 4}, L"", SIZE_MAX},
        {{1, 9}, L"0 2 3 4", 1}, // an index past the end is ignored
        {{}, L"0 1 2 3 4", SIZE_MAX},
    };
    for (const Case& c : cases) {
        CPathArray paths = Numbered(5);
        EXPECT_EQ(c.next, RemovePaths(paths, c.selection)) << Joined(paths);
        EXPECT_EQ(c.order, Joined(paths));
    }
}

TEST(ListEditing, MovesGatherTheSelectionIntoOneBlock)
{
    struct Case {
        CIndexArray selection;
        bool up;
        const wchar_t* order;
        size_t first;
    } cases[] = {
        {{2}, true, L"0 2 1 3 4 5", 1},
        {{2}, false, L"0 1 3 2 4 5", 3},
        {{1, 3}, true, L"1 3 0 2 4 5", 0},
        {{1, 3}, false, L"0 2 4 1 3 5", 3},
        {{0}, true, L"0 1 2 3 4 5", 0},
        {{5}, false, L"0 1 2 3 4 5", 5},
        {{0, 2}, true, L"0 2 1 3 4 5", 0},
        {{4}, false, L"0 1 2 3 5 4", 5},
    };
    for (const Case& c : cases) {
        CPathArray paths = Numbered(6);
        CEntryBlock block = MovePathsByOne(paths, c.selection, c.up);
        EXPECT_EQ(c.order, Joined(paths)) << (c.up ? "up" : "down");
        EXPECT_EQ(c.first, block.first) << c.order;
        EXPECT_EQ(c.selection.size(), block.count);
    }
}

// Dropping dragged entries before an insertion index is the same block move.
TEST(ListEditing, DropsPlaceTheBlockBeforeTheFirstUndraggedEntryAtTheIndex)
{
    struct Case {
        CIndexArray selection;
        size_t target;
        const wchar_t* order;
        size_t first;
    } cases[] = {
        {{1}, 4, L"0 2 3 1 4 5", 3},
        {{4}, 1, L"0 4 1 2 3 5", 1},
        {{1, 3}, 3, L"0 2 1 3 4 5", 2}, // onto a dragged entry itself
        {{2, 3}, 3, L"0 1 2 3 4 5", 2},
        {{2, 3}, 4, L"0 1 2 3 4 5", 2},
        {{2, 3}, 6, L"0 1 4 5 2 3", 4},
    };
    for (const Case& c : cases) {
        CPathArray paths = Numbered(6);
        CEntryBlock block = MovePathsBefore(paths, c.selection, c.target);
        EXPECT_EQ(c.order, Joined(paths));
        EXPECT_EQ(c.first, block.first) << c.order;
    }
}

TEST(FolderScan, AudioExtensionsIgnoreCaseAndLookOnlyAfterTheLastDot)
{
    struct Case {
        const wchar_t* name;
        bool audio;
    } cases[] = {
        {L"a.MP3", true},      {L"b.Wav", true},  {L"x.wma", true}, {L".mp3", true},
        {L"a.mp3.wav", true},  {L"c.wma.txt", false}, {L"e.ogg", false}, {L"f", false},
        {L"a.mp3.", false},    {L"a.mp33", false}, {L"mp3", false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.audio, IsAudioFileName(c.name)) << c.name;
}

}
