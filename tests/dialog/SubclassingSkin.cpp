// A skinning module for the dialog tests that treats the window the way a
// real one does: when it gets the window (operation 3) it subclasses it and
// every button and static child, keeps its own record in each window's user
// data, and paints the window's background from the bundle's bitmap (a
// solid colour when the bitmap is missing). It takes its subclassing off in
// an order of its own: at a window's end, or at the detach (operation 4),
// the main window first and the children from the last to the first.
// From then until the detach it also subclasses every window the thread
// makes, at its creation (under a layer the program puts on then), and takes
// that layer off at WM_DESTROY the careless way: by putting back the
// procedure it saved, which cuts out whatever came above it.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const COLORREF kSolidBackground = RGB(40, 90, 60);

struct CSkin;

// What the module keeps in a subclassed window's user data.
struct CSkinnedWindow {
    HWND hWnd = nullptr;
    WNDPROC pfnPrevious = nullptr;
    LONG_PTR previousUserData = 0;
    CSkin* pSkin = nullptr;
    bool bMain = false;
};

struct CSkin {
    // In the order the subclassing was put on: the main window first.
    std::vector<std::unique_ptr<CSkinnedWindow>> windows;
    HBITMAP hBackground = nullptr;
    HHOOK hCreationHook = nullptr;
};

// The procedures that the layers put on at creation replaced.
std::map<HWND, WNDPROC> g_creationLayers;

LRESULT CALLBACK CreationLayerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::map<HWND, WNDPROC>::iterator it = g_creationLayers.find(hWnd);
    if (it == g_creationLayers.end()) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    WNDPROC pfnSaved = it->second;
    if (msg == WM_DESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSaved));
        g_creationLayers.erase(it);
    }
    return ::CallWindowProcW(pfnSaved, hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        g_creationLayers[hWnd] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CreationLayerProc)));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void StartCreationLayers(CSkin& skin)
{
    if (skin.hCreationHook) return;
    skin.hCreationHook = ::SetWindowsHookExW(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
    // A window may outlive the skin with the layer still under another:
    // the module stays loaded for it.
    HMODULE hSelf = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&CreationLayerProc), &hSelf);
}

void StopCreationLayers(CSkin& skin)
{
    if (skin.hCreationHook) ::UnhookWindowsHookEx(skin.hCreationHook);
    skin.hCreationHook = nullptr;
}

LONG g_nLiveSubclasses = 0;
LONG g_nPaintedBackgrounds = 0;

LRESULT CALLBACK SkinProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

void PaintBackground(const CSkin& skin, HWND hWnd, HDC hDc)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    BITMAP info = {};
    HDC hMemDc = skin.hBackground ? ::CreateCompatibleDC(hDc) : nullptr;
    if (hMemDc && ::GetObjectW(skin.hBackground, sizeof(info), &info)) {
        HGDIOBJ hOld = ::SelectObject(hMemDc, skin.hBackground);
        ::StretchBlt(hDc, 0, 0, rc.right, rc.bottom, hMemDc, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        ::SelectObject(hMemDc, hOld);
    } else {
        HBRUSH hBrush = ::CreateSolidBrush(kSolidBackground);
        ::FillRect(hDc, &rc, hBrush);
        ::DeleteObject(hBrush);
    }
    if (hMemDc) ::DeleteDC(hMemDc);
    ++g_nPaintedBackgrounds;
}

// Takes the module's layer off the window. Only a layer on top can be taken
// out; one under a later layer stays and passes everything on.
void Unsubclass(CSkinnedWindow& record)
{
    if (!record.hWnd) return;
    if (::IsWindow(record.hWnd) &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(record.hWnd, GWLP_WNDPROC)) == SkinProc) {
        ::SetWindowLongPtrW(record.hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.pfnPrevious));
        ::SetWindowLongPtrW(record.hWnd, GWLP_USERDATA, record.previousUserData);
        record.hWnd = nullptr;
        --g_nLiveSubclasses;
    }
}

LRESULT CALLBACK SkinProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CSkinnedWindow* pRecord = reinterpret_cast<CSkinnedWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!pRecord || pRecord->hWnd != hWnd) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    WNDPROC pfnPrevious = pRecord->pfnPrevious;
    if (msg == WM_ERASEBKGND && pRecord->bMain) {
        PaintBackground(*pRecord->pSkin, hWnd, reinterpret_cast<HDC>(wParam));
        return TRUE;
    }
    if (msg == WM_NCDESTROY) {
        Unsubclass(*pRecord);
        // Still under a later layer: the window goes, and the record with it.
        if (pRecord->hWnd == hWnd) {
            pRecord->hWnd = nullptr;
            --g_nLiveSubclasses;
        }
    }
    return ::CallWindowProcW(pfnPrevious, hWnd, msg, wParam, lParam);
}

void Subclass(CSkin& skin, HWND hWnd, bool bMain)
{
    std::unique_ptr<CSkinnedWindow> record(new CSkinnedWindow);
    record->hWnd = hWnd;
    record->pSkin = &skin;
    record->bMain = bMain;
    record->previousUserData = ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.get()));
    record->pfnPrevious =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinProc)));
    ++g_nLiveSubclasses;
    skin.windows.push_back(std::move(record));
    ::InvalidateRect(hWnd, nullptr, TRUE);
}

BOOL CALLBACK SubclassChild(HWND hChild, LPARAM lParam)
{
    wchar_t className[16] = {};
    ::GetClassNameW(hChild, className, 16);
    if (::lstrcmpiW(className, L"Button") == 0 || ::lstrcmpiW(className, L"Static") == 0)
        Subclass(*reinterpret_cast<CSkin*>(lParam), hChild, false);
    return TRUE;
}

// The record's bundle is a folder; the image is a bitmap file inside it.
HBITMAP LoadBackground(const DWORD* record)
{
    const wchar_t* bundle = reinterpret_cast<const wchar_t*>(static_cast<UINT_PTR>(record[1]));
    const char* image = reinterpret_cast<const char*>(static_cast<UINT_PTR>(record[3]));
    if (!bundle || !image) return nullptr;
    std::wstring path = std::wstring(bundle) + L"\\";
    for (const char* p = image; *p; ++p) path += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

DWORD AttachWindow(CSkin& skin, HWND hWnd, const DWORD* record)
{
    if (!::IsWindow(hWnd)) return 0;
    if (record && !skin.hBackground) skin.hBackground = LoadBackground(record);
    Subclass(skin, hWnd, true);
    ::EnumChildWindows(hWnd, SubclassChild, reinterpret_cast<LPARAM>(&skin));
    StartCreationLayers(skin);
    return static_cast<DWORD>(skin.windows.size());
}

DWORD DetachWindows(CSkin& skin)
{
    StopCreationLayers(skin);
    if (skin.windows.empty()) return 0;
    DWORD nDetached = 0;
    auto detach = [&nDetached](CSkinnedWindow& record) {
        if (record.hWnd) ++nDetached;
        Unsubclass(record);
    };
    detach(*skin.windows.front());
    std::for_each(skin.windows.rbegin(), skin.windows.rend() - 1, [&](auto& record) { detach(*record); });
    return nDetached;
}

void DestroySkin(CSkin* pSkin)
{
    DetachWindows(*pSkin);
    // A layer still under a later one keeps its record: its procedure reads it.
    for (auto& record : pSkin->windows) {
        if (record->hWnd) record.release();
    }
    if (pSkin->hBackground) ::DeleteObject(pSkin->hBackground);
    delete pSkin;
}

CSkin* SkinOf(DWORD handle)
{
    return reinterpret_cast<CSkin*>(static_cast<UINT_PTR>(handle));
}

}  // namespace

extern "C" DWORD WINAPI CallHookWnd(DWORD operation, DWORD skin, DWORD, DWORD fourth, DWORD fifth)
{
    switch (operation) {
    case 1:
        return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(new CSkin));
    case 3:
        if (!skin) return 0;
        return AttachWindow(*SkinOf(skin), reinterpret_cast<HWND>(static_cast<UINT_PTR>(fourth)),
                            reinterpret_cast<const DWORD*>(static_cast<UINT_PTR>(fifth)));
    case 4:
        return skin ? DetachWindows(*SkinOf(skin)) : 0;
    case 2:
        if (skin) DestroySkin(SkinOf(skin));
        return 0;
    default:
        return 0;
    }
}

// Windows that carry the module's layer right now, in every skin.
extern "C" LONG WINAPI LiveSubclasses()
{
    return g_nLiveSubclasses;
}

// How often a main window's background was painted by the module.
extern "C" LONG WINAPI PaintedBackgrounds()
{
    return g_nPaintedBackgrounds;
}
