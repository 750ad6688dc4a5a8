// The playlist model without a window: each edit, its undo and redo, and
// the selection after each.
#include "playlist/PlaylistModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

namespace {

CPathArray Split(const std::wstring& text)
{
    CPathArray paths;
    std::wistringstream words(text);
    for (std::wstring word; words >> word;) paths.push_back(word);
    return paths;
}

std::wstring Joined(const CPathArray& paths)
{
    std::wstring text;
    for (const std::wstring& p : paths) text += (text.empty() ? L"" : L" ") + p;
    return text;
}

// A model holding start with the given selection and the focus on entry 1.
void Prepare(CPlaylistModel& model, const wchar_t* start, CIndexArray selection)
{
    model.Reset(Split(start));
    model.SetSelection({std::move(selection), 1});
}

TEST(PlaylistModel, EachEditIsOneStepThatUndoAndRedoRepeat)
{
    const wchar_t* six = L"0 1 2 3 4 5";
    struct Case {
        const char* name;
        const wchar_t* start;
        CIndexArray selection;
        std::function<bool(CPlaylistModel&)> edit;
        const wchar_t* order;
        CIndexArray selected;
    } cases[] = {
        {"add", six, {1}, [](CPlaylistModel& m) { return m.Insert(m.Count(), {L"a", L"b"}, 1); },
         L"0 1 2 3 4 5 a b", {6}},
        {"drop", six, {1}, [](CPlaylistModel& m) { return m.Insert(2, {L"a", L"b"}, 2); }, L"0 1 a b 2 3 4 5",
         {2, 3}},
        {"remove", six, {1, 3}, [](CPlaylistModel& m) { return m.RemoveSelected(); }, L"0 2 4 5", {2}},
        {"remove the end", six, {4, 5}, [](CPlaylistModel& m) { return m.RemoveSelected(); }, L"0 1 2 3", {3}},
        {"clear", six, {2}, [](CPlaylistModel& m) { return m.RemoveAll(); }, L"", {}},
        {"move up", six, {1, 3}, [](CPlaylistModel& m) { return m.MoveSelectedByOne(true); }, L"1 3 0 2 4 5",
         {0, 1}},
        {"move down", six, {2}, [](CPlaylistModel& m) { return m.MoveSelectedByOne(false); }, L"0 1 3 2 4 5",
         {3}},
        {"drag", six, {0, 1}, [](CPlaylistModel& m) { return m.MoveSelectedBefore(4); }, L"2 3 0 1 4 5", {2, 3}},
        {"reverse", six, {0}, [](CPlaylistModel& m) { return m.Reverse(); }, L"5 4 3 2 1 0", {5}},
        // "Track 2" before "track10", case ignored; the selection follows.
        {"sort by name", L"x\\t10.mp3 y\\T2.mp3 a\\b.mp3", {0},
         [](CPlaylistModel& m) { return m.SortByFileName(); }, L"a\\b.mp3 y\\T2.mp3 x\\t10.mp3", {2}},
        // A folder's files before its sub-folders', "a" before "a2".
        {"sort by path", L"b\\z.mp3 a\\c\\y.mp3 a2\\w.mp3 a\\x.mp3", {0},
         [](CPlaylistModel& m) { return m.SortByFullPath(); }, L"a\\x.mp3 a\\c\\y.mp3 a2\\w.mp3 b\\z.mp3", {3}},
        // The first of each stays, whatever the case of the later ones.
        {"duplicates", L"a B b a c", {1, 3, 4}, [](CPlaylistModel& m) { return m.RemoveDuplicates(); },
         L"a B c", {1, 2}},
        {"remove matching", six, {0, 2}, [](CPlaylistModel& m) {
             return m.RemoveMatching([](const std::wstring& p) { return p == L"1" || p == L"2"; });
         }, L"0 3 4 5", {0}},
    };
    for (const Case& c : cases) {
        CPlaylistModel model;
        Prepare(model, c.start, c.selection);
        ASSERT_TRUE(c.edit(model)) << c.name;
        EXPECT_EQ(c.order, Joined(model.Paths())) << c.name;
        EXPECT_EQ(c.selected, model.Selection().items) << c.name;

        ASSERT_TRUE(model.Undo()) << c.name;
        EXPECT_EQ(c.start, Joined(model.Paths())) << c.name;
        EXPECT_EQ(c.selection, model.Selection().items) << c.name;
        EXPECT_EQ(1, model.Selection().focus) << c.name;
        EXPECT_FALSE(model.CanUndo()) << c.name;

        ASSERT_TRUE(model.Redo()) << c.name;
        EXPECT_EQ(c.order, Joined(model.Paths())) << c.name;
        EXPECT_EQ(c.selected, model.Selection().items) << c.name;
        EXPECT_FALSE(model.CanRedo()) << c.name;
    }
}

TEST(PlaylistModel, EditsWithNothingToDoLeaveNoStep)
{
    CPlaylistModel model;
    Prepare(model, L"a b c", {});
    EXPECT_FALSE(model.Insert(1, {}, 0));
    EXPECT_FALSE(model.RemoveSelected());
    EXPECT_FALSE(model.MoveSelectedByOne(true));
    EXPECT_FALSE(model.SortByFileName()) << "already in order";
    EXPECT_FALSE(model.RemoveDuplicates());
    model.SetSelection({{0}, -1});
    EXPECT_FALSE(model.MoveSelectedByOne(true)) << "the first entry cannot go up";
    EXPECT_EQ(CIndexArray{0}, model.Selection().items);
    EXPECT_FALSE(model.CanUndo());
}

TEST(PlaylistModel, ShuffleIsAPermutationOfTheSameEntries)
{
    CPlaylistModel model;
    Prepare(model, L"0 1 2 3 4 5 6 7 8 9 a b c d e f", {3});
    ASSERT_TRUE(model.Shuffle(7));
    CPathArray shuffled = model.Paths();
    EXPECT_NE(Split(L"0 1 2 3 4 5 6 7 8 9 a b c d e f"), shuffled);
    CPathArray sorted = shuffled;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Split(L"0 1 2 3 4 5 6 7 8 9 a b c d e f"), sorted);
    auto at = std::find(shuffled.begin(), shuffled.end(), L"3") - shuffled.begin();
    EXPECT_EQ(CIndexArray{static_cast<unsigned int>(at)}, model.Selection().items) << "the selection follows";
}

// Undo reaches back any number of steps; a new edit drops what was undone;
// the saved mark says whether the entries shown are those saved.
TEST(PlaylistModel, HistoryGoesBackAnyNumberOfStepsAndKnowsTheSavedState)
{
    CPlaylistModel model;
    Prepare(model, L"", {});
    EXPECT_TRUE(model.IsSaved());
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"}) model.Insert(model.Count(), {name}, 1);
    EXPECT_FALSE(model.IsSaved());
    model.MarkSaved();
    model.Reverse();
    EXPECT_FALSE(model.IsSaved());
    model.Undo();
    EXPECT_TRUE(model.IsSaved()) << "back to what was saved";
    while (model.Undo()) {
    }
    EXPECT_EQ(L"", Joined(model.Paths()));
    model.Redo();
    model.Redo();
    EXPECT_EQ(L"a b", Joined(model.Paths()));
    model.Insert(0, {L"x"}, 1);
    EXPECT_FALSE(model.CanRedo()) << "the undone steps are gone";
    EXPECT_EQ(L"x a b", Joined(model.Paths()));
    for (bool back : {true, false}) {
        while (back ? model.Undo() : model.Redo()) EXPECT_FALSE(model.IsSaved()) << "gone with the undone steps";
    }

    model.Reset(Split(L"p q"));
    EXPECT_TRUE(model.IsSaved());
    EXPECT_FALSE(model.CanUndo());
}

}  // namespace
