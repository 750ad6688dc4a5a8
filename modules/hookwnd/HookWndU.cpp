// The skinning module in its plainest form: it hands out a skin handle and
// otherwise leaves every window exactly as it is.
#include <windows.h>

namespace {
const DWORD kCreateSkin = 1;
const DWORD kSkinHandle = 0x5157;   // any non-zero value will do
}

extern "C" DWORD __stdcall CallHookWnd(DWORD operation, DWORD, DWORD, DWORD, DWORD)
{
    return operation == kCreateSkin ? kSkinHandle : 0;
}
