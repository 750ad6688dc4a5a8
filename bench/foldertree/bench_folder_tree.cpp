// Expanding a folder of 2,000 sub-folders in the folder tree, from the
// expand message to the painted level, against the work that any listing
// of that folder has to do: enumerating with display names, asking the
// attributes and sorting with the folder's own comparison.
#include "foldertree/FolderTreeCtrl.h"
#include "foldertree/IdList.h"
#include "handoff/DeviceFields.h"
#include "TestSupport.h"

#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kFolders = 2000;
const int kRounds = 5;

std::wstring FolderName(int i)
{
    // Names out of numeric order, so that the sort has work to do.
    wchar_t name[32];
    swprintf(name, 32, L"Folder %04d", (i * 7919) % kFolders);
    return name;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// The inherent work, without a tree.
double MeasureBaseline(const std::wstring& folderPath)
{
    double start = NowMs();
    CItemIdList pidl = PathToIdList(folderPath.c_str(), nullptr);
    CComPtr<IShellFolder> desktop;
    ::SHGetDesktopFolder(desktop.Receive());
    CComPtr<IShellFolder> folder;
    desktop->BindToObject(pidl.Get(), nullptr, IID_IShellFolder, folder.ReceiveVoid());
    CComPtr<IEnumIDList> items;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS, items.Receive());

    std::vector<CItemIdList> ids;
    std::vector<std::wstring> names;
    LPITEMIDLIST child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
        ids.emplace_back(child);
        CDisplayName name;
        folder->GetDisplayNameOf(child, SHGDN_INFOLDER, name.Prepare(child, STRRET_WSTR));
        names.push_back(name.ToString());
        LPCITEMIDLIST constChild = child;
        ULONG look = SFGAO_SHARE | SFGAO_LINK | SFGAO_GHOSTED;
        folder->GetAttributesOf(1, &constChild, &look);
        ULONG children = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        folder->GetAttributesOf(1, &constChild, &children);
    }
    IShellFolder* pFolder = folder.Get();
    std::sort(ids.begin(), ids.end(), [pFolder](const CItemIdList& a, const CItemIdList& b) {
        return static_cast<short>(HRESULT_CODE(pFolder->CompareIDs(0, a.Get(), b.Get()))) < 0;
    });
    double elapsed = NowMs() - start;
    if (names.size() != static_cast<size_t>(kFolders)) std::printf("baseline saw %u folders\n", static_cast<unsigned>(names.size()));
    return elapsed;
}

// One new tree of the main dialog's size, its root expanded and painted.
double MeasureTreeExpansion(HWND hHost)
{
    CFolderTreeCtrl tree;
    // 130 x 226 dialog units in the main dialog's font.
    HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"",
                                   WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                                       TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                   10, 10, 195, 367, hHost, reinterpret_cast<HMENU>(1020), nullptr, nullptr);
    tree.Attach(hTree);
    tree.InitFolderTree(hHost);
    ::UpdateWindow(hTree);
    Pump();

    double start = NowMs();
    tree.Expand(tree.GetRootItem(), TVE_EXPAND);
    ::UpdateWindow(hTree);
    double elapsed = NowMs() - start;

    if (tree.GetCount() != static_cast<UINT>(kFolders + 1)) std::printf("tree shows %u items\n", tree.GetCount());
    ::DestroyWindow(hTree);
    return elapsed;
}

bool MakeTreeFolders(const std::wstring& folder)
{
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) return false;
    for (int i = 0; i < kFolders; ++i)
        if (!::CreateDirectoryW((folder + L"\\" + FolderName(i)).c_str(), nullptr)) return false;
    return true;
}

void RemoveFolders(const std::wstring& folder)
{
    for (int i = 0; i < kFolders; ++i) ::RemoveDirectoryW((folder + L"\\" + FolderName(i)).c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain()
{
    if (FAILED(::CoInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    wchar_t temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"wava-bench-tree-" + std::to_wstring(::GetCurrentProcessId());
    if (!MakeTreeFolders(folder)) {
        std::printf("cannot make the folders under %ls\n", temp);
        RemoveFolders(folder);
        return 1;
    }
    CDeviceFields fields;
    ::lstrcpynW(fields.m_szDeviceRoot, folder.c_str(), MAX_PATH);
    SetAppDeviceFields(&fields);

    // A shown host, as the main dialog is: the level is painted for real.
    // The parent passes the tree's notifications back to it.
    CWindow host;
    host.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 240, 400, nullptr, 0);
    ::ShowWindow(host.Hwnd(), SW_SHOWNOACTIVATE);

    std::vector<double> tree, baseline;
    for (int round = 0; round < kRounds; ++round) {
        baseline.push_back(MeasureBaseline(folder));
        tree.push_back(MeasureTreeExpansion(host.Hwnd()));
    }
    ::DestroyWindow(host.Hwnd());
    SetAppDeviceFields(nullptr);
    RemoveFolders(folder);

    const double treeMs = Median(tree), baselineMs = Median(baseline);
    std::printf("expand-%d: %.1f ms, baseline %.1f ms, ratio %.2f\n", kFolders, treeMs, baselineMs,
                treeMs / baselineMs);
    ::CoUninitialize();
    return 0;
}
