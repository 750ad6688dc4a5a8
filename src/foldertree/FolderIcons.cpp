#include "foldertree/FolderIcons.h"

#include <shellapi.h>

bool CFolderIcons::Create(int size)
{
    m_plainFolder[0] = m_plainFolder[1] = -1;
    m_copied.clear();
    m_list.Reset(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 8));
    m_size = m_list ? size : 0;
    return static_cast<bool>(m_list);
}

int CFolderIcons::AddIcon(HICON hIcon)
{
    return m_list && hIcon ? ::ImageList_ReplaceIcon(m_list.Get(), -1, hIcon) : -1;
}

int CFolderIcons::ItemIcon(LPCITEMIDLIST pidl, bool open)
{
    if (!m_list || !pidl) return -1;
    // The shell's small icons serve a small list; a bigger list is drawn
    // down from the large ones rather than blown up from the small ones.
    UINT sizeFlag = m_size <= ::GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    SHFILEINFOW info = {};
    HIMAGELIST hShellList = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info),
                         SHGFI_PIDL | SHGFI_SYSICONINDEX | sizeFlag | (open ? SHGFI_OPENICON : 0)));
    if (!hShellList) return -1;
    return CopyShellIcon(hShellList, info.iIcon);
}

int CFolderIcons::PlainFolderIcon(LPCITEMIDLIST pidl, bool open)
{
    int& index = m_plainFolder[open ? 1 : 0];
    if (index < 0) index = ItemIcon(pidl, open);
    return index;
}

int CFolderIcons::CopyShellIcon(HIMAGELIST hShellList, int shellIndex)
{
    auto known = m_copied.find(shellIndex);
    if (known != m_copied.end()) return known->second;
    CIcon icon(::ImageList_GetIcon(hShellList, shellIndex, ILD_TRANSPARENT));
    int index = AddIcon(icon.Get());
    if (index >= 0) m_copied[shellIndex] = index;
    return index;
}
