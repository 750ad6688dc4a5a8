#include "dialog/DeviceIcon.h"

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
CIcon LoadDeviceIcon(const wchar_t* moduleName, int iconId, int size)
{
    if (!moduleName || !moduleName[0]) return CIcon();
    // Only the module's resources are needed: it is mapped as data, so no
    // code of a module named on the command line ever runs here.
    CModule module(::LoadLibraryExW(moduleName, nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return CIcon();
    const wchar_t* id = MAKEINTRESOURCEW(LOWORD(iconId));
    if (!IconGroupHasSize(module.Get(), id, 16) || !IconGroupHasSize(module.Get(), id, 32)) return CIcon();
    const int stored = DeviceIconStoredSize(size);
    return CIcon(static_cast<HICON>(::LoadImageW(module.Get(), id, IMAGE_ICON, stored, stored, LR_DEFAULTCOLOR)));
}

int DeviceIconStoredSize(int size)
{
    return size <= 16 ? 16 : 32;
}
