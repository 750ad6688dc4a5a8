// The folder tree's own image list: the device's icon and the folder icons
// that the tree shows, copied from the shell when first needed. The shell's
// system image lists are only read, never changed: the shell keeps them in
// step by bookkeeping of its own, which images added from outside upset
// (wrong or blank icons, or the added one gone when the shell rebuilds them).
#pragma once

#include "framework/Raii.h"

#include <shlobj.h>
#include <map>

class CFolderIcons {
public:
    // An empty list of size x size pixel images; false when it cannot be
    // made. Indices handed out before are void afterwards.
    bool Create(int size);
    HIMAGELIST Get() const { return m_list.Get(); }

    // Adds an icon the caller keeps; its index, or -1.
    int AddIcon(HICON hIcon);
    // The closed or open icon that the shell shows for the item (an
    // absolute list). Each distinct icon of the shell is copied once.
    int ItemIcon(LPCITEMIDLIST pidl, bool open);
    // The same for a plain folder: every plain folder shows the same icons,
    // so the shell is asked once, about the first one.
    int PlainFolderIcon(LPCITEMIDLIST pidl, bool open);

private:
    int CopyShellIcon(HIMAGELIST hShellList, int shellIndex);

    CImageList m_list;
    int m_size = 0;
    int m_plainFolder[2] = {-1, -1};
    // The shell's index of an icon copied here, and its index here.
    std::map<int, int> m_copied;
};
