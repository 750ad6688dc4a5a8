#include "ListHost.h"

#include "lists/ListCommon.h"
#include "res/resource_ids.h"


namespace {

const wchar_t kHostClass[] = L"WavaListsTestHost";

bool RegisterHostClass()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    return ::RegisterClassW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateList(HWND hParent, int id, int x, int height)
{
    // The styles of the main dialog's template: report view, owner data,
    // multiple selection, selection shown without the focus, no header.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT |
                        LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER;
    return ::CreateWindowExW(0, WC_LISTVIEWW, L"", style, x, 10, 220, height, hParent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

}

CListHost::~CListHost()
{
    Destroy();
}

bool CListHost::Create(bool visible, int listHeight)
{
    if (!RegisterHostClass()) return false;
    // No caption: under Wine without a window manager, hiding a captioned
    // window waits two seconds for a manager that never answers.
    DWORD style = WS_POPUP | WS_BORDER | (visible ? WS_VISIBLE : 0);
    if (!CreateEx(0, kHostClass, L"lists", style, 40, 40, 500, listHeight + 60, nullptr, 0))
        return false;
    if (!CreateList(Hwnd(), IDC_SOURCE_LIST, 10, listHeight) ||
        !CreateList(Hwnd(), IDC_PLAYLIST_LIST, 250, listHeight))
        return false;
    if (!source.AttachDlgItem(Hwnd(), IDC_SOURCE_LIST) ||
        !playlist.AttachDlgItem(Hwnd(), IDC_PLAYLIST_LIST))
        return false;
    source.SetNotifyWnd(Hwnd());
    playlist.SetNotifyWnd(Hwnd());
    playlist.SetModel(&model);
    source.SetDropTarget(&playlist);
    InitListColumn(source);
    InitListColumn(playlist);
    if (visible) {
        ::SetForegroundWindow(Hwnd());
        ::UpdateWindow(Hwnd());
    }
    PumpMessages();
    return true;
}

void CListHost::Destroy()
{
    if (Hwnd()) ::DestroyWindow(Hwnd());
}

bool ResetHost(CListHost& host, int entries, const std::wstring& folder)
{
    if (!host.Hwnd()) return false;
    if (host.playlist.GetItemCount() > 0) host.playlist.RemoveAllEntries();
    if (!host.playlist.AddEntries(MakePaths(0, entries))) return false;
    host.playlist.DeselectAll();
    if (!host.source.FillFromFolder(folder.c_str())) return false;
    host.source.SetItemState(-1, 0, LVIS_SELECTED);
    return true;
}

std::vector<int> SelectedItems(const CListView& list)
{
    std::vector<int> items;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
        items.push_back(i);
    return items;
}

int TakePosted(HWND hWnd, UINT msg)
{
    int count = 0;
    MSG m;
    while (::PeekMessageW(&m, hWnd, msg, msg, PM_REMOVE)) ++count;
    return count;
}

std::vector<std::wstring> MakePaths(int first, int count, const wchar_t* prefix)
{
    std::vector<std::wstring> paths;
    for (int i = first; i < first + count; ++i)
        paths.push_back(L"G:\\music\\" + std::wstring(prefix) + std::to_wstring(i) + L".mp3");
    return paths;
}

CBoxRecorder::CBoxRecorder()
{
    SetMessageBoxHook([this](HWND hOwner, const std::wstring& text, const std::wstring& caption,
                             UINT type) {
        boxes.push_back({hOwner, text, caption, type});
        return IDOK;
    });
}

CBoxRecorder::~CBoxRecorder()
{
    SetMessageBoxHook(nullptr);
}
