// The save rules without a window: what a save keeps of an existing file,
// which attributes it leaves, what it reports, and what it tidies up.
#include "dialog/PlaylistSave.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// K: belongs to the dialog tests and the start-up tests, which never run at
// the same time.
const std::wstring kFolder = L"K:\\SaveRules";
const std::wstring kFile = kFolder + L"\\List.m3u";
const char kOld[] = "Q:\\OLD.MP3\r\n";
const char kNew[] = "Q:\\NEW.MP3\r\n";
const char kOldAndNew[] = "Q:\\OLD.MP3\r\nQ:\\NEW.MP3\r\n";

struct SaveCase {
    const char* name;
    const char* before;      // the file's bytes before the save; null: no file
    DWORD attributes;        // given to that file
    bool locked;             // another program holds the file open, sharing nothing
    bool folderMissing;
    ExistingPlaylistAnswer answer;
    int result;
    const char* after;       // null: no file afterwards
};

const SaveCase kSaveCases[] = {
    {"new_file_is_written_without_asking", nullptr, 0, false, false, ExistingPlaylistAnswer::kCancel, kSaved, kNew},
    {"add_puts_the_old_entries_first", kOld, FILE_ATTRIBUTE_NORMAL, false, false, ExistingPlaylistAnswer::kAdd,
     kSaved, kOldAndNew},
    {"replace", kOld, FILE_ATTRIBUTE_NORMAL, false, false, ExistingPlaylistAnswer::kReplace, kSaved, kNew},
    {"cancel_changes_nothing", kOld, FILE_ATTRIBUTE_NORMAL, false, false, ExistingPlaylistAnswer::kCancel,
     kSaveCancelled, kOld},
    {"read_only_and_hidden_are_kept", kOld, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, false, false,
     ExistingPlaylistAnswer::kAdd, kSaved, kOldAndNew},
    {"read_failure_changes_nothing", kOld, FILE_ATTRIBUTE_NORMAL, true, false, ExistingPlaylistAnswer::kAdd,
     kSaveOpenFailed, kOld},
    {"missing_folder_is_told_apart", nullptr, 0, false, true, ExistingPlaylistAnswer::kReplace, kSaveNoFolder,
     nullptr},
};

class SavePlaylistCase : public testing::TestWithParam<SaveCase> {};

TEST_P(SavePlaylistCase, WritesKeepsAndReports)
{
    const SaveCase& c = GetParam();
    RemoveTree(kFolder);
    if (!c.folderMissing) {
        ASSERT_TRUE(MakeFolders(kFolder));
    }
    if (c.before) {
        ASSERT_TRUE(WriteBytes(kFile, c.before));
        ASSERT_TRUE(::SetFileAttributesW(kFile.c_str(), c.attributes));
    }
    const DWORD attributesBefore = ::GetFileAttributesW(kFile.c_str());
    HANDLE hLock = c.locked ? ::CreateFileW(kFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                            : INVALID_HANDLE_VALUE;

    int asked = 0;
    const SaveOutcome outcome = SavePlaylistToFolder(kFolder.c_str(), L"List", {L"q:\\new.mp3"}, [&] {
        ++asked;
        return c.answer;
    });
    if (hLock != INVALID_HANDLE_VALUE) ::CloseHandle(hLock);

    EXPECT_EQ(c.result, outcome.nResult);
    EXPECT_EQ(0, outcome.nLeftOut);
    EXPECT_EQ(0, outcome.nLinesLeftOut);
    EXPECT_EQ(c.before ? 1 : 0, asked);
    bool exists = false;
    const std::string after = ReadBytes(kFile, &exists);
    EXPECT_EQ(c.after != nullptr, exists);
    if (c.after) {
        EXPECT_EQ(c.after, after);
    }
    if (c.before) {
        EXPECT_EQ(attributesBefore, ::GetFileAttributesW(kFile.c_str()));
    }
    RemoveTree(kFolder);
}

INSTANTIATE_TEST_SUITE_P(Saves, SavePlaylistCase, testing::ValuesIn(kSaveCases),
                         [](const testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

// A save that goes ahead removes what an interrupted one left behind, and
// nothing else; a refused name or a cancelled question touches nothing.
TEST(SavePlaylistToFolder, RemovesLeftoversOnlyWhenItGoesAheadAndCountsWhatItLeftOut)
{
    RemoveTree(kFolder);
    ASSERT_TRUE(MakeFolders(kFolder + L"\\PL000004.TMP"));
    const std::vector<std::wstring> leftovers = {L"PL000001.TMP", L"PL123456.TMP"};
    const std::vector<std::wstring> others = {L"PL12345.TMP", L"PL1234567.TMP", L"PLX23456.TMP", L"PL123456.TMP.m3u",
                                              L"pl000002.tmp", L"PL000003.TMX", L"XPL00001.TMP", L"List.m3u"};
    for (const auto& names : {leftovers, others}) {
        for (const std::wstring& name : names) ASSERT_TRUE(WriteBytes(kFolder + L"\\" + name, "x"));
    }
    auto cancel = [] { return ExistingPlaylistAnswer::kCancel; };
    EXPECT_EQ(kSaveNameRefused, SavePlaylistToFolder(kFolder.c_str(), L"..", {}, cancel).nResult);
    EXPECT_EQ(kSaveCancelled, SavePlaylistToFolder(kFolder.c_str(), L"List", {}, cancel).nResult);
    for (const std::wstring& name : leftovers) EXPECT_TRUE(::PathFileExistsW((kFolder + L"\\" + name).c_str()));

    const SaveOutcome outcome = SavePlaylistToFolder(kFolder.c_str(), L"New", {L"Q:\\\u65e5\u672c.mp3", L"Q:\\A.MP3"},
                                                     cancel);
    EXPECT_EQ(kSaved, outcome.nResult);
    EXPECT_EQ(1, outcome.nLeftOut);
    EXPECT_EQ("Q:\\A.MP3\r\n", ReadBytes(kFolder + L"\\New.m3u"));
    for (const std::wstring& name : leftovers) EXPECT_FALSE(::PathFileExistsW((kFolder + L"\\" + name).c_str())) << name;
    for (const std::wstring& name : others) EXPECT_EQ("x", ReadBytes(kFolder + L"\\" + name)) << name;
    EXPECT_TRUE(::PathIsDirectoryW((kFolder + L"\\PL000004.TMP").c_str()));

    // Adding counts the file's own lines that name nothing it can keep
    // apart from the entries it cannot hold; comments and blank lines are
    // no loss.
    ASSERT_TRUE(WriteBytes(kFolder + L"\\New.m3u", "#EXTM3U\r\n\\\\SERVER\\SHARE\\X.MP3\r\nQ:\\A.MP3\r\n\r\n"));
    const SaveOutcome added = SavePlaylistToFolder(kFolder.c_str(), L"New", {L"Q:\\\u65e5\u672c.mp3"},
                                                   [] { return ExistingPlaylistAnswer::kAdd; });
    EXPECT_EQ(1, added.nLeftOut);
    EXPECT_EQ(1, added.nLinesLeftOut);
    EXPECT_EQ("Q:\\A.MP3\r\n", ReadBytes(kFolder + L"\\New.m3u"));
    RemoveTree(kFolder);
}

}  // namespace
