#include "TreeTestKit.h"
#include "look/LoadingTreeCtrl.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <new>

namespace {

struct CStep {
    BOOL bTick;
    int nPhase;
    int nCount;
};

// Records the base's calls; the fill does what each test asks.
class CTestTree : public CLoadingTreeCtrl {
public:
    CTestTree() : m_hStepEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

    std::function<BOOL(HTREEITEM)> fill;
    BOOL bRefresh = FALSE;
    int nStarts = 0, nFills = 0, nEnds = 0;
    std::wstring strPlaceholderText;
    LPARAM placeholderData = -1;
    HTREEITEM hPlaceholderParent = nullptr;
    UINT nItemsAtFill = 0;

    std::vector<CStep> Steps()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_steps;
    }
    // Waits until at least count steps were recorded.
    bool WaitForSteps(size_t count)
    {
        for (int i = 0; i < 100 && Steps().size() < count; ++i)
            ::WaitForSingleObject(m_hStepEvent.Get(), 50);
        return Steps().size() >= count;
    }

    using CLoadingTreeCtrl::AddProgress;
    using CLoadingTreeCtrl::GetProgress;
    using CLoadingTreeCtrl::SetProgress;

protected:
    void OnLoadingStart(HTREEITEM hPlaceholder) override
    {
        ++nStarts;
        strPlaceholderText = ItemText(*this, hPlaceholder);
        placeholderData = GetItemData(hPlaceholder);
        hPlaceholderParent = GetNextItem(hPlaceholder, TVGN_PARENT);
    }
    void OnLoadingStep(BOOL bTick, int nPhase, int nCount) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_steps.push_back({bTick, nPhase, nCount});
        ::SetEvent(m_hStepEvent.Get());
    }
    void OnLoadingEnd() override { ++nEnds; }
    BOOL NeedRefresh(HTREEITEM) override { return bRefresh; }
    BOOL FillChildren(HTREEITEM hItem) override
    {
        ++nFills;
        nItemsAtFill = GetCount();
        return fill ? fill(hItem) : TRUE;
    }
    BOOL RefillChildren(HTREEITEM) override { return TRUE; }
    BOOL ShowSelectedFolder(HTREEITEM) override { return TRUE; }
    void UpdateCaption() override {}

private:
    std::mutex m_mutex;
    std::vector<CStep> m_steps;
    CKernelHandle m_hStepEvent;
};

const int kTreeSize = 300;

class LoadingTree : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        ASSERT_TRUE(host.CreateTree(tree, 10, 10, kTreeSize, kTreeSize));
        hItem = InsertTextItem(tree, TVI_ROOT, L"folder", 1);
        ASSERT_TRUE(hItem);
        PumpMessages();
    }

    std::function<BOOL(HTREEITEM)> AddChildren(int count, BOOL result)
    {
        return [this, count, result](HTREEITEM hParent) {
            for (int i = 0; i < count; ++i) InsertTextItem(tree, hParent, L"child");
            return result;
        };
    }

    CTreeHost host;
    CTestTree tree;
    HTREEITEM hItem = nullptr;
};

TEST_F(LoadingTree, FirstExpansionFillsOnceBehindThePlaceholder)
{
    tree.fill = AddChildren(2, TRUE);
    ClickExpandButton(tree, hItem);

    EXPECT_EQ(L"Loading...", tree.strPlaceholderText);
    EXPECT_EQ(0, tree.placeholderData);
    EXPECT_EQ(hItem, tree.hPlaceholderParent);
    EXPECT_EQ(1u, tree.nItemsAtFill);   // the placeholder is gone before the fill
    EXPECT_EQ(2u, ChildItems(tree, hItem).size());
    EXPECT_TRUE(IsExpanded(tree, hItem));

    // Collapsing keeps the children; expanding shows them without a
    // placeholder, a worker or a fill.
    ClickExpandButton(tree, hItem);
    EXPECT_EQ(2u, ChildItems(tree, hItem).size());
    ClickExpandButton(tree, hItem);
    EXPECT_TRUE(IsExpanded(tree, hItem));
    EXPECT_EQ(1, tree.nStarts);
    EXPECT_EQ(1, tree.nFills);
    EXPECT_EQ(1, tree.nEnds);
    EXPECT_EQ(3u, tree.GetCount());
}

TEST_F(LoadingTree, RefreshDiscardsChildrenOnCollapseAndFillsAnew)
{
    tree.bRefresh = TRUE;
    tree.fill = AddChildren(2, TRUE);
    ClickExpandButton(tree, hItem);
    ClickExpandButton(tree, hItem);
    EXPECT_TRUE(ChildItems(tree, hItem).empty());

    tree.fill = AddChildren(3, TRUE);
    ClickExpandButton(tree, hItem);
    EXPECT_EQ(2, tree.nFills);
    EXPECT_EQ(3u, ChildItems(tree, hItem).size());
}

TEST_F(LoadingTree, FillResultSetsTheExpandButton)
{
    struct {
        int children;
        BOOL result;
        int expectedFlag;
    } cases[] = {
        {0, TRUE, 0},   // final and empty: the button goes
        {0, FALSE, 1},  // not final: the button stays, shown collapsed
        {2, TRUE, 1},
        {2, FALSE, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.children << " children, result " << c.result);
        HTREEITEM h = InsertTextItem(tree, TVI_ROOT, L"case", 1);
        tree.fill = AddChildren(c.children, c.result);
        ClickExpandButton(tree, h);
        EXPECT_EQ(c.expectedFlag, ItemChildrenFlag(tree, h));
        // Without a button the expanded state shows nothing.
        if (c.expectedFlag) {
            EXPECT_EQ(c.children > 0, IsExpanded(tree, h));
        }
        tree.DeleteItem(h);
    }
}

TEST_F(LoadingTree, ItemLeftWithoutChildrenFillsAgainAtNextExpansion)
{
    tree.fill = AddChildren(0, FALSE);
    ClickExpandButton(tree, hItem);
    ClickExpandButton(tree, hItem);
    EXPECT_EQ(2, tree.nFills);
    EXPECT_EQ(2, tree.nStarts);
}

TEST_F(LoadingTree, WorkerReportsTickThenWakeThenProgress)
{
    std::vector<CStep> initial, afterProgress;
    tree.fill = [&](HTREEITEM) {
        tree.WaitForSteps(2);
        initial = tree.Steps();
        EXPECT_EQ(0, tree.GetProgress(nullptr));   // each expansion starts at count 0
        tree.SetProgress(3, 5);
        tree.AddProgress(2);
        int phase = 0;
        EXPECT_EQ(7, tree.GetProgress(&phase));
        EXPECT_EQ(3, phase);
        // Wake-ups may merge; the last report carries the final values.
        for (int i = 0; i < 100; ++i) {
            afterProgress = tree.Steps();
            const CStep& last = afterProgress.back();
            if (last.nPhase == 3 && last.nCount == 7) break;
            tree.WaitForSteps(afterProgress.size() + 1);
        }
        return TRUE;
    };
    ClickExpandButton(tree, hItem);

    ASSERT_GE(initial.size(), 2u);
    EXPECT_TRUE(initial[0].bTick);
    EXPECT_FALSE(initial[1].bTick);
    EXPECT_EQ(1, initial[0].nPhase);
    EXPECT_EQ(0, initial[0].nCount);
    ASSERT_FALSE(afterProgress.empty());
    EXPECT_FALSE(afterProgress.back().bTick);
    EXPECT_EQ(3, afterProgress.back().nPhase);
    EXPECT_EQ(7, afterProgress.back().nCount);
    EXPECT_EQ(1, tree.nEnds);
}

// The pixels that paint leaves on a magenta bitmap of the tree's size.
std::vector<DWORD> PaintedPixels(const CTreeView& tree, const std::function<void(HDC)>& paint)
{
    RECT rc = {};
    ::GetClientRect(tree.Hwnd(), &rc);
    CWindowDc screen(tree.Hwnd());
    CMemoryDc memDc(::CreateCompatibleDC(screen.Get()));
    CBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), rc.right, rc.bottom));
    {
        CSelectObject select(memDc.Get(), bitmap.Get());
        CBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
        ::FillRect(memDc.Get(), &rc, magenta.Get());
        paint(memDc.Get());
    }
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(rc.right) * rc.bottom);
    ::GetDIBits(memDc.Get(), bitmap.Get(), 0, rc.bottom, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

TEST_F(LoadingTree, EraseDuringFillPaintsTheSnapshotAndWakesTheWorker)
{
    ::UpdateWindow(tree.Hwnd());
    // What the tree shows before the expansion, read back from its window.
    std::vector<DWORD> before = PaintedPixels(tree, [&](HDC hDc) {
        CWindowDc dc(tree.Hwnd());
        ::BitBlt(hDc, 0, 0, kTreeSize, kTreeSize, dc.Get(), 0, 0, SRCCOPY);
    });
    LRESULT erased = 0;
    auto erase = [&](HDC hDc) { erased = tree.Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDc)); };

    std::vector<DWORD> duringFill;
    bool wokeAfterErase = false;
    tree.fill = [&](HTREEITEM) {
        tree.WaitForSteps(2);
        size_t steps = tree.Steps().size();
        duringFill = PaintedPixels(tree, erase);
        wokeAfterErase = tree.WaitForSteps(steps + 1);
        return TRUE;
    };
    ClickExpandButton(tree, hItem);
    EXPECT_EQ(TRUE, erased);
    EXPECT_TRUE(wokeAfterErase);
    EXPECT_TRUE(duringFill == before) << "the erase did not paint the snapshot";

    // Outside a fill the control erases with its own background.
    EXPECT_NE(before, PaintedPixels(tree, erase));
    EXPECT_NE(0, erased);
}

// Out of memory in the middle of a fill: the window procedure swallows the
// exception, but the worker must still stop and the tree paint again.
TEST_F(LoadingTree, FillThatThrowsStillEndsTheLoading)
{
    ::UpdateWindow(tree.Hwnd());
    auto erase = [&](HDC hDc) { tree.Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDc)); };
    const std::vector<DWORD> ownBackground = PaintedPixels(tree, erase);
    tree.fill = [&](HTREEITEM hParent) -> BOOL {
        InsertTextItem(tree, hParent, L"child");
        throw std::bad_alloc();
    };
    ClickExpandButton(tree, hItem);

    EXPECT_EQ(1, tree.nStarts);
    EXPECT_EQ(1, tree.nEnds) << "the worker was left running";
    EXPECT_TRUE(PaintedPixels(tree, erase) == ownBackground) << "the snapshot was kept";
    // With redrawing still off the control paints differently.
    auto paint = [&](HDC hDc) { tree.Send(WM_PAINT, reinterpret_cast<WPARAM>(hDc)); };
    const std::vector<DWORD> painted = PaintedPixels(tree, paint);
    tree.SetRedraw(TRUE);
    EXPECT_TRUE(painted == PaintedPixels(tree, paint)) << "redrawing was left off";
}

int ColourDistance(DWORD a, DWORD b)
{
    int distance = 0;
    for (int shift = 0; shift < 24; shift += 8)
        distance += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return distance;
}

// With the focus elsewhere the selected folder still stands out from the
// background, as clearly as a tinted bar: the control's own colour for it
// is a grey that can hardly be told from white.
TEST_F(LoadingTree, SelectionShowsWithoutTheFocus)
{
    HTREEITEM hSelected = InsertTextItem(tree, TVI_ROOT, L"selected folder");
    tree.SelectItem(hSelected);
    ASSERT_NE(tree.Hwnd(), ::GetFocus());
    RECT rc = {};
    std::memcpy(&rc, &hSelected, sizeof(hSelected));
    ASSERT_TRUE(tree.Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc)));
    auto paint = [&](HDC hDc) { tree.Send(WM_PAINT, reinterpret_cast<WPARAM>(hDc)); };
    const std::vector<DWORD> pixels = PaintedPixels(tree, paint);
    RECT client = {};
    ::GetClientRect(tree.Hwnd(), &client);
    const size_t row = static_cast<size_t>((rc.top + rc.bottom) / 2) * static_cast<size_t>(client.right);
    const DWORD selected = pixels[row + static_cast<size_t>(rc.left) + 1];
    const DWORD background = pixels[row + static_cast<size_t>(client.right) - 4];
    EXPECT_GE(ColourDistance(selected, background), 90) << std::hex << selected << " on " << background;
}

}  // namespace
