// The companion program: starts the playlist tool for a player drive and
// plays the other programs the tool talks to (a wait dialog that blocks its
// start, and a receiver of its content-updated broadcast).
//
//   WavaCompanion start [--wait] [--program <path>] <tool arguments>
//                                                    start the tool
//   WavaCompanion wait-dialog <seconds>              show a wait dialog
//   WavaCompanion listen <seconds> <log file>        log content updates
//   WavaCompanion windows                            list running tools
//   WavaCompanion hung-window <seconds> [claims]     a marked window that
//                                                    never answers (or that
//                                                    claims the first start's
//                                                    drive, then hangs)
//   WavaCompanion hung-window <seconds> serves <X>   one that never answers
//                                                    while it holds drive X's
//                                                    serving lock, as a busy
//                                                    instance does
//   WavaCompanion demo-fill                          fill the running tool's
//                                                    playlist from one album
//   WavaCompanion demo-drag-points                   show the next album and
//                                                    print where a drag from
//                                                    it into the playlist
//                                                    starts and ends
//   WavaCompanion show-template                      only show the tool's main
//                                                    dialog from its resource
//                                                    module, marked like the
//                                                    tool's window, until it
//                                                    is closed: the least any
//                                                    start of the tool costs
//   WavaCompanion demo-open <file name>              open a playlist of the
//                                                    player in the running
//                                                    tool, as a user does
//   WavaCompanion drag-files <seconds> <path>...     a window from which a
//                                                    press drags the paths
//                                                    as a file list, as a
//                                                    file manager does
#include "TestKit.h"
#include "res/resource_ids.h"

#include <commctrl.h>
#include <tlhelp32.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

using namespace testkit;

namespace {

int Usage()
{
    std::fwprintf(stderr,
                  L"usage: WavaCompanion start [--wait] [--program <path>] <arguments>\n"
                  L"       WavaCompanion wait-dialog <seconds>\n"
                  L"       WavaCompanion listen <seconds> <log file>\n"
                  L"       WavaCompanion windows\n"
                  L"       WavaCompanion hung-window <seconds> [claims | serves <letter>]\n"
                  L"       WavaCompanion demo-fill\n"
                  L"       WavaCompanion demo-drag-points\n"
                  L"       WavaCompanion show-template\n"
                  L"       WavaCompanion demo-open <file name>\n"

                  L"       WavaCompanion drag-files <seconds> <path>...\n");
    return 2;
}

// Runs a message loop for the given time.
void PumpFor(DWORD ms)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

HWND CreateTopLevel(const wchar_t* title, WNDPROC proc, DWORD style)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = title;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, title, title, style, 100, 100, 320, 120, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

// The full folder of a file, without its trailing backslash.
std::wstring FolderOf(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    std::wstring folder = full;
    size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

// The file names of the modules that a process has loaded from a folder.
std::vector<std::wstring> ModulesFromFolder(DWORD processId, const std::wstring& folder)
{
    std::vector<std::wstring> names;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (hSnapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof(module);
    for (BOOL more = ::Module32FirstW(hSnapshot, &module); more; more = ::Module32NextW(hSnapshot, &module)) {
        if (_wcsicmp(FolderOf(module.szExePath).c_str(), folder.c_str()) == 0) names.push_back(module.szModule);
    }
    ::CloseHandle(hSnapshot);
    return names;
}

// start [--wait] [--program <path>] <tool arguments>: the tool of the build
// unless --program names another copy. --wait waits for its window to show
// and names the modules it loaded from its own folder; a tool that shows no
// window is ended.
int Start(int argc, wchar_t** argv)
{
    int first = 2;
    bool wait = false;
    std::wstring program = ToolPath();
    for (;; ++first) {
        if (first < argc && std::wcscmp(argv[first], L"--wait") == 0) {
            wait = true;
        } else if (first + 1 < argc && std::wcscmp(argv[first], L"--program") == 0) {
            program = argv[++first];
        } else {
            break;
        }
    }
    std::wstring arguments;
    for (int i = first; i < argc; ++i) {
        if (!arguments.empty()) arguments += L' ';
        arguments += Quote(argv[i]);
    }
    CProcess tool;
    if (!tool.Start(program, arguments)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), ::GetLastError());
        return 1;
    }
    std::wprintf(L"started process %lu\n", tool.Id());
    if (wait) {
        HWND hWnd = nullptr;
        WaitUntil([&] {
            hWnd = ToolWindowOfProcess(tool.Id());
            return (hWnd && ::IsWindowVisible(hWnd)) || !tool.IsRunning();
        }, 30000);
        if (!hWnd || !::IsWindowVisible(hWnd)) {
            std::fwprintf(stderr, L"no window appeared\n");
            tool.Kill();
            return 1;
        }
        std::wprintf(L"window %p\n", static_cast<void*>(hWnd));
        for (const std::wstring& name : ModulesFromFolder(tool.Id(), FolderOf(program)))
            std::wprintf(L"module %ls\n", name.c_str());
    }
    std::fflush(stdout);
    return 0;
}

LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

int WaitDialog(DWORD seconds)
{
    HWND hWnd = CreateTopLevel(L"Please wait", PlainProc, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
    if (!hWnd) return 1;
    ::SetPropW(hWnd, kWaitDialogProperty, reinterpret_cast<HANDLE>(1));
    std::wprintf(L"wait dialog %p\n", static_cast<void*>(hWnd));
    std::fflush(stdout);
    PumpFor(seconds * 1000);
    ::RemovePropW(hWnd, kWaitDialogProperty);
    ::DestroyWindow(hWnd);
    return 0;
}

UINT g_shareMsg = 0;
DWORD g_hangMs = 0;

// Tells the asking start that this window serves its drive (a close request
// hears the same), and hangs before anything else reaches the window.
LRESULT CALLBACK ClaimingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_shareMsg && msg == g_shareMsg) {
        ::ReplyMessage(kShareReplyYes);
        ::Sleep(g_hangMs);
        return kShareReplyYes;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

// A window that carries the tool's marker, in front of every other, whose
// thread stops answering: what a hung instance looks like to a start. With
// claims, it first answers one start that it serves the drive, and hangs
// while that start brings it to the front. With a served drive letter, it
// holds that drive's serving lock: a busy instance of the tool.
int HungWindow(DWORD seconds, bool claims, const wchar_t* servedLetter)
{
    HANDLE hServing = servedLetter ? ::CreateMutexW(nullptr, TRUE, (std::wstring(kServingLockNamePrefix) +
                                                                    servedLetter).c_str())
                                   : nullptr;
    g_shareMsg = ::RegisterWindowMessageW(kShareMessageName);
    g_hangMs = seconds * 1000;
    HWND hWnd = CreateTopLevel(L"Hung instance", ClaimingProc, WS_POPUP);
    if (!hWnd) return 1;
    ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetPropW(hWnd, kMainWindowProperty, kMainWindowPropertyValue);
    std::wprintf(L"hung window %p\n", static_cast<void*>(hWnd));
    std::fflush(stdout);
    if (claims) {
        PumpFor(g_hangMs);
    } else {
        ::Sleep(g_hangMs);
    }
    if (hServing) {
        ::ReleaseMutex(hServing);
        ::CloseHandle(hServing);
    }
    return 0;
}

UINT g_contentUpdatedMsg = 0;
FILE* g_log = nullptr;

LRESULT CALLBACK ListenerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (g_contentUpdatedMsg && msg == g_contentUpdatedMsg && g_log) {
        std::fprintf(g_log, "content-updated wParam=%lu lParam=%ld\n",
                     static_cast<unsigned long>(wParam), static_cast<long>(lParam));
        std::fflush(g_log);
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

int Listen(DWORD seconds, const wchar_t* logPath)
{
    g_log = _wfopen(logPath, L"a");
    if (!g_log) return 1;
    g_contentUpdatedMsg = ::RegisterWindowMessageW(kContentUpdatedMessageName);
    // Broadcasts reach top-level windows only, hidden ones included.
    HWND hWnd = CreateTopLevel(L"Wava content listener", ListenerProc, WS_POPUP);
    if (!hWnd) return 1;
    std::wprintf(L"listening\n");
    std::fflush(stdout);
    PumpFor(seconds * 1000);
    ::DestroyWindow(hWnd);
    std::fclose(g_log);
    return 0;
}

// A tree item's neighbour (TVGN_CHILD, TVGN_NEXT, TVGN_CARET, ...). Only
// messages without pointers cross to the other process.
HTREEITEM TreeItem(HWND hTree, UINT code, HTREEITEM hItem = nullptr)
{
    return reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(hItem)));
}

// The n-th child (0 first) of a tree item, expanded so that its own
// children exist.
HTREEITEM ExpandChild(HWND hTree, HTREEITEM hParent, int n)
{
    HTREEITEM hItem = TreeItem(hTree, TVGN_CHILD, hParent);
    while (hItem && n-- > 0) hItem = TreeItem(hTree, TVGN_NEXT, hItem);
    if (hItem) ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hItem));
    return hItem;
}

// The running tool's window for the demo; null, said on stderr, when none runs.
HWND DemoWindow()
{
    std::vector<HWND> windows = FindToolWindows();
    if (windows.empty()) std::fwprintf(stderr, L"no tool window\n");
    return windows.empty() ? nullptr : windows.front();
}

// What a user does first: open a folder of the demo drive (the second of
// the root, then the first artist and album), add all of its files and
// name the playlist.
int DemoFill()
{
    HWND hDlg = DemoWindow();
    if (!hDlg) return 1;
    HWND hTree = ::GetDlgItem(hDlg, 1020);
    HTREEITEM hRoot = TreeItem(hTree, TVGN_ROOT);
    HTREEITEM hItem = ExpandChild(hTree, ExpandChild(hTree, ExpandChild(hTree, hRoot, 1), 0), 0);
    if (!hItem) return 1;
    ::SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem));
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(1013, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, 1013)));
    ::SendMessageW(::GetDlgItem(hDlg, 1007), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Road Trip"));
    return 0;
}

// The height of one row of a report list, from the size the list says that
// one and two rows take (a question without pointers, so it crosses
// processes).
int RowHeight(HWND hList)
{
    LRESULT one = ::SendMessageW(hList, LVM_APPROXIMATEVIEWRECT, 1, MAKELPARAM(-1, -1));
    LRESULT two = ::SendMessageW(hList, LVM_APPROXIMATEVIEWRECT, 2, MAKELPARAM(-1, -1));
    return HIWORD(two) - HIWORD(one);
}

// The screen point at fraction (in quarters) of a row's height, in row row of
// a list scrolled to its top.
POINT RowPoint(HWND hList, int row, int quarters)
{
    POINT pt = {60, row * RowHeight(hList) + RowHeight(hList) * quarters / 4};
    ::ClientToScreen(hList, &pt);
    return pt;
}

// The demo's second picture: the next album of the same artist in the
// source list, and a drag of its second file to the top of the playlist's
// fourth entry, where the insertion mark then stands.
int DemoDragPoints()
{
    HWND hDlg = DemoWindow();
    if (!hDlg) return 1;
    HWND hTree = ::GetDlgItem(hDlg, 1020);
    HTREEITEM hNext = TreeItem(hTree, TVGN_NEXT, TreeItem(hTree, TVGN_CARET));
    if (hNext) ::SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hNext));
    HWND hSource = ::GetDlgItem(hDlg, 1021);
    HWND hPlaylist = ::GetDlgItem(hDlg, 1022);
    if (RowHeight(hSource) <= 0 || RowHeight(hPlaylist) <= 0) return 1;
    POINT from = RowPoint(hSource, 1, 2);
    POINT to = RowPoint(hPlaylist, 3, 1);
    std::wprintf(L"%ld %ld %ld %ld\n", from.x, from.y, to.x, to.y);
    return 0;
}

INT_PTR CALLBACK TemplateProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        ::SetPropW(hDlg, kMainWindowProperty, kMainWindowPropertyValue);
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDC_CLOSE)) {
        ::RemovePropW(hDlg, kMainWindowProperty);
        ::EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

// The tool's main dialog as the tool shows it: from the resource module
// beside the tool, with the common controls that the tool's manifest asks
// for.
int ShowTemplate()
{
    ACTCTXW context = {};
    context.cbSize = sizeof(context);
    const std::wstring tool = ToolPath();
    context.lpSource = tool.c_str();
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE hContext = ::CreateActCtxW(&context);
    ULONG_PTR cookie = 0;
    if (hContext != INVALID_HANDLE_VALUE) ::ActivateActCtx(hContext, &cookie);
    HMODULE hResources = ::LoadLibraryW((ThisProgramFolder() + L"\\..\\bin\\ZKWAPlRs.crl").c_str());
    if (!hResources) {
        std::fwprintf(stderr, L"no resource module beside the tool\n");
        return 1;
    }
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::DialogBoxParamW(hResources, MAKEINTRESOURCEW(IDD_PLAYLIST_MAIN), nullptr, TemplateProc, 0);
    ::FreeLibrary(hResources);
    if (hContext != INVALID_HANDLE_VALUE) {
        ::DeactivateActCtx(0, cookie);
        ::ReleaseActCtx(hContext);
    }
    return 0;
}

// The file name field of the system's Open dialog: an edit, on its own or
// inside a combo box.
HWND FileNameField(HWND hOpen)
{
    HWND hEdit = ::FindWindowExW(hOpen, nullptr, L"Edit", nullptr);
    for (HWND hCombo = nullptr; !hEdit && (hCombo = ::FindWindowExW(hOpen, hCombo, L"ComboBox", nullptr));)
        hEdit = ::FindWindowExW(hCombo, nullptr, L"Edit", nullptr);
    return hEdit;
}

// The demo's third picture: Open pressed, the question about the unsaved
// playlist answered Yes, the file's name typed into the Open dialog, and
// the box that reports the missing entries closed.
int DemoOpen(const wchar_t* fileName)
{
    HWND hDlg = DemoWindow();
    if (!hDlg) return 1;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hDlg, &pid);
    ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(1035, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, 1035)));
    bool typed = false;
    for (int round = 0; round < 3; ++round) {
        HWND hBox = WaitForMessageBox(pid, 10000);
        if (!hBox) break;
        HWND hName = FileNameField(hBox);
        if (hName) {
            ::SendMessageW(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName));
            PressButton(hBox, IDOK);
        } else {
            PressButton(hBox, ::GetDlgItem(hBox, IDYES) ? IDYES : IDOK);
        }
        WaitUntil([hBox] { return !::IsWindow(hBox); }, 5000);
        // The box after the Open dialog is the report: the last one.
        if (typed && !hName) break;
        typed = typed || hName;
    }
    return typed ? 0 : 1;
}

// A file list as a file manager offers it: the paths as CF_HDROP, nothing else.
class CFileListData final : public IDataObject {
public:
    explicit CFileListData(const std::vector<std::wstring>& paths)
    {
        for (const std::wstring& path : paths) m_list.append(path).push_back(L'\0');
        m_list.push_back(L'\0');
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IDataObject) ? static_cast<IDataObject*>(this) : nullptr;
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        size_t bytes = sizeof(DROPFILES) + m_list.size() * sizeof(wchar_t);
        HGLOBAL hGlobal = ::GlobalAlloc(GHND, bytes);
        if (!hGlobal) return E_OUTOFMEMORY;
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(hGlobal));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::memcpy(drop + 1, m_list.data(), m_list.size() * sizeof(wchar_t));
        ::GlobalUnlock(hGlobal);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = hGlobal;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return ::SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::wstring m_list;
    ULONG m_refs = 1;
};

// Drops when the left button goes up; Escape cancels.
class CDropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IDropSource) ? static_cast<IDropSource*>(this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

std::vector<std::wstring> g_dragPaths;

LRESULT CALLBACK DragSourceProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_LBUTTONDOWN) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    CFileListData data(g_dragPaths);
    CDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect);
    std::wprintf(L"drag ended 0x%08lx effect %lu\n", static_cast<unsigned long>(hr), effect);
    std::fflush(stdout);
    return 0;
}

// The window stands at the top-left corner of the screen (100, 100, 320 x
// 120); a press anywhere in it begins the drag.
int DragFiles(DWORD seconds, int argc, wchar_t** argv)
{
    if (FAILED(::OleInitialize(nullptr))) return 1;
    g_dragPaths.assign(argv, argv + argc);
    HWND hWnd = CreateTopLevel(L"Wava drag source", DragSourceProc, WS_POPUP | WS_BORDER | WS_VISIBLE);
    if (!hWnd) return 1;
    std::wprintf(L"drag source %p\n", static_cast<void*>(hWnd));
    std::fflush(stdout);
    PumpFor(seconds * 1000);
    ::DestroyWindow(hWnd);
    ::OleUninitialize();
    return 0;
}

int ListWindows()
{
    for (HWND hWnd : FindToolWindows()) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        std::wprintf(L"%p pid %lu \"%ls\"\n", static_cast<void*>(hWnd), pid, WindowText(hWnd).c_str());
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return Usage();
    std::wstring command = argv[1];
    if (command == L"start") return Start(argc, argv);
    if (command == L"wait-dialog" && argc == 3) return WaitDialog(std::wcstoul(argv[2], nullptr, 10));
    if (command == L"listen" && argc == 4) return Listen(std::wcstoul(argv[2], nullptr, 10), argv[3]);
    if (command == L"windows") return ListWindows();
    if (command == L"hung-window" && (argc == 3 || (argc == 4 && std::wcscmp(argv[3], L"claims") == 0)))
        return HungWindow(std::wcstoul(argv[2], nullptr, 10), argc == 4, nullptr);
    if (command == L"hung-window" && argc == 5 && std::wcscmp(argv[3], L"serves") == 0)
        return HungWindow(std::wcstoul(argv[2], nullptr, 10), false, argv[4]);
    if (command == L"demo-fill") return DemoFill();
    if (command == L"demo-drag-points") return DemoDragPoints();
    if (command == L"show-template") return ShowTemplate();
    if (command == L"demo-open" && argc == 3) return DemoOpen(argv[2]);
    if (command == L"drag-files" && argc >= 4) return DragFiles(std::wcstoul(argv[2], nullptr, 10), argc - 3, argv + 3);
    return Usage();
}
