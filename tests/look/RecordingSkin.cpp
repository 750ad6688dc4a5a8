// A skinning module for tests: it records every call, and what the window
// record pointed to at the moment of the call, for the test to read back.
#include "RecordingSkin.h"

#include <vector>

namespace {
std::vector<CRecordedCall> g_calls;
DWORD g_nextSkin = 0x100;
bool g_refuseSkin = false;
}

extern "C" DWORD WINAPI CallHookWnd(DWORD operation, DWORD skin, DWORD third, DWORD fourth, DWORD fifth)
{
    CRecordedCall call = {operation, skin, third, fourth, 0, {}, {}, 0};
    if (operation == 3 && fifth) {
        const DWORD* fields = reinterpret_cast<const DWORD*>(static_cast<UINT_PTR>(fifth));
        call.recordSize = fields[0];
        call.bundlePath = reinterpret_cast<const wchar_t*>(static_cast<UINT_PTR>(fields[1]));
        call.imageName = reinterpret_cast<const char*>(static_cast<UINT_PTR>(fields[3]));
        call.otherFieldsOr = fields[2];
        for (int i = 4; i < 10; ++i) call.otherFieldsOr |= fields[i];
    }
    g_calls.push_back(call);
    if (operation == 1) return g_refuseSkin ? 0 : g_nextSkin++;
    return operation == 3 ? 33 : operation == 4 ? 44 : 0;
}

extern "C" const std::vector<CRecordedCall>* WINAPI RecordedCalls()
{
    return &g_calls;
}

extern "C" void WINAPI RefuseSkins(BOOL refuse)
{
    g_refuseSkin = refuse != FALSE;
}
