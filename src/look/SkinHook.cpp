#include "look/SkinHook.h"

#include <shlwapi.h>

const UINT g_uMsgHkWndFunc = ::RegisterWindowMessageW(L"WM_HKWND_FUNC");
const UINT g_uMsgHkButtonFunction = ::RegisterWindowMessageW(L"WM_HKBUTTON_FUNCTION");
const UINT g_uMsgHkStaticFunction = ::RegisterWindowMessageW(L"WM_HKSTATIC_FUNCTION");

namespace {
const wchar_t kModuleName[] = L"HookWndU.DLL";
const char kEntryName[] = "CallHookWnd";

DWORD AsArgument(const void* p)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(p));
}
}

CSkinHook::~CSkinHook()
{
    ReleaseSkin();
}

HMODULE CSkinHook::LoadModule(const wchar_t* pszFolder) const
{
    if (pszFolder) {
        wchar_t path[MAX_PATH] = {};
        if (::lstrlenW(pszFolder) < MAX_PATH) {
            ::lstrcpynW(path, pszFolder, MAX_PATH);
            ::PathRemoveBackslashW(path);
            // A folder too long for the module's name is not tried.
            if (::lstrlenW(path) + 1 + ::lstrlenW(kModuleName) < MAX_PATH) {
                ::lstrcatW(path, L"\\");
                ::lstrcatW(path, kModuleName);
                if (HMODULE hModule = ::LoadLibraryW(path)) return hModule;
            }
        }
    }
    return ::LoadLibraryW(kModuleName);
}

DWORD CSkinHook::AttachSkin(HWND hWnd, const SKINPARAMS* pParams, const wchar_t* pszFolder)
{
    ReleaseSkin();
    m_hModule.Reset(LoadModule(pszFolder));
    if (!m_hModule) return 0;
    m_pfnCallHookWnd = reinterpret_cast<CallHookWndFn>(
        reinterpret_cast<void*>(::GetProcAddress(m_hModule.Get(), kEntryName)));
    if (!m_pfnCallHookWnd) return 0;
    m_hSkin = m_pfnCallHookWnd(kCreateSkin, 0, 0, 0, 0);
    if (!m_hSkin) return 0;
    return m_pfnCallHookWnd(kAttachWindow, m_hSkin, 0, AsArgument(hWnd), AsArgument(pParams));
}

DWORD CSkinHook::ReleaseSkin()
{
    if (!m_hModule) return 0;
    DWORD result = 0;
    if (m_pfnCallHookWnd && m_hSkin) {
        result = m_pfnCallHookWnd(kDetachWindow, m_hSkin, 0, 0, 0);
        m_pfnCallHookWnd(kDestroySkin, m_hSkin, 0, 0, 0);
        m_hSkin = 0;
    }
    m_hModule.Reset();
    m_pfnCallHookWnd = nullptr;
    return result;
}

bool MakeProgramSkinParams(wchar_t (&bundlePath)[MAX_PATH], SKINPARAMS& params)
{
    params = SKINPARAMS();
    DWORD length = ::GetModuleFileNameW(nullptr, bundlePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    ::PathRemoveFileSpecW(bundlePath);
    if (!::PathAppendW(bundlePath, L"ZKWAPl.bff")) return false;
    params.cbSize = sizeof(SKINPARAMS);
    params.pszBundlePath = bundlePath;
    params.pszImageName = "BG.bmp";
    return true;
}
