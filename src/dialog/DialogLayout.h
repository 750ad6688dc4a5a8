// How the main window's controls follow the window when it grows: the folder
// tree and both lists take the extra width, shared in proportion to their
// widths in the template, and all the extra height; what stands beside them
// keeps its place next to them. Rectangle arithmetic only, no window.
#pragma once

#include <windows.h>
#include <vector>

struct CLayoutItem {
    int id;       // the control's id; labels may all have -1
    RECT rect;    // where the template put it, in client pixels
};

class CDialogLayout {
public:
    CDialogLayout() = default;
    // The layout the template gave at dpi, with its client size.
    CDialogLayout(std::vector<CLayoutItem> items, SIZE client, int dpi);

    bool Empty() const { return m_items.empty(); }
    // The template's client size at dpi: the window is never smaller.
    SIZE MinClient(int dpi) const;
    // Each item's rectangle, in item order, for a client area of client
    // pixels at dpi. A client area smaller than the template's keeps the
    // template's places.
    std::vector<RECT> Place(SIZE client, int dpi) const;

private:
    std::vector<CLayoutItem> m_items;
    SIZE m_client = {};
    int m_dpi = 96;
};
