// The binding of one window to the skinning module "HookWndU.DLL": the
// loaded module, its single entry point and the skin handle it gave out.
// Without the module every call fails quietly and the window keeps its
// plain look.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

// The record handed to the module with a window (operation 3). Its layout is
// the module's: ten 32-bit fields, all zero but the three named here.
struct SKINPARAMS {
    DWORD cbSize;                  // 40
    const wchar_t* pszBundlePath;  // full path of the skin bundle
    DWORD dwReserved1;
    const char* pszImageName;      // image inside the bundle, 8-bit text
    DWORD dwReserved2[6];
};
static_assert(sizeof(void*) != 4 || sizeof(SKINPARAMS) == 40, "the module reads 40 bytes");

// Messages that belong to the module's vocabulary; registered at start so
// that their ids exist before any window does.
extern const UINT g_uMsgHkWndFunc;
extern const UINT g_uMsgHkButtonFunction;
extern const UINT g_uMsgHkStaticFunction;

class CSkinHook {
public:
    // The module's entry: operation, skin handle, then three arguments.
    using CallHookWndFn = DWORD(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD);

    enum Operation : DWORD {
        kCreateSkin = 1,
        kDestroySkin = 2,
        kAttachWindow = 3,
        kDetachWindow = 4,
    };

    CSkinHook() = default;
    virtual ~CSkinHook();
    CSkinHook(const CSkinHook&) = delete;
    CSkinHook& operator=(const CSkinHook&) = delete;

    // Ends an earlier binding, loads the module (from pszFolder when given,
    // else by plain name), creates a skin and hands it the window. Answers
    // the module's answer to the window, or 0 when no binding was made.
    DWORD AttachSkin(HWND hWnd, const SKINPARAMS* pParams, const wchar_t* pszFolder);
    // Detaches and destroys the skin and unloads the module. Answers the
    // module's answer to the detach, or 0 when there was no skin.
    DWORD ReleaseSkin();

    bool IsBound() const { return m_hSkin != 0; }

private:
    HMODULE LoadModule(const wchar_t* pszFolder) const;

    DWORD m_hSkin = 0;
    CModule m_hModule;
    CallHookWndFn m_pfnCallHookWnd = nullptr;
};

// The skin parameters of a window of this program: the bundle "ZKWAPl.bff"
// beside the program and its image "BG.bmp". False when the program's own
// path is not available. bundlePath must outlive the use of params.
bool MakeProgramSkinParams(wchar_t (&bundlePath)[MAX_PATH], SKINPARAMS& params);
