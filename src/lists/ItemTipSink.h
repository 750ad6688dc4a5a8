// Where the source list reports the item under the pointer, so that a tip can
// show a name too long for its item. The main dialog implements it; the lists
// know nothing of the tip window itself.
#pragma once

#include <windows.h>

class CListView;

class IItemTipSink {
public:
    // item is -1 when the pointer is over no item; then rcItem is all zero
    // and text is empty. rcItem is the item's bounds in screen coordinates.
    virtual void ShowItemTip(CListView* pList, int item, const RECT& rcItem, const wchar_t* text,
                             BOOL selected) = 0;

protected:
    ~IItemTipSink() = default;
};
