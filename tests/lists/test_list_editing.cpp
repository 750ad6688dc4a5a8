// The editing rules without a window: where entries go and which end up
// selected.
#include "lists/FolderScan.h"
#include "lists/ListEditing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Entries named by their original index, so that an order reads as "0 2 1".
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

CIndexArray Subset(unsigned int bits, int count)
{
    CIndexArray indices;
    for (int i = 0; i < count; ++i) {
        if (bits & (1u << i)) indices.push_back(static_cast<unsigned int>(i));
    }
    return indices;
}

// The one-place move done with copies and removals, one entry at a time, as
// the list applies edits that the user can watch step by step. The block
// functions must end in exactly this state.
size_t MoveByCopies(CPathArray& paths, const CIndexArray& s, bool up)
{
    size_t n = s.size();
    size_t t;
    if (up) {
        t = s[0] == 0 ? 0 : s[0] - 1;
        for (size_t k = n, i = 0; k-- > 0; ++i) InsertPathCopy(paths, t, s[k] + i);
        for (size_t k = n; k-- > 0;) paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(s[k] + n));
        return t;
    }
    t = s[n - 1] + 2 < paths.size() ? s[n - 1] + 2 : paths.size();
    for (size_t k = n; k-- > 0;) InsertPathCopy(paths, t, s[k]);
    for (size_t k = n; k-- > 0;) paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(s[k]));
    return t - n;
}

// A drop of the dragged entries s at insertion index w, one entry at a time.
size_t DropByCopies(CPathArray& paths, const CIndexArray& s, size_t w)
{
    for (size_t k = s.size(), j = 0; k-- > 0; ++j) {
        size_t b = s[k];
        if (b >= w) {
            InsertPathCopy(paths, w, b + j);
            paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(b + j + 1));
        } else {
            InsertPathCopy(paths, w, b);
            --w;
            paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(b));
        }
    }
    return w;
}

TEST(ListEditing, InsertPlacesEntriesInOrderAndClampsTheIndex)
{
    struct Case {
        size_t index;
        const wchar_t* order;
        size_t first;
    } cases[] = {
        {5, L"0 1 2 3 4 a b c", 5},  // appending to five entries
        {99, L"0 1 2 3 4 a b c", 5}, // past the end appends
        {0, L"a b c 0 1 2 3 4", 0},
        {2, L"0 1 a b c 2 3 4", 2},
    };
    for (const Case& c : cases) {
        CPathArray paths = Numbered(5);
        CEntryBlock block = InsertPaths(paths, c.index, {L"a", L"b", L"c"});
        EXPECT_EQ(c.order, Joined(paths)) << "index " << c.index;
        EXPECT_EQ(c.first, block.first) << "index " << c.index;
        EXPECT_EQ(3u, block.count);
    }
    CPathArray paths = Numbered(2);
    InsertPaths(paths, 2, {L"0"});
    EXPECT_EQ(L"0 1 0", Joined(paths)) << "duplicates are kept";
}

TEST(ListEditing, RemoveKeepsTheRestAndNamesTheEntryToSelect)
{
    struct Case {
        CIndexArray selection;
        const wchar_t* order;
        size_t next;
    } cases[] = {
        {{1, 3}, L"0 2 4", 2}, // the entry after the last removed one
        {{3, 4}, L"0 1 2", 2}, // nothing followed: the new last entry
        {{0}, L"1 2 3 4", 0},
        {{0, 1, 2, 3, 4}, L"", SIZE_MAX},
        {{1, 9}, L"0 2 3 4", 1}, // an index past the end is ignored
        {{}, L"0 1 2 3 4", SIZE_MAX},
    };
    for (const Case& c : cases) {
        CPathArray paths = Numbered(5);
        EXPECT_EQ(c.next, RemovePaths(paths, c.selection)) << Joined(Numbered(5));
        EXPECT_EQ(c.order, Joined(paths));
    }
}

TEST(ListEditing, MoveByOneGathersTheSelectionIntoOneBlock)
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

TEST(ListEditing, BlockMovesMatchStepwiseCopiesForEverySelection)
{
    const int count = 6;
    for (unsigned int bits = 1; bits < (1u << count); ++bits) {
        CIndexArray s = Subset(bits, count);
        for (bool up : {true, false}) {
            CPathArray expected = Numbered(count);
            size_t expectedFirst = MoveByCopies(expected, s, up);
            CPathArray paths = Numbered(count);
            CEntryBlock block = MovePathsByOne(paths, s, up);
            EXPECT_EQ(Joined(expected), Joined(paths)) << "bits " << bits << (up ? " up" : " down");
            EXPECT_EQ(expectedFirst, block.first) << "bits " << bits;
        }
        for (size_t w = 0; w <= count; ++w) {
            CPathArray expected = Numbered(count);
            size_t expectedFirst = DropByCopies(expected, s, w);
            CPathArray paths = Numbered(count);
            CEntryBlock block = MovePathsBefore(paths, s, w);
            EXPECT_EQ(Joined(expected), Joined(paths)) << "bits " << bits << " drop at " << w;
            EXPECT_EQ(expectedFirst, block.first) << "bits " << bits << " drop at " << w;
        }
    }
}

TEST(ListEditing, DropExamples)
{
    struct Case {
        CIndexArray selection;
        size_t target;
        const wchar_t* order;
        size_t first;
    } cases[] = {
        {{1}, 4, L"0 2 3 1 4 5", 3},
        {{4}, 1, L"0 4 1 2 3 5", 1},
        {{1, 3}, 3, L"0 2 1 3 4 5", 2},
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

TEST(ListEditing, InsertCopyIgnoresIndicesOutOfRange)
{
    CPathArray paths = Numbered(3);
    InsertPathCopy(paths, 3, 0);
    InsertPathCopy(paths, 0, 2);
    EXPECT_EQ(L"2 0 1 2 0", Joined(paths));
    InsertPathCopy(paths, 6, 0);
    InsertPathCopy(paths, 0, 5);
    EXPECT_EQ(L"2 0 1 2 0", Joined(paths));
}

TEST(FolderScan, AudioExtensionsIgnoreCaseAndLookOnlyAfterTheLastDot)
{
    struct Case {
        const wchar_t* name;
        bool audio;
    } cases[] = {
        {L"a.MP3", true},  {L"b.Wav", true},   {L"x.wma", true},     {L".mp3", true},
        {L"c.wma.txt", false}, {L"e.ogg", false}, {L"f", false},     {L"mp3", false},
        {L"a.mp3.", false}, {L"a.mp33", false}, {L"a.mp", false},    {L"a.mp3.wav", true},
    };
    for (const Case& c : cases) EXPECT_EQ(c.audio, IsAudioFileName(c.name)) << c.name;
}

}
