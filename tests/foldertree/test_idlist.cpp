#include "foldertree/IdList.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

// A list of items of the given total sizes, terminator included; the
// payload of item i is filled with 'a' + i.
std::vector<BYTE> MakeList(std::initializer_list<USHORT> sizes)
{
    std::vector<BYTE> bytes;
    BYTE fill = 'a';
    for (USHORT cb : sizes) {
        bytes.push_back(static_cast<BYTE>(cb & 0xFF));
        bytes.push_back(static_cast<BYTE>(cb >> 8));
        bytes.insert(bytes.end(), cb - 2u, fill++);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

LPCITEMIDLIST At(const std::vector<BYTE>& bytes, size_t offset)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data() + offset);
}

// The bytes of a list, terminator included.
std::vector<BYTE> BytesOf(LPCITEMIDLIST pidl)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
    return std::vector<BYTE>(p, p + GetIdListSize(pidl) + 2);
}

TEST(IdList, SizeCountsItemsWithoutTheTerminator)
{
    EXPECT_EQ(34u, GetIdListSize(AsList(MakeList({20, 14}))));
    EXPECT_EQ(0u, GetIdListSize(AsList(MakeList({}))));
    EXPECT_EQ(0u, GetIdListSize(nullptr));
}

TEST(IdList, NextAndLastItem)
{
    std::vector<BYTE> one = MakeList({6});
    std::vector<BYTE> three = MakeList({6, 4, 8});
    std::vector<BYTE> empty = MakeList({});

    EXPECT_EQ(AsList(one), GetLastItemId(AsList(one)));
    EXPECT_EQ(At(three, 10), GetLastItemId(AsList(three)));
    EXPECT_EQ(AsList(empty), GetLastItemId(AsList(empty)));
    EXPECT_EQ(nullptr, GetLastItemId(nullptr));

    EXPECT_EQ(At(three, 6), GetNextItemId(AsList(three)));
    EXPECT_EQ(nullptr, GetNextItemId(At(three, 10)));
    EXPECT_EQ(nullptr, GetNextItemId(AsList(empty)));
    EXPECT_EQ(nullptr, GetNextItemId(nullptr));

    EXPECT_EQ(3u, GetIdListCount(AsList(three)));
    EXPECT_EQ(1u, GetIdListCount(AsList(one)));
    EXPECT_EQ(0u, GetIdListCount(AsList(empty)));
    EXPECT_EQ(0u, GetIdListCount(nullptr));
}

TEST(IdList, ParentCopyDropsTheLastItem)
{
    std::vector<BYTE> two = MakeList({6, 4});
    CItemIdList parent = CopyParentIdList(AsList(two));
    ASSERT_TRUE(parent);
    EXPECT_EQ(MakeList({6}), BytesOf(parent.Get()));

    // One item, the empty list and null all give the desktop.
    std::vector<BYTE> one = MakeList({6});
    std::vector<BYTE> empty = MakeList({});
    for (LPCITEMIDLIST pidl : {AsList(one), AsList(empty), LPCITEMIDLIST()}) {
        CItemIdList desktop = CopyParentIdList(pidl);
        ASSERT_TRUE(desktop);
        EXPECT_EQ(0u, GetIdListSize(desktop.Get()));
    }
}

TEST(IdList, ConcatenationCopiesBothInOrder)
{
    std::vector<BYTE> first = MakeList({6, 4});
    std::vector<BYTE> second = MakeList({5});
    CItemIdList joined = ConcatIdLists(AsList(first), AsList(second));
    ASSERT_TRUE(joined);
    std::vector<BYTE> expected = MakeList({6, 4, 5});
    // The third item's payload letter follows from its position.
    expected[12] = 'a';
    expected[13] = 'a';
    expected[14] = 'a';
    EXPECT_EQ(expected, BytesOf(joined.Get()));

    CItemIdList copy = ConcatIdLists(nullptr, AsList(second));
    ASSERT_TRUE(copy);
    EXPECT_NE(AsList(second), copy.Get());
    second[2] = 'z';
    EXPECT_EQ(MakeList({5}), BytesOf(copy.Get()));

    EXPECT_EQ(MakeList({6, 4}), BytesOf(ConcatIdLists(AsList(first), nullptr).Get()));
    std::vector<BYTE> empty = MakeList({});
    CItemIdList emptyJoin = ConcatIdLists(AsList(empty), AsList(empty));
    ASSERT_TRUE(emptyJoin);
    EXPECT_EQ(0u, GetIdListSize(emptyJoin.Get()));
    EXPECT_FALSE(ConcatIdLists(nullptr, nullptr));
}

// One item has one identity however its list was made: the Recycle Bin is
// told from a folder of the same name, a path typed in another case is the
// same folder.
TEST(IdList, SameItemWhateverTheBytes)
{
    ASSERT_TRUE(::CreateDirectoryW(L"H:\\Trash", nullptr));
    ASSERT_TRUE(::CreateDirectoryW(L"H:\\Other", nullptr));
    CItemIdList bin;
    ASSERT_TRUE(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, bin.Receive())));
    CItemIdList binCopy = ConcatIdLists(nullptr, bin.Get());
    CItemIdList trash = PathToIdList(L"H:\\Trash", nullptr);
    CItemIdList trashTyped = PathToIdList(L"h:\\TRASH", nullptr);
    CItemIdList other = PathToIdList(L"H:\\Other", nullptr);
    ASSERT_TRUE(trash && trashTyped && other);

    EXPECT_TRUE(IsSameIdList(bin.Get(), binCopy.Get()));
    EXPECT_FALSE(IsSameIdList(bin.Get(), trash.Get()));
    EXPECT_TRUE(IsSameIdList(trash.Get(), trashTyped.Get()));
    EXPECT_FALSE(IsSameIdList(trash.Get(), other.Get()));
    EXPECT_FALSE(IsSameIdList(trash.Get(), nullptr));
    ::RemoveDirectoryW(L"H:\\Trash");
    ::RemoveDirectoryW(L"H:\\Other");
}

// An item whose payload holds narrow text at a known offset.
std::vector<BYTE> ItemWithText(const char* text, size_t* pOffset)
{
    size_t length = std::strlen(text) + 1;
    std::vector<BYTE> bytes = MakeList({static_cast<USHORT>(2 + 3 + length)});
    *pOffset = 2 + 3;
    std::memcpy(&bytes[*pOffset], text, length);
    return bytes;
}

TEST(DisplayName, OffsetAnswerIsReadFromTheCopy)
{
    size_t offset = 0;
    CDisplayName name;
    {
        std::vector<BYTE> item = ItemWithText("Music", &offset);
        STRRET* answer = name.Prepare(AsList(item), STRRET_OFFSET);
        answer->uOffset = static_cast<UINT>(offset);
        std::fill(item.begin(), item.end(), 'X');   // the caller's id is gone
    }
    EXPECT_EQ(L"Music", name.ToString());
}

TEST(DisplayName, AnswersAreReadOnlyInsideTheirBuffers)
{
    size_t offset = 0;
    std::vector<BYTE> item = ItemWithText("Music", &offset);
    CDisplayName name;
    name.Prepare(AsList(item), STRRET_OFFSET)->uOffset = 500;
    EXPECT_EQ(L"", name.ToString());
    name.Prepare(nullptr, STRRET_OFFSET)->uOffset = 0;
    EXPECT_EQ(L"", name.ToString());
    name.Prepare(AsList(item), 7);
    EXPECT_EQ(L"", name.ToString());

    STRRET* answer = name.Prepare(nullptr, STRRET_CSTR);
    std::strcpy(answer->cStr, "Podcasts");
    EXPECT_EQ(L"Podcasts", name.ToString());
    std::memset(answer->cStr, 'x', sizeof(answer->cStr));   // no terminator
    EXPECT_EQ(std::wstring(sizeof(answer->cStr), L'x'), name.ToString());
}

TEST(SharedShellObjects, LiveWhileHeldAndFetchedAnewAfterTheLastRelease)
{
    struct {
        const char* name;
        void (*acquire)();
        void (*release)();
        void* (*global)();
    } objects[] = {
        {"allocator", AcquireShellMalloc, ReleaseShellMalloc, [] { return static_cast<void*>(g_pShellMalloc); }},
        {"desktop", AcquireDesktopFolder, ReleaseDesktopFolder, [] { return static_cast<void*>(g_pDesktopFolder); }},
    };
    for (const auto& o : objects) {
        SCOPED_TRACE(o.name);
        ASSERT_EQ(nullptr, o.global());
        o.release();   // a release without an acquisition changes nothing
        EXPECT_EQ(nullptr, o.global());

        o.acquire();
        o.acquire();
        EXPECT_NE(nullptr, o.global());
        o.release();
        EXPECT_NE(nullptr, o.global());
        o.release();
        EXPECT_EQ(nullptr, o.global());

        o.acquire();
        EXPECT_NE(nullptr, o.global());
        o.release();
        EXPECT_EQ(nullptr, o.global());
    }
}

}  // namespace
