#include "dialog/DialogLayout.h"

#include "res/resource_ids.h"

#include <algorithm>
#include <utility>

namespace {

// The extra width that moves an edge: none, the tree's, the tree's and the
// source list's, or all of it (the edge follows the window's right side).
enum class Across { kStays, kTree, kTreeAndSource, kAll };
// The extra height that moves an edge: none, half of it (beside the lists,
// in their middle), or all of it (under the lists).
enum class Down { kStays, kHalf, kAll };

struct CAnchor {
    Across left, right;
    Down top, bottom;
};

struct CKnownAnchor {
    int id;
    CAnchor anchor;
};

// The name field takes the extra width of its row, up to the Save button.
const CKnownAnchor kKnownAnchors[] = {
    {IDC_FOLDER_TREE, {Across::kStays, Across::kTree, Down::kStays, Down::kAll}},
    {IDC_FOLDER_CAPTION, {Across::kTree, Across::kTreeAndSource, Down::kStays, Down::kStays}},
    {IDC_SOURCE_LIST, {Across::kTree, Across::kTreeAndSource, Down::kStays, Down::kAll}},
    {IDC_ADD_SELECTED, {Across::kTreeAndSource, Across::kTreeAndSource, Down::kHalf, Down::kHalf}},
    {IDC_ADD_ALL, {Across::kTreeAndSource, Across::kTreeAndSource, Down::kHalf, Down::kHalf}},
    {IDC_PLAYLIST_LIST, {Across::kTreeAndSource, Across::kAll, Down::kStays, Down::kAll}},
    {IDC_MOVE_UP, {Across::kAll, Across::kAll, Down::kStays, Down::kStays}},
    {IDC_MOVE_DOWN, {Across::kAll, Across::kAll, Down::kStays, Down::kStays}},
    {IDC_REMOVE_SELECTED, {Across::kAll, Across::kAll, Down::kStays, Down::kStays}},
    {IDC_REMOVE_ALL, {Across::kAll, Across::kAll, Down::kStays, Down::kStays}},
    {IDC_OPEN, {Across::kAll, Across::kAll, Down::kStays, Down::kStays}},
    {IDC_PLAYLIST_NAME, {Across::kTree, Across::kAll, Down::kAll, Down::kAll}},
    {IDC_SAVE, {Across::kAll, Across::kAll, Down::kAll, Down::kAll}},
    {IDC_CLOSE, {Across::kAll, Across::kAll, Down::kAll, Down::kAll}},
};

struct CGrowth {
    int tree = 0;
    int treeAndSource = 0;
    int width = 0;
    int height = 0;
};

RECT Scaled(const RECT& rc, int dpi, int fromDpi)
{
    return RECT{::MulDiv(rc.left, dpi, fromDpi), ::MulDiv(rc.top, dpi, fromDpi),
                ::MulDiv(rc.right, dpi, fromDpi), ::MulDiv(rc.bottom, dpi, fromDpi)};
}

const RECT* FindRect(const std::vector<CLayoutItem>& items, int id)
{
    for (const CLayoutItem& item : items)
        if (item.id == id) return &item.rect;
    return nullptr;
}

int Shift(Across across, const CGrowth& growth)
{
    switch (across) {
    case Across::kTree: return growth.tree;
    case Across::kTreeAndSource: return growth.treeAndSource;
    case Across::kAll: return growth.width;
    default: return 0;
    }
}

int Shift(Down down, const CGrowth& growth)
{
    switch (down) {
    case Down::kHalf: return growth.height / 2;
    case Down::kAll: return growth.height;
    default: return 0;
    }
}

// The three controls that grow, and how close an edge of another control
// must come to one of theirs to count as lined up with it.
struct CColumns {
    RECT tree, source, playlist;
    int tolerance;
};

// An edge of a control the program does not know (a label) moves with the
// column whose right edge is the first at or after it: a label over the
// tree stretches with the tree, one under the source list moves with it.
Across AcrossOf(LONG x, const CColumns& columns)
{
    if (x < columns.tree.right - columns.tolerance) return Across::kStays;
    if (x < columns.source.right - columns.tolerance) return Across::kTree;
    if (x < columns.playlist.right - columns.tolerance) return Across::kTreeAndSource;
    return Across::kAll;
}

Down DownOf(LONG y, const CColumns& columns)
{
    return y < columns.tree.bottom - columns.tolerance ? Down::kStays : Down::kAll;
}

CAnchor AnchorOf(const CLayoutItem& item, const CColumns& columns)
{
    for (const CKnownAnchor& known : kKnownAnchors)
        if (known.id == item.id) return known.anchor;
    return {AcrossOf(item.rect.left, columns), AcrossOf(item.rect.right, columns),
            DownOf(item.rect.top, columns), DownOf(item.rect.bottom, columns)};
}

}  // namespace

CDialogLayout::CDialogLayout(std::vector<CLayoutItem> items, SIZE client, int dpi)
    : m_items(std::move(items)), m_client(client), m_dpi(dpi > 0 ? dpi : 96)
{
}

SIZE CDialogLayout::MinClient(int dpi) const
{
    return SIZE{::MulDiv(m_client.cx, dpi, m_dpi), ::MulDiv(m_client.cy, dpi, m_dpi)};
}

std::vector<RECT> CDialogLayout::Place(SIZE client, int dpi) const
{
    std::vector<CLayoutItem> items = m_items;
    for (CLayoutItem& item : items) item.rect = Scaled(item.rect, dpi, m_dpi);
    std::vector<RECT> places;
    for (const CLayoutItem& item : items) places.push_back(item.rect);

    const RECT* tree = FindRect(items, IDC_FOLDER_TREE);
    const RECT* source = FindRect(items, IDC_SOURCE_LIST);
    const RECT* playlist = FindRect(items, IDC_PLAYLIST_LIST);
    if (!tree || !source || !playlist) return places;
    const CColumns columns = {*tree, *source, *playlist, ::MulDiv(2, dpi, 96)};

    const SIZE least = MinClient(dpi);
    const int treeWidth = tree->right - tree->left;
    const int sourceWidth = source->right - source->left;
    const int allWidths = treeWidth + sourceWidth + (playlist->right - playlist->left);
    CGrowth growth;
    growth.width = std::max(0L, client.cx - least.cx);
    growth.height = std::max(0L, client.cy - least.cy);
    if (allWidths > 0) {
        growth.tree = ::MulDiv(growth.width, treeWidth, allWidths);
        growth.treeAndSource = growth.tree + ::MulDiv(growth.width, sourceWidth, allWidths);
    }

    for (size_t i = 0; i < items.size(); ++i) {
        const CAnchor anchor = AnchorOf(items[i], columns);
        places[i].left += Shift(anchor.left, growth);
        places[i].right += Shift(anchor.right, growth);
        places[i].top += Shift(anchor.top, growth);
        places[i].bottom += Shift(anchor.bottom, growth);
    }
    return places;
}
