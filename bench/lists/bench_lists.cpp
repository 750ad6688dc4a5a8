// Speed of the list operations against the same work without a control:
// a folder scan against a bare enumeration, a whole folder tree added to the
// playlist against one bare enumeration per folder, and playlist edits of
// 20,000 entries against the same change to a plain vector. Each figure is the best
// of a few runs; the edits include painting the list afterwards, since that
// is part of what a person waits for.
#include "ListHost.h"

#include "TestSupport.h"
#include "foldertree/FolderTreeCtrl.h"
#include "lists/FolderScan.h"
#include "playlist/ListEditing.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const int kRuns = 5;
const int kFolderFiles = 20000;
const int kPlaylistEntries = 20000;
// 20,000 files in 200 folders two levels below the one added.
const int kArtists = 10;
const int kAlbumsPerArtist = 20;
const int kTracksPerAlbum = 100;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Best of kRuns: prepare runs untimed before each timed work.
double BestMs(const std::function<void()>& prepare, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        double start = Now();
        work();
        best = std::min(best, Now() - start);
    }
    return best;
}

void Report(const char* name, double ms, double baselineMs)
{
    std::printf("%s: %.1f ms, baseline %.1f ms, ratio %.2f\n", name, ms, baselineMs,
                baselineMs > 0 ? ms / baselineMs : 0.0);
    std::fflush(stdout);
}

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name + std::to_wstring(::GetCurrentProcessId());
}

std::wstring MakeTempFolder()
{
    std::wstring folder = TempFolder(L"wava-bench-lists-");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // Audio and other files interleaved, as a player's folders hold them.
    for (int i = 0; i < kFolderFiles; ++i) {
        std::wstring path = folder + L"\\track" + std::to_wstring(i) + (i % 2 ? L".txt" : L".mp3");
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
    return folder;
}

// Artists and albums out of name order, so that ordering them has work to do.
std::vector<std::wstring> MakeFolderTree()
{
    std::vector<std::wstring> folders = {TempFolder(L"wava-bench-tree-")};
    ::CreateDirectoryW(folders[0].c_str(), nullptr);
    for (int a = 0; a < kArtists; ++a) {
        std::wstring artist = folders[0] + L"\\Artist " + std::to_wstring((a * 7) % kArtists);
        ::CreateDirectoryW(artist.c_str(), nullptr);
        folders.push_back(artist);
        for (int b = 0; b < kAlbumsPerArtist; ++b) {
            std::wstring album = artist + L"\\Album " + std::to_wstring((b * 7) % kAlbumsPerArtist);
            ::CreateDirectoryW(album.c_str(), nullptr);
            folders.push_back(album);
            for (int t = 0; t < kTracksPerAlbum; ++t) {
                std::wstring path = album + L"\\track" + std::to_wstring(t) + L".mp3";
                HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
                if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
            }
        }
    }
    return folders;
}

int BareEnumeration(const std::wstring& folder)
{
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        ++count;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

// The playlist with count entries, every other one selected when asked, and
// the notifications of setting it up gone from the queue.
void PreparePlaylist(CPlaylistListCtrl& list, const CPathArray& paths, bool selectEveryOther)
{
    if (list.GetItemCount() > 0) list.RemoveAllEntries();
    list.AddEntries(paths);
    list.DeselectAll();
    if (selectEveryOther) {
        for (int i = 0; i < list.GetItemCount(); i += 2) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    }
    PumpMessages();
}

CIndexArray EveryOther(size_t count)
{
    CIndexArray indices;
    for (size_t i = 0; i < count; i += 2) indices.push_back(static_cast<unsigned int>(i));
    return indices;
}

}

int wmain()
{
    // The folder order asks the shell.
    if (FAILED(::CoInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    CListHost host;
    if (!host.Create(true, 400)) {
        std::fprintf(stderr, "cannot create the list window\n");
        return 1;
    }
    // Every box answers at once; none is expected.
    SetMessageBoxHook([](HWND, const std::wstring&, const std::wstring&, UINT) { return IDOK; });

    std::wstring folder = MakeTempFolder();
    BareEnumeration(folder);
    double scan = BestMs([] {}, [&] {
        host.source.FillFromFolder(folder.c_str());
        ::UpdateWindow(host.source.Hwnd());
    });
    double bare = BestMs([] {}, [&] { BareEnumeration(folder); });
    PumpMessages();
    RemoveTree(folder);
    Report("scan-20000", scan, bare);

    // What adding a folder from the tree does: collect, then insert at the
    // end of an empty playlist and paint it.
    const std::vector<std::wstring> tree = MakeFolderTree();
    size_t added = 0;
    double addFolder = BestMs([&] {
        if (host.playlist.GetItemCount() > 0) host.playlist.RemoveAllEntries();
        PumpMessages();
    }, [&] {
        std::vector<std::wstring> files;
        CollectFolderAudioFiles(tree[0].c_str(), SortLikeFolderTree, files);
        added = files.size();
        host.playlist.InsertEntries(-1, std::move(files));
        ::UpdateWindow(host.playlist.Hwnd());
    });
    // The part of it that finds the files, without the playlist.
    double collect = BestMs([] {}, [&] {
        std::vector<std::wstring> files;
        CollectFolderAudioFiles(tree[0].c_str(), SortLikeFolderTree, files);
    });
    double perFolder = BestMs([] {}, [&] {
        for (const std::wstring& folder : tree) BareEnumeration(folder);
    });
    PumpMessages();
    RemoveTree(tree[0]);
    if (added != static_cast<size_t>(kArtists * kAlbumsPerArtist * kTracksPerAlbum))
        std::printf("the folder gave %u files\n", static_cast<unsigned>(added));
    Report("add-folder-20000", addFolder, perFolder);
    Report("collect-folder-20000", collect, perFolder);

    CPlaylistListCtrl& list = host.playlist;
    const CPathArray paths = MakePaths(0, kPlaylistEntries);
    CPathArray vec;

    double add = BestMs([&] { PreparePlaylist(list, paths, false); }, [&] {
        list.AddEntries(paths);
        ::UpdateWindow(list.Hwnd());
    });
    double addBase = BestMs([&] { vec = paths; }, [&] { vec.insert(vec.end(), paths.begin(), paths.end()); });
    Report("add-20000", add, addBase);

    const CIndexArray spread = EveryOther(paths.size());
    double move = BestMs([&] { PreparePlaylist(list, paths, true); }, [&] {
        list.MoveSelectedEntries(TRUE);
        ::UpdateWindow(list.Hwnd());
    });
    double moveBase = BestMs([&] { vec = paths; }, [&] { MovePathsByOne(vec, spread, true); });
    Report("move-10000", move, moveBase);

    double remove = BestMs([&] { PreparePlaylist(list, paths, true); }, [&] {
        list.RemoveSelectedEntries();
        ::UpdateWindow(list.Hwnd());
    });
    double removeBase = BestMs([&] { vec = paths; }, [&] { RemovePaths(vec, spread); });
    Report("remove-10000", remove, removeBase);

    SetMessageBoxHook(nullptr);
    ::CoUninitialize();
    return 0;
}
