// Where a drag of paths out of the source list lands: the playlist. The main
// dialog names the target at initialisation, so the source list needs
// neither the dialog's layout nor the playlist's type. The drop itself is
// posted to the notification window with the index this target gives.
#pragma once

#include <windows.h>

class IPathDropTarget {
public:
    // The window a drag must be released over to drop.
    virtual HWND DropWindow() const = 0;
    // Where paths dropped at the screen point go in: an index of the
    // target's entries, the entry count for the end.
    virtual int DropIndexAt(POINT screen) const = 0;
    // The mark of where a drop would go in, while the drag is over the
    // target; hiding it when it is hidden does nothing visible.
    virtual void ShowInsertMark(int index) = 0;
    virtual void HideInsertMark() = 0;

protected:
    ~IPathDropTarget() = default;
};
