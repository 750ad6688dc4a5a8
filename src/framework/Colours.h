// Colours that the tree and the lists share.
#pragma once

#include <windows.h>

// A third of the way from the background to the selection colour: plainly
// a selection, and plainly not the focused one, in any colour scheme.
inline COLORREF UnfocusedSelectionColour()
{
    const COLORREF back = ::GetSysColor(COLOR_WINDOW);
    const COLORREF mark = ::GetSysColor(COLOR_HIGHLIGHT);
    auto mix = [](int b, int m) { return static_cast<BYTE>(b + (m - b) / 3); };
    return RGB(mix(GetRValue(back), GetRValue(mark)), mix(GetGValue(back), GetGValue(mark)),
               mix(GetBValue(back), GetBValue(mark)));
}
