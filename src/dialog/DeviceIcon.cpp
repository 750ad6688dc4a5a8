#include "dialog/DeviceIcon.h"
#include "framework/Raii.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

#pragma pack(push, 2)
// One image of an icon group as the resource stores it.
struct CGroupIconEntry {
    BYTE bWidth;    // 0 stands for 256
    BYTE bHeight;
    BYTE bColorCount;
    BYTE bReserved;
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwBytesInRes;
    WORD nId;
};
struct CGroupIconHeader {
    WORD idReserved;
    WORD idType;
    WORD idCount;
};
#pragma pack(pop)

HIMAGELIST SystemImageList(UINT sizeFlag)
{
    SHFILEINFOW info = {};
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | sizeFlag));
}

// Appends an icon to the system's small and large image lists and answers
// its index in the small one (-1 on failure). The shell keeps one index for
// an icon across all its sizes, so every further size list it has gets the
// icon too; otherwise the shell's own later icons would land at different
// indices in different lists and show the wrong pictures.
int AppendToSystemImageLists(HICON hSmall, HICON hLarge)
{
    // IImageList; not every import library carries its id.
    const IID kImageListId = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    HIMAGELIST smallList = SystemImageList(SHGFI_SMALLICON);
    HIMAGELIST largeList = SystemImageList(0);
    if (!smallList || !largeList) return -1;
    int count = ImageList_GetImageCount(smallList);
    int index = ImageList_ReplaceIcon(smallList, -1, hSmall);
    ImageList_ReplaceIcon(largeList, -1, hLarge);

    const int kOtherSizes[] = {SHIL_EXTRALARGE, SHIL_SYSSMALL, SHIL_JUMBO};
    for (int size : kOtherSizes) {
        HIMAGELIST list = nullptr;
        if (FAILED(::SHGetImageList(size, kImageListId, reinterpret_cast<void**>(&list))) || !list)
            continue;
        if (list != smallList && list != largeList && ImageList_GetImageCount(list) == count)
            ImageList_ReplaceIcon(list, -1, size == SHIL_SYSSMALL ? hSmall : hLarge);
    }
    return index;
}

}  // namespace

bool IconGroupHasSize(HMODULE hModule, const wchar_t* id, int size)
{
    HRSRC hResource = ::FindResourceW(hModule, id, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    DWORD bytes = hResource ? ::SizeofResource(hModule, hResource) : 0;
    HGLOBAL hData = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    const BYTE* data = hData ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (!data || bytes < sizeof(CGroupIconHeader)) return false;
    const CGroupIconHeader* header = reinterpret_cast<const CGroupIconHeader*>(data);
    size_t count = (bytes - sizeof(CGroupIconHeader)) / sizeof(CGroupIconEntry);
    if (header->idCount < count) count = header->idCount;
    const CGroupIconEntry* entries = reinterpret_cast<const CGroupIconEntry*>(data + sizeof(CGroupIconHeader));
    for (size_t i = 0; i < count; ++i) {
        int width = entries[i].bWidth ? entries[i].bWidth : 256;
        int height = entries[i].bHeight ? entries[i].bHeight : 256;
        if (width == size && height == size) return true;
    }
    return false;
}

// Loading an icon at a size the group lacks would stretch another size, so
// both sizes are looked for in the group first: both or none.
int AddDeviceIconToSystemLists(const wchar_t* moduleName, int iconId)
{
    if (!moduleName || !moduleName[0]) return -1;
    // Only the module's resources are needed: it is mapped as data, so no
    // code of a module named on the command line ever runs here.
    CModule module(::LoadLibraryExW(moduleName, nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return -1;
    const wchar_t* id = MAKEINTRESOURCEW(LOWORD(iconId));
    if (!IconGroupHasSize(module.Get(), id, 16) || !IconGroupHasSize(module.Get(), id, 32)) return -1;
    CIcon small(static_cast<HICON>(::LoadImageW(module.Get(), id, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    CIcon large(static_cast<HICON>(::LoadImageW(module.Get(), id, IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    if (!small || !large) return -1;
    return AppendToSystemImageLists(small.Get(), large.Get());
}
